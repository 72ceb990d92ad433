// text_lines.cpp: splitting a file into lines and joining them back.
#include "text_lines.h"

namespace zkh::lwsc {

TextLines SplitLines(std::string_view bytes)
{
    TextLines lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t at = start;
        while (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r')
            ++at;
        TextLine line;
        line.text.assign(bytes.substr(start, at - start));
        if (at < bytes.size()) {
            const bool crlf = bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n';
            line.end.assign(bytes.substr(at, crlf ? 2 : 1));
            at += crlf ? 2 : 1;
        }
        lines.push_back(std::move(line));
        start = at;
    }
    return lines;
}

std::string JoinLines(const TextLines &lines)
{
    size_t size = 0;
    for (const TextLine &line : lines)
        size += line.text.size() + line.end.size();
    std::string bytes;
    bytes.reserve(size);
    for (const TextLine &line : lines) {
        bytes += line.text;
        bytes += line.end;
    }
    return bytes;
}

std::string UsualLineEnd(const TextLines &lines)
{
    size_t lf = 0, crlf = 0, cr = 0;
    for (const TextLine &line : lines) {
        if (line.end == "\n")
            ++lf;
        else if (line.end == "\r\n")
            ++crlf;
        else if (line.end == "\r")
            ++cr;
    }
    if (crlf > lf && crlf >= cr)
        return "\r\n";
    if (cr > lf && cr > crlf)
        return "\r";
    return "\n";
}

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::string_view();
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last + 1 - first);
}

size_t IndentOf(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? text.size() : first;
}

std::string_view FirstWord(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::string_view();
    const size_t end = text.find_first_of(" \t", first);
    return text.substr(first, end == std::string_view::npos ? std::string_view::npos : end - first);
}

std::string_view AfterFirstWord(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::string_view();
    const size_t end = text.find_first_of(" \t", first);
    if (end == std::string_view::npos)
        return std::string_view();
    return text.substr(end + 1);
}

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t", at);
        if (at == std::string_view::npos)
            return words;
        const size_t end = text.find_first_of(" \t", at);
        words.push_back(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        if (end == std::string_view::npos)
            return words;
        at = end;
    }
}

} // namespace zkh::lwsc
