// text_lines.h: a scene file as the lines it was read as, each with its own line end, so that
// what is not changed is written back byte for byte.
#ifndef ZKH_LWSC_TEXT_LINES_H
#define ZKH_LWSC_TEXT_LINES_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zkh::lwsc {

// A file's bytes split into lines at LF, CRLF or a lone CR. Each line keeps its own terminator
// ("" for a last line without one); the lines are places in the bytes, which the object owns.
class TextLines {
public:
    TextLines() = default;
    explicit TextLines(std::string bytes);

    size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    // A line's bytes without its terminator, its terminator, and both.
    std::string_view Text(size_t line) const { return View(spans_[line].start, spans_[line].length); }
    std::string_view End(size_t line) const
    {
        return View(spans_[line].start + spans_[line].length, spans_[line].endLength);
    }
    std::string_view Whole(size_t line) const
    {
        return View(spans_[line].start, spans_[line].length + spans_[line].endLength);
    }
    const std::string &Bytes() const { return bytes_; }
    // The bytes of the lines [first, last), their terminators included.
    std::string_view Range(size_t first, size_t last) const
    {
        if (first >= last)
            return std::string_view();
        const Span &end = spans_[last - 1];
        return View(spans_[first].start, end.start + end.length + end.endLength - spans_[first].start);
    }
    // The line end most lines use ("\n" for a file without any).
    std::string UsualLineEnd() const;

private:
    struct Span {
        size_t start = 0;
        size_t length = 0;
        std::uint8_t endLength = 0;
    };
    std::string_view View(size_t start, size_t length) const { return std::string_view(bytes_).substr(start, length); }

    std::string bytes_;
    std::vector<Span> spans_;
};

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
// Takes the next word from text (which loses it and what precedes it); false when none is left.
bool NextWord(std::string_view &text, std::string_view &word);

} // namespace zkh::lwsc

#endif
