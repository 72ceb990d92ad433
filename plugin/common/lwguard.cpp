// lwguard.cpp: the report of a failure caught at the host boundary.
#include "lwguard.h"

#include "lwglobals.h"
#include "lwtool2.h"

void ReportFault(const std::string &what) noexcept
{
    try {
        LWCommandFunc *command = g_hostGlobals.commandFunc ? g_hostGlobals.commandFunc : ToolGlobals::commandFunc;
        if (command)
            command(("StatusMsg *** ERROR: " + OneLine(what) + " ***").c_str());
    } catch (...) {
        // Nothing more can be said.
    }
}
