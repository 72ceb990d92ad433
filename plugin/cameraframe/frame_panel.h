// frame_panel.h: the options panel of ZK:CameraFrame (the MasterInterface server).
//
// A non-modal panel in which the user creates, selects, edits and deletes frames, sets the
// combined-frame shading and switches the frame edit tool on and off. The panel object belongs to
// the master instance and is destroyed with it; closing the host window keeps it.
#ifndef ZK_CAMERAFRAME_FRAME_PANEL_H
#define ZK_CAMERAFRAME_FRAME_PANEL_H

#include "frame_list.h"

#include "zktools/frame_panel_controls.h"

// Control ids of the panel, in the order of the panel's rows (frame_panel_table.cpp): the names
// scripts use are in the shared list.
enum FramePanelId : int {
#define ZK_FRAME_PANEL_ID(name, text) kId##name,
    ZK_FRAME_PANEL_CONTROLS(ZK_FRAME_PANEL_ID)
#undef ZK_FRAME_PANEL_ID
    kFramePanelControls
};

// The options callback of the interface record: opens (or raises) the panel of the instance.
LWError OpenFramePanel(LWInstance instance);

// Fills the panel's controls from the data again, when the instance has a panel (the tool calls
// it while dragging).
void RefillFramePanel(CameraFrameState &state);

#endif
