// image_filters.cpp: image filters created, run over rendered frames, and removed.
#include "image_filters.h"

#include "filter_image.h"
#include "host.h"

namespace zkh {

std::unique_ptr<ImageFilterInstance> ImageFilters::Create(const std::string &server)
{
    auto filter = std::make_unique<ImageFilterInstance>();
    filter->server = server;
    filter->handler.inst = &filter->instFuncs;
    LWItemFuncs *const offeredItems = itemPart ? &filter->itemFuncs : nullptr;
    filter->handler.item = offeredItems;
    if (host_.Activate(LWIMAGEFILTER_HCLASS, server, &filter->handler) != AFUNC_OK)
        return nullptr;
    // The record's parts are the host's to point at: a filter fills the part it is offered.
    if (filter->handler.item != offeredItems)
        host_.Message(server + ": the image filter's activation replaced the host's item part");
    if (!filter->instFuncs.create || !filter->handler.process) {
        host_.Message(server + ": the image filter has no create or process callback");
        return nullptr;
    }
    LWError error = nullptr;
    filter->instance = filter->instFuncs.create(filter->instFuncs.priv, nullptr, &error);
    if (!filter->instance) {
        host_.Message("cannot add image filter " + server + ": " + (error ? error : ""));
        return nullptr;
    }
    return filter;
}

ImageFilterInstance *ImageFilters::Add(const std::string &server)
{
    std::unique_ptr<ImageFilterInstance> filter = Create(server);
    if (!filter)
        return nullptr;
    filters_.push_back(std::move(filter));
    return filters_.back().get();
}

bool ImageFilters::Remove(const std::string &server)
{
    for (auto it = filters_.begin(); it != filters_.end(); ++it) {
        if ((*it)->server != server)
            continue;
        if ((*it)->instFuncs.destroy)
            (*it)->instFuncs.destroy((*it)->instance);
        host_.PluginRemoved((*it)->source);
        filters_.erase(it);
        return true;
    }
    return false;
}

void ImageFilters::DestroyAll()
{
    while (!filters_.empty()) {
        ImageFilterInstance &filter = *filters_.back();
        if (filter.instFuncs.destroy)
            filter.instFuncs.destroy(filter.instance);
        filters_.pop_back();
    }
}

std::string ImageFilterInstance::Process(FilterImage &image, int frame) const
{
    // The renderer asks each filter for the buffers it reads before it runs it.
    FilterAccessScope scope(image, frame, handler.flags ? handler.flags(instance) : nullptr);
    const LWError failure = handler.process(instance, scope.Access());
    return failure ? std::string(failure) : std::string();
}

std::string ImageFilters::ProcessScene(FilterImage &image, int frame) const
{
    for (const auto &filter : filters_) {
        const std::string failure = filter->Process(image, frame);
        if (!failure.empty())
            return filter->server + ": the render of frame " + std::to_string(frame) + " failed: " + failure;
    }
    return std::string();
}

bool ImageFilters::RunScene(FilterImage &image, int frame)
{
    // The renderer stops on an error text: the frame is not written.
    const std::string failure = ProcessScene(image, frame);
    if (!failure.empty())
        host_.Message(failure);
    return failure.empty();
}

bool ImageFilters::RunOne(const std::string &server, FilterImage &image, int frame)
{
    const std::unique_ptr<ImageFilterInstance> filter = Create(server);
    if (!filter)
        return false;
    const std::string failure = filter->Process(image, frame);
    if (filter->instFuncs.destroy)
        filter->instFuncs.destroy(filter->instance);
    // The renderer stops on an error text: the frame is not written.
    if (!failure.empty()) {
        host_.Message(server + ": the render of frame " + std::to_string(frame) + " failed: " + failure);
        return false;
    }
    return true;
}

} // namespace zkh
