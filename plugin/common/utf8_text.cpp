// utf8_text.cpp: whole-character cuts and the UTF-8 check.
#include "utf8_text.h"

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the character a lead byte starts, 0 for a byte that starts none.
std::size_t LeadLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// The length of the valid character at text[i], 0 when none starts there.
std::size_t CharacterAt(const std::string &text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = LeadLength(lead);
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if (!IsContinuation(static_cast<unsigned char>(text[i + k])))
            return 0;
    if (length > 2) {
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
            (lead == 0xF4 && second > 0x8F))
            return 0; // overlong, a surrogate or past U+10FFFF
    }
    return length;
}

// The code point of the valid character of the given length at text[i].
char32_t CodePointAt(const std::string &text, std::size_t i, std::size_t length)
{
    static const unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t code = static_cast<unsigned char>(text[i]) & kLeadBits[length];
    for (std::size_t k = 1; k < length; ++k)
        code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return code;
}

bool IsNoncharacter(char32_t code) { return (code >= 0xFDD0 && code <= 0xFDEF) || (code & 0xFFFE) == 0xFFFE; }

} // namespace

std::string CutAtCharacter(const std::string &text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    // text[maxBytes] is the first byte left out. A character reaching past the limit starts at
    // most three bytes before it.
    std::size_t end = maxBytes;
    for (std::size_t back = 1; back <= 3 && back <= maxBytes; ++back) {
        const std::size_t start = maxBytes - back;
        const auto byte = static_cast<unsigned char>(text[start]);
        if (IsContinuation(byte))
            continue;
        // A lead byte whose character goes on past the limit, as far as the text shows it (a text
        // cut before may end inside it).
        const std::size_t length = LeadLength(byte);
        bool continued = length > back;
        for (std::size_t k = start + 1; continued && k < start + length && k < text.size(); ++k)
            continued = IsContinuation(static_cast<unsigned char>(text[k]));
        if (continued)
            end = start;
        break;
    }
    return text.substr(0, end);
}

bool IsInterchangeText(const std::string &text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterAt(text, i);
        if (length == 0)
            return false;
        if (IsNoncharacter(CodePointAt(text, i, length)))
            return false;
        i += length;
    }
    return true;
}
