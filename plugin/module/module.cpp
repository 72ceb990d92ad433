// module.cpp: the module descriptor, the server table, startup and shutdown.
//
// The host reads _mod_descrip, checks its sync word, calls startup once and registers every
// server of the table; each tool's activation functions live with that tool. A host that drives
// the module (zkhost, never Layout) may also look up the camera frames' door.
#include "../cameraframe/cameraframe_servers.h"
#include "../cameraframe/frame_door.h"
#include "../chanclipmixer/chanclipmixer_servers.h"
#include "lwhost/lwhost.h"
#include "../morphconsolidate/morphconsolidate_servers.h"
#include "../timelinememo/timelinememo_servers.h"

#include <cstdint>
#include <type_traits>

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
    {LWLAYOUTGENERIC_CLASS, kMorphConsolidateServerName, ActivateMorphConsolidate, nullptr},
    {LWCHANNEL_HCLASS, kClipMixerServerName, ActivateClipMixerHandler, g_clipMixerTags},
    {LWCHANNEL_ICLASS, kClipMixerServerName, ActivateClipMixerInterface, nullptr},
    {LWMASTER_HCLASS, kTimeLineMemoServerName, ActivateMemoMaster, g_memoTags},
    {LWMASTER_ICLASS, kTimeLineMemoServerName, ActivateMemoInterface, nullptr},
    {LWMASTER_GCLASS, kTimeLineMemoServerName, ActivateMemoGizmo, nullptr},
    {LWMASTER_HCLASS, kCameraFrameServerName, ActivateCameraFrameMaster, g_frameMasterTags},
    {LWMASTER_ICLASS, kCameraFrameServerName, ActivateCameraFrameInterface, nullptr},
    {LWMASTER_GCLASS, kCameraFrameServerName, ActivateCameraFrameGizmo, nullptr},
    {LWIMAGEFILTER_HCLASS, kCameraFrameServerName, ActivateCameraFrameFilter, g_frameFilterTags},
    {LWLAYOUTTOOL_CLASS, kCameraFrameServerName, ActivateCameraFrameTool, g_frameToolTags},
    {nullptr, nullptr, nullptr, nullptr},
};

} // namespace

extern "C" {
ZK_EXPORT ModuleDescriptor _mod_descrip = {
    MOD_SYSSYNC, MOD_SYSVER, MOD_MACHINE, Startup, Shutdown, g_serverDefs,
};
}

extern "C" ZK_EXPORT const ZkFrameDoor *ZkCameraFrameDoor(void) { return CameraFrameDoor(); }
static_assert(std::is_same_v<decltype(ZkCameraFrameDoor), ZkCameraFrameDoorFunc>, "the door's declared type");
