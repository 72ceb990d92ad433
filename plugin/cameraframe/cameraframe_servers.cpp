// cameraframe_servers.cpp: activation of the ZK:CameraFrame servers.
#include "cameraframe_servers.h"

#include "frame_filter.h"
#include "frame_master.h"
#include "frame_overlay.h"
#include "frame_panel.h"
#include "frame_tool.h"

#include "../common/lwactivate.h"

const char kCameraFrameServerName[] = "ZK:CameraFrame";
UiLanguage g_cameraFrameLanguage = UiLanguage::English;

namespace {

constexpr int kMasterVersion = 5;
constexpr int kInterfaceVersion = 5;
constexpr int kGizmoVersion = 5;
constexpr int kFilterVersion = 7;
constexpr int kToolVersion = 4;

} // namespace

int ActivateCameraFrameMaster(int version, GlobalFunc *global, void *local, void *)
{
    return ActivateHandler<LWMasterHandler>(version, kMasterVersion, global, local, g_cameraFrameLanguage, FillFrameMasterHandler);
}

int ActivateCameraFrameInterface(int version, GlobalFunc *global, void *local, void *)
{
    return ActivateHandler<LWInterface>(version, kInterfaceVersion, global, local, g_cameraFrameLanguage,
                                        [](LWInterface &ui) {
                                            if (auto *state = FrameStateOf(ui.inst)) {
                                                auto lock = LockFrames();
                                                if (state->currentIndex < 0 || state->currentIndex >= FrameCount())
                                                    state->currentIndex = 0;
                                            }
                                            ui.panel = nullptr;
                                            ui.options = OpenFramePanel;
                                            ui.command = nullptr;
                                        });
}

int ActivateCameraFrameGizmo(int version, GlobalFunc *global, void *local, void *)
{
    return ActivateHandler<LWMasterGizmo>(version, kGizmoVersion, global, local, g_cameraFrameLanguage, FillFrameGizmo);
}

int ActivateCameraFrameFilter(int version, GlobalFunc *global, void *local, void *)
{
    return ActivateHandler<LWImageFilterHandler>(version, kFilterVersion, global, local, g_cameraFrameLanguage, FillFrameFilterHandler);
}

int ActivateCameraFrameTool(int version, GlobalFunc *global, void *local, void *)
{
    return ActivateHandler<LWLayoutTool>(version, kToolVersion, global, local, g_cameraFrameLanguage, FillFrameTool);
}
