// expression_commands.cpp: the graph editor's expression commands of the simulated host.
//
//   GE_CreateExpression "name" "text"   defines (or redefines) a named expression
//   GE_AttachExpressionID 0x<channel> "name"
//   GE_DetachExpressionsID 0x<channel>  detaches every expression of the channel
//   GE_ClearUnusedExpressions           deletes the expressions attached to no channel
// A malformed line, an unknown channel or an unknown expression fails the command (result 0).
#include "host.h"

#include <cstdlib>

namespace zkh {

namespace {

// A channel identifier written whole in hexadecimal after "0x", as the command reference asks.
bool ParseChannelId(const std::string &text, ChannelKey &id)
{
    if (text.size() < 3 || text.size() > 18 || text.compare(0, 2, "0x") != 0)
        return false;
    char *end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str() + 2, &end, 16);
    if (*end != '\0' || end == text.c_str() + 2 || value == 0)
        return false;
    id = static_cast<ChannelKey>(value);
    return true;
}

} // namespace

void Host::InstallExpressionCommands()
{
    commands.Register("GE_CreateExpression", [this](const std::string &arguments) {
        const auto words = SplitCommandArguments(arguments);
        if (!words || words->size() != 2 || (*words)[0].empty())
            return 0;
        expressions.Define((*words)[0], (*words)[1]);
        return 1;
    });
    commands.Register("GE_AttachExpressionID", [this](const std::string &arguments) {
        const auto words = SplitCommandArguments(arguments);
        ChannelKey channel = 0;
        if (!words || words->size() != 2 || !ParseChannelId((*words)[0], channel) || !scene.FindChannel(channel))
            return 0;
        return expressions.Attach(channel, (*words)[1]) ? 1 : 0;
    });
    commands.Register("GE_DetachExpressionsID", [this](const std::string &arguments) {
        const auto words = SplitCommandArguments(arguments);
        ChannelKey channel = 0;
        if (!words || words->size() != 1 || !ParseChannelId((*words)[0], channel) || !scene.FindChannel(channel))
            return 0;
        expressions.Detach(channel);
        return 1;
    });
    commands.Register("GE_ClearUnusedExpressions", [this](const std::string &arguments) {
        if (!arguments.empty())
            return 0;
        expressions.ClearUnused();
        return 1;
    });
}

} // namespace zkh
