// expressions.h: the graph editor's channel expressions of the simulated host.
//
// Named expressions, each a text, and the channels they are attached to. The host understands one
// form of expression text, a reference to another channel: "[Item.Group.Channel]", the item's
// name followed by the channel's name relative to the item. A channel with an attached expression
// evaluates to the referenced channel's value.
#ifndef ZKH_EXPRESSIONS_H
#define ZKH_EXPRESSIONS_H

#include "scene.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace zkh {

struct Expression {
    std::string name;
    std::string text;
};

class ExpressionTable {
public:
    // Defines an expression, or gives an existing one a new text.
    void Define(const std::string &name, const std::string &text);
    const Expression *Find(const std::string &name) const;
    // Attaches a defined expression to a channel (once); false when the name is unknown.
    bool Attach(ChannelKey channel, const std::string &name);
    // Detaches every expression of a channel; the number detached.
    size_t Detach(ChannelKey channel);
    // Deletes the expressions attached to no channel; the number deleted.
    size_t ClearUnused();
    void Clear();

    // Names attached to a channel, in the order of attaching.
    std::vector<std::string> AttachedTo(ChannelKey channel) const;
    // Channels an expression is attached to, in the order of attaching.
    std::vector<ChannelKey> ChannelsOf(const std::string &name) const;
    const std::vector<Expression> &Expressions() const { return expressions_; }
    // Every (channel, expression name) pair, in the order of attaching.
    const std::vector<std::pair<ChannelKey, std::string>> &Attachments() const { return attachments_; }

private:
    void IndexNames();

    std::vector<Expression> expressions_;
    std::vector<std::pair<ChannelKey, std::string>> attachments_;
    // Lookups that stay fast on rigs of many thousand channels: expressions by name, and the
    // names attached to each channel in the order of attaching.
    std::unordered_map<std::string, size_t> byName_;
    std::unordered_map<ChannelKey, std::vector<std::string>> byChannel_;
};

// The words of a command's arguments: "quoted texts" (taken as they stand, without escapes) or
// runs of non-space characters. Nothing when a quote is left open.
std::optional<std::vector<std::string>> SplitCommandArguments(const std::string &arguments);

// A channel's name relative to its item: the channel groups below the item's own group, outermost
// first, then the channel's name, joined with "."; empty when the channel lies outside the item.
std::string ChannelFullName(const Scene &scene, const Item &item, const Channel &channel);

// The item's channel of that relative name, outside the groups of the item's bones; null if none.
const Channel *FindItemChannel(const Scene &scene, const Item &item, const std::string &fullName);

// The item a channel goes by (the nearest item whose own group holds it, up the channel's groups)
// and the channel's name relative to it; null when no item names the channel so.
const Item *ChannelOwner(const Scene &scene, const Channel &channel, std::string &fullName);

// The channel an expression text refers to ("[Item.Name]"), or null.
const Channel *ReferencedChannel(const Scene &scene, const std::string &text);

// A channel's value at a time: through its last attached expression when that refers to a
// channel (followed to a depth of 32, for reference loops), else its keys.
double EvaluateChannel(const Scene &scene, const ExpressionTable &table, const Channel &channel, double time);

} // namespace zkh

#endif
