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
    // The 400 x 200 frame spans viewport 300..700 x 400..600, its band (margins 20 x 10) 280..720 x
    // 390..610. Hot: the whole frame in its colour at a quarter, then grab zones of 32 camera pixels:
    // corners 0, 1, 2, 3, then the centre.
    zkh::DrawRecorder recorder(0);
    recorder.calls = Draw(0);
    EXPECT_EQ(recorder.Describe(),
              "DrawMode 0\nPattern 0\nColor 0 1 0 1\n"
              "Quad (280,390,0.001) (720,390,0.001) (720,400,0.001) (280,400,0.001) csys=3\n"
              "Quad (280,600,0.001) (720,600,0.001) (720,610,0.001) (280,610,0.001) csys=3\n"
              "Quad (280,400,0.001) (300,400,0.001) (300,600,0.001) (280,600,0.001) csys=3\n"
              "Quad (700,400,0.001) (720,400,0.001) (720,600,0.001) (700,600,0.001) csys=3\n"
              "Color 0 1 0 0.25\n"
              "Polygon [0,1,2,3] (300,400,0.001) (700,400,0.001) (700,600,0.001) (300,600,0.001) csys=3\n"
              "Polygon [0,1,2,3] (300,400,0.001) (332,400,0.001) (332,432,0.001) (300,432,0.001) csys=3\n"
              "Polygon [0,1,2,3] (668,400,0.001) (700,400,0.001) (700,432,0.001) (668,432,0.001) csys=3\n"
              "Polygon [0,1,2,3] (668,568,0.001) (700,568,0.001) (700,600,0.001) (668,600,0.001) csys=3\n"
              "Polygon [0,1,2,3] (300,568,0.001) (332,568,0.001) (332,600,0.001) (300,600,0.001) csys=3\n"
              "Polygon [0,1,2,3] (484,484,0.001) (516,484,0.001) (516,516,0.001) (484,516,0.001) csys=3\n");
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
