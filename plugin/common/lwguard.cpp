// lwguard.cpp: the report of a failure caught at the host boundary.
#include "lwguard.h"

#include "lwglobals.h"
#include "lwtool2.h"

void ReportFault(const std::string &what) noexcept
{
    try {
        const std::string line = "StatusMsg *** ERROR: " + OneLine(what) + " ***";
        if (HasHostCommands())
            RunHostCommand(line);
        else
            RunToolCommand(line);
    } catch (...) {
        // Nothing more can be said.
    }
}
