// frame_guides.h: composition guides, safe areas and delivery aspect presets of a frame.
#ifndef ZK_CAMERAFRAME_FRAME_GUIDES_H
#define ZK_CAMERAFRAME_FRAME_GUIDES_H

#include "frame_list.h"

#include <vector>

// A straight guide line from (u0, v0) to (u1, v1) in the frame's unit square.
struct GuideSegment {
    double u0, v0, u1, v1;
};

// Every line of the frame's guides and safe rectangles, in the frame's unit square: thirds and the
// golden section as two vertical and two horizontal lines each, the centre cross as two short lines
// through the centre, the diagonals corner to corner, each safe area as the four sides of a
// rectangle centred in the frame.
std::vector<GuideSegment> FrameGuideSegments(const FrameGuides &guides);

// The delivery aspects offered by the frame panel's Preset popup.
struct AspectPreset {
    const char *label; // the same in both languages
    double aspect;
};
constexpr int kAspectPresetCount = 8;
const AspectPreset &AspectPresetAt(int index);

// Sets the frame's aspect to a preset's and keeps its width, or keeps its height instead when the
// new height would not fit the camera's resHeight; the pixel margins follow when the frame has a
// camera. False when the index names no preset.
bool ApplyAspectPreset(FrameRecord &frame, int index, int resHeight);

// The width in pixels of a guide line burnt into a render.
constexpr double kGuideLineWidth = 1.0;

#endif
