// cameraframe_servers.cpp: activation of the ZK:CameraFrame servers.
#include "cameraframe_servers.h"

#include "../common/lwactivate.h"

const char kCameraFrameServerName[] = "ZK:CameraFrame";
UiLanguage g_cameraFrameLanguage = UiLanguage::English;

namespace {

constexpr int kMasterVersion = 5;
constexpr int kInterfaceVersion = 5;
constexpr int kGizmoVersion = 5;
constexpr int kFilterVersion = 7;
constexpr int kToolVersion = 4;

LWItemFuncs g_masterItemFuncs = {NoItems, IgnoreChangeID};

} // namespace

int ActivateCameraFrameMaster(int version, GlobalFunc *global, void *local, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kMasterVersion, global, g_cameraFrameLanguage);
        if (result != AFUNC_OK)
            return result;
        auto *handler = static_cast<LWMasterHandler *>(local);
        if (handler->inst)
            handler->inst->copy = NoCopy;
        handler->item = &g_masterItemFuncs;
        handler->type = LWMAST_SCENE;
        handler->flags = NoFlags;
        return AFUNC_OK;
    });
}

int ActivateCameraFrameInterface(int version, GlobalFunc *global, void *local, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kInterfaceVersion, global, g_cameraFrameLanguage);
        if (result != AFUNC_OK)
            return result;
        auto *ui = static_cast<LWInterface *>(local);
        ui->panel = nullptr;
        ui->command = nullptr;
        return AFUNC_OK;
    });
}

int ActivateCameraFrameGizmo(int version, GlobalFunc *global, void *, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL,
                     [&] { return BeginHandlerActivation(version, kGizmoVersion, global, g_cameraFrameLanguage); });
}

int ActivateCameraFrameFilter(int version, GlobalFunc *global, void *local, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kFilterVersion, global, g_cameraFrameLanguage);
        if (result != AFUNC_OK)
            return result;
        auto *filter = static_cast<LWImageFilterHandler *>(local);
        if (filter->inst) {
            filter->inst->copy = NoCopy;
            filter->inst->load = NoLoad;
            filter->inst->save = NoSave;
        }
        return AFUNC_OK;
    });
}

int ActivateCameraFrameTool(int version, GlobalFunc *global, void *, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL,
                     [&] { return BeginHandlerActivation(version, kToolVersion, global, g_cameraFrameLanguage); });
}
