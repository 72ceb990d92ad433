// printable_text.cpp: texts from files made safe to print in messages.
#include "printable_text.h"

#include <cstdio>

namespace zkh {

std::size_t Utf8CharacterLength(const std::string &text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (lead < 0x80)
        length = 1;
    else if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    for (std::size_t k = 1; k < length; ++k)
        if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    return length;
}

std::string PrintableText(const std::string &text, std::size_t limit)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size() && out.size() < limit) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8CharacterLength(text, i);
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
            ++i;
        } else {
            out.append(text, i, length);
            i += length;
        }
    }
    if (i < text.size())
        out += "...";
    return out;
}

} // namespace zkh
