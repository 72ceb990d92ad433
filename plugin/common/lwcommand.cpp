// lwcommand.cpp: command lines, status messages and the interface info refresh.
#include "lwcodepage.h"
#include "lwtool2.h"

#include <cstdarg>

namespace {

// "LW Command Interface 2" takes the line as it is, in UTF-8; the legacy function takes the
// system's code page, into which the line is converted. 0 without either.
int RunCommand(const LWCommandInterface *modern, LWCommandFunc *legacy, const std::string &line)
{
    if (modern && modern->evaluate)
        return modern->evaluate(modern->data, line.c_str());
    return legacy ? legacy(Utf8ToNarrow(line).c_str()) : 0;
}

} // namespace

bool HasHostCommands() { return g_hostGlobals.commandInterface || g_hostGlobals.commandFunc; }

int RunHostCommand(const std::string &line)
{
    return RunCommand(g_hostGlobals.commandInterface, g_hostGlobals.commandFunc, line);
}

int RunToolCommand(const std::string &line)
{
    return RunCommand(ToolGlobals::commandInterface, ToolGlobals::commandFunc, line);
}

void PostStatus(const std::string &text) { RunHostCommand("StatusMsg {1.0} " + text); }

void SendCommand(const std::string &command) { RunHostCommand(command); }

void ShowError(const std::string &text) { RunToolCommand("StatusMsg *** ERROR: " + text + " ***"); }

bool Eval(const std::string &command)
{
    if (command.empty()) {
        const std::string message = "eval( \"\" )";
        ShowError(message);
        throw lw::ex::CEvalEx(message);
    }
    const int result = RunToolCommand(command);
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
    void *table = ToolGlobals::global ? ToolGlobals::global(LWINTERFACEINFO_GLOBAL, GFUSE_TRANSIENT) : nullptr;
    ToolGlobals::interfaceInfo = static_cast<const LWInterfaceInfo *>(table);
    if (!table) {
        const std::string message = "g_global( LWINTERFACEINFO_GLOBAL, GFUSE_TRANSIENT )";
        ShowError(message);
        throw lw::ex::CBaseEx(message);
    }
}
