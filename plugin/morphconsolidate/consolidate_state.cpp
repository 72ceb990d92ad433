// consolidate_state.cpp: the process-wide state of the morph consolidation command.
#include "consolidate_state.h"

#include "../common/lwtool2.h"
#include "morphconsolidate_servers.h"

#include <memory>

namespace {
std::unique_ptr<ConsolidateState> g_state;
}

ConsolidateState &UseConsolidateState()
{
    if (!g_state) {
        g_state = std::make_unique<ConsolidateState>();
        g_state->title = VersionTitle(kMorphConsolidateServerName, 1, 0);
    }
    return *g_state;
}


void ResetConsolidateState() { g_state.reset(); }
