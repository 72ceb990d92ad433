// timelinememo_servers.cpp: activation of the ZK:TimeLineMemo servers.
//
// All three work on the one MemoInstance: the master handler creates it, the interface builds
// its view panel and the gizmo draws it over the viewport.
#include "timelinememo_servers.h"

#include "../common/lwactivate.h"
#include "../common/lwglobals.h"
#include "memo_master.h"
#include "memo_overlay.h"
#include "memo_panel.h"

const char kTimeLineMemoServerName[] = "ZK:TimeLineMemo";
UiLanguage g_memoLanguage = UiLanguage::English;

namespace {

constexpr int kMasterVersion = 5;
constexpr int kInterfaceVersion = 5;
constexpr int kGizmoVersion = 5;

} // namespace

int ActivateMemoMaster(int version, GlobalFunc *global, void *local, void *)
{
    return ActivateHandler<LWMasterHandler>(version, kMasterVersion, global, local, g_memoLanguage, FillMemoMasterHandler);
}

int ActivateMemoInterface(int version, GlobalFunc *global, void *local, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kInterfaceVersion, global, g_memoLanguage);
        if (result != AFUNC_OK)
            return result;
        auto *ui = static_cast<LWInterface *>(local);
        if (!ui)
            return AFUNC_OK;
        ui->panel = nullptr;
        ui->options = nullptr;
        ui->command = nullptr;
        MemoInstance *instance = LiveMemoOf(ui->inst);
        if (!instance)
            return AFUNC_OK;
        if (!g_hostGlobals.xpanelFuncs)
            return AFUNC_BADGLOBAL;
        ui->panel = CreateMemoPanel(*instance);
        return AFUNC_OK;
    });
}

int ActivateMemoGizmo(int version, GlobalFunc *global, void *local, void *)
{
    return ActivateHandler<LWMasterGizmo>(version, kGizmoVersion, global, local, g_memoLanguage, FillMemoGizmo);
}
