// clipmixer_file_text.cpp: the encoding of the clip mixer's XML file and the characters it holds.

// As in the compilation: GCC's false "may be used uninitialized" inside the regular expression
// automaton under the sanitizers, silenced before the library headers are read.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include "clipmixer_file_text.h"

#include "../common/lwcodepage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <regex>

const char kMixerDeclaration[] = "xml version=\"1.0\" encoding=\"UTF-8\"";

namespace {

// The encoding named by the XML declaration at the start of the text (after a UTF-8 byte order
// mark), or "" when there is none.
std::string DeclaredEncoding(const std::string &text)
{
    static const std::regex kDeclaration("(?:\xEF\xBB\xBF)?<\\?xml[ \t\r\n][^>]*?encoding[ \t\r\n]*=[ \t\r\n]*"
                                         "(?:\"([^\"]*)\"|'([^']*)')",
                                         std::regex::ECMAScript);
    const size_t end = text.find("?>");
    const std::string head = text.substr(0, std::min<size_t>(end == std::string::npos ? text.size() : end, 1024));
    std::smatch match;
    if (!std::regex_search(head, match, kDeclaration, std::regex_constants::match_continuous))
        return {};
    return match[1].matched ? match[1].str() : match[2].str();
}

bool SameNameIgnoringCase(const std::string &a, const char *b)
{
    if (a.size() != std::strlen(b))
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The names under which code page 932 is declared: the misspelt one earlier builds wrote, and
// the usual names of the code page.
bool NamesCodePage932(const std::string &encoding)
{
    for (const char *name : {"Shift_JIS", "Shist_JIS", "Windows-31J", "CP932"})
        if (SameNameIgnoringCase(encoding, name))
            return true;
    return false;
}

int DigitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

void DecodeMixerText(std::string &text)
{
    if (!NamesCodePage932(DeclaredEncoding(text)) || IsUtf8(text))
        return;
    // Text that is not valid in code page 932 either is taken as it is, as earlier builds took it.
    std::string utf8;
    if (Cp932ToUtf8(text, utf8))
        text.swap(utf8);
}

// A reference as the library reads it: "&#" or "&#x", digits (none read as 0), then ';'. Anything
// else after "&#" is no reference to the library, which keeps it as text. Looked for in the whole
// text: a comment holding one is refused too, rather than trusting where markup starts in a file
// that may not be well-formed.
std::string FindForbiddenReference(const std::string &text)
{
    for (size_t at = text.find("&#"); at != std::string::npos; at = text.find("&#", at + 2)) {
        size_t p = at + 2;
        const bool hex = p < text.size() && text[p] == 'x';
        p += hex ? 1 : 0;
        std::uint32_t value = 0;
        for (int digit; p < text.size() && (digit = DigitValue(text[p], hex)) >= 0; ++p)
            value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit), 0x110000);
        if (p == text.size() || text[p] != ';')
            continue;
        if (value == 0 || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF)
            return text.substr(at, p + 1 - at);
    }
    return {};
}

bool IsWritableText(const std::string &text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
    // U+FFFE and U+FFFF are no XML characters (in valid UTF-8 these bytes are nothing else).
    if (text.find("\xEF\xBF\xBE") != std::string::npos || text.find("\xEF\xBF\xBF") != std::string::npos)
        return false;
    return IsUtf8(text);
}
