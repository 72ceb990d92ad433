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

bool DeclaresCodePage932(const std::string &head) { return NamesCodePage932(DeclaredEncoding(head)); }

void DecodeMixerText(std::string &text)
{
    if (!DeclaresCodePage932(text) || IsUtf8(text))
        return;
    // Text that is not valid in code page 932 either is taken as it is, as earlier builds took it.
    std::string utf8;
    if (Cp932ToUtf8(text, utf8))
        text.swap(utf8);
}

// A reference as the library reads it: "&#" or "&#x", digits (none read as 0), then ';'. Anything
// else after "&#" is no reference to the library, which keeps it as text, and the character that
// ended it is looked at afresh (it may start the next one).
void ReferenceScanner::Feed(const char *data, size_t size)
{
    for (size_t i = 0; i < size && found_.empty(); ++i) {
        const char c = data[i];
        switch (state_) {
        case State::Text: {
            const void *ampersand = c == '&' ? data + i : std::memchr(data + i, '&', size - i);
            if (!ampersand)
                return;
            i = static_cast<size_t>(static_cast<const char *>(ampersand) - data);
            state_ = State::Ampersand;
            reference_ = "&";
            break;
        }
        case State::Ampersand:
            if (c == '#') {
                state_ = State::Hash;
                reference_ += '#';
                hex_ = false;
                value_ = 0;
            } else if (c != '&') {
                state_ = State::Text;
            }
            break;
        case State::Hash:
            state_ = State::Digits;
            if (c == 'x') {
                hex_ = true;
                reference_ += 'x';
                break;
            }
            --i; // the first digit, or what ends the reference
            break;
        case State::Digits:
            if (const int digit = DigitValue(c, hex_); digit >= 0) {
                value_ = std::min<std::uint32_t>(value_ * (hex_ ? 16 : 10) + static_cast<std::uint32_t>(digit), 0x110000);
                reference_ += c;
                break;
            }
            state_ = State::Text;
            if (c != ';') {
                --i;
                break;
            }
            reference_ += ';';
            if (value_ == 0 || (value_ >= 0xD800 && value_ <= 0xDFFF) || value_ > 0x10FFFF)
                found_ = reference_;
            break;
        }
    }
}

// Looked for in the whole text: a comment holding one is refused too, rather than trusting where
// markup starts in a file that may not be well-formed.
std::string FindForbiddenReference(const std::string &text)
{
    ReferenceScanner scanner;
    scanner.Feed(text.data(), text.size());
    return scanner.Found();
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
