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

ImageFilterInstance *Host::AddImageFilter(const std::string &server)
{
    auto filter = std::make_unique<ImageFilterInstance>();
    filter->server = server;
    filter->handler.inst = &filter->instFuncs;
    filter->handler.item = &filter->itemFuncs;
    if (Activate("ImageFilterHandler", server, &filter->handler) != AFUNC_OK)
        return nullptr;
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
        if ((*it)->source != static_cast<size_t>(-1))
            removedPlugins_.push_back((*it)->source);
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

bool Host::RunSceneImageFilters(FilterImage &image, int frame)
{
    for (const auto &filter : imageFilters_) {
        LWError failure = nullptr;
        {
            FilterAccessScope scope(image, frame);
            failure = filter->handler.process(filter->instance, scope.Access());
        }
        // The renderer stops on an error text: the frame is not written.
        if (failure) {
            Message(filter->server + ": the render of frame " + std::to_string(frame) + " failed: " + failure);
            return false;
        }
    }
    return true;
}

bool Host::RunImageFilter(const std::string &server, FilterImage &image, int frame)
{
    LWInstanceFuncs instFuncs{};
    LWItemFuncs itemFuncs{};
    LWImageFilterHandler handler{};
    handler.inst = &instFuncs;
    handler.item = &itemFuncs;
    if (Activate("ImageFilterHandler", server, &handler) != AFUNC_OK)
        return false;
    if (!instFuncs.create || !handler.process) {
        Message(server + ": the image filter has no create or process callback");
        return false;
    }
    LWError error = nullptr;
    LWInstance instance = instFuncs.create(instFuncs.priv, nullptr, &error);
    if (!instance) {
        Message("cannot add image filter " + server + ": " + (error ? error : ""));
        return false;
    }
    LWError failure = nullptr;
    {
        FilterAccessScope scope(image, frame);
        failure = handler.process(instance, scope.Access());
    }
    if (instFuncs.destroy)
        instFuncs.destroy(instance);
    // The renderer stops on an error text: the frame is not written.
    if (failure) {
        Message(server + ": the render of frame " + std::to_string(frame) + " failed: " + failure);
        return false;
    }
    return true;
}

} // namespace zkh
