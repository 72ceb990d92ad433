// host_render.cpp: the renderer's side of the host: image filters and render nodes.
#include "filter_image.h"
#include "host.h"

namespace zkh {

namespace {

// Services a render node does not have: it runs without any interface.
const char *const kInterfaceServices[] = {"LWPanelServices 3", "LWXPanel 3", "LW Viewport Info 9",
                                          "LW Interface Info 8", "LW Communication Ring"};

} // namespace

void Host::BecomeRenderNode()
{
    renderNode_ = true;
    for (const char *name : kInterfaceServices)
        services.Remove(name);
}

std::unique_ptr<ImageFilter> ImageFilter::Add(Host &host, const std::string &server)
{
    std::unique_ptr<ImageFilter> filter(new ImageFilter());
    filter->handler_.inst = &filter->instFuncs_;
    filter->handler_.item = &filter->itemFuncs_;
    if (host.Activate("ImageFilterHandler", server, &filter->handler_) != AFUNC_OK)
        return nullptr;
    if (!filter->instFuncs_.create || !filter->handler_.process) {
        host.Message(server + ": the image filter has no create or process callback");
        return nullptr;
    }
    LWError error = nullptr;
    filter->instance_ = filter->instFuncs_.create(filter->instFuncs_.priv, nullptr, &error);
    if (!filter->instance_) {
        host.Message("cannot add image filter " + server + ": " + (error ? error : ""));
        return nullptr;
    }
    return filter;
}

ImageFilter::~ImageFilter()
{
    if (instance_ && instFuncs_.destroy)
        instFuncs_.destroy(instance_);
}

std::string ImageFilter::Process(FilterImage &image, int frame)
{
    // The renderer asks each filter for the buffers it reads before it runs it.
    FilterAccessScope scope(image, frame, handler_.flags ? handler_.flags(instance_) : nullptr);
    const LWError failure = handler_.process(instance_, scope.Access());
    return failure ? std::string(failure) : std::string();
}

bool Host::RunImageFilter(const std::string &server, FilterImage &image, int frame)
{
    std::string failure;
    {
        const std::unique_ptr<ImageFilter> filter = ImageFilter::Add(*this, server);
        if (!filter)
            return false;
        failure = filter->Process(image, frame);
    }
    // The renderer stops on an error text: the frame is not written.
    if (!failure.empty()) {
        Message(server + ": the render of frame " + std::to_string(frame) + " failed: " + failure);
        return false;
    }
    return true;
}

} // namespace zkh
