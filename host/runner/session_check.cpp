// session_check.cpp: a session's names are checked before anything of it runs, so that a
// misspelt key, action, step or server stops the session at once instead of being left out.
#include "session_check.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace zkh {

namespace {

std::size_t EditDistance(const std::string &a, const std::string &b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                              std::tolower(static_cast<unsigned char>(b[j - 1]));
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string JoinNames(const std::vector<std::string> &names, const char *last)
{
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? last : ", ") + names[i];
    return text;
}

// A list longer than this is not printed whole when no name is near.
constexpr std::size_t kListedNames = 16;

std::vector<std::string> NamesOf(const std::vector<Key> &keys)
{
    std::vector<std::string> names;
    for (const Key &key : keys)
        names.push_back(key.name);
    return names;
}

const Key *FindKey(const std::vector<Key> &keys, const std::string &name)
{
    for (const Key &key : keys)
        if (key.name == name)
            return &key;
    return nullptr;
}

void CheckValue(const YAML::Node &value, const std::string &where, const std::vector<Key> &keys,
                const std::vector<Key> &steps);

const char kTheSession[] = "the session";

void CheckMap(const YAML::Node &map, const std::string &where, const std::vector<Key> &keys)
{
    for (const auto &entry : map) {
        const std::string name = entry.first.IsScalar() ? entry.first.Scalar() : std::string();
        const Key *key = FindKey(keys, name);
        if (!key)
            throw SessionError(entry.first, "unknown key '" + name + "' in " + where + NearestNames(name, NamesOf(keys)));
        // The session's own keys are named alone in messages: "scene viewports", not "the session scene ...".
        CheckValue(entry.second, where == kTheSession ? name : where + " " + name, key->keys, key->steps);
    }
}

void CheckSteps(const YAML::Node &list, const std::string &where, const std::vector<Key> &steps)
{
    for (const YAML::Node &step : list) {
        if (!step.IsMap() || step.size() != 1)
            continue; // said when the step runs: each step is a map with one key
        const YAML::Node name = step.begin()->first;
        const Key *key = FindKey(steps, name.Scalar());
        if (!key)
            throw SessionError(name, "unknown step '" + name.Scalar() + "' in " + where +
                                         NearestNames(name.Scalar(), NamesOf(steps)));
        CheckValue(step.begin()->second, where + " " + key->name, key->keys, key->steps);
    }
}

// Checks the names in a value that may be a map of `keys` (or a list of such maps) or a list of
// `steps`; other values are read, and checked, by the action itself.
void CheckValue(const YAML::Node &value, const std::string &where, const std::vector<Key> &keys,
                const std::vector<Key> &steps)
{
    if (!keys.empty() && value.IsMap())
        CheckMap(value, where, keys);
    else if (!keys.empty() && value.IsSequence())
        for (const YAML::Node &entry : value)
            if (entry.IsMap())
                CheckMap(entry, where, keys);
    if (!steps.empty() && value.IsSequence())
        CheckSteps(value, where, steps);
}

void CheckItems(const YAML::Node &items)
{
    if (!items || !items.IsSequence())
        return;
    for (const YAML::Node &entry : items) {
        if (!entry.IsMap())
            continue;
        const Key *kind = nullptr;
        for (const auto &field : entry)
            if ((kind = FindKey(ItemKinds(), field.first.Scalar())))
                break;
        if (!kind)
            continue; // said when the scene is built: the entry names no kind
        std::vector<Key> keys = kind->keys;
        keys.insert(keys.begin(), *kind);
        for (const auto &field : entry) {
            const std::string name = field.first.Scalar();
            if (!FindKey(keys, name))
                throw SessionError(field.first, "unknown key '" + name + "' in a " + kind->name + " item" +
                                                    NearestNames(name, NamesOf(keys)));
        }
    }
}

} // namespace

std::string NearestNames(const std::string &name, const std::vector<std::string> &known)
{
    // Near: at most a third of the name's letters changed (at least one, at most three).
    const std::size_t limit = std::max<std::size_t>(1, std::min<std::size_t>(3, name.size() / 3));
    std::size_t best = limit + 1;
    std::vector<std::string> nearest;
    for (const std::string &candidate : known) {
        const std::size_t distance = EditDistance(name, candidate);
        if (distance < best)
            nearest.clear(), best = distance;
        if (distance == best)
            nearest.push_back(candidate);
    }
    if (!nearest.empty())
        return " (did you mean " + JoinNames(nearest, " or ") + "?)";
    if (!known.empty() && known.size() <= kListedNames)
        return " (one of " + JoinNames(known, ", ") + ")";
    return "";
}

void CheckSessionNames(const YAML::Node &root, const ActionTable &table)
{
    if (!root.IsMap())
        return; // said when the session runs
    CheckMap(root, kTheSession, SessionKeys());
    if (const YAML::Node scene = root["scene"]; scene && scene.IsMap())
        CheckItems(scene["items"]);
    const YAML::Node actions = root["actions"];
    if (!actions || !actions.IsSequence())
        return;
    const std::vector<std::string> names = table.Names();
    for (const YAML::Node &step : actions) {
        if (!step.IsMap() || step.size() != 1)
            continue; // said when the session runs: each action is a map with one key
        const YAML::Node name = step.begin()->first;
        const ActionSpec *spec = table.Spec(name.Scalar());
        if (!spec) {
            const std::string hint = NearestNames(name.Scalar(), names);
            throw SessionError(name, "unknown action '" + name.Scalar() + "'" +
                                         (hint.empty() ? " (zkhost help lists the actions)" : hint));
        }
        CheckValue(step.begin()->second, spec->name, spec->keys, spec->steps);
    }
}

void CheckServerNames(const YAML::Node &root, const ActionTable &table, const Module &module)
{
    const YAML::Node actions = root["actions"];
    if (!actions || !actions.IsSequence())
        return;
    for (const YAML::Node &step : actions) {
        if (!step.IsMap() || step.size() != 1)
            continue;
        const ActionSpec *spec = table.Spec(step.begin()->first.Scalar());
        const YAML::Node value = step.begin()->second;
        if (!spec || spec->serverClass.empty() || !value.IsScalar())
            continue;
        if (module.Find(spec->serverClass, value.Scalar()))
            continue;
        std::vector<std::string> servers;
        for (const ServerInfo &server : module.Servers())
            if (server.className == spec->serverClass)
                servers.push_back(server.name);
        throw SessionError(value, spec->name + ": the module has no " + spec->serverClass + " server '" +
                                      value.Scalar() + "'" + NearestNames(value.Scalar(), servers));
    }
}

SessionError TabInIndentation(const std::string &text, int line)
{
    std::istringstream lines(text);
    std::string content;
    for (int number = 0; number <= line && std::getline(lines, content); ++number) {
        const std::size_t indent = content.find_first_not_of(" \t");
        const std::size_t tab = content.find('\t');
        if (tab != std::string::npos && (indent == std::string::npos || tab < indent))
            return SessionError(number + 1, static_cast<int>(tab) + 1,
                                "a tab in the indentation: YAML indents with spaces only (replace the tab by spaces)");
    }
    return SessionError(0, 0, "");
}

} // namespace zkh
