// lwglobals.cpp: filling the two tables of host services.
#include "lwglobals.h"

#include <cstdint>
#include <type_traits>

HostGlobals g_hostGlobals;

namespace {

// Looks one service up (use mode 0) and stores it with the slot's own type.
template <class T>
T *Fetch(GlobalFunc *global, const char *name, T *&slot)
{
    void *table = global(name, GFUSE_TRANSIENT);
    if constexpr (std::is_function_v<T>)
        slot = reinterpret_cast<T *>(table);
    else
        slot = static_cast<T *>(table);
    return slot;
}

} // namespace

void AcquireHostGlobals(HostGlobals &g, GlobalFunc *global)
{
    if (g.filled)
        return;
    g.global = global;
    g.filled = 1;
    if (!global)
        return;
    Fetch(global, LWCOMMANDFUNC_GLOBAL, g.commandFunc);
    Fetch(global, LWCOMMANDINTERFACE_GLOBAL, g.commandInterface);
    Fetch(global, "AOV Functions", g.aovFuncs);
    Fetch(global, "LW Backdrop Info 3", g.backdropInfo);
    Fetch(global, "LW Bone Info 7", g.boneInfo);
    Fetch(global, "Buffer List Global 2", g.bufferListGlobal);
    Fetch(global, "BSDF Functions 2", g.bsdfFuncs);
    Fetch(global, "LW Camera Evaluation Funcs 4", g.cameraEvalFuncs);
    Fetch(global, LWCAMERAINFO_GLOBAL, g.cameraInfo);
    Fetch(global, "LW Compositing Info", g.compositingInfo);
    Fetch(global, "Dopetrack Proxy 2", g.dopetrackProxy);
    Fetch(global, "Fiber Info 2", g.fiberInfo);
    Fetch(global, "LW Fog Info", g.fogInfo);
    Fetch(global, LWINTERFACEINFO_GLOBAL, g.interfaceInfo);
    Fetch(global, LWITEMINFO_GLOBAL, g.itemInfo);
    Fetch(global, "ItemInstancerFuncs 2", g.itemInstancerFuncs);
    Fetch(global, "ItemInstanceInfo", g.itemInstanceInfo);
    Fetch(global, "LW Light Info 6", g.lightInfo);
    Fetch(global, "LWM: Dynamic Monitor", g.dynamicMonitor);
    Fetch(global, "LW List Info", g.listInfo);
    Fetch(global, LWOBJECTINFO_GLOBAL, g.objectInfo);
    Fetch(global, "Particle Services 3", g.particleServices);
    Fetch(global, LWSCENEINFO_GLOBAL, g.sceneInfo);
    Fetch(global, LWTIMEINFO_GLOBAL, g.timeInfo);
    Fetch(global, "LW Timer", g.timer);
    Fetch(global, LWVIEWPORTINFO_GLOBAL, g.viewportInfo);
    Fetch(global, "ContextMenuServices 2", g.contextMenuServices);
    Fetch(global, "LW Base Funcs 2", g.baseFuncs);
    Fetch(global, LWCHANNELINFO_GLOBAL, g.channelInfo);
    Fetch(global, LWCOLORACTIVATEFUNC_GLOBAL, g.colorPicker);
    Fetch(global, "LWColorSpace", g.colorSpace);
    Fetch(global, LWCOMRING_GLOBAL, g.comRing);
    Fetch(global, "Directory Info 2", g.directoryInfo);
    Fetch(global, "Animation Envelopes 4", g.envelopeFuncs);
    Fetch(global, LWFILEACTIVATEFUNC_GLOBAL, g.fileRequest3);
    Fetch(global, "File IO 5", g.fileIO);
    Fetch(global, "File Type Pattern", g.fileTypePattern);
    Fetch(global, "Image Utility 6", g.imageUtility);
    Fetch(global, "LW Image List 9", g.imageList);
    Fetch(global, "Instance Update", g.instanceUpdate);
    Fetch(global, "Mesh Functions 2", g.meshFuncs);
    Fetch(global, "Info Messages 4", g.infoMessages);
    Fetch(global, "NodeInputFuncs 5", g.nodeInputFuncs);
    Fetch(global, "NodeOutputFuncs 4", g.nodeOutputFuncs);
    Fetch(global, "NodeFuncs 3", g.nodeFuncs);
    Fetch(global, "NodeEditorFuncs 7", g.nodeEditorFuncs);
    Fetch(global, LWOBJECTFUNCS_GLOBAL, g.sceneObjects);
    Fetch(global, PANEL_SERVICES_NAME, g.panelFuncs);
    Fetch(global, LWRASTERFUNCS_GLOBAL, g.rasterFuncs);
    Fetch(global, "LWShelfFuncs 3", g.shelfFuncs);
    Fetch(global, "Surface Functions 6", g.surfaceFuncs);
    Fetch(global, "SurfaceEditor Functions 2", g.surfaceEditorFuncs);
    Fetch(global, "Texture Functions 6", g.textureFuncs);
    Fetch(global, "Texture Editor 3", g.textureEditor);
    Fetch(global, "LWVParmFuncs 4", g.vparmFuncs);
    Fetch(global, LWXPANELFUNCS_GLOBAL, g.xpanelFuncs);
}

namespace ToolGlobals {
GlobalFunc *global = nullptr;
const void *boneInfo = nullptr;
const void *fogInfo = nullptr;
const LWCameraInfo *cameraInfo = nullptr;
const LWInterfaceInfo *interfaceInfo = nullptr;
const LWItemInfo *itemInfo = nullptr;
const LWObjectInfo *objectInfo = nullptr;
const LWSceneInfo *sceneInfo = nullptr;
const LWTimeInfo *timeInfo = nullptr;
const void *dopetrackProxy = nullptr;
LWCommandFunc *commandFunc = nullptr;
const LWCommandInterface *commandInterface = nullptr;
const void *envelopeFuncs = nullptr;
const LWChannelInfo *channelInfo = nullptr;
LWColorActivateFunc *colorPicker = nullptr;
const void *contextMenuServices = nullptr;
const void *directoryInfo = nullptr;
LWFileReqFunc *fileRequest = nullptr;
LWFileActivateFunc *fileRequest3 = nullptr;
const void *imageUtility = nullptr;
const void *imageList = nullptr;
const void *infoMessages = nullptr;
const void *instanceUpdate = nullptr;
std::int32_t localeId = 0;
LWPanelFuncs *panelFuncs = nullptr;
const LWRasterFuncs *rasterFuncs = nullptr;
const LWSceneObjects *sceneObjects = nullptr;
const void *shelfFuncs = nullptr;
const void *surfaceFuncs = nullptr;
const LWXPanelFuncs *xpanelFuncs = nullptr;
const void *universalRequester = nullptr;
const LWComRing *comRing = nullptr;
const void *nodeInputFuncs = nullptr;
const void *nodeOutputFuncs = nullptr;
const void *nodeFuncs = nullptr;
const void *instanceUpdate2 = nullptr;
const void *lightInfo = nullptr;
const void *aovFuncs = nullptr;
} // namespace ToolGlobals

bool AcquireToolGlobals(GlobalFunc *global)
{
    namespace tg = ToolGlobals;
    tg::global = global;
    if (!global)
        return false;
    if (!Fetch(global, "LW Bone Info 7", tg::boneInfo)) return false;
    if (!Fetch(global, "LW Fog Info", tg::fogInfo)) return false;
    if (!Fetch(global, LWCAMERAINFO_GLOBAL, tg::cameraInfo)) return false;
    if (!Fetch(global, LWINTERFACEINFO_GLOBAL, tg::interfaceInfo)) return false;
    if (!Fetch(global, LWITEMINFO_GLOBAL, tg::itemInfo)) return false;
    if (!Fetch(global, LWOBJECTINFO_GLOBAL, tg::objectInfo)) return false;
    if (!Fetch(global, LWSCENEINFO_GLOBAL, tg::sceneInfo)) return false;
    if (!Fetch(global, LWTIMEINFO_GLOBAL, tg::timeInfo)) return false;
    if (!Fetch(global, "Dopetrack Proxy 2", tg::dopetrackProxy)) return false;
    if (!Fetch(global, LWCOMMANDFUNC_GLOBAL, tg::commandFunc)) return false;
    Fetch(global, LWCOMMANDINTERFACE_GLOBAL, tg::commandInterface);
    if (!Fetch(global, "Animation Envelopes 4", tg::envelopeFuncs)) return false;
    if (!Fetch(global, LWCHANNELINFO_GLOBAL, tg::channelInfo)) return false;
    if (!Fetch(global, LWCOLORACTIVATEFUNC_GLOBAL, tg::colorPicker)) return false;
    if (!Fetch(global, "ContextMenuServices 2", tg::contextMenuServices)) return false;
    if (!Fetch(global, "Directory Info 2", tg::directoryInfo)) return false;
    if (!Fetch(global, LWFILEREQFUNC_GLOBAL, tg::fileRequest)) return false;
    if (!Fetch(global, LWFILEACTIVATEFUNC_GLOBAL, tg::fileRequest3)) return false;
    if (!Fetch(global, "Image Utility 6", tg::imageUtility)) return false;
    if (!Fetch(global, "LW Image List 9", tg::imageList)) return false;
    if (!Fetch(global, "Info Messages 4", tg::infoMessages)) return false;
    if (!Fetch(global, "Instance Update", tg::instanceUpdate)) return false;
    // "Locale Info" answers the language identifier itself, not a table.
    tg::localeId = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(global(LWLOCALEINFO_GLOBAL, GFUSE_TRANSIENT)));
    if (tg::localeId == 0)
        return false;
    if (!Fetch(global, PANEL_SERVICES_NAME, tg::panelFuncs)) return false;
    tg::panelFuncs->globalFun = global; // the host's panel library calls back through it
    if (!Fetch(global, LWRASTERFUNCS_GLOBAL, tg::rasterFuncs)) return false;
    if (!Fetch(global, LWOBJECTFUNCS_GLOBAL, tg::sceneObjects)) return false;
    if (!Fetch(global, "LWShelfFuncs 3", tg::shelfFuncs)) return false;
    if (!Fetch(global, "Surface Functions 6", tg::surfaceFuncs)) return false;
    if (!Fetch(global, LWXPANELFUNCS_GLOBAL, tg::xpanelFuncs)) return false;
    if (!Fetch(global, "LSUniversalRequester", tg::universalRequester)) return false;
    if (!Fetch(global, LWCOMRING_GLOBAL, tg::comRing)) return false;
    if (!Fetch(global, "NodeInputFuncs 5", tg::nodeInputFuncs)) return false;
    if (!Fetch(global, "NodeOutputFuncs 4", tg::nodeOutputFuncs)) return false;
    if (!Fetch(global, "NodeFuncs 3", tg::nodeFuncs)) return false;
    if (!Fetch(global, "Instance Update", tg::instanceUpdate2)) return false;
    if (!Fetch(global, "LW Light Info 6", tg::lightInfo)) return false;
    if (!Fetch(global, "AOV Functions", tg::aovFuncs)) return false;
    return true;
}
