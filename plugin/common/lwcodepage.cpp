// lwcodepage.cpp: text conversion to the narrow code page (Win32 calls on Windows, iconv elsewhere).
#include "lwcodepage.h"

#if defined(_WIN32)
#include <climits>
#include <windows.h>
#else
#include <cerrno>
#include <cstdlib>
#include <iconv.h>
#endif

namespace {

// A high surrogate followed by a low one: one character in two units.
bool StartsSurrogatePair(const std::u16string &text, size_t i)
{
    return text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
           text[i + 1] <= 0xDFFF;
}

} // namespace

std::u16string Utf8ToUtf16(const std::string &utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    const auto *s = reinterpret_cast<const unsigned char *>(utf8.data());
    const size_t n = utf8.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        char32_t cp = 0xFFFD;
        size_t length = 1;
        size_t need = 0;
        char32_t min = 0;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            need = 1, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            need = 2, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            need = 3, cp = c & 0x07, min = 0x10000;
        }
        if (need > 0) {
            size_t k = 1;
            for (; k <= need && i + k < n && (s[i + k] & 0xC0) == 0x80; ++k)
                cp = (cp << 6) | (s[i + k] & 0x3F);
            length = k;
            if (k != need + 1 || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
                cp = 0xFFFD;
        } else if (c >= 0x80) {
            cp = 0xFFFD;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += length;
    }
    return out;
}

namespace {

bool IsAscii(const std::string &text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

#if defined(_WIN32)

namespace {

// MultiByteToWideChar with MB_ERR_INVALID_CHARS refuses ill-formed input; false then.
bool ToWide(UINT codePage, const std::string &text, std::wstring &wide)
{
    if (text.size() > static_cast<size_t>(INT_MAX))
        return false;
    const int length = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (units <= 0)
        return false;
    wide.resize(static_cast<size_t>(units));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), units) == units;
}

} // namespace

bool IsUtf8(const std::string &text)
{
    std::wstring wide;
    return IsAscii(text) || ToWide(CP_UTF8, text, wide);
}

bool Cp932ToUtf8(const std::string &text, std::string &utf8)
{
    std::wstring wide;
    if (IsAscii(text)) {
        utf8 = text;
        return true;
    }
    if (!ToWide(932, text, wide))
        return false;
    const int units = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return false;
    utf8.resize(static_cast<size_t>(size));
    return WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, utf8.data(), size, nullptr, nullptr) == size;
}

std::string NarrowCodePage() { return "CP" + std::to_string(GetACP()); }

std::string Utf16ToNarrow(const std::u16string &utf16)
{
    // No best fit: a character the code page cannot hold becomes '?' (as "é" does on a Japanese
    // system), never a look-alike. UTF-8 as the ANSI code page takes neither the flag nor a default.
    const UINT codePage = GetACP();
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const auto *wide = reinterpret_cast<const wchar_t *>(utf16.data());
    std::string out;
    out.reserve(utf16.size() * 2);
    // One character (one or two UTF-16 units) at a time, so that each unmappable one is one '?'.
    for (size_t i = 0; i < utf16.size();) {
        const int units = StartsSurrogatePair(utf16, i) ? 2 : 1;
        char buffer[16];
        BOOL usedDefault = FALSE;
        const int size = WideCharToMultiByte(codePage, flags, wide + i, units, buffer, sizeof buffer,
                                             utf8 ? nullptr : "?", utf8 ? nullptr : &usedDefault);
        if (size <= 0 || usedDefault)
            out += '?';
        else
            out.append(buffer, static_cast<size_t>(size));
        i += static_cast<size_t>(units);
    }
    return out;
}

#else

namespace {

// The whole text through iconv in one call; false when iconv refuses any of it.
bool ConvertWhole(const char *to, const char *from, const std::string &text, std::string &out, size_t growth)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.resize(text.size() * growth + 4);
    char *in = const_cast<char *>(text.data());
    size_t inLeft = text.size();
    char *outPtr = out.data();
    size_t outLeft = out.size();
    const bool converted = iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && inLeft == 0;
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return converted;
}

} // namespace

bool IsUtf8(const std::string &text)
{
    std::string wide;
    return IsAscii(text) || ConvertWhole("UTF-16LE", "UTF-8", text, wide, 2);
}

bool Cp932ToUtf8(const std::string &text, std::string &utf8)
{
    // A byte of code page 932 (a half-width kana) can take three in UTF-8.
    return ConvertWhole("UTF-8", "CP932", text, utf8, 3);
}

std::string NarrowCodePage()
{
    const char *name = std::getenv(kNarrowCodePageVariable);
    return name && *name ? name : kDefaultNarrowCodePage;
}

std::string Utf16ToNarrow(const std::u16string &utf16)
{
    std::string out;
    iconv_t cd = iconv_open(NarrowCodePage().c_str(), "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // An unknown code page: keep ASCII, mark the rest.
        for (char16_t c : utf16)
            if (c < 0xDC00 || c > 0xDFFF)
                out += c < 0x80 ? static_cast<char>(c) : '?';
        return out;
    }
    // One character (one or two UTF-16 units) at a time, so that an unmappable one becomes '?'.
    for (size_t i = 0; i < utf16.size();) {
        const size_t units = StartsSurrogatePair(utf16, i) ? 2 : 1;
        unsigned char in[4];
        for (size_t k = 0; k < units; ++k) {
            in[2 * k] = static_cast<unsigned char>(utf16[i + k] & 0xFF);
            in[2 * k + 1] = static_cast<unsigned char>(utf16[i + k] >> 8);
        }
        char buffer[16];
        char *inPtr = reinterpret_cast<char *>(in);
        size_t inLeft = units * 2;
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            out += '?';
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else {
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
        }
        i += units;
    }
    iconv_close(cd);
    return out;
}

#endif
