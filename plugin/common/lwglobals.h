// lwglobals.h: the process-wide tables of host services.
//
// HostGlobals is shared by the camera frames, the clip mixer and the timeline memo: filled by the
// first handler activation in the process and never refreshed, except for the snapshot services
// that the callbacks look up again at the moment of use and write back. ToolGlobals is the set of
// the morph consolidation command, filled all or nothing at each of its activations.
#ifndef ZK_LWGLOBALS_H
#define ZK_LWGLOBALS_H

#include "lwhost/lwhost.h"

#include <cstdint>

// Service pointers the plug-ins never call are kept as opaque tables.
struct HostGlobals {
    std::uint8_t filled = 0;
    GlobalFunc *global = nullptr;
    LWCommandFunc *commandFunc = nullptr;          // "LW Command Interface"
    const LWCommandInterface *commandInterface = nullptr; // "LW Command Interface 2"
    const void *aovFuncs = nullptr;                // "AOV Functions"
    const void *backdropInfo = nullptr;            // "LW Backdrop Info 3"
    const void *boneInfo = nullptr;                // "LW Bone Info 7"
    const void *bufferListGlobal = nullptr;        // "Buffer List Global 2"
    const void *bsdfFuncs = nullptr;               // "BSDF Functions 2"
    const void *cameraEvalFuncs = nullptr;         // "LW Camera Evaluation Funcs 4"
    const LWCameraInfo *cameraInfo = nullptr;      // "LW Camera Info 10"
    const void *compositingInfo = nullptr;         // "LW Compositing Info"
    const void *dopetrackProxy = nullptr;          // "Dopetrack Proxy 2"
    const void *fiberInfo = nullptr;               // "Fiber Info 2"
    const void *fogInfo = nullptr;                 // "LW Fog Info"
    const LWInterfaceInfo *interfaceInfo = nullptr; // "LW Interface Info 8"
    const LWItemInfo *itemInfo = nullptr;          // "LW Item Info 9"
    const void *itemInstancerFuncs = nullptr;      // "ItemInstancerFuncs 2"
    const void *itemInstanceInfo = nullptr;        // "ItemInstanceInfo"
    const void *lightInfo = nullptr;               // "LW Light Info 6"
    const void *dynamicMonitor = nullptr;          // "LWM: Dynamic Monitor"
    const void *listInfo = nullptr;                // "LW List Info"
    const LWObjectInfo *objectInfo = nullptr;      // "LW Object Info 14"
    const void *particleServices = nullptr;        // "Particle Services 3"
    const LWSceneInfo *sceneInfo = nullptr;        // "LW Scene Info 12"
    const LWTimeInfo *timeInfo = nullptr;          // "LW Time Info"
    const void *timer = nullptr;                   // "LW Timer"
    const LWViewportInfo *viewportInfo = nullptr;  // "LW Viewport Info 9"
    const void *contextMenuServices = nullptr;     // "ContextMenuServices 2"
    const void *baseFuncs = nullptr;               // "LW Base Funcs 2"
    const LWChannelInfo *channelInfo = nullptr;    // "Channel Info 3"
    LWColorActivateFunc *colorPicker = nullptr;    // "Color Picker"
    const void *colorSpace = nullptr;              // "LWColorSpace"
    const LWComRing *comRing = nullptr;            // "LW Communication Ring"
    const void *directoryInfo = nullptr;           // "Directory Info 2"
    const void *envelopeFuncs = nullptr;           // "Animation Envelopes 4"
    LWFileActivateFunc *fileRequest3 = nullptr;    // "File Request 3"
    const void *fileIO = nullptr;                  // "File IO 5"
    const void *fileTypePattern = nullptr;         // "File Type Pattern"
    const void *imageUtility = nullptr;            // "Image Utility 6"
    const void *imageList = nullptr;               // "LW Image List 9"
    const void *instanceUpdate = nullptr;          // "Instance Update"
    const void *meshFuncs = nullptr;               // "Mesh Functions 2"
    const void *infoMessages = nullptr;            // "Info Messages 4"
    const void *nodeInputFuncs = nullptr;          // "NodeInputFuncs 5"
    const void *nodeOutputFuncs = nullptr;         // "NodeOutputFuncs 4"
    const void *nodeFuncs = nullptr;               // "NodeFuncs 3"
    const void *nodeEditorFuncs = nullptr;         // "NodeEditorFuncs 7"
    const LWSceneObjects *sceneObjects = nullptr;  // "Scene Objects 9"
    LWPanelFuncs *panelFuncs = nullptr;            // "LWPanelServices 3"
    const LWRasterFuncs *rasterFuncs = nullptr;    // "RasterServices 4"
    const void *shelfFuncs = nullptr;              // "LWShelfFuncs 3"
    const void *surfaceFuncs = nullptr;            // "Surface Functions 6"
    const void *surfaceEditorFuncs = nullptr;      // "SurfaceEditor Functions 2"
    const void *textureFuncs = nullptr;            // "Texture Functions 6"
    const void *textureEditor = nullptr;           // "Texture Editor 3"
    const void *vparmFuncs = nullptr;              // "LWVParmFuncs 4"
    const LWXPanelFuncs *xpanelFuncs = nullptr;    // "LWXPanel 3"
};

// The one shared table.
extern HostGlobals g_hostGlobals;

// Fills the table on the first call in the process; later calls do nothing.
void AcquireHostGlobals(HostGlobals &globals, GlobalFunc *global);

// A service looked up again at the moment of use (those that follow the scene), through the shared
// table's lookup function; null when there is none.
template <class T>
const T *LookUp(const char *name)
{
    return g_hostGlobals.global ? static_cast<const T *>(g_hostGlobals.global(name, GFUSE_TRANSIENT)) : nullptr;
}

// The morph consolidation command's own set, rewritten at each of its activations.
namespace ToolGlobals {
extern GlobalFunc *global;
extern const void *boneInfo;
extern const void *fogInfo;
extern const LWCameraInfo *cameraInfo;
extern const LWInterfaceInfo *interfaceInfo;
extern const LWItemInfo *itemInfo;
extern const LWObjectInfo *objectInfo;
extern const LWSceneInfo *sceneInfo;
extern const LWTimeInfo *timeInfo;
extern const void *dopetrackProxy;
extern LWCommandFunc *commandFunc;
extern const LWCommandInterface *commandInterface; // optional
extern const void *envelopeFuncs;
extern const LWChannelInfo *channelInfo;
extern LWColorActivateFunc *colorPicker;
extern const void *contextMenuServices;
extern const void *directoryInfo;
extern LWFileReqFunc *fileRequest;
extern LWFileActivateFunc *fileRequest3;
extern const void *imageUtility;
extern const void *imageList;
extern const void *infoMessages;
extern const void *instanceUpdate;
extern std::int32_t localeId;
extern LWPanelFuncs *panelFuncs;
extern const LWRasterFuncs *rasterFuncs;
extern const LWSceneObjects *sceneObjects;
extern const void *shelfFuncs;
extern const void *surfaceFuncs;
extern const LWXPanelFuncs *xpanelFuncs;
extern const void *universalRequester;
extern const LWComRing *comRing;
extern const void *nodeInputFuncs;
extern const void *nodeOutputFuncs;
extern const void *nodeFuncs;
extern const void *instanceUpdate2;
extern const void *lightInfo;
extern const void *aovFuncs;
} // namespace ToolGlobals

// Fills ToolGlobals in order; false at the first missing service (the ones after it keep their
// previous values). "LW Command Interface 2" is optional: the legacy command function serves
// where it is missing.
bool AcquireToolGlobals(GlobalFunc *global);

#endif
