// lwtool2.h: the host bridge shared by the plug-ins.
//
// Formatting, command sending and status messages over the command interface, the file
// requesters, and small shared operations. The HostGlobals family (FormatString, PostStatus,
// SendCommand) serves the camera frames, the clip mixer and the timeline memo; the ToolGlobals
// family (FormatText, Eval, EvalF, ShowStatus, ShowError, RefreshInterfaceInfo) serves the morph
// consolidation command.
#ifndef ZK_LWTOOL2_H
#define ZK_LWTOOL2_H

#include "lwexcept.h"
#include "lwglobals.h"

#include <cstdarg>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#if defined(__GNUC__)
#define ZK_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define ZK_PRINTF(fmt, args)
#endif

// printf-style formatting without length limit.
std::string FormatString(const char *format, ...) ZK_PRINTF(1, 2);

// FormatString over an argument list.
std::string VFormatString(const char *format, va_list args);

// printf-style formatting into at most 511 characters; a longer result is the empty text.
std::string FormatText(const char *format, ...) ZK_PRINTF(1, 2);

// FormatText over an argument list.
std::string VFormatText(const char *format, va_list args);

// One command line (UTF-8) through the command interface of HostGlobals or of ToolGlobals:
// "LW Command Interface 2" when the host serves it, else the legacy function, which takes the line
// in the system's code page. The host's answer (0: failed); 0 without a command interface.
int RunHostCommand(const std::string &line);
int RunToolCommand(const std::string &line);
bool HasHostCommands();

// Sends "StatusMsg {1.0} " + text through HostGlobals; the result is ignored.
void PostStatus(const std::string &text);

// Sends a command line through HostGlobals; a failure is neither reported nor returned.
void SendCommand(const std::string &command);

// Sends a command line through ToolGlobals. True when the host rejected it (and it was reported on
// the status line); raises lw::ex::CEvalEx for an empty command.
bool Eval(const std::string &command);

// Eval of the formatted text; always true.
bool EvalF(const char *format, ...) ZK_PRINTF(1, 2);

// Eval("StatusMsg " + formatted text).
void ShowStatus(const char *format, ...) ZK_PRINTF(1, 2);

// Sends "StatusMsg *** ERROR: " + text + " ***" directly through ToolGlobals; result ignored.
void ShowError(const std::string &text);

// Looks "LW Interface Info 8" up again into ToolGlobals; raises lw::ex::CBaseEx when it is missing.
void RefreshInterfaceInfo();

// The file requesters of "File Request 3"; the empty text when the user cancelled.
std::string RequestLoadFile(const std::string &path, const std::string &title, const std::string &extension);
std::string RequestSaveFile(const std::string &path, const std::string &title, const std::string &extension);

// Tokens of a text separated by runs of space, tab and comma.
std::vector<std::string> SplitTokens(const std::string &text);

// The same tokens one at a time, without copies: the next token at or after `pos` (a view into
// the text), with `pos` moved past it; false when no token is left.
bool NextToken(std::string_view text, size_t &pos, std::string_view &token);

// The largest rectangle with the viewed camera's aspect that fits in the viewport (640 x 360 when
// the viewport or camera has no height).
std::pair<double, double> CameraViewSize(int viewport);

// The camera view size when the viewport or the camera reports none.
constexpr double kFallbackViewWidth = 640.0;
constexpr double kFallbackViewHeight = 360.0;

// The same from sizes already read: a viewport of width x height, a camera of resW x resH.
std::pair<double, double> FitCameraImage(int width, int height, int resW, int resH);

// "%s(%d.%02d)%s" from a server name, a version and " build 250619".
std::string VersionTitle(const char *serverName, int major, int minor);

// A text safe to place in one command line: control characters become spaces.
std::string OneLine(std::string text);

#endif
