// text_lines.cpp: splitting a file into lines and joining them back.
#include "text_lines.h"

namespace zkh::lwsc {

TextLines::TextLines(std::string bytes) : bytes_(std::move(bytes))
{
    const std::string_view text(bytes_);
    size_t start = 0;
    while (start < text.size()) {
        size_t at = start;
        while (at < text.size() && text[at] != '\n' && text[at] != '\r')
            ++at;
        Span span;
        span.start = start;
        span.length = at - start;
        if (at < text.size())
            span.endLength = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
        spans_.push_back(span);
        start = at + span.endLength;
    }
}

std::string TextLines::UsualLineEnd() const
{
    size_t lf = 0, crlf = 0, cr = 0;
    for (size_t i = 0; i < spans_.size(); ++i) {
        const std::string_view end = End(i);
        if (end == "\n")
            ++lf;
        else if (end == "\r\n")
            ++crlf;
        else if (end == "\r")
            ++cr;
    }
    if (crlf > lf && crlf >= cr)
        return "\r\n";
    if (cr > lf && cr > crlf)
        return "\r";
    return "\n";
}

namespace {

// Spaces and tabs separate words; the scan is by hand, as a search for one of two bytes costs a
// library call per byte.
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t SkipBlanks(std::string_view text, size_t at)
{
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    return at;
}

size_t SkipWord(std::string_view text, size_t at)
{
    while (at < text.size() && !IsBlank(text[at]))
        ++at;
    return at;
}

} // namespace

std::string_view Trimmed(std::string_view text)
{
    const size_t first = SkipBlanks(text, 0);
    size_t last = text.size();
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

size_t IndentOf(std::string_view text)
{
    size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    return at;
}

std::string_view FirstWord(std::string_view text)
{
    const size_t first = SkipBlanks(text, 0);
    return text.substr(first, SkipWord(text, first) - first);
}

std::string_view AfterFirstWord(std::string_view text)
{
    const size_t end = SkipWord(text, SkipBlanks(text, 0));
    return end < text.size() ? text.substr(end + 1) : std::string_view();
}

bool NextWord(std::string_view &text, std::string_view &word)
{
    const size_t at = SkipBlanks(text, 0);
    if (at >= text.size())
        return false;
    const size_t end = SkipWord(text, at);
    word = text.substr(at, end - at);
    text.remove_prefix(end);
    return true;
}

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    size_t at = SkipBlanks(text, 0);
    while (at < text.size()) {
        const size_t end = SkipWord(text, at);
        words.push_back(text.substr(at, end - at));
        at = SkipBlanks(text, end);
    }
    return words;
}

} // namespace zkh::lwsc
