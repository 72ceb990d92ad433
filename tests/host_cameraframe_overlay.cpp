// The ZK:CameraFrame gizmo through the module file: draw calls over camera viewports, combined
// shading with its per-viewport mask cache, and the dirty report.
#include "cameraframe_blocks.h"
#include "drawing_raster.h"

#include <cmath>
#include <cstdio>
#include <tuple>

namespace {

using Kind = zkh::DrawCall::Kind;

// Viewport 0 and 2 show "Camera", viewport 1 is a perspective view.
class CameraFrameOverlay : public CameraFrameTest {
protected:
    void SetUp() override
    {
        CameraFrameTest::SetUp();
        host.scene.viewports.push_back({LVVIEWT_PERSPECTIVE, 0, 0, 0, 1000, 1000});
        host.scene.viewports.push_back({LVVIEWT_CAMERA, camera, 0, 0, 1000, 1000});
    }

};

TEST_F(CameraFrameOverlay, OneFrameInOrder)
{
    // 960 x 480 centred at 0.5208333 viewport pixels per camera pixel: x 250..750, y 375..625;
    // its 10 % margins (48 x 24 camera pixels) give the band x 225..775, y 362.5..637.5, drawn as
    // the top, bottom, left and right strips. The memo left-justified and the focal length centred
    // at 0.035 of the height (8.75) below the frame, in grey; solid pattern (0), viewport pixels (3).
    Load(FrameBlock({TestFrame().On(camera).Size(960, 2).Rgb(1, 0, 0).Clear(0.5).Memo("memo", 1)}));
    zkh::DrawRecorder recorder(0);
    host.DrawViewport(0, recorder);
    EXPECT_EQ(recorder.Describe(),
              "DrawMode 0\nPattern 0\nColor 1 0 0 0.5\n"
              "Quad (225,362.5,0.001) (775,362.5,0.001) (775,375,0.001) (225,375,0.001) csys=3\n"
              "Quad (225,625,0.001) (775,625,0.001) (775,637.5,0.001) (225,637.5,0.001) csys=3\n"
              "Quad (225,375,0.001) (250,375,0.001) (250,625,0.001) (225,625,0.001) csys=3\n"
              "Quad (750,375,0.001) (775,375,0.001) (775,625,0.001) (750,625,0.001) csys=3\n"
              "Color 0.7 0.7 0.7 1\nText (250,633.75,0.001) \"memo\" just=0 csys=3\n"
              "Color 0.7 0.7 0.7 1\nText (500,633.75,0.001) \"  35.0mm\" just=1 csys=3\n");

    // The focal length follows the current time.
    zkh::SetFocalKeys(*host.scene.Find(camera), {{0.0, 35.0}, {1.0, 85.0}});
    host.scene.time = 0.5;
    EXPECT_EQ(Calls(0)[10].text, "  60.0mm");
}

TEST_F(CameraFrameOverlay, NothingInOtherViewsOrForOtherFrames)
{
    Master();
    EXPECT_FALSE(host.GizmosDirty());
    TestFrame inactive = HalfFrame();
    inactive.active = 0;
    Load(FrameBlock({inactive, HalfFrame().On(plate)}));
    // The change is reported once.
    EXPECT_EQ(std::vector<bool>({host.GizmosDirty(), host.GizmosDirty()}), std::vector<bool>({true, false}));
    EXPECT_TRUE(Calls(0).empty());
    // Only the camera view: not the perspective view 1, nor a viewport 7 that does not exist.
    Load(FrameBlock({HalfFrame()}));
    EXPECT_EQ(std::vector<bool>({Calls(1).empty(), Calls(7).empty(), Calls(0).empty()}),
              std::vector<bool>({true, true, false}));
}

// Viewport text is UTF-8, as the memo is, whatever the system's code page: on Linux the host sets
// each one, under Wine the process has its own (1252 or 932).
TEST_F(CameraFrameOverlay, ZeroMarginsTransparencyOneAndTheMemoInUtf8)
{
    Load(FrameBlock({HalfFrame().Margins(0, 0).Clear(1).Memo("memo")}));
    const auto calls = Calls(0);
    ASSERT_EQ(Kinds(calls), (std::vector<std::string>{"DrawMode", "Pattern", "Color", "Color", "Text"}));
    EXPECT_EQ(calls[2].rgba[3], 0.0f);
    const std::string memo = "メモ 漢字 é€ \xF0\x9F\x98\x80";
    bool checked = false;
    for (const char *page : {"UTF-8", "CP932", "CP1252"})
        if (host.SetNarrowCodePage(page)) {
            Reload(FrameBlock({HalfFrame().Memo(memo)}));
            EXPECT_EQ(Calls(0).back().text, memo) << page;
            checked = true;
        }
    if (!checked)
        GTEST_SKIP() << "the system's code page is " << host.NarrowCodePage();
}

TEST_F(CameraFrameOverlay, CombinedShadingWithAMaskPerViewport)
{
    Load(FrameBlock({HalfFrame()}, TestScene{1, 0, 0, 1, 0.25}));
    const auto calls = Calls(0);
    ASSERT_EQ(Kinds(calls), (std::vector<std::string>{"DrawMode", "Pattern", "Color", "Texture", "UVs", "Quad"}));
    EXPECT_EQ(calls[2].rgba, (std::array<float, 4>{0, 0, 1, 0.75f}));
    EXPECT_EQ(calls[3].size, 1024);
    EXPECT_EQ(calls[4].uvs, (std::array<std::array<double, 2>, 4>{{{0, 0}, {0, 1}, {1, 1}, {1, 0}}}));
    EXPECT_EQ(calls[5].points[2], (std::array<double, 3>{1000, 1000, 0}));
    // Texture stored transposed: texel (row x, column y) holds mask (x, y). The frame spans mask
    // x 256..768, y 368..656.
    const auto &tex = calls[3].texture;
    auto alpha = [&](int x, int y) { return tex[(static_cast<size_t>(x) * 1024 + y) * 4 + 3]; };
    EXPECT_EQ(std::vector<int>({alpha(512, 512), alpha(300, 400), alpha(100, 512), alpha(512, 100), alpha(512, 700),
                                alpha(800, 512), tex[0], tex[1]}),
              std::vector<int>({0, 0, 255, 255, 255, 255, 255, 255}));
}

// The mask follows everything its mapping depends on: a change of the camera's resolution builds
// it again, as a fresh build for the new resolution would be.
TEST_F(CameraFrameOverlay, CombinedMaskFollowsTheCameraResolutionAndFrameEdits)
{
    Load(FrameBlock({TestFrame().On(camera).Size(600, 600.0 / 338.0)}, TestScene{1}));
    const auto transparent = [this](int view) {
        const auto textures = Calls(view, Kind::Texture);
        int count = textures.empty() ? -1 : 0;
        for (size_t i = 3; !textures.empty() && i < textures[0].texture.size(); i += 4)
            count += textures[0].texture[i] == 0;
        return count;
    };
    const int before = transparent(0);
    ASSERT_GT(before, 0);
    host.scene.Find(camera)->resolutionW = 3840;
    host.scene.Find(camera)->resolutionH = 2160;
    const int after = transparent(0);
    EXPECT_EQ(after, transparent(2)); // viewport 2, never drawn before: a fresh build
    EXPECT_NEAR(after, before / 4, before / 100);
    // The frame made half as wide in the panel, keeping its aspect: the mask is built again.
    Open();
    SetInt(17, 300);
    EXPECT_NEAR(transparent(0), after / 4, after / 40);
}

// A viewport or camera that reports no size is shown as the fallback 640 x 360 camera view (a third of
// a viewport pixel per camera pixel); a camera without a size at one viewport pixel per camera pixel,
// centred in the viewport. The band's top-left corner is 528 x 297 camera pixels from the centre.
TEST_F(CameraFrameOverlay, ViewsWithoutASizeUseTheFallbackCameraView)
{
    Load(FrameBlock({HalfFrame()}));
    for (auto [view, resW, resH, x, y] :
         {std::tuple{0, 1920, 1080, 320 - 528 / 3.0, 180 - 297 / 3.0}, {1000, 0, 0, -28.0, 203.0}}) {
        host.scene.viewports[0].width = view;
        host.scene.viewports[0].height = view;
        host.scene.Find(camera)->resolutionW = resW;
        host.scene.Find(camera)->resolutionH = resH;
        const std::vector<zkh::DrawCall> quads = Calls(0, Kind::Quad);
        ASSERT_FALSE(quads.empty());
        EXPECT_NEAR(quads[0].points[0][0], x, 1e-3) << view;
        EXPECT_NEAR(quads[0].points[0][1], y, 1e-3) << view;
    }
}

// A frame 1e12 pixels away: the combined mask is built over the mask only (nothing inside any
// frame), and the single frames' shapes paint into a viewport picture without walking their bounds,
// as does a zero-sized frame from a damaged scene.
TEST_F(CameraFrameOverlay, FrameFarOutsideTheViewport)
{
    Load(FrameBlock({TestFrame().On(camera).At(0, 1e12)}, TestScene{1}));
    const auto calls = Calls(0);
    ASSERT_EQ(calls.size(), 6u);
    const auto &tex = calls[3].texture;
    for (size_t i = 3; i < tex.size(); i += 4)
        ASSERT_EQ(tex[i], 255) << i;

    Load(FrameBlock({TestFrame().On(camera).At(-1e12, 0).Margins(1e10, 0.1), HalfFrame().Size(0, 2).Memo("m")}));
    for (const auto &call : Calls(0))
        for (const auto &p : call.points)
            EXPECT_TRUE(std::isfinite(p[0]) && std::isfinite(p[1])) << zkh::DrawKindName(call.kind);
    EXPECT_TRUE(zkh::RasterizeToPng(Calls(0), 1000, 1000, modulePath + ".png"));
    std::remove((modulePath + ".png").c_str());
}

} // namespace
