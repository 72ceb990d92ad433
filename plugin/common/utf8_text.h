// utf8_text.h: texts held as UTF-8 bytes: cuts that keep whole characters, and the check for text
// that other programs' readers take.
#ifndef ZK_COMMON_UTF8_TEXT_H
#define ZK_COMMON_UTF8_TEXT_H

#include <cstddef>
#include <string>

// The longest start of text of at most maxBytes bytes that does not end inside a UTF-8
// character: a character that would reach past the limit is left out whole. Bytes that start no
// valid character (text in another encoding) count one byte each.
std::string CutAtCharacter(const std::string &text, std::size_t maxBytes);

// True when text is valid UTF-8 (no overlong forms, surrogates or code points past U+10FFFF) and
// holds none of the 66 Unicode noncharacters (U+FDD0 to U+FDEF, and the last two code points of
// every plane: U+FFFE, U+FFFF, U+1FFFE ...): YAML and XML readers refuse U+FFFE and U+FFFF, and
// the YAML library writes U+FFFD in place of any of them inside quotes.
bool IsInterchangeText(const std::string &text);

#endif
