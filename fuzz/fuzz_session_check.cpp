// fuzz_session_check.cpp: a session file as zkhost reads it before anything runs: the YAML text
// parsed, a tab in the indentation named, and every key, action and step checked against the
// runner's actions.
//
// Checked: a mistake found in the text is placed inside it (a line of the text, a column within
// that line, or no place at all) and says something; nothing else escapes.
#include "session.h"
#include "session_check.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "session check: %s\n", what);
    std::abort();
}

// The length of each line of the text, so that a place can be checked.
std::vector<size_t> LineLengths(const std::string &text)
{
    std::vector<size_t> lengths(1, 0);
    for (char c : text) {
        if (c == '\n')
            lengths.push_back(0);
        else
            ++lengths.back();
    }
    return lengths;
}

void CheckPlace(const zkh::SessionError &error, const std::vector<size_t> &lines)
{
    if (std::string(error.what()).empty())
        Fail("a mistake without a message");
    if (error.line == 0)
        return;
    if (error.line < 1 || static_cast<size_t>(error.line) > lines.size())
        Fail("a mistake placed on a line the text does not have");
    if (error.column < 1 || static_cast<size_t>(error.column) > lines[static_cast<size_t>(error.line) - 1] + 1)
        Fail("a mistake placed past the end of its line");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const zkh::ActionTable table = zkh::SessionActions();
    const std::string text(reinterpret_cast<const char *>(data), size);
    const std::vector<size_t> lines = LineLengths(text);
    YAML::Node root;
    try {
        root = YAML::Load(text);
    } catch (const YAML::ParserException &e) {
        const zkh::SessionError tab = zkh::TabInIndentation(text, e.mark.line);
        if (tab.line > 0)
            CheckPlace(tab, lines);
        return 0;
    }
    try {
        if (root.IsMap())
            zkh::CheckSessionNames(root, table);
    } catch (const zkh::SessionError &error) {
        CheckPlace(error, lines);
    }
    return 0;
}
