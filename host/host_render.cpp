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
        // The renderer asks each filter for the buffers it reads before it runs it.
        FilterAccessScope scope(image, frame, handler.flags ? handler.flags(instance) : nullptr);
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
