// frame_guides.cpp: the lines of a frame's composition guides and safe areas, and aspect presets.
#include "frame_guides.h"

#include "frame_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

// 1 / golden ratio squared: the golden section divides a side at 0.382 and 0.618.
constexpr double kGoldenMinor = 0.38196601125010515;
// Half the length of each arm of the centre cross, as a fraction of the frame's side.
constexpr double kCrossArm = 0.05;

const AspectPreset kPresets[kAspectPresetCount] = {
    {"2.39:1", 2.39}, {"2:1", 2.0},    {"1.85:1", 1.85}, {"16:9", 16.0 / 9.0},
    {"4:3", 4.0 / 3.0}, {"1:1", 1.0}, {"4:5", 0.8},     {"9:16", 9.0 / 16.0},
};

void AddDivisions(std::vector<GuideSegment> &out, double at)
{
    for (double d : {at, 1.0 - at}) {
        out.push_back({d, 0.0, d, 1.0});
        out.push_back({0.0, d, 1.0, d});
    }
}

void AddRectangle(std::vector<GuideSegment> &out, double percent)
{
    const double size = std::clamp(percent, 0.0, 100.0) / 100.0;
    const double a = (1.0 - size) / 2.0, b = 1.0 - a;
    out.push_back({a, a, b, a});
    out.push_back({b, a, b, b});
    out.push_back({b, b, a, b});
    out.push_back({a, b, a, a});
}

} // namespace

std::vector<GuideSegment> FrameGuideSegments(const FrameGuides &guides)
{
    std::vector<GuideSegment> out;
    if (guides.kinds & GuideThirds)
        AddDivisions(out, 1.0 / 3.0);
    if (guides.kinds & GuideGolden)
        AddDivisions(out, kGoldenMinor);
    if (guides.kinds & GuideCross) {
        out.push_back({0.5 - kCrossArm, 0.5, 0.5 + kCrossArm, 0.5});
        out.push_back({0.5, 0.5 - kCrossArm, 0.5, 0.5 + kCrossArm});
    }
    if (guides.kinds & GuideDiagonals) {
        out.push_back({0.0, 0.0, 1.0, 1.0});
        out.push_back({1.0, 0.0, 0.0, 1.0});
    }
    if (guides.titleSafe)
        AddRectangle(out, guides.titleSafePercent);
    if (guides.actionSafe)
        AddRectangle(out, guides.actionSafePercent);
    return out;
}

const AspectPreset &AspectPresetAt(int index) { return kPresets[std::clamp(index, 0, kAspectPresetCount - 1)]; }

bool ApplyAspectPreset(FrameRecord &frame, int index, int resHeight)
{
    if (index < 0 || index >= kAspectPresetCount)
        return false;
    const double aspect = kPresets[index].aspect;
    // As the Frame Calc does: the kept side stays, the other is derived from the aspect.
    const double height = frame.width / aspect;
    if (frame.camera && resHeight > 0 && height > resHeight)
        frame.width = frame.height * aspect;
    else
        frame.height = height;
    frame.aspect = aspect;
    if (frame.camera)
        PixelsFromPercent(frame);
    return true;
}
