// line_diff.h: what a change did to a text file, line by line, for tests of files rewritten in place.
#ifndef ZK_TESTS_LINE_DIFF_H
#define ZK_TESTS_LINE_DIFF_H

#include <sstream>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

inline Lines SplitLines(const std::string &text)
{
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The lines of the first text between its common start and end with the second, and those of the
// second in their place.
struct Change {
    size_t line = 0; // where the change starts (0-based)
    Lines removed, added;
};

inline Change Diff(const std::string &before, const std::string &after)
{
    const Lines a = SplitLines(before), b = SplitLines(after);
    size_t start = 0;
    while (start < a.size() && start < b.size() && a[start] == b[start])
        ++start;
    size_t end = 0;
    while (end < a.size() - start && end < b.size() - start && a[a.size() - 1 - end] == b[b.size() - 1 - end])
        ++end;
    Change change;
    change.line = start;
    change.removed.assign(a.begin() + static_cast<long>(start), a.end() - static_cast<long>(end));
    change.added.assign(b.begin() + static_cast<long>(start), b.end() - static_cast<long>(end));
    return change;
}

#endif
