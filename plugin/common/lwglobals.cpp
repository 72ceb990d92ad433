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
    Fetch(global, "LW Command Interface", g.commandFunc);
    Fetch(global, "LW Command Interface 2", g.commandInterface);
    Fetch(global, "AOV Functions", g.aovFuncs);
    Fetch(global, "LW Backdrop Info 3", g.backdropInfo);
    Fetch(global, "LW Bone Info 7", g.boneInfo);
    Fetch(global, "Buffer List Global 2", g.bufferListGlobal);
    Fetch(global, "BSDF Functions 2", g.bsdfFuncs);
    Fetch(global, "LW Camera Evaluation Funcs 4", g.cameraEvalFuncs);
    Fetch(global, "LW Camera Info 10", g.cameraInfo);
    Fetch(global, "LW Compositing Info", g.compositingInfo);
    Fetch(global, "Dopetrack Proxy 2", g.dopetrackProxy);
    Fetch(global, "Fiber Info 2", g.fiberInfo);
    Fetch(global, "LW Fog Info", g.fogInfo);
    Fetch(global, "LW Interface Info 8", g.interfaceInfo);
    Fetch(global, "LW Item Info 9", g.itemInfo);
    Fetch(global, "ItemInstancerFuncs 2", g.itemInstancerFuncs);
    Fetch(global, "ItemInstanceInfo", g.itemInstanceInfo);
    Fetch(global, "LW Light Info 6", g.lightInfo);
    Fetch(global, "LWM: Dynamic Monitor", g.dynamicMonitor);
    Fetch(global, "LW List Info", g.listInfo);
    Fetch(global, "LW Object Info 14", g.objectInfo);
    Fetch(global, "Particle Services 3", g.particleServices);
    Fetch(global, "LW Scene Info 12", g.sceneInfo);
    Fetch(global, "LW Time Info", g.timeInfo);
    Fetch(global, "LW Timer", g.timer);
    Fetch(global, "LW Viewport Info 9", g.viewportInfo);
    Fetch(global, "ContextMenuServices 2", g.contextMenuServices);
    Fetch(global, "LW Base Funcs 2", g.baseFuncs);
    Fetch(global, "Channel Info 3", g.channelInfo);
    Fetch(global, "Color Picker", g.colorPicker);
    Fetch(global, "LWColorSpace", g.colorSpace);
    Fetch(global, "LW Communication Ring", g.comRing);
    Fetch(global, "Directory Info 2", g.directoryInfo);
    Fetch(global, "Animation Envelopes 4", g.envelopeFuncs);
    Fetch(global, "File Request 3", g.fileRequest3);
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
    Fetch(global, "Scene Objects 9", g.sceneObjects);
    Fetch(global, "LWPanelServices 3", g.panelFuncs);
    Fetch(global, "RasterServices 4", g.rasterFuncs);
    Fetch(global, "LWShelfFuncs 3", g.shelfFuncs);
    Fetch(global, "Surface Functions 6", g.surfaceFuncs);
    Fetch(global, "SurfaceEditor Functions 2", g.surfaceEditorFuncs);
    Fetch(global, "Texture Functions 6", g.textureFuncs);
    Fetch(global, "Texture Editor 3", g.textureEditor);
    Fetch(global, "LWVParmFuncs 4", g.vparmFuncs);
    Fetch(global, "LWXPanel 3", g.xpanelFuncs);
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
    if (!Fetch(global, "LW Camera Info 10", tg::cameraInfo)) return false;
    if (!Fetch(global, "LW Interface Info 8", tg::interfaceInfo)) return false;
    if (!Fetch(global, "LW Item Info 9", tg::itemInfo)) return false;
    if (!Fetch(global, "LW Object Info 14", tg::objectInfo)) return false;
    if (!Fetch(global, "LW Scene Info 12", tg::sceneInfo)) return false;
    if (!Fetch(global, "LW Time Info", tg::timeInfo)) return false;
    if (!Fetch(global, "Dopetrack Proxy 2", tg::dopetrackProxy)) return false;
    if (!Fetch(global, "LW Command Interface", tg::commandFunc)) return false;
    Fetch(global, "LW Command Interface 2", tg::commandInterface);
    if (!Fetch(global, "Animation Envelopes 4", tg::envelopeFuncs)) return false;
    if (!Fetch(global, "Channel Info 3", tg::channelInfo)) return false;
    if (!Fetch(global, "Color Picker", tg::colorPicker)) return false;
    if (!Fetch(global, "ContextMenuServices 2", tg::contextMenuServices)) return false;
    if (!Fetch(global, "Directory Info 2", tg::directoryInfo)) return false;
    if (!Fetch(global, "File Request", tg::fileRequest)) return false;
    if (!Fetch(global, "File Request 3", tg::fileRequest3)) return false;
    if (!Fetch(global, "Image Utility 6", tg::imageUtility)) return false;
    if (!Fetch(global, "LW Image List 9", tg::imageList)) return false;
    if (!Fetch(global, "Info Messages 4", tg::infoMessages)) return false;
    if (!Fetch(global, "Instance Update", tg::instanceUpdate)) return false;
    // "Locale Info" answers the language identifier itself, not a table.
    tg::localeId = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(global("Locale Info", GFUSE_TRANSIENT)));
    if (tg::localeId == 0)
        return false;
    if (!Fetch(global, "LWPanelServices 3", tg::panelFuncs)) return false;
    tg::panelFuncs->globalFun = global; // the host's panel library calls back through it
    if (!Fetch(global, "RasterServices 4", tg::rasterFuncs)) return false;
    if (!Fetch(global, "Scene Objects 9", tg::sceneObjects)) return false;
    if (!Fetch(global, "LWShelfFuncs 3", tg::shelfFuncs)) return false;
    if (!Fetch(global, "Surface Functions 6", tg::surfaceFuncs)) return false;
    if (!Fetch(global, "LWXPanel 3", tg::xpanelFuncs)) return false;
    if (!Fetch(global, "LSUniversalRequester", tg::universalRequester)) return false;
    if (!Fetch(global, "LW Communication Ring", tg::comRing)) return false;
    if (!Fetch(global, "NodeInputFuncs 5", tg::nodeInputFuncs)) return false;
    if (!Fetch(global, "NodeOutputFuncs 4", tg::nodeOutputFuncs)) return false;
    if (!Fetch(global, "NodeFuncs 3", tg::nodeFuncs)) return false;
    if (!Fetch(global, "Instance Update", tg::instanceUpdate2)) return false;
    if (!Fetch(global, "LW Light Info 6", tg::lightInfo)) return false;
    if (!Fetch(global, "AOV Functions", tg::aovFuncs)) return false;
    return true;
}
