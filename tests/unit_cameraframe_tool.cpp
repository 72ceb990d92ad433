// The frame edit tool's handle table and position adjustment, linked directly. Drags of the
// corners and the centre, their resizes and size floors, are checked through the module file in
// host_cameraframe_tool.cpp.
#include "cameraframe/frame_list.h"
#include "cameraframe/frame_tool.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

FrameRecord Frame320x180()
{
    FrameRecord f;
    f.width = 320;
    f.height = 180;
    f.aspect = 16.0 / 9.0;
    return f;
}

TEST(FrameToolHandles, CornersBodyAndCentreOfA320x180Frame)
{
    const FrameRecord f = Frame320x180();
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
    FrameRecord r = Frame320x180();
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

} // namespace
