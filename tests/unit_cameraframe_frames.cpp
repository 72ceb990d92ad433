// Frame Calc's arithmetic and the frame edit tool's handle table and position adjustment, linked
// directly. Creation from the camera, copies of the current frame, deletion, margins and the panel's
// edits are checked through the module file in host_cameraframe_panel.cpp; corners in
// host_cameraframe_ring.cpp and the filter's rotated frames; the narrow code pages with the overlay's
// memo in host_cameraframe_overlay.cpp; drags of the corners and the centre, their resizes and size
// floors in host_cameraframe_tool.cpp.
#include "cameraframe/frame_filter.h"
#include "cameraframe/frame_geometry.h"
#include "cameraframe/frame_list.h"
#include "cameraframe/frame_tool.h"
#include "common/lwglobals.h"
#include "filter_image.h"
#include "host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace {

// Frame Calc, one edit after another: the mode, the field entered ('w', 'h' or 'a') and its value,
// then the width, height and aspect after it. With a camera the mode derives the third value (and
// replaces an entry of it); without one the three stay independent. Entered sizes are whole and at
// least 1; entered aspects of 0 or less become 1.0, and are then at least 0.01.
TEST(FrameListTest, FrameCalcInEveryMode)
{
    struct Step {
        std::int32_t mode;
        char field;
        double value, width, height, aspect;
    };
    const std::vector<Step> steps[2] = {{
        // with a camera
        {WidthAspect, 'w', 1000.7, 1000, 500, 2}, {WidthAspect, 'a', 4, 1000, 250, 4},
        {WidthAspect, 'h', 100, 1000, 250, 4},    {WidthHeight, 'h', 400, 1000, 400, 2.5},
        {WidthHeight, 'w', 1200, 1200, 400, 3},   {WidthHeight, 'a', 9, 1200, 400, 3},
        {HeightAspect, 'h', 300, 900, 300, 3},    {HeightAspect, 'a', 2, 600, 300, 2},
        {HeightAspect, 'w', 5000, 600, 300, 2},
    }, {
        // without: the mode derives all the same (the scene keeps width and aspect only)
        {WidthAspect, 'w', 1000, 1000, 500, 2}, {WidthAspect, 'w', 0.4, 1, 0.5, 2},  {WidthAspect, 'h', -20, 1, 0.5, 2},
        {WidthAspect, 'a', 0, 1, 1, 1},         {WidthAspect, 'a', 0.001, 1, 100, 0.01},
        {WidthAspect, 'a', -3, 1, 1, 1},        {WidthAspect, 'a', std::nan(""), 1, 100, 0.01},
    }};
    for (bool camera : {true, false}) {
        FrameRecord f;
        f.camera = camera ? zkh::ToItemID(1) : LWITEM_NULL;
        f.width = camera ? 800 : 320;
        f.height = camera ? 400 : 180;
        f.aspect = 2.0;
        int n = 0;
        for (const Step &step : steps[camera ? 0 : 1]) {
            f.calcMode = step.mode;
            step.field == 'w' ? SetFrameWidth(f, step.value)
                              : step.field == 'h' ? SetFrameHeight(f, step.value) : SetFrameAspect(f, step.value);
            EXPECT_EQ(std::make_tuple(f.width, f.height, f.aspect), std::make_tuple(step.width, step.height, step.aspect))
                << (camera ? "camera" : "loose") << " step " << n++;
        }
    }
}

TEST(FrameToolHandles, CornersBodyAndCentreOfA320x180Frame)
{
    FrameRecord f;
    f.width = 320;
    f.height = 180;
    // Zones: 32 / 320 = 0.1 across, 32 / 180 = 0.1777... down; the centre's 32 x 32 about (0.5, 0.5).
    const std::tuple<double, double, int> cases[] = {
        {0.0, 0.0, 2}, {31.0 / 320, 31.0 / 180, 2}, {33.0 / 320, 31.0 / 180, 1}, {0.95, 0.05, 3}, {0.05, 0.95, 4},
        {0.95, 0.95, 5}, {0.5, 0.5, 6}, {0.5 + 15.0 / 320, 0.5 - 15.0 / 180, 6}, {0.5 + 17.0 / 320, 0.5, 1},
        {0.5, 0.05, 1}, {0.05, 0.5, 1}};
    for (auto [u, v, handle] : cases)
        EXPECT_EQ(FrameHandleAt(f, u, v), handle) << u << "," << v;
}

// Below the size floor the centre moves (by how much is pinned through the module file): the offset
// turns with the frame, and anchors outside the table change nothing.
TEST(FrameToolAdjust, TheOffsetTurnsWithTheFrame)
{
    FrameRecord r;
    r.width = 40;
    r.height = 64;
    r.rotation = 3.14159265358979323846 / 2;
    AdjustFramePosition(r, 40, 64, 1);
    EXPECT_NEAR(r.posX, 0.0, 1e-9);
    EXPECT_NEAR(r.posY, -12.0, 1e-9);
    AdjustFramePosition(r, 40, 64, 0);
    AdjustFramePosition(r, 40, 64, 9);
    EXPECT_NEAR(r.posY, -12.0, 1e-9);
}

// A render through hundreds of frames with every guide burnt in leaves the thread no more than
// 1 MiB of scratch; the render's own memory follows the frames and one row, not the image.
TEST(FrameFilterScratch, GivenBackAfterACrowdedRender)
{
    zkh::Host host;
    AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
    const LWItemID camera = zkh::ToItemID(host.scene.AddCamera("Camera", 200, 100, 35.0).id);
    FrameRecords records;
    for (int i = 0; i < 300; ++i) {
        records.push_back(std::make_unique<FrameRecord>());
        FrameRecord &f = *records.back();
        f.camera = camera;
        f.width = 60 + i % 120;
        f.height = 30 + i % 60;
        f.guides.kinds = GuideThirds | GuideGolden | GuideCross | GuideDiagonals;
        f.guides.titleSafe = f.guides.actionSafe = f.guides.burnIn = true;
    }
    AppendFrames(records);
    zkh::FilterImage image = zkh::TestPlate(200, 100);
    {
        zkh::FilterAccessScope scope(image, 0, zkh::kRenderBuffers);
        EXPECT_EQ(ProcessFrameFilter(nullptr, scope.Access()), nullptr);
    }
    ClearFrames();
    g_hostGlobals = HostGlobals{};
    EXPECT_LE(FrameFilterScratchBytes(), size_t{1} << 20);
}

} // namespace
