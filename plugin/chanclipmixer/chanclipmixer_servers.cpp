// chanclipmixer_servers.cpp: activation of the ZK:ChanClipMixer servers.
#include "chanclipmixer_servers.h"

#include "../common/lwactivate.h"
#include "clipmixer_handler.h"
#include "clipmixer_panel.h"

const char kClipMixerServerName[] = "ZK:ChanClipMixer";
UiLanguage g_clipMixerLanguage = UiLanguage::English;

namespace {

constexpr int kHandlerVersion = 5;
constexpr int kInterfaceVersion = 5;

LWItemFuncs g_itemFuncs = {NoItems, IgnoreChangeID};

} // namespace

int ActivateClipMixerHandler(int version, GlobalFunc *global, void *local, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kHandlerVersion, global, g_clipMixerLanguage);
        if (result != AFUNC_OK)
            return result;
        auto *handler = static_cast<LWChannelHandler *>(local);
        if (handler->inst)
            FillMixerInstanceFuncs(*handler->inst);
        if (handler->item) // only when the host offers the item part
            *handler->item = g_itemFuncs;
        handler->evaluate = EvaluateMixer;
        handler->flags = NoFlags;
        return AFUNC_OK;
    });
}

int ActivateClipMixerInterface(int version, GlobalFunc *global, void *local, void *)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, kInterfaceVersion, global, g_clipMixerLanguage);
        if (result != AFUNC_OK)
            return result;
        auto *ui = static_cast<LWInterface *>(local);
        ui->panel = nullptr;
        ui->options = MixerOptions;
        ui->command = nullptr;
        return AFUNC_OK;
    });
}
