// system_codepage.cpp: the system's narrow code page, as the simulated host sees it. On Windows it
// is the ANSI code page of the process; elsewhere the host names it in ZK_NARROW_CODEPAGE, where
// the plug-ins' conversion reads it.
#include "host.h"

#include "zkplatform/narrow_codepage.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace zkh {

#if defined(_WIN32)

std::string Host::NarrowCodePage() { return "CP" + std::to_string(GetACP()); }

bool Host::SetNarrowCodePage(const std::string &name)
{
    std::string wanted;
    for (char c : name)
        wanted += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (wanted == "UTF-8" || wanted == "UTF8")
        wanted = "CP" + std::to_string(CP_UTF8);
    return wanted == NarrowCodePage();
}

std::string Host::NarrowToUtf8(const std::string &text)
{
    if (text.empty())
        return text;
    const int length = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), units);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

#else

std::string Host::NarrowCodePage()
{
    const char *name = std::getenv(kNarrowCodePageVariable);
    return name && *name ? name : kDefaultNarrowCodePage;
}

bool Host::SetNarrowCodePage(const std::string &name) { return setenv(kNarrowCodePageVariable, name.c_str(), 1) == 0; }

std::string Host::NarrowToUtf8(const std::string &text)
{
    iconv_t cd = iconv_open("UTF-8", NarrowCodePage().c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return text; // a code page iconv does not know: the bytes as they are
    std::string out;
    char *in = const_cast<char *>(text.data());
    size_t inLeft = text.size();
    while (inLeft > 0) {
        char buffer[256];
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            out += "\xEF\xBF\xBD"; // U+FFFD for the byte it cannot read
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

#endif

} // namespace zkh
