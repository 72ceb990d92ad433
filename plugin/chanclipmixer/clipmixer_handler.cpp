// clipmixer_handler.cpp: the ZK:ChanClipMixer channel handler instance and its evaluation.
#include "clipmixer_handler.h"

#include "../common/lwactivate.h"
#include "../common/lwtool2.h"
#include "chanclipmixer_servers.h"
#include "clipmixer.h"

namespace {

LWInstance CreateMixer(void *, void *, LWError *)
{
    return GuardedOr(static_cast<LWInstance>(nullptr), []() -> LWInstance {
        auto *mixer = new ClipMixer();
        mixer->description = VersionTitle(kClipMixerServerName, 1, 0);
        return mixer;
    });
}

void DestroyMixer(LWInstance inst)
{
    Guarded([&] { delete MixerOf(inst); });
}

const char *MixerDescription(LWInstance inst)
{
    return GuardedOr(static_cast<const char *>(""), [&]() -> const char * {
        return inst ? MixerOf(inst)->description.c_str() : "";
    });
}

} // namespace

void FillMixerInstanceFuncs(LWInstanceFuncs &funcs)
{
    funcs.create = CreateMixer;
    funcs.destroy = DestroyMixer;
    // Clips and tracks live only in the instance and its XML files: copies and scenes get none.
    funcs.copy = NoCopy;
    funcs.load = NoLoad;
    funcs.save = NoSave;
    funcs.descln = MixerDescription;
}

void EvaluateMixer(LWInstance inst, const LWChannelAccess *access)
{
    Guarded([&] {
        if (!access || !access->getChannel || !access->setChannel)
            return;
        double base = 0.0;
        access->getChannel(access->priv, access->channel, access->time, &base);
        const double offset = inst ? MixerOffset(*MixerOf(inst), access->frame) : 0.0;
        access->setChannel(access->priv, access->channel, base + offset);
    });
}
