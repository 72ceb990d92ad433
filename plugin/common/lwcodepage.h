// lwcodepage.h: UTF-8 text to the system's narrow code page, through UTF-16.
//
// On Windows the narrow code page is the ANSI code page (CP_ACP). Elsewhere it is named by the
// environment variable ZK_NARROW_CODEPAGE (an iconv name such as "CP932"; UTF-8 when unset), which
// the simulated host sets as its system setting.
#ifndef ZK_LWCODEPAGE_H
#define ZK_LWCODEPAGE_H

#include "zkplatform/narrow_codepage.h"

#include <string>

// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::u16string Utf8ToUtf16(const std::string &utf8);

// UTF-16 to the narrow code page; characters it cannot hold become '?'.
std::string Utf16ToNarrow(const std::u16string &utf16);

inline std::string Utf8ToNarrow(const std::string &utf8) { return Utf16ToNarrow(Utf8ToUtf16(utf8)); }

// The name of the narrow code page in use ("UTF-8", "CP932", ...).
std::string NarrowCodePage();

// True when the text is well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool IsUtf8(const std::string &text);

// Japanese text in code page 932 (Shift_JIS as Windows has it) converted to UTF-8; false, with
// `utf8` unspecified, when the text is not valid in that code page.
bool Cp932ToUtf8(const std::string &text, std::string &utf8);

#endif
