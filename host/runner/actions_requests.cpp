// actions_requests.cpp: the runner's commands, and its answers to what the host asks the user.
#include "session.h"

namespace zkh {

void AddRequestActions(ActionTable &table)
{
    table.Add({"command", "a command line", "sends the line through the host's command interface; a failure is printed"}, [](RunContext &c, const YAML::Node &value) {
        const std::string line = ReadText(value, "command");
        if (!c.host.commands.Send(line))
            c.out << "command failed: " << line << "\n";
    });
    table.Add({"reject_commands", "all, none or a list of command words", "makes the host refuse every command, none, or those words too"}, [](RunContext &c, const YAML::Node &value) {
        if (value.IsScalar() && value.Scalar() == "all") {
            c.host.commands.rejectAll = true;
            return;
        }
        if (value.IsScalar() && value.Scalar() == "none") {
            c.host.commands.rejectAll = false;
            c.host.commands.rejectWords.clear();
            return;
        }
        if (!value.IsSequence())
            throw SessionError(value, "reject_commands: expected all, none or a list of command words");
        for (const YAML::Node &word : value)
            c.host.commands.rejectWords.insert(ReadText(word, "reject_commands"));
    });
    table.Add({"run_command", "a server name", "runs a generic command server and prints its activation result", {}, {}, "LayoutGeneric"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "run_command");
        const int result = c.host.RunGeneric(server);
        c.out << "run_command " << server << ": activation result " << result << "\n";
    });
    table.Add({"answer_file", "a path", "the next file requester answers it (a load reads from the session's folder, a save writes into the output folder)"}, [](RunContext &c, const YAML::Node &value) {
        const std::string path = ReadText(value, "answer_file");
        c.host.requesters.AnswerFile(c.OutPath(path), c.InPath(path));
    });
    table.Add({"cancel_file", "~", "the next file requester is cancelled"}, [](RunContext &c, const YAML::Node &) { c.host.requesters.CancelFile(); });
    table.Add({"answer_color", "[red, green, blue] from 0 to 1", "the next colour picker answers this colour"}, [](RunContext &c, const YAML::Node &value) {
        if (!value.IsSequence() || value.size() != 3)
            throw SessionError(value, "answer_color: expected [red, green, blue] from 0 to 1");
        c.host.requesters.AnswerColor(static_cast<float>(ReadNumber(value[0], "answer_color")),
                                      static_cast<float>(ReadNumber(value[1], "answer_color")),
                                      static_cast<float>(ReadNumber(value[2], "answer_color")));
    });
    table.Add({"cancel_color", "~", "the next colour picker is cancelled"}, [](RunContext &c, const YAML::Node &) { c.host.requesters.CancelColor(); });
}

} // namespace zkh
