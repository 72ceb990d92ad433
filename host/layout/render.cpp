// render.cpp: the renderer's side of the host: image filters and render nodes.
#include "filter_image.h"
#include "host.h"

namespace zkh {

namespace {

// Services a render node does not have: it runs without any interface.
const char *const kInterfaceServices[] = {PANEL_SERVICES_NAME, LWXPANELFUNCS_GLOBAL, LWVIEWPORTINFO_GLOBAL,
                                          LWINTERFACEINFO_GLOBAL, LWCOMRING_GLOBAL};

} // namespace

void Host::BecomeRenderNode()
{
    renderNode_ = true;
    for (const char *name : kInterfaceServices)
        services.Remove(name);
}

std::unique_ptr<ImageFilterInstance> Host::CreateImageFilter(const std::string &server)
{
    auto filter = std::make_unique<ImageFilterInstance>();
    filter->server = server;
    filter->handler.inst = &filter->instFuncs;
    LWItemFuncs *const offeredItems = filterItemPart ? &filter->itemFuncs : nullptr;
    filter->handler.item = offeredItems;
    if (Activate(LWIMAGEFILTER_HCLASS, server, &filter->handler) != AFUNC_OK)
        return nullptr;
    // The record's parts are the host's to point at: a filter fills the part it is offered.
    if (filter->handler.item != offeredItems)
        Message(server + ": the image filter's activation replaced the host's item part");
    if (!filter->instFuncs.create || !filter->handler.process) {
        Message(server + ": the image filter has no create or process callback");
        return nullptr;
    }
    LWError error = nullptr;
    filter->instance = filter->instFuncs.create(filter->instFuncs.priv, nullptr, &error);
    if (!filter->instance) {
        Message("cannot add image filter " + server + ": " + (error ? error : ""));
        return nullptr;
    }
    return filter;
}

ImageFilterInstance *Host::AddImageFilter(const std::string &server)
{
    std::unique_ptr<ImageFilterInstance> filter = CreateImageFilter(server);
    if (!filter)
        return nullptr;
    imageFilters_.push_back(std::move(filter));
    return imageFilters_.back().get();
}

bool Host::RemoveImageFilter(const std::string &server)
{
    for (auto it = imageFilters_.begin(); it != imageFilters_.end(); ++it) {
        if ((*it)->server != server)
            continue;
        if ((*it)->instFuncs.destroy)
            (*it)->instFuncs.destroy((*it)->instance);
        PluginRemoved((*it)->source);
        imageFilters_.erase(it);
        return true;
    }
    return false;
}

void Host::DestroyImageFilters()
{
    while (!imageFilters_.empty()) {
        ImageFilterInstance &filter = *imageFilters_.back();
        if (filter.instFuncs.destroy)
            filter.instFuncs.destroy(filter.instance);
        imageFilters_.pop_back();
    }
}

std::string ImageFilterInstance::Process(FilterImage &image, int frame) const
{
    // The renderer asks each filter for the buffers it reads before it runs it.
    FilterAccessScope scope(image, frame, handler.flags ? handler.flags(instance) : nullptr);
    const LWError failure = handler.process(instance, scope.Access());
    return failure ? std::string(failure) : std::string();
}

std::string Host::ProcessSceneImageFilters(FilterImage &image, int frame) const
{
    for (const auto &filter : imageFilters_) {
        const std::string failure = filter->Process(image, frame);
        if (!failure.empty())
            return filter->server + ": the render of frame " + std::to_string(frame) + " failed: " + failure;
    }
    return std::string();
}

bool Host::RunSceneImageFilters(FilterImage &image, int frame)
{
    // The renderer stops on an error text: the frame is not written.
    const std::string failure = ProcessSceneImageFilters(image, frame);
    if (!failure.empty())
        Message(failure);
    return failure.empty();
}

bool Host::RunImageFilter(const std::string &server, FilterImage &image, int frame)
{
    const std::unique_ptr<ImageFilterInstance> filter = CreateImageFilter(server);
    if (!filter)
        return false;
    const std::string failure = filter->Process(image, frame);
    if (filter->instFuncs.destroy)
        filter->instFuncs.destroy(filter->instance);
    // The renderer stops on an error text: the frame is not written.
    if (!failure.empty()) {
        Message(server + ": the render of frame " + std::to_string(frame) + " failed: " + failure);
        return false;
    }
    return true;
}

} // namespace zkh
