// channel_handlers.h: channel modifiers (ChannelHandler servers) attached to scene channels.
//
// Layout evaluates a channel from its keys, then passes the value through each modifier in the
// order they were added: a modifier reads the value so far with get-channel and writes its result
// with set-channel.
#ifndef ZKH_CHANNEL_HANDLERS_H
#define ZKH_CHANNEL_HANDLERS_H

#include "lwhost/lwhost.h"
#include "lwsc/document.h"
#include "scene.h"

#include <cstdint>
#include <string>

namespace zkh {

// One channel handler instance the host created from a server, on one channel.
struct ChannelModifier {
    std::string server;
    ChannelKey channel = 0;
    LWInstanceFuncs instFuncs{};
    // Where its block stands in the scene file it was loaded from; its item is npos for a modifier
    // added since.
    lwsc::HandlerPlace source;
    LWItemFuncs itemFuncs{};
    LWChannelHandler handler{};
    LWInstance instance = nullptr;
};

// One evaluation of a channel at a frame, as handed to get-channel and set-channel through the
// access record's second identifier.
struct ChannelEvaluation {
    ChannelKey channel = 0;
    size_t modifierIndex = 0; // the modifier being run, among the channel's modifiers
    double time = 0.0;
    double value = 0.0;
};

} // namespace zkh

// The host's private part of a channel access record: the evaluation in progress.
struct st_LWChannelAccessPriv {
    zkh::ChannelEvaluation evaluation;
};

#endif
