// command_interface.cpp: recording and interpreting command lines.
#include "command_interface.h"

namespace zkh {

void CommandInterface::Register(const std::string &word, Handler handler) { handlers_[word] = std::move(handler); }

void CommandInterface::RegisterPrefix(const std::string &prefix, Handler handler)
{
    prefixHandlers_.emplace_back(prefix, std::move(handler));
}

std::size_t CommandInterface::Note(const std::string &text)
{
    transcript.push_back("# " + text);
    return transcript.size() - 1;
}

int CommandInterface::Send(const std::string &line)
{
    log.push_back(line);
    transcript.push_back(line);
    const size_t wordEnd = line.find(' ');
    const std::string word = line.substr(0, wordEnd);
    const std::string arguments = wordEnd == std::string::npos ? std::string() : line.substr(wordEnd + 1);
    if (rejectAll || rejectWords.count(word))
        return 0;
    auto found = handlers_.find(word);
    if (found != handlers_.end())
        return found->second(arguments);
    for (const auto &[prefix, handler] : prefixHandlers_)
        if (word.compare(0, prefix.size(), prefix) == 0)
            return handler(word.substr(prefix.size()) + (arguments.empty() ? "" : " " + arguments));
    return 0;
}

} // namespace zkh
