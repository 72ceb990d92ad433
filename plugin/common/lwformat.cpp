// lwformat.cpp: printf-style formatting into strings.
#include "lwtool2.h"
#include "zkversion.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

// Formatting buffer, grown as needed and never shrunk. It is a cache only, one per thread, so
// that the ring answer may format while the interface thread does.
thread_local std::vector<char> t_formatBuffer;

} // namespace

std::string VFormatString(const char *format, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0)
        return std::string();
    if (t_formatBuffer.size() < static_cast<size_t>(length) + 1)
        t_formatBuffer.resize(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(t_formatBuffer.data(), t_formatBuffer.size(), format, args);
    return std::string(t_formatBuffer.data());
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
