// lwformat.cpp: printf-style formatting into strings.
#include "lwtool2.h"
#include "zkversion.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

// Most texts formatted fit this; longer ones are measured and formatted again into their string.
constexpr size_t kShortText = 256;

} // namespace

std::string VFormatString(const char *format, va_list args)
{
    va_list again;
    va_copy(again, args);
    char shortText[kShortText];
    const int length = std::vsnprintf(shortText, sizeof shortText, format, args);
    std::string text;
    if (length >= 0 && static_cast<size_t>(length) < sizeof shortText) {
        text.assign(shortText, static_cast<size_t>(length));
    } else if (length >= 0) {
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(&text[0], text.size(), format, again);
        text.resize(static_cast<size_t>(length));
    }
    va_end(again);
    // The text ends at its first NUL, as a C string does (a "%c" of 0 ends it).
    text.resize(std::char_traits<char>::length(text.c_str()));
    return text;
}

std::string FormatString(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = VFormatString(format, args);
    va_end(args);
    return text;
}

std::string VFormatText(const char *format, va_list args)
{
    char buffer[512];
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    // The legacy formatter reports overflow as a negative result: such a text is empty.
    if (length < 0 || length >= static_cast<int>(sizeof buffer))
        return std::string();
    return std::string(buffer);
}

std::string FormatText(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = VFormatText(format, args);
    va_end(args);
    return text;
}

std::string VersionTitle(const char *serverName, int major, int minor)
{
    return FormatString("%s(%d.%02d)%s", serverName, major, minor, " build " ZK_BUILD);
}

std::string OneLine(std::string text)
{
    for (char &c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = ' ';
    return text;
}
