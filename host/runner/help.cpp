// help.cpp: the runner's help, printed from the table the actions are registered with.
#include "help.h"

#include "session.h"
#include "session_check.h"

#include <algorithm>

namespace zkh {

namespace {

std::size_t WidestName(const std::vector<Key> &keys)
{
    std::size_t width = 0;
    for (const Key &key : keys)
        width = std::max(width, key.name.size());
    return width;
}

void PrintKeys(std::ostream &out, const std::vector<Key> &keys, const std::string &indent)
{
    const std::size_t width = WidestName(keys);
    for (const Key &key : keys) {
        out << indent << key.name << std::string(width - key.name.size() + 2, ' ') << key.help << "\n";
        PrintKeys(out, key.keys, indent + "    ");
        PrintKeys(out, key.steps, indent + "    ");
    }
}

} // namespace

void PrintActionList(std::ostream &out)
{
    const ActionTable table = SessionActions();
    std::size_t width = 0;
    for (const std::string &name : table.Names())
        width = std::max(width, name.size());
    out << "session actions (zkhost help ACTION tells one's keys):\n";
    for (const std::string &name : table.Names())
        out << "  " << name << std::string(width - name.size() + 2, ' ') << table.Spec(name)->summary << "\n";
    std::size_t oldWidth = 0;
    for (const auto &entry : table.OldNames())
        oldWidth = std::max(oldWidth, entry.first.size());
    out << "old names of actions, still accepted (zkhost help OLDNAME tells the action):\n";
    for (const auto &entry : table.OldNames())
        out << "  " << entry.first << std::string(oldWidth - entry.first.size() + 2, ' ') << entry.second << "\n";
}

int PrintActionHelp(const std::string &name, std::ostream &out, std::ostream &err)
{
    const ActionTable table = SessionActions();
    const ActionSpec *spec = table.Spec(name);
    if (!spec) {
        err << "zkhost help: no action '" << name << "'" << NearestNames(name, table.Names()) << "\n";
        return 2;
    }
    out << "- " << spec->name << ": " << spec->value << "\n  " << spec->summary << "\n";
    if (spec->name != name)
        out << "  (" << name << " is its old name)\n";
    if (!spec->serverClass.empty())
        out << "  (the value names a " << spec->serverClass << " server of the module)\n";
    if (!spec->keys.empty()) {
        out << "keys:\n";
        PrintKeys(out, spec->keys, "  ");
    }
    if (!spec->steps.empty()) {
        out << "steps:\n";
        PrintKeys(out, spec->steps, "  ");
    }
    return 0;
}

std::string VersionText()
{
    std::string text = "zkhost " ZK_VERSION;
    const std::string describe = ZK_GIT_DESCRIBE;
    if (!describe.empty())
        text += " (" + describe + ")";
    return text;
}

} // namespace zkh
