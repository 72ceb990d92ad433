// memo_overlay.h: the memo's strip of rows along the lower edge of a single viewport.
#ifndef ZK_MEMO_OVERLAY_H
#define ZK_MEMO_OVERLAY_H

#include "memo_records.h"

// Recomputed on every draw; kept in one process-wide place.
struct MemoLayout {
    double width = 0.0, height = 0.0; // of the viewport being drawn
    double labelMargin = 147.0;       // left of the time axis
    double rightMargin = 113.0;       // right of the time axis
    double axisWidth = 0.0;           // width - (labelMargin + rightMargin)
    double rowHeight = 16.0;
    double frameWidth = 0.0;          // pixels per frame
    double boxHeight = 14.0;
};

MemoLayout &MemoOverlayLayout();

// What a draw reads from the host.
struct MemoDrawInputs {
    double width = 0.0, height = 0.0;
    double fps = 0.0;
    int frame = 0;
    int previewStart = 0, previewEnd = 0;
};

// Draws the strip with the given inputs (no host lookups).
void DrawMemoStrip(const MemoInstance &instance, const MemoDrawInputs &inputs, LWCustomObjAccess &access);

// The gizmo callbacks: draw looks the host's viewport, scene, time and interface info up afresh
// and draws only while the host shows a single viewport; dirty reports a pending redraw once.
void DrawMemoOverlay(LWInstance inst, LWCustomObjAccess *access);
int MemoGizmoDirty(LWInstance inst);

void FillMemoGizmo(LWMasterGizmo &gizmo);

#endif
