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
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kMasterVersion, global, g_cameraFrameLanguage);
        if (result != AFUNC_OK || !local)
            return result;
        FillFrameMasterHandler(*static_cast<LWMasterHandler *>(local));
        return AFUNC_OK;
    });
}

int ActivateCameraFrameInterface(int version, GlobalFunc *global, void *local, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kInterfaceVersion, global, g_cameraFrameLanguage);
        if (result != AFUNC_OK || !local)
            return result;
        auto *ui = static_cast<LWInterface *>(local);
        if (auto *state = static_cast<CameraFrameState *>(ui->inst)) {
            auto lock = LockFrames();
            if (state->currentIndex < 0 || state->currentIndex >= FrameCount())
                state->currentIndex = 0;
        }
        ui->panel = nullptr;
        ui->options = OpenFramePanel;
        ui->command = nullptr;
        return AFUNC_OK;
    });
}

int ActivateCameraFrameGizmo(int version, GlobalFunc *global, void *local, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kGizmoVersion, global, g_cameraFrameLanguage);
        if (result != AFUNC_OK || !local)
            return result;
        FillFrameGizmo(*static_cast<LWMasterGizmo *>(local));
        return AFUNC_OK;
    });
}

int ActivateCameraFrameFilter(int version, GlobalFunc *global, void *local, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kFilterVersion, global, g_cameraFrameLanguage);
        if (result != AFUNC_OK || !local)
            return result;
        FillFrameFilterHandler(*static_cast<LWImageFilterHandler *>(local));
        return AFUNC_OK;
    });
}

int ActivateCameraFrameTool(int version, GlobalFunc *global, void *local, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kToolVersion, global, g_cameraFrameLanguage);
        if (result != AFUNC_OK || !local)
            return result;
        FillFrameTool(*static_cast<LWLayoutTool *>(local));
        return AFUNC_OK;
    });
}
