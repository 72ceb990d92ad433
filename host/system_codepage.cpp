// system_codepage.cpp: the system's narrow code page, as the simulated host sees it. On Windows it
// is the ANSI code page of the process; elsewhere the host names it in ZK_NARROW_CODEPAGE, where
// the plug-ins' conversion reads it.
#include "host.h"

#include "zkplatform/narrow_codepage.h"

#include <cctype>
#include <cstdlib>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
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

#else

std::string Host::NarrowCodePage()
{
    const char *name = std::getenv(kNarrowCodePageVariable);
    return name && *name ? name : kDefaultNarrowCodePage;
}

bool Host::SetNarrowCodePage(const std::string &name) { return setenv(kNarrowCodePageVariable, name.c_str(), 1) == 0; }

#endif

} // namespace zkh
