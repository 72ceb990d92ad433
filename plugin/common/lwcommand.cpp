// lwcommand.cpp: command lines, status messages and the interface info refresh.
#include "lwtool2.h"

#include <cstdarg>

void PostStatus(const std::string &text)
{
    if (g_hostGlobals.commandFunc)
        g_hostGlobals.commandFunc(("StatusMsg {1.0} " + text).c_str());
}

void SendCommand(const std::string &command)
{
    if (g_hostGlobals.commandFunc)
        g_hostGlobals.commandFunc(command.c_str());
}

void ShowError(const std::string &text)
{
    if (ToolGlobals::commandFunc)
        ToolGlobals::commandFunc(("StatusMsg *** ERROR: " + text + " ***").c_str());
}

bool Eval(const std::string &command)
{
    if (command.empty()) {
        const std::string message = "eval( \"\" )";
        ShowError(message);
        throw lw::ex::CEvalEx(message);
    }
    const int result = ToolGlobals::commandFunc ? ToolGlobals::commandFunc(command.c_str()) : 0;
    if (result != 0)
        return false;
    // The command text goes in as an argument, never as a format, so a "%" in it stays verbatim.
    ShowError(FormatString("eval( \"%s\" ) !(%d)", command.c_str(), result));
    return true;
}

bool EvalF(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string command = VFormatText(format, args);
    va_end(args);
    Eval(command);
    return true;
}

void ShowStatus(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = VFormatText(format, args);
    va_end(args);
    Eval("StatusMsg " + text);
}

void RefreshInterfaceInfo()
{
    void *table = ToolGlobals::global ? ToolGlobals::global("LW Interface Info 8", GFUSE_TRANSIENT) : nullptr;
    ToolGlobals::interfaceInfo = static_cast<const LWInterfaceInfo *>(table);
    if (!table) {
        const std::string message = "g_global( LWINTERFACEINFO_GLOBAL, GFUSE_TRANSIENT )";
        ShowError(message);
        throw lw::ex::CBaseEx(message);
    }
}
