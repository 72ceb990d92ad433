// actions_requests.cpp: the runner's commands, and its answers to what the host asks the user.
#include "session.h"

namespace zkh {

void AddRequestActions(ActionTable &table)
{
    table.Add({"command_send", "a command line", "sends the line through the host's command interface; a failure is printed"}, [](RunContext &c, const YAML::Node &value) {
        const std::string line = ReadText(value, "command_send");
        if (!c.host.commands.Send(line))
            c.out << "command failed: " << line << "\n";
    });
    table.Add({"command_reject", "all, none or a list of command words", "makes the host refuse every command, none, or those words too"}, [](RunContext &c, const YAML::Node &value) {
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
            throw SessionError(value, "command_reject: expected all, none or a list of command words");
        for (const YAML::Node &word : value)
            c.host.commands.rejectWords.insert(ReadText(word, "command_reject"));
    });
    table.Add({"generic_run", "a server name", "runs a generic command server and prints its activation result", {}, {}, "LayoutGeneric"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "generic_run");
        const int result = c.host.RunGeneric(server);
        c.out << "generic_run " << server << ": activation result " << result << "\n";
    });
    table.Add({"file_answer", "a path", "the next file requester answers it (a load reads from the session's folder, a save writes into the output folder)"}, [](RunContext &c, const YAML::Node &value) {
        const std::string path = ReadText(value, "file_answer");
        c.host.requesters.AnswerFile(c.OutPath(path), c.InPath(path));
    });
    table.Add({"file_cancel", "~", "the next file requester is cancelled"}, [](RunContext &c, const YAML::Node &) { c.host.requesters.CancelFile(); });
    table.Add({"color_answer", "[red, green, blue] from 0 to 1", "the next colour picker answers this colour"}, [](RunContext &c, const YAML::Node &value) {
        if (!value.IsSequence() || value.size() != 3)
            throw SessionError(value, "color_answer: expected [red, green, blue] from 0 to 1");
        c.host.requesters.AnswerColor(static_cast<float>(ReadNumber(value[0], "color_answer")),
                                      static_cast<float>(ReadNumber(value[1], "color_answer")),
                                      static_cast<float>(ReadNumber(value[2], "color_answer")));
    });
    table.Add({"color_cancel", "~", "the next colour picker is cancelled"}, [](RunContext &c, const YAML::Node &) { c.host.requesters.CancelColor(); });
}

} // namespace zkh
