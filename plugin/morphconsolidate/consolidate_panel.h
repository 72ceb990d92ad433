// consolidate_panel.h: the morph consolidation command's panel (classic panel service).
//
// A tab choice (Create / Remove), a separator, the controller item popup and the prefix edit on
// the Create tab, the "Remove Expressions" button on the Remove tab. Built once and kept between
// runs; the remove button closes it, and the command destroys it when its open returns.
#ifndef ZK_CONSOLIDATE_PANEL_H
#define ZK_CONSOLIDATE_PANEL_H

#include "consolidate_state.h"

// The host's panel service has every function the panel uses.
bool PanelServiceUsable(const LWPanelFuncs *funcs);

// Builds the panel into the state; the panel stays null when the host cannot make it.
void BuildPanel(ConsolidateState &state);

// Shows the controls of the chosen tab and redraws the panel.
void UpdateTabs(ConsolidateState &state);

// The item popup's value (0 when there is no popup).
int ItemPopupValue(const ConsolidateState &state);

// Closes and destroys the panel; the state keeps its prefix.
void DestroyPanel(ConsolidateState &state);

#endif
