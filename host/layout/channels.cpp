// channels.cpp: channel modifiers of the simulated host and channel evaluation.
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
        *value = Host::Current().EvaluateChannelBefore(evaluation->channel, evaluation->modifierIndex, time);
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

ChannelModifier *Host::AddChannelHandler(const std::string &server, ChannelKey channel)
{
    if (!scene.FindChannel(channel)) {
        Message("no channel " + std::to_string(channel));
        return nullptr;
    }
    auto modifier = std::make_unique<ChannelModifier>();
    modifier->server = server;
    modifier->channel = channel;
    modifier->handler.inst = &modifier->instFuncs;
    modifier->handler.item = &modifier->itemFuncs;
    if (Activate(LWCHANNEL_HCLASS, server, &modifier->handler) != AFUNC_OK)
        return nullptr;
    if (!modifier->instFuncs.create) {
        Message(server + ": the handler has no create callback");
        return nullptr;
    }
    LWError error = nullptr;
    modifier->instance = modifier->instFuncs.create(modifier->instFuncs.priv, ToChannelID(channel), &error);
    if (!modifier->instance) {
        Message("cannot add " + server + ": " + (error ? error : ""));
        return nullptr;
    }
    channelModifiers_.push_back(std::move(modifier));
    return channelModifiers_.back().get();
}

ChannelModifier *Host::CopyChannelHandler(ChannelModifier &from, ChannelKey channel)
{
    const LWInstance original = from.instance;
    ChannelModifier *copy = AddChannelHandler(from.server, channel);
    if (!copy)
        return nullptr;
    if (LWError error = copy->instFuncs.copy ? copy->instFuncs.copy(copy->instance, original) : nullptr) {
        Message("cannot copy " + copy->server + ": " + error);
        if (copy->instFuncs.destroy)
            copy->instFuncs.destroy(copy->instance);
        channelModifiers_.pop_back();
        return nullptr;
    }
    return copy;
}

std::vector<ChannelModifier *> Host::ChannelHandlersOf(ChannelKey channel)
{
    std::vector<ChannelModifier *> list;
    for (auto &modifier : channelModifiers_)
        if (modifier->channel == channel)
            list.push_back(modifier.get());
    return list;
}

double Host::EvaluateChannelBefore(ChannelKey channel, size_t modifierIndex, double time)
{
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
    for (const auto &modifier : channelModifiers_) {
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

double Host::EvaluateChannel(ChannelKey channel, int frame)
{
    return EvaluateChannelBefore(channel, static_cast<size_t>(-1), frame / scene.fps);
}

bool Host::OpenChannelOptions(ChannelModifier &modifier, std::string &error)
{
    error.clear();
    LWInterface ui{};
    if (!ActivateInterface(LWCHANNEL_ICLASS, modifier.server, modifier.instance, ui))
        return false;
    if (!ui.options) {
        Message(modifier.server + ": the interface has no options callback");
        return false;
    }
    if (LWError result = ui.options(modifier.instance))
        error = result;
    return true;
}

void Host::DestroyChannelHandlers()
{
    while (!channelModifiers_.empty()) {
        ChannelModifier &modifier = *channelModifiers_.back();
        if (modifier.instFuncs.destroy)
            modifier.instFuncs.destroy(modifier.instance);
        channelModifiers_.pop_back();
    }
}

} // namespace zkh
