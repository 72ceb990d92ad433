// module.cpp: the module descriptor, the server table, startup and shutdown.
//
// The host reads _mod_descrip, checks its sync word, calls startup once and registers every
// server of the table; each tool's activation functions live with that tool.
#include "../cameraframe/cameraframe_servers.h"
#include "../chanclipmixer/chanclipmixer_servers.h"
#include "lwhost/lwhost.h"
#include "../morphconsolidate/morphconsolidate_servers.h"
#include "../timelinememo/timelinememo_servers.h"

#include <cstdint>

#if defined(_WIN32)
#define ZK_EXPORT __declspec(dllexport)
#else
#define ZK_EXPORT __attribute__((visibility("default")))
#endif

namespace {

void *Startup()
{
    // A constant, non-null token that the host hands back to every activation.
    return reinterpret_cast<void *>(static_cast<std::uintptr_t>(4));
}

void Shutdown(void *) {}

ServerTagInfo g_clipMixerTags[] = {{kClipMixerServerName, 0}, {nullptr, 0}};
ServerTagInfo g_memoTags[] = {{kTimeLineMemoServerName, 0}, {nullptr, 0}};
ServerTagInfo g_frameMasterTags[] = {{kCameraFrameServerName, 0}, {nullptr, 0}};
ServerTagInfo g_frameFilterTags[] = {{kCameraFrameServerName, 0}, {nullptr, 0}};
ServerTagInfo g_frameToolTags[] = {{kCameraFrameServerName, 0}, {nullptr, 0}};

ServerRecord g_serverDefs[] = {
    {"LayoutGeneric", kMorphConsolidateServerName, ActivateMorphConsolidate, nullptr},
    {"ChannelHandler", kClipMixerServerName, ActivateClipMixerHandler, g_clipMixerTags},
    {"ChannelInterface", kClipMixerServerName, ActivateClipMixerInterface, nullptr},
    {"MasterHandler", kTimeLineMemoServerName, ActivateMemoMaster, g_memoTags},
    {"MasterInterface", kTimeLineMemoServerName, ActivateMemoInterface, nullptr},
    {"MasterGizmo", kTimeLineMemoServerName, ActivateMemoGizmo, nullptr},
    {"MasterHandler", kCameraFrameServerName, ActivateCameraFrameMaster, g_frameMasterTags},
    {"MasterInterface", kCameraFrameServerName, ActivateCameraFrameInterface, nullptr},
    {"MasterGizmo", kCameraFrameServerName, ActivateCameraFrameGizmo, nullptr},
    {"ImageFilterHandler", kCameraFrameServerName, ActivateCameraFrameFilter, g_frameFilterTags},
    {"LayoutTool", kCameraFrameServerName, ActivateCameraFrameTool, g_frameToolTags},
    {nullptr, nullptr, nullptr, nullptr},
};

} // namespace

extern "C" {
ZK_EXPORT ModuleDescriptor _mod_descrip = {
    MOD_SYSSYNC, MOD_SYSVER, MOD_MACHINE, Startup, Shutdown, g_serverDefs,
};
}
