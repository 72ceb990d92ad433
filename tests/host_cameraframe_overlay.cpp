// The ZK:CameraFrame gizmo through the module file: draw calls over camera viewports, combined
// shading with its per-viewport mask cache, and the dirty report.
#include "cameraframe_blocks.h"
#include "module_fixture.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

class CameraFrameOverlay : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        camera = host.scene.AddCamera("Camera", 1920, 1080, 35.0).id;
        other = host.scene.AddCamera("Other", 1920, 1080, 50.0).id;
        host.scene.viewports.push_back({LVVIEWT_CAMERA, camera, 0, 0, 1000, 1000});
        host.scene.viewports.push_back({LVVIEWT_PERSPECTIVE, 0, 0, 0, 1000, 1000});
        host.scene.viewports.push_back({LVVIEWT_CAMERA, camera, 0, 0, 1000, 1000});
        master = host.AddMaster("ZK:CameraFrame");
        ASSERT_NE(master, nullptr);
    }

    void Load(const zkh::Block &block) { ASSERT_EQ(LoadMasterBlock(*master, block), nullptr); }

    std::string Draw(int view)
    {
        zkh::DrawRecorder recorder(view);
        host.DrawViewport(view, recorder);
        return recorder.Describe();
    }

    std::vector<zkh::DrawCall> Calls(int view)
    {
        zkh::DrawRecorder recorder(view);
        host.DrawViewport(view, recorder);
        return recorder.calls;
    }

    std::uint32_t camera = 0, other = 0;
    zkh::MasterInstance *master = nullptr;
};

TEST_F(CameraFrameOverlay, OneFrameInOrder)
{
    // 1000 x 1000 viewport, 1920 x 1080 camera: shown 1000 x 562.5, 0.5208333 viewport pixels per
    // camera pixel. A 960 x 540 frame centred, margins 10 %.
    TestFrame f;
    f.camera = camera;
    f.width = 960;
    f.aspect = 960.0 / 540.0;
    f.r = 1;
    f.transparency = 0.5;
    f.memo = "memo";
    f.focal = 1;
    Load(FrameBlock({f}));
    const std::vector<zkh::DrawCall> calls = Calls(0);
    std::vector<std::string> kinds;
    for (const auto &call : calls)
        kinds.push_back(zkh::DrawKindName(call.kind));
    const std::vector<std::string> expected = {"DrawMode", "Pattern", "Color", "Quad", "Quad", "Quad", "Quad",
                                               "Color", "Text", "Color", "Text"};
    ASSERT_EQ(kinds, expected);
    EXPECT_EQ(calls[0].size, 0);
    EXPECT_EQ(calls[1].size, LWLPAT_SOLID);
    EXPECT_EQ(calls[2].rgba, (std::array<float, 4>{1, 0, 0, 0.5f}));
    // Top strip: unit [-0.05, 1.05] x [-0.05, 0]: camera x -528..528, y -297..-270 (the stored
    // float aspect makes the height 540 within 1e-4).
    const double s = 1000.0 / 1920.0;
    const auto &top = calls[3].points;
    EXPECT_NEAR(top[0][0], 500 - 528 * s, 1e-3);
    EXPECT_NEAR(top[0][1], 500 - 297 * s, 1e-3);
    EXPECT_DOUBLE_EQ(top[0][2], 0.001);
    EXPECT_NEAR(top[2][0], 500 + 528 * s, 1e-3);
    EXPECT_NEAR(top[2][1], 500 - 270 * s, 1e-3);
    EXPECT_EQ(calls[3].csys, LWCSYS_VIEWPORT);
    // Right strip: [1, 1.05] x [0, 1].
    EXPECT_NEAR(calls[6].points[0][0], 500 + 480 * s, 1e-3);
    EXPECT_NEAR(calls[6].points[2][0], 500 + 528 * s, 1e-3);
    EXPECT_NEAR(calls[6].points[2][1], 500 + 270 * s, 1e-3);
    // Memo left-justified at (0, 1 + 0.035), focal length centred at (0.5, 1.035), in grey.
    EXPECT_EQ(calls[7].rgba, (std::array<float, 4>{0.7f, 0.7f, 0.7f, 1.0f}));
    EXPECT_EQ(calls[8].text, "memo");
    EXPECT_EQ(calls[8].justify, LWJUST_LEFT);
    EXPECT_NEAR(calls[8].points[0][0], 500 - 480 * s, 1e-3);
    EXPECT_NEAR(calls[8].points[0][1], 500 + (270 + 0.035 * 540) * s, 1e-3);
    EXPECT_EQ(calls[10].text, "  35.0mm");
    EXPECT_EQ(calls[10].justify, LWJUST_CENTER);
    EXPECT_NEAR(calls[10].points[0][0], 500, 1e-9);

    // The focal length follows the current time.
    host.scene.Find(camera)->focalKeys = {{0.0, 35.0}, {1.0, 85.0}};
    host.scene.time = 0.5;
    EXPECT_EQ(Calls(0)[10].text, "  60.0mm");
}

TEST_F(CameraFrameOverlay, NothingInOtherViewsOrForOtherFrames)
{
    TestFrame inactive;
    inactive.camera = camera;
    inactive.active = 0;
    TestFrame elsewhere;
    elsewhere.camera = other;
    Load(FrameBlock({inactive, elsewhere}));
    EXPECT_EQ(Draw(0), "");
    TestFrame f;
    f.camera = camera;
    Load(FrameBlock({f}));
    EXPECT_EQ(Draw(1), "");  // perspective view
    EXPECT_EQ(Draw(7), "");  // no such viewport
    EXPECT_NE(Draw(0), "");
}

TEST_F(CameraFrameOverlay, ZeroMarginsAndTransparencyOne)
{
    TestFrame f;
    f.camera = camera;
    f.marginW = 0;
    f.marginH = 0;
    f.transparency = 1;
    f.memo = "still shown";
    Load(FrameBlock({f}));
    const auto calls = Calls(0);
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[2].rgba[3], 0.0f);
    EXPECT_EQ(zkh::DrawKindName(calls[3].kind), std::string("Color"));
    EXPECT_EQ(calls[4].text, "still shown");
}

TEST_F(CameraFrameOverlay, MemoInTheNarrowCodePage)
{
    TestFrame f;
    f.camera = camera;
    f.memo = "メモ€";
    Load(FrameBlock({f}));
    // Each code page this system can run on: any on Linux, the process's own on Windows.
    bool checked = false;
    if (host.SetNarrowCodePage("CP932")) {
        EXPECT_EQ(Calls(0).back().text, "\x83\x81\x83\x82?");
        checked = true;
    }
    if (host.SetNarrowCodePage("CP1252")) {
        EXPECT_EQ(Calls(0).back().text, "??\x80");
        checked = true;
    }
    if (host.SetNarrowCodePage("UTF-8")) {
        EXPECT_EQ(Calls(0).back().text, "メモ€");
        checked = true;
    }
    if (!checked)
        GTEST_SKIP() << "the system's code page is " << host.NarrowCodePage();
}

TEST_F(CameraFrameOverlay, CombinedShadingWithAMaskPerViewport)
{
    TestFrame f;
    f.camera = camera;
    f.width = 960;
    f.aspect = 960.0 / 540.0;
    TestScene s;
    s.combined = 1;
    s.b = 1;
    s.transparency = 0.25;
    Load(FrameBlock({f}, s));
    const auto calls = Calls(0);
    std::vector<std::string> kinds;
    for (const auto &call : calls)
        kinds.push_back(zkh::DrawKindName(call.kind));
    ASSERT_EQ(kinds, (std::vector<std::string>{"DrawMode", "Pattern", "Color", "Texture", "UVs", "Quad"}));
    EXPECT_EQ(calls[2].rgba, (std::array<float, 4>{0, 0, 1, 0.75f}));
    EXPECT_EQ(calls[3].size, 1024);
    EXPECT_EQ(calls[4].uvs, (std::array<std::array<double, 2>, 4>{{{0, 0}, {0, 1}, {1, 1}, {1, 0}}}));
    EXPECT_EQ(calls[5].points[2], (std::array<double, 3>{1000, 1000, 0}));
    // Texture stored transposed: texel (row x, column y) holds mask (x, y). The frame spans
    // viewport x 250..750 and y 359.4..640.6, i.e. mask x 256..768, y 368..656.
    const auto &tex = calls[3].texture;
    auto alpha = [&](int x, int y) { return tex[(static_cast<size_t>(x) * 1024 + y) * 4 + 3]; };
    EXPECT_EQ(alpha(512, 512), 0);
    EXPECT_EQ(alpha(300, 400), 0);
    EXPECT_EQ(alpha(100, 512), 255);
    EXPECT_EQ(alpha(512, 100), 255);
    EXPECT_EQ(alpha(512, 700), 255);
    EXPECT_EQ(alpha(800, 512), 255);
    EXPECT_EQ(tex[0], 255);
    EXPECT_EQ(tex[1], 255);
}

} // namespace

namespace {

// The mask follows everything its mapping depends on: a change of the camera's resolution builds
// it again, as a fresh build for the new resolution would be.
TEST_F(CameraFrameOverlay, CombinedMaskFollowsTheCameraResolution)
{
    TestFrame f;
    f.camera = camera;
    f.width = 600;
    f.aspect = 600.0 / 338.0;
    TestScene s;
    s.combined = 1;
    Load(FrameBlock({f}, s));
    const auto transparent = [this](int view) {
        for (const auto &call : Calls(view))
            if (call.kind == zkh::DrawCall::Kind::Texture) {
                int count = 0;
                for (size_t i = 3; i < call.texture.size(); i += 4)
                    count += call.texture[i] == 0;
                return count;
            }
        return -1;
    };
    const int before = transparent(0);
    ASSERT_GT(before, 0);
    host.scene.Find(camera)->resolutionW = 3840;
    host.scene.Find(camera)->resolutionH = 2160;
    const int after = transparent(0);
    EXPECT_EQ(after, transparent(2)); // viewport 2, never drawn before: a fresh build
    EXPECT_NEAR(after, before / 4, before / 100);
}

// A viewport or camera that reports no size is shown as the fallback 640 x 360 camera view.
TEST_F(CameraFrameOverlay, ViewsWithoutASizeUseTheFallbackCameraView)
{
    TestFrame f;
    f.camera = camera;
    f.width = 960;
    f.aspect = 960.0 / 540.0;
    Load(FrameBlock({f}));
    host.scene.viewports[0].width = 0;
    host.scene.viewports[0].height = 0;
    // 640 x 360 showing 1920 x 1080: a third of a viewport pixel per camera pixel.
    std::vector<zkh::DrawCall> calls = Calls(0);
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[3].kind, zkh::DrawCall::Kind::Quad);
    EXPECT_NEAR(calls[3].points[0][0], 320 - 528 / 3.0, 1e-3);
    EXPECT_NEAR(calls[3].points[0][1], 180 - 297 / 3.0, 1e-3);

    // A camera without a size: one viewport pixel per camera pixel, centred in the viewport.
    host.scene.viewports[0].width = 1000;
    host.scene.viewports[0].height = 1000;
    host.scene.Find(camera)->resolutionW = 0;
    host.scene.Find(camera)->resolutionH = 0;
    calls = Calls(0);
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[3].kind, zkh::DrawCall::Kind::Quad);
    EXPECT_NEAR(calls[3].points[0][0], 500 - 528, 1e-3);
    EXPECT_NEAR(calls[3].points[0][1], 500 - 297, 1e-3);
}

TEST_F(CameraFrameOverlay, DirtyReportsOnceAfterAChange)
{
    EXPECT_FALSE(host.GizmosDirty());
    TestFrame f;
    f.camera = camera;
    Load(FrameBlock({f, f}));
    EXPECT_TRUE(host.GizmosDirty());
    EXPECT_FALSE(host.GizmosDirty());
}

} // namespace

namespace {

TEST_F(CameraFrameOverlay, ZeroSizedFrameFromADamagedSceneDrawsNoShape)
{
    TestFrame f;
    f.camera = camera;
    f.width = 0;
    f.memo = "m";
    Load(FrameBlock({f}));
    const auto calls = Calls(0);
    for (const auto &call : calls)
        for (const auto &p : call.points)
            EXPECT_TRUE(std::isfinite(p[0]) && std::isfinite(p[1])) << zkh::DrawKindName(call.kind);
    EXPECT_TRUE(zkh::RasterizeToPng(calls, 1000, 1000, modulePath + ".png"));
    std::remove((modulePath + ".png").c_str());
}

} // namespace

namespace {

// A frame 1e12 pixels away: the combined mask is built over the mask only (nothing inside any
// frame), and the single frames' shapes paint into a viewport picture without walking their bounds.
TEST_F(CameraFrameOverlay, FrameFarOutsideTheViewport)
{
    TestFrame f;
    f.camera = camera;
    f.posY = 1e12;
    TestScene s;
    s.combined = 1;
    Load(FrameBlock({f}, s));
    const auto calls = Calls(0);
    ASSERT_EQ(calls.size(), 6u);
    const auto &tex = calls[3].texture;
    for (size_t i = 3; i < tex.size(); i += 4)
        ASSERT_EQ(tex[i], 255) << i;

    f.posX = -1e12;
    f.posY = 0;
    f.marginW = 1e10;
    Load(FrameBlock({f}));
    const auto single = Calls(0);
    EXPECT_TRUE(zkh::RasterizeToPng(single, 1000, 1000, modulePath + ".png"));
    std::remove((modulePath + ".png").c_str());
}

} // namespace
