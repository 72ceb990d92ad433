// morphconsolidate_servers.cpp: the ZK:MorphConsolidate generic command, run inside its activation.
#include "morphconsolidate_servers.h"

#include "../common/lwglobals.h"
#include "../common/lwguard.h"
#include "consolidate_panel.h"
#include "morph_channels.h"
#include "morph_link.h"

const char kMorphConsolidateServerName[] = "ZK:MorphConsolidate";

namespace {
constexpr int kGenericVersion = 7;
constexpr int kOpenFlags = PANF_BLOCKING | PANF_CANCEL; // 3: blocking, with OK and Cancel
} // namespace

int ActivateMorphConsolidate(int version, GlobalFunc *global, void *, void *)
{
    return GuardedOr(AFUNC_OK, [&] {
        if (version != kGenericVersion)
            return AFUNC_BADVERSION;
        // The command keeps its own set of services and never touches the shared table.
        if (!AcquireToolGlobals(global))
            return AFUNC_BADGLOBAL;
        ConsolidateState &state = UseConsolidateState();
        // A host whose panel service lacks a function gets no panel, and nothing is sent.
        if (!PanelServiceUsable(ToolGlobals::panelFuncs))
            return AFUNC_OK;
        if (!state.panel)
            BuildPanel(state);
        if (!state.panel)
            return AFUNC_OK;
        state.itemList = ListSceneItems();
        state.removed = false;
        const int confirmed = ToolGlobals::panelFuncs->open(state.panel, kOpenFlags);
        // The remove button closed the panel from inside the open: it is destroyed now that the open
        // returned, and the run ends there, whatever the open answered.
        if (state.removed) {
            DestroyPanel(state);
            state.removed = false;
            return AFUNC_OK;
        }
        if (confirmed == 0)
            return AFUNC_OK;
        const int itemIndex = ItemPopupValue(state);
        try {
            CreateConsolidation(state, itemIndex);
        } catch (const lw::ex::CBaseEx &) {
            // Already on the status line (ShowError); the host gets a normal end of the command.
        }
        return AFUNC_OK;
    });
}
