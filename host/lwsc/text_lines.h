// text_lines.h: a scene file as the lines it was read as, each with its own line end, so that
// what is not changed is written back byte for byte.
#ifndef ZKH_LWSC_TEXT_LINES_H
#define ZKH_LWSC_TEXT_LINES_H

#include <string>
#include <string_view>
#include <vector>

namespace zkh::lwsc {

// One line: its bytes without the terminator, and the terminator as read ("\n", "\r\n", "\r", or
// "" for a last line without one).
struct TextLine {
    std::string text;
    std::string end;
};

using TextLines = std::vector<TextLine>;

// Splits bytes into lines at LF, CRLF or a lone CR.
TextLines SplitLines(std::string_view bytes);
// The bytes of the lines, each followed by its own terminator.
std::string JoinLines(const TextLines &lines);
// The line end most lines of the file use ("\n" for a file without any).
std::string UsualLineEnd(const TextLines &lines);

// The text without leading and trailing spaces and tabs.
std::string_view Trimmed(std::string_view text);
// The number of leading spaces.
size_t IndentOf(std::string_view text);
// The first word of a line (after its indentation), up to a space or tab.
std::string_view FirstWord(std::string_view text);
// What follows the first word and one space ("" when nothing does).
std::string_view AfterFirstWord(std::string_view text);
// The words of a text separated by runs of spaces and tabs.
std::vector<std::string_view> Words(std::string_view text);

} // namespace zkh::lwsc

#endif
