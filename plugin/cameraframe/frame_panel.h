// frame_panel.h: the options panel of ZK:CameraFrame (the MasterInterface server).
//
// A non-modal panel in which the user creates, selects, edits and deletes frames, sets the
// combined-frame shading and switches the frame edit tool on and off. The panel object belongs to
// the master instance and is destroyed with it; closing the host window keeps it.
#ifndef ZK_CAMERAFRAME_FRAME_PANEL_H
#define ZK_CAMERAFRAME_FRAME_PANEL_H

#include "frame_list.h"

// Control ids of the panel, also the indexes of the label table.
enum FramePanelId : int {
    kIdCreate = 0,
    kIdDelete = 1,
    kIdEditSeparator = 2,
    kIdEditOn = 3,
    kIdEditOff = 4,
    kIdCombined = 5,
    kIdCombinedPick = 6,
    kIdCombinedColor = 7,
    kIdCombinedTransparency = 8,
    kIdFrameSeparator = 9,
    kIdFrame = 10,
    kIdName = 11,
    kIdActive = 12,
    kIdCamera = 13,
    kIdPosX = 14,
    kIdPosY = 15,
    kIdCalc = 16,
    kIdWidth = 17,
    kIdHeight = 18,
    kIdAspect = 19,
    kIdRotate = 20,
    kIdMarginWPercent = 21,
    kIdMarginHPercent = 22,
    kIdMarginWPixels = 23,
    kIdMarginHPixels = 24,
    kIdColorPick = 25,
    kIdColor = 26,
    kIdTransparency = 27,
    kIdMemo = 28,
    kIdFocal = 29,
    // Below the frame fields: aspect presets, composition guides and safe areas of the frame.
    kIdGuideSeparator = 30,
    kIdPreset = 31,
    kIdThirds = 32,
    kIdGolden = 33,
    kIdCross = 34,
    kIdDiagonals = 35,
    kIdGuideOpacity = 36,
    kIdTitleSafe = 37,
    kIdTitleSafePercent = 38,
    kIdActionSafe = 39,
    kIdActionSafePercent = 40,
    kIdBurnGuides = 41,
    kFramePanelControls = 42,
};

// The options callback of the interface record: opens (or raises) the panel of the instance.
LWError OpenFramePanel(LWInstance instance);

// Fills the panel's controls from the data again, when the instance has a panel (the tool calls
// it while dragging).
void RefillFramePanel(CameraFrameState &state);

#endif
