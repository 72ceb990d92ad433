// frame_panel_table.h: the controls of the camera frames' panel, one row each.
//
// A row says what a control is (its kind and width), its labels in both languages, where it sits,
// when it is ghosted and, for a control that shows a field of the current frame, how the field is
// shown and how an edit is taken into the frame. The panel builds, labels, places, fills, ghosts
// and dispatches by walking the rows.
#ifndef ZK_CAMERAFRAME_FRAME_PANEL_TABLE_H
#define ZK_CAMERAFRAME_FRAME_PANEL_TABLE_H

#include "frame_list.h"
#include "frame_panel.h"

#include "../common/lwlanguage.h"
#include "../common/lwpanel.h"

#include <memory>

enum class FrameControlKind {
    Button,      // a push button `width` wide
    Separator,   // a border line across the panel
    Bool,        // a check box
    Rgb,         // three colour values
    Percent,     // a percentage field
    FramePopup,  // the frame list
    CameraPopup, // the scene's cameras
    Edit,        // a text field `width` characters wide
    Position,    // a slider from -kFramePositionRange to kFramePositionRange
    Whole,       // a whole-number field
    MiniFloat,   // a number field
    Angle,       // an angle field (radians inside, degrees shown)
    CalcPopup,   // the Frame Calc modes
    PresetPopup, // the aspect presets
};

// Position X and Y sliders: -2000 .. 2000.
constexpr int kFramePositionRange = 2000;

using lwp::lwpanel::CLWctl;

// The controls of the panel, which a row's edit may set again (through CanReset only: a control
// the user is typing into is left alone).
struct FramePanel {
    std::unique_ptr<lwp::lwpanel::CLWwindow> window;
    CLWctl *controls[kFramePanelControls] = {};
};

struct FramePanelRow {
    FramePanelId id;
    FrameControlKind kind;
    int width; // buttons: pixels; text fields: characters; otherwise unused
    const char *english;
    const char *japanese;
    bool beside;         // on the row of the control before it, else on a row of its own
    int ghostedInCalc;   // the Frame Calc mode that leaves this field to be computed, else -1
    // Shows the field of the frame in the control; null for controls that show no frame field.
    void (*show)(CLWctl &control, const FrameRecord &frame);
    // Takes an edit of the control into the frame (with the frame lock held); the control shows
    // what was kept when that differs from what was entered.
    void (*take)(FramePanel &panel, CLWctl &control, FrameRecord &frame);
};

// The row of a control id (kFramePanelControls rows, in id order).
const FramePanelRow &FramePanelRowOf(int id);

// A row's label in a language.
const char *FramePanelLabel(const FramePanelRow &row, UiLanguage language);

// A colour control shows, and is taken into, a 0..1 colour as three bytes.
void ShowRgb(CLWctl &control, const double color[3]);
void TakeRgb(CLWctl &control, double color[3]);

// A percent field's value within 0 .. 100 (a NaN as 0); the field shows what is kept.
double KeptPercent(CLWctl &control);

// The control of the id unless the user is typing into it.
CLWctl *CanReset(FramePanel &panel, int id);

// The scene's cameras in the host's item order.
int CameraCount();
LWItemID CameraAt(int index);

#endif
