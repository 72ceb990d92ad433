// host_render.cpp: the renderer's side of the host: image filters, render nodes, the system's
// narrow code page.
#include "filter_image.h"
#include "host.h"

#include <cctype>
#include <cstdlib>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace zkh {

namespace {

// Services a render node does not have: it runs without any interface.
const char *const kInterfaceServices[] = {"LWPanelServices 3", "LWXPanel 3", "LW Viewport Info 9",
                                          "LW Interface Info 8", "LW Communication Ring"};

} // namespace

#if defined(_WIN32)

std::string Host::NarrowCodePage() { return "CP" + std::to_string(GetACP()); }

bool Host::SetNarrowCodePage(const std::string &name)
{
    std::string wanted;
    for (char c : name)
        wanted += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (wanted == "UTF-8" || wanted == "UTF8")
        wanted = "CP" + std::to_string(CP_UTF8);
    return wanted == NarrowCodePage();
}

#else

std::string Host::NarrowCodePage()
{
    const char *name = std::getenv("ZK_NARROW_CODEPAGE");
    return name && *name ? name : "UTF-8";
}

bool Host::SetNarrowCodePage(const std::string &name) { return setenv("ZK_NARROW_CODEPAGE", name.c_str(), 1) == 0; }

#endif

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
    {
        FilterAccessScope scope(image, frame);
        handler.process(instance, scope.Access());
    }
    if (instFuncs.destroy)
        instFuncs.destroy(instance);
    return true;
}

} // namespace zkh
