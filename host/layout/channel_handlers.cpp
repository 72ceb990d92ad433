// channel_handlers.cpp: channel modifiers of the simulated host and channel evaluation.
#include "channel_handlers.h"

#include "host.h"

#include <cmath>

namespace zkh {

namespace {

// get-channel: the value so far at the evaluation's own time, else the value before the running
// modifier at the time asked for.
void GetChannel(LWChannelAccessPriv *priv, LWChannelID, LWTime time, double *value)
{
    if (!priv || !value)
        return;
    const ChannelEvaluation *evaluation = &priv->evaluation;
    if (time == evaluation->time)
        *value = evaluation->value;
    else
        *value = Host::Current().channelHandlers.EvaluateBefore(evaluation->channel, evaluation->modifierIndex, time);
}

void SetChannel(LWChannelAccessPriv *priv, LWChannelID, double value)
{
    if (priv)
        priv->evaluation.value = value;
}

const char *ChannelName(LWChannelAccessPriv *, LWChannelID channel)
{
    const Channel *found = Host::Current().scene.FindChannel(FromChannelID(channel));
    return found ? found->name.c_str() : nullptr;
}

} // namespace

ChannelModifier *ChannelHandlers::Add(const std::string &server, ChannelKey channel)
{
    if (!host_.scene.FindChannel(channel)) {
        host_.Message("no channel " + std::to_string(channel));
        return nullptr;
    }
    auto modifier = std::make_unique<ChannelModifier>();
    modifier->server = server;
    modifier->channel = channel;
    modifier->handler.inst = &modifier->instFuncs;
    modifier->handler.item = &modifier->itemFuncs;
    if (host_.Activate(LWCHANNEL_HCLASS, server, &modifier->handler) != AFUNC_OK)
        return nullptr;
    if (!modifier->instFuncs.create) {
        host_.Message(server + ": the handler has no create callback");
        return nullptr;
    }
    LWError error = nullptr;
    modifier->instance = modifier->instFuncs.create(modifier->instFuncs.priv, ToChannelID(channel), &error);
    if (!modifier->instance) {
        host_.Message("cannot add " + server + ": " + (error ? error : ""));
        return nullptr;
    }
    modifiers_.push_back(std::move(modifier));
    return modifiers_.back().get();
}

ChannelModifier *ChannelHandlers::Copy(ChannelModifier &from, ChannelKey channel)
{
    const LWInstance original = from.instance;
    ChannelModifier *copy = Add(from.server, channel);
    if (!copy)
        return nullptr;
    if (LWError error = copy->instFuncs.copy ? copy->instFuncs.copy(copy->instance, original) : nullptr) {
        host_.Message("cannot copy " + copy->server + ": " + error);
        if (copy->instFuncs.destroy)
            copy->instFuncs.destroy(copy->instance);
        modifiers_.pop_back();
        return nullptr;
    }
    return copy;
}

std::vector<ChannelModifier *> ChannelHandlers::Of(ChannelKey channel)
{
    std::vector<ChannelModifier *> list;
    for (auto &modifier : modifiers_)
        if (modifier->channel == channel)
            list.push_back(modifier.get());
    return list;
}

double ChannelHandlers::EvaluateBefore(ChannelKey channel, size_t modifierIndex, double time)
{
    const Scene &scene = host_.scene;
    const Channel *found = scene.FindChannel(channel);
    if (!found)
        return 0.0;
    LWChannelAccessPriv priv;
    ChannelEvaluation &evaluation = priv.evaluation;
    evaluation.channel = channel;
    evaluation.time = time;
    evaluation.value = scene.EvaluateKeys(*found, time);
    LWChannelAccess access{};
    access.priv = &priv;
    access.channel = ToChannelID(channel);
    access.frame = Scene::FrameAt(time, scene.fps);
    access.time = time;
    access.getChannel = GetChannel;
    access.setChannel = SetChannel;
    access.channelName = ChannelName;
    // The channel's modifiers in the order they were added, those before modifierIndex.
    size_t index = 0;
    for (const auto &modifier : modifiers_) {
        if (modifier->channel != channel)
            continue;
        if (index >= modifierIndex)
            break;
        if (modifier->handler.evaluate) {
            evaluation.modifierIndex = index;
            access.value = evaluation.value; // the value before this modifier
            modifier->handler.evaluate(modifier->instance, &access);
        }
        ++index;
    }
    return evaluation.value;
}

double ChannelHandlers::Evaluate(ChannelKey channel, int frame)
{
    return EvaluateBefore(channel, static_cast<size_t>(-1), frame / host_.scene.fps);
}

bool ChannelHandlers::OpenOptions(ChannelModifier &modifier, std::string &error)
{
    error.clear();
    LWInterface ui{};
    if (!host_.ActivateInterface(LWCHANNEL_ICLASS, modifier.server, modifier.instance, ui))
        return false;
    if (!ui.options) {
        host_.Message(modifier.server + ": the interface has no options callback");
        return false;
    }
    if (LWError result = ui.options(modifier.instance))
        error = result;
    return true;
}

void ChannelHandlers::DestroyAll()
{
    while (!modifiers_.empty()) {
        ChannelModifier &modifier = *modifiers_.back();
        if (modifier.instFuncs.destroy)
            modifier.instFuncs.destroy(modifier.instance);
        modifiers_.pop_back();
    }
}

} // namespace zkh
