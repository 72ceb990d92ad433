// The overlay's grab-zone highlight and its mask cache, with the plug-in linked directly.
#include "cameraframe/frame_list.h"
#include "cameraframe/frame_mask.h"
#include "cameraframe/frame_overlay.h"
#include "common/lwglobals.h"
#include "host.h"

#include <gtest/gtest.h>

namespace {

class OverlayUnit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearFrames();
        g_hostGlobals = HostGlobals{};
        AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
        camera = host.scene.AddCamera("Camera", 1000, 1000, 35.0).id;
        host.scene.viewports.assign(5, {LVVIEWT_CAMERA, camera, 0, 0, 1000, 1000});
        LWMasterGizmo local{&state, &funcs, nullptr};
        FillFrameGizmo(local);
        auto frame = std::make_unique<FrameRecord>();
        frame->camera = zkh::ToItemID(camera);
        frame->width = 400;
        frame->height = 200;
        frame->marginW = 0.1;
        frame->marginH = 0.1;
        FrameRecords records;
        records.push_back(std::move(frame));
        AppendFrames(records);
    }
    void TearDown() override
    {
        ClearFrames();
        g_hostGlobals = HostGlobals{};
    }

    std::vector<zkh::DrawCall> Draw(int view)
    {
        zkh::DrawRecorder recorder(view);
        recorder.Access()->view = view;
        funcs.draw(&state, recorder.Access());
        return std::move(recorder.calls);
    }

    zkh::Host host;
    CameraFrameState state;
    LWGizmoFuncs funcs{};
    std::uint32_t camera = 0;
};

TEST_F(OverlayUnit, HotFrameHighlightAndGrabZones)
{
    FrameAt(0)->hot = true;
    FrameAt(0)->color[1] = 1;
    const auto calls = Draw(0);
    ASSERT_EQ(calls.size(), 2u + 1 + 4 + 1 + 1 + 5);
    EXPECT_EQ(calls[7].rgba, (std::array<float, 4>{0, 1, 0, 0.25f}));
    // Whole frame: camera -200..200 x -100..100 -> viewport 300..700 x 400..600.
    EXPECT_EQ(zkh::DrawKindName(calls[8].kind), std::string("Polygon"));
    EXPECT_EQ(calls[8].indexes, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_DOUBLE_EQ(calls[8].points[0][0], 300);
    EXPECT_DOUBLE_EQ(calls[8].points[2][1], 600);
    // Grab zones of 32 camera pixels: corners 0, 1, 2, 3, then the centre.
    const double expected[5][2] = {{300, 400}, {668, 400}, {668, 568}, {300, 568}, {484, 484}};
    for (int k = 0; k < 5; ++k) {
        const auto &zone = calls[9 + static_cast<size_t>(k)].points;
        EXPECT_NEAR(zone[0][0], expected[k][0], 1e-9) << k;
        EXPECT_NEAR(zone[0][1], expected[k][1], 1e-9) << k;
        EXPECT_NEAR(zone[2][0] - zone[0][0], 32, 1e-9) << k;
    }
}

TEST_F(OverlayUnit, MaskCacheEntryPerViewportRebuiltAfterAMove)
{
    state.combined = true;
    const int before = MaskRebuildCount();
    Draw(0);
    Draw(0);
    EXPECT_EQ(MaskRebuildCount(), before + 1);
    Draw(2);
    Draw(2);
    EXPECT_EQ(MaskRebuildCount(), before + 2);
    // A move invalidates: each viewport rebuilds once.
    FrameAt(0)->posX += 50;
    InvalidateMaskCache();
    Draw(0);
    Draw(2);
    Draw(0);
    EXPECT_EQ(MaskRebuildCount(), before + 4);
    // A resized viewport is rebuilt for its new size.
    host.scene.viewports[0].width = 800;
    Draw(0);
    EXPECT_EQ(MaskRebuildCount(), before + 5);
    // Viewports past the fourth get no shading at all.
    EXPECT_EQ(Draw(4).size(), 2u);
    // Turning the option off draws the bands again.
    state.combined = false;
    EXPECT_EQ(Draw(0).size(), 7u);
}

} // namespace
