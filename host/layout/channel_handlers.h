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

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

class Host;

// The channel handler instances of the scene. The list needs its host to activate servers, report
// what went wrong and read the scene's channels.
class ChannelHandlers {
public:
    explicit ChannelHandlers(Host &host) : host_(host) {}
    ChannelHandlers(const ChannelHandlers &) = delete;
    ChannelHandlers &operator=(const ChannelHandlers &) = delete;

    // Activates a ChannelHandler server, creates an instance and attaches it to the channel after
    // the modifiers it already has; null with a message when refused.
    ChannelModifier *Add(const std::string &server, ChannelKey channel);
    // The channel's modifiers, in the order they were added.
    std::vector<ChannelModifier *> Of(ChannelKey channel);
    const std::vector<std::unique_ptr<ChannelModifier>> &All() const { return modifiers_; }
    // Copies a modifier onto a channel, as Layout does when it clones an item or pastes a
    // modifier: a new instance of the same server on that channel (after its modifiers), filled
    // by the copy callback from the original. Null with a message when either refuses.
    ChannelModifier *Copy(ChannelModifier &from, ChannelKey channel);
    // The channel's value at a frame: its keys, then each of its modifiers in order.
    double Evaluate(ChannelKey channel, int frame);
    // The value before the modifier with the given index (keys and earlier modifiers) at a time.
    double EvaluateBefore(ChannelKey channel, size_t modifierIndex, double time);
    // Opens a modifier's options through its ChannelInterface server; false with a message when
    // the server or its options callback is missing. error receives the callback's error text.
    bool OpenOptions(ChannelModifier &modifier, std::string &error);
    // Destroys every modifier, the last first (before the module's code goes).
    void DestroyAll();

private:
    Host &host_;
    std::vector<std::unique_ptr<ChannelModifier>> modifiers_;
};

} // namespace zkh

// The host's private part of a channel access record: the evaluation in progress.
struct st_LWChannelAccessPriv {
    zkh::ChannelEvaluation evaluation;
};

#endif
