// consolidate_state.h: the morph consolidation command's state kept between runs.
#ifndef ZK_CONSOLIDATE_STATE_H
#define ZK_CONSOLIDATE_STATE_H

#include "lwhost/lwhost.h"

#include <string>
#include <vector>

struct ConsolidateState {
    std::string title;                 // the version title, also the panel's title
    LWPanelID panel = nullptr;         // null until built, and again after a removal
    LWControl *tab = nullptr;          // Create / Remove
    LWControl *border = nullptr;
    LWControl *itemPopup = nullptr;    // the controller item
    LWControl *prefixEdit = nullptr;   // the expression name prefix
    LWControl *removeButton = nullptr; // "Remove Expressions"
    bool removed = false;              // the remove button closed the panel: destroy it once open returns
    std::vector<LWItemID> itemList;    // the entries of the item popup
    std::string prefix = "E_";
    std::string popupName;             // the text last handed to the host by the popup
};

// The one state of the process, created on first use.
ConsolidateState &UseConsolidateState();
// Drops the state (tests start from a clean process state this way).
void ResetConsolidateState();

#endif
