// expressions.cpp: named channel expressions, their attachments and their evaluation.
#include "expressions.h"

#include <algorithm>

namespace zkh {

namespace {

constexpr int kMaxReferenceDepth = 32;

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// The groups from the channel's group up to (not including) the item's group, innermost first;
// nothing when the item's group is not on the way.
std::optional<std::vector<const ChannelGroup *>> GroupsBelowItem(const Scene &scene, const Item &item,
                                                                  const Channel &channel)
{
    std::vector<const ChannelGroup *> path;
    std::uint32_t group = channel.group;
    // Bounded by the number of groups, so that a loop in the parents cannot hang the host.
    for (size_t step = 0; step <= scene.Groups().size(); ++step) {
        if (group == 0)
            return std::nullopt;
        if (group == item.chanGroup)
            return path;
        const ChannelGroup *found = scene.FindGroup(group);
        if (!found)
            return std::nullopt;
        path.push_back(found);
        group = found->parent;
    }
    return std::nullopt;
}

} // namespace

void ExpressionTable::Define(const std::string &name, const std::string &text)
{
    for (Expression &expression : expressions_)
        if (expression.name == name) {
            expression.text = text;
            return;
        }
    expressions_.push_back({name, text});
}

const Expression *ExpressionTable::Find(const std::string &name) const
{
    for (const Expression &expression : expressions_)
        if (expression.name == name)
            return &expression;
    return nullptr;
}

bool ExpressionTable::Attach(std::uint32_t channel, const std::string &name)
{
    if (!Find(name))
        return false;
    for (const auto &[attached, attachedName] : attachments_)
        if (attached == channel && attachedName == name)
            return true;
    attachments_.emplace_back(channel, name);
    return true;
}

size_t ExpressionTable::Detach(std::uint32_t channel)
{
    const size_t before = attachments_.size();
    attachments_.erase(std::remove_if(attachments_.begin(), attachments_.end(),
                                      [&](const auto &entry) { return entry.first == channel; }),
                       attachments_.end());
    return before - attachments_.size();
}

size_t ExpressionTable::ClearUnused()
{
    const size_t before = expressions_.size();
    expressions_.erase(std::remove_if(expressions_.begin(), expressions_.end(),
                                      [&](const Expression &expression) { return ChannelsOf(expression.name).empty(); }),
                       expressions_.end());
    return before - expressions_.size();
}

void ExpressionTable::Clear()
{
    expressions_.clear();
    attachments_.clear();
}

std::vector<std::string> ExpressionTable::AttachedTo(std::uint32_t channel) const
{
    std::vector<std::string> names;
    for (const auto &[attached, name] : attachments_)
        if (attached == channel)
            names.push_back(name);
    return names;
}

std::vector<std::uint32_t> ExpressionTable::ChannelsOf(const std::string &name) const
{
    std::vector<std::uint32_t> channels;
    for (const auto &[channel, attachedName] : attachments_)
        if (attachedName == name)
            channels.push_back(channel);
    return channels;
}

std::optional<std::vector<std::string>> SplitCommandArguments(const std::string &arguments)
{
    std::vector<std::string> words;
    size_t pos = 0;
    while (true) {
        while (pos < arguments.size() && IsSpace(arguments[pos]))
            ++pos;
        if (pos == arguments.size())
            return words;
        if (arguments[pos] == '"') {
            const size_t close = arguments.find('"', pos + 1);
            if (close == std::string::npos)
                return std::nullopt;
            words.push_back(arguments.substr(pos + 1, close - pos - 1));
            pos = close + 1;
        } else {
            const size_t start = pos;
            while (pos < arguments.size() && !IsSpace(arguments[pos]))
                ++pos;
            words.push_back(arguments.substr(start, pos - start));
        }
    }
}

std::string ChannelFullName(const Scene &scene, const Item &item, const Channel &channel)
{
    const auto path = GroupsBelowItem(scene, item, channel);
    if (!path)
        return std::string();
    std::string name;
    for (auto group = path->rbegin(); group != path->rend(); ++group)
        name += (*group)->name + ".";
    return name + channel.name;
}

const Channel *FindItemChannel(const Scene &scene, const Item &item, const std::string &fullName)
{
    if (item.chanGroup == 0)
        return nullptr;
    std::vector<std::uint32_t> boneGroups;
    for (const Item *bone : scene.BonesOf(item.id))
        if (item.kind == ItemKind::Object)
            boneGroups.push_back(bone->chanGroup);
    for (const Channel &channel : scene.Channels()) {
        const auto path = GroupsBelowItem(scene, item, channel);
        if (!path)
            continue;
        if (!path->empty() &&
            std::find(boneGroups.begin(), boneGroups.end(), path->back()->id) != boneGroups.end())
            continue;
        if (ChannelFullName(scene, item, channel) == fullName)
            return &channel;
    }
    return nullptr;
}

const Item *ChannelOwner(const Scene &scene, const Channel &channel, std::string &fullName)
{
    std::uint32_t group = channel.group;
    for (size_t step = 0; group != 0 && step <= scene.Groups().size(); ++step) {
        for (const Item &item : scene.Items()) {
            if (item.chanGroup != group)
                continue;
            fullName = ChannelFullName(scene, item, channel);
            return !fullName.empty() && FindItemChannel(scene, item, fullName) == &channel ? &item : nullptr;
        }
        const ChannelGroup *found = scene.FindGroup(group);
        if (!found)
            break;
        group = found->parent;
    }
    return nullptr;
}

const Channel *ReferencedChannel(const Scene &scene, const std::string &text)
{
    if (text.size() < 3 || text.front() != '[' || text.back() != ']')
        return nullptr;
    const std::string inner = text.substr(1, text.size() - 2);
    // An item name may hold "." itself: every split is tried, the shortest item name first.
    for (size_t dot = inner.find('.'); dot != std::string::npos; dot = inner.find('.', dot + 1)) {
        const std::string itemName = inner.substr(0, dot);
        for (const Item &item : scene.Items())
            if (item.name == itemName)
                if (const Channel *channel = FindItemChannel(scene, item, inner.substr(dot + 1)))
                    return channel;
    }
    return nullptr;
}

double EvaluateChannel(const Scene &scene, const ExpressionTable &table, const Channel &channel, double time)
{
    const Channel *current = &channel;
    for (int depth = 0; depth < kMaxReferenceDepth; ++depth) {
        const auto names = table.AttachedTo(current->id);
        const Expression *expression = names.empty() ? nullptr : table.Find(names.back());
        const Channel *next = expression ? ReferencedChannel(scene, expression->text) : nullptr;
        if (!next)
            break;
        current = next;
    }
    return scene.EvaluateKeys(*current, time);
}

} // namespace zkh
