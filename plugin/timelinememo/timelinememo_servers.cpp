// timelinememo_servers.cpp: activation of the ZK:TimeLineMemo servers.
#include "timelinememo_servers.h"

#include "../common/lwactivate.h"

const char kTimeLineMemoServerName[] = "ZK:TimeLineMemo";
UiLanguage g_memoLanguage = UiLanguage::English;

namespace {

constexpr int kMasterVersion = 5;
constexpr int kInterfaceVersion = 5;
constexpr int kGizmoVersion = 5;

LWItemFuncs g_masterItemFuncs = {NoItems, IgnoreChangeID};

} // namespace

int ActivateMemoMaster(int version, GlobalFunc *global, void *local, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kMasterVersion, global, g_memoLanguage);
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

int ActivateMemoInterface(int version, GlobalFunc *global, void *local, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kInterfaceVersion, global, g_memoLanguage);
        if (result != AFUNC_OK)
            return result;
        auto *ui = static_cast<LWInterface *>(local);
        ui->options = nullptr;
        ui->command = nullptr;
        return AFUNC_OK;
    });
}

int ActivateMemoGizmo(int version, GlobalFunc *global, void *, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL,
                     [&] { return BeginHandlerActivation(version, kGizmoVersion, global, g_memoLanguage); });
}
