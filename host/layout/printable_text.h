// printable_text.h: texts from files made safe to print in messages.
#ifndef ZKH_PRINTABLE_TEXT_H
#define ZKH_PRINTABLE_TEXT_H

#include <cstddef>
#include <string>

namespace zkh {

// The length of the UTF-8 character starting at text[i]; 0 when no valid one starts there.
std::size_t Utf8CharacterLength(const std::string &text, std::size_t i);

// The text with control bytes and bytes that are not UTF-8 written as \xNN; a text longer than
// `limit` bytes is cut (at a character) and followed by "...".
std::string PrintableText(const std::string &text, std::size_t limit = 300);

} // namespace zkh

#endif
