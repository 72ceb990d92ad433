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


} // namespace

int ActivateClipMixerHandler(int version, GlobalFunc *global, void *local, void *)
{
    return ActivateHandler<LWChannelHandler>(version, kHandlerVersion, global, local, g_clipMixerLanguage,
                                             [](LWChannelHandler &handler) {
                                                 if (handler.inst)
                                                     FillMixerInstanceFuncs(*handler.inst);
                                                 if (handler.item) // only when the host offers the item part
                                                     FillNoItems(handler.item);
                                                 handler.evaluate = EvaluateMixer;
                                                 handler.flags = NoFlags;
                                             });
}

int ActivateClipMixerInterface(int version, GlobalFunc *global, void *local, void *)
{
    return ActivateHandler<LWInterface>(version, kInterfaceVersion, global, local, g_clipMixerLanguage,
                                        [](LWInterface &ui) {
                                            ui.panel = nullptr;
                                            ui.options = MixerOptions;
                                            ui.command = nullptr;
                                        });
}
