// command_interface.h: the host's command interface: records every line and interprets what it knows.
#ifndef ZKH_COMMAND_INTERFACE_H
#define ZKH_COMMAND_INTERFACE_H

#include <functional>
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace zkh {

class CommandInterface {
public:
    // A handler gets the text after the command word; it returns the command's result (0 = failed).
    using Handler = std::function<int(const std::string &arguments)>;

    void Register(const std::string &word, Handler handler);
    // Handler for every word that starts with a prefix ("Tool_").
    void RegisterPrefix(const std::string &prefix, Handler handler);

    // Records and runs one command line; unknown commands fail, as in Layout.
    int Send(const std::string &line);

    // Rejection knobs: every command, or those whose first word is listed.
    bool rejectAll = false;
    std::set<std::string> rejectWords;

    std::vector<std::string> log;    // every line, in order
    // What the runner's commands.log holds: every line, in order, and between them, as lines
    // starting with "# ", the requesters and modal panels the module showed the user.
    std::vector<std::string> transcript;
    // Adds a "# " line to the transcript; its place, to complete the line later.
    std::size_t Note(const std::string &text);
    std::vector<std::string> status; // texts of "StatusMsg" lines
    int refreshCount = 0;            // "RefreshNow" lines accepted

private:
    std::map<std::string, Handler> handlers_;
    std::vector<std::pair<std::string, Handler>> prefixHandlers_;
};

} // namespace zkh

#endif
