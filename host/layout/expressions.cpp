// expressions.cpp: named channel expressions, their attachments and their evaluation.
#include "expressions.h"

#include <algorithm>
#include <unordered_set>

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
    ChannelKey group = channel.group;
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

void ExpressionTable::IndexNames()
{
    byName_.clear();
    for (size_t i = 0; i < expressions_.size(); ++i)
        byName_.emplace(expressions_[i].name, i);
}

void ExpressionTable::Define(const std::string &name, const std::string &text)
{
    const auto found = byName_.find(name);
    if (found != byName_.end()) {
        expressions_[found->second].text = text;
        return;
    }
    expressions_.push_back({name, text});
    byName_.emplace(name, expressions_.size() - 1);
}

const Expression *ExpressionTable::Find(const std::string &name) const
{
    const auto found = byName_.find(name);
    return found != byName_.end() ? &expressions_[found->second] : nullptr;
}

bool ExpressionTable::Attach(ChannelKey channel, const std::string &name)
{
    if (!Find(name))
        return false;
    std::vector<std::string> &names = byChannel_[channel];
    if (std::find(names.begin(), names.end(), name) != names.end())
        return true;
    names.push_back(name);
    attachments_.emplace_back(channel, name);
    return true;
}

size_t ExpressionTable::Detach(ChannelKey channel)
{
    const auto found = byChannel_.find(channel);
    if (found == byChannel_.end())
        return 0;
    byChannel_.erase(found);
    const size_t before = attachments_.size();
    attachments_.erase(std::remove_if(attachments_.begin(), attachments_.end(),
                                      [&](const auto &entry) { return entry.first == channel; }),
                       attachments_.end());
    return before - attachments_.size();
}

size_t ExpressionTable::ClearUnused()
{
    std::unordered_set<std::string> used;
    for (const auto &entry : attachments_)
        used.insert(entry.second);
    const size_t before = expressions_.size();
    expressions_.erase(std::remove_if(expressions_.begin(), expressions_.end(),
                                      [&](const Expression &expression) { return used.count(expression.name) == 0; }),
                       expressions_.end());
    IndexNames();
    return before - expressions_.size();
}

void ExpressionTable::Clear()
{
    expressions_.clear();
    attachments_.clear();
    byName_.clear();
    byChannel_.clear();
}

std::vector<std::string> ExpressionTable::AttachedTo(ChannelKey channel) const
{
    const auto found = byChannel_.find(channel);
    return found != byChannel_.end() ? found->second : std::vector<std::string>();
}

std::vector<ChannelKey> ExpressionTable::ChannelsOf(const std::string &name) const
{
    std::vector<ChannelKey> channels;
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

namespace {

// The first channel (in the scene's order) below `group` whose name under it is `rest`: the
// channel itself in this group, or a dotted path through groups (whose names may hold dots too).
// Groups listed in `skipped` are not entered. Walks only the groups the name can lead through.
const Channel *FindBelow(const Scene &scene, ChannelKey group, const std::string &rest,
                         const std::vector<ChannelKey> &skipped, size_t depth)
{
    const Channel *best = scene.ChannelNamed(group, rest);
    if (depth > scene.Groups().size())
        return best; // a loop in the parents cannot hang the host
    for (size_t dot = rest.find('.'); dot != std::string::npos; dot = rest.find('.', dot + 1)) {
        for (const ChannelGroup *child : scene.GroupsNamed(group, rest.substr(0, dot))) {
            if (std::find(skipped.begin(), skipped.end(), child->id) != skipped.end())
                continue;
            const Channel *found = FindBelow(scene, child->id, rest.substr(dot + 1), {}, depth + 1);
            if (found && (!best || scene.PlaceOf(*found) < scene.PlaceOf(*best)))
                best = found;
        }
    }
    return best;
}

} // namespace

const Channel *FindItemChannel(const Scene &scene, const Item &item, const std::string &fullName)
{
    if (item.chanGroup == 0)
        return nullptr;
    // The groups of an object's bones lie inside its group: their channels are the bones' own.
    std::vector<ChannelKey> boneGroups;
    for (const Item *bone : scene.BonesOf(item.id))
        if (item.kind == ItemKind::Object)
            boneGroups.push_back(bone->chanGroup);
    return FindBelow(scene, item.chanGroup, fullName, boneGroups, 0);
}

const Item *ChannelOwner(const Scene &scene, const Channel &channel, std::string &fullName)
{
    ChannelKey group = channel.group;
    for (size_t step = 0; group != 0 && step <= scene.Groups().size(); ++step) {
        if (const Item *item = scene.ItemOfGroup(group)) {
            fullName = ChannelFullName(scene, *item, channel);
            return !fullName.empty() && FindItemChannel(scene, *item, fullName) == &channel ? item : nullptr;
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
