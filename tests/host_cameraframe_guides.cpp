// ZK:CameraFrame composition guides, safe areas and presets through the module file: the lines
// drawn over camera viewports, the strips burnt into renders, and the guide sub-block that
// earlier builds never read. The panel's guide fields are in host_cameraframe_panel.cpp.
#include "cameraframe_blocks.h"
#include "drawing_raster.h"

#include <CImg.h>

#include <filesystem>

namespace {

using CameraFrameGuides = CameraFrameTest;
using Kind = zkh::DrawCall::Kind;

// The half frame moved 100 pixels right spans x 302.083..802.083 and y 359.375..640.625 in the
// viewport.
TEST_F(CameraFrameGuides, ViewportLinesOfEachKindOnOffsetAndRotatedFrames)
{
    const TestFrame f = HalfFrame().At(100, 0).Rgb(0, 1, 0);
    const TestGuides thirds{kThirds, 1};
    Load(FrameBlock({f}, {thirds}));
    std::vector<zkh::DrawCall> lines = Calls(0, Kind::Line);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NEAR(lines[0].points[0][0], 468.75, 1e-4);
    EXPECT_NEAR(lines[0].points[0][1], 359.375, 1e-4);
    EXPECT_NEAR(lines[0].points[1][1], 640.625, 1e-4);
    EXPECT_NEAR(lines[1].points[0][1], 453.125, 1e-4);
    EXPECT_NEAR(lines[2].points[0][0], 635.416666666, 1e-4);
    EXPECT_EQ(lines[0].csys, LWCSYS_VIEWPORT);

    // The picture: the third line is drawn in the frame's colour, a pixel beside it is not.
    const std::string path = (std::filesystem::path(modulePath).parent_path() / "guides-viewport.png").string();
    ASSERT_TRUE(zkh::RasterizeToPng(Calls(0), 1000, 1000, path, {0, 0, 0}));
    cimg_library::CImg<unsigned char> picture(path.c_str());
    std::filesystem::remove(path);
    EXPECT_EQ(picture(468, 500, 0, 1), 255);
    EXPECT_EQ(picture(480, 500, 0, 1), 0);
    EXPECT_EQ(picture(550, 453, 0, 1), 255);

    // The other kinds: golden section 4 lines, the centre cross 2 short ones, the diagonals 2, the
    // safe areas 4 sides each; at 90 degrees the frame's top-left third point turns with it.
    const TestGuides all{kGolden | kCross | kDiagonals, 0.5, 1, 90, 1, 93};
    TestFrame turned = f;
    turned.rotation = 3.14159265358979323846 / 2;
    Reload(FrameBlock({f, turned}, {all, thirds}));
    lines = Calls(0, Kind::Line);
    ASSERT_EQ(lines.size(), 4u + 2 + 2 + 4 + 4 + 4);
    // Golden section at 0.381966 of the width: x = 302.083 + 0.381966 * 500.
    EXPECT_NEAR(lines[0].points[0][0], 302.0833333 + 0.3819660 * 500, 1e-4);
    // The cross: from 0.45 to 0.55 of the width through the centre.
    EXPECT_NEAR(lines[4].points[0][0], 302.0833333 + 0.45 * 500, 1e-4);
    EXPECT_NEAR(lines[4].points[1][0], 302.0833333 + 0.55 * 500, 1e-4);
    EXPECT_NEAR(lines[4].points[0][1], 500, 1e-4);
    // A diagonal from the top-left to the bottom-right corner.
    EXPECT_NEAR(lines[6].points[1][0], 802.0833333, 1e-4);
    EXPECT_NEAR(lines[6].points[1][1], 640.625, 1e-4);
    // Title safe 90 %: its top side at 5 % of the height.
    EXPECT_NEAR(lines[8].points[0][1], 359.375 + 0.05 * 281.25, 1e-4);
    // Rotated frame: the point (1/3, 0) lies at offset (-160, -270), turned to (-270, 160).
    EXPECT_NEAR(lines[16].points[0][0], 552.0833333 - 270 * 0.5208333333, 1e-4);
    EXPECT_NEAR(lines[16].points[0][1], 500 + 160 * 0.5208333333, 1e-4);
}

TEST_F(CameraFrameGuides, BurntIntoRendersOnlyWhenAsked)
{
    // The plate frame without a band (margins 0, transparency 1): only the guides change the
    // render; each guide is a strip one pixel wide about its line.
    host.scene.renderCamera = plate;
    const TestFrame f = PlateFrame().Margins(0, 0).Rgb(0, 1, 0).Clear(1);
    TestGuides g{kThirds | kCross, 1};
    Load(FrameBlock({f}, {g}));
    EXPECT_EQ(Render().At(1, 83, 60), 0.0f); // not burnt in unless asked
    g.burnIn = 1;
    Reload(FrameBlock({f}, {g}));
    const zkh::FilterImage image = Render();
    // Third lines at x = 83.33 and 116.67, y = 41.67; the centre cross through (100, 50) with arms
    // from 45 % to 55 % of each side: x 95..105 on row 49, y 47.5..52.5 on column 99.
    for (auto [x, y, green] : {std::tuple{83, 60, 1.0f}, {116, 30, 1.0f}, {70, 41, 1.0f}, {85, 60, 0.0f},
                               {83, 20, 0.0f}, {99, 49, 1.0f}, {95, 49, 1.0f}, {94, 49, 0.0f}, {99, 47, 1.0f},
                               {99, 46, 0.0f}})
        EXPECT_EQ(image.At(1, x, y), green) << x << "," << y;
    EXPECT_EQ(image.At(0, 83, 60), 0.0f);
}

// A 2.39:1 frame on a 16:9 camera: 1745 x 730.13 centred; its 90 % title-safe rectangle spans
// x 174.75..1745.25 and y 211.44..868.56 of the 1920 x 1080 render.
TEST_F(CameraFrameGuides, TitleSafeOfAScopeFrameOnAWideCamera)
{
    const TestGuides titleSafe{0, 1, 1, 90, 0, 93, 1}; // burnt in
    Load(FrameBlock({TestFrame().On(camera).Size(1745, 2.39).Rgb(0, 0, 1).Clear(1)}, {titleSafe}));
    const zkh::FilterImage image = Render({0, 0, 0, 1}, 0, 1920, 1080);
    for (auto [x, y, blue] : {std::tuple{960, 211, 1.0f}, {960, 868, 1.0f}, {174, 540, 1.0f}, {1745, 540, 1.0f},
                              {960, 213, 0.0f}, {176, 540, 0.0f}, {960, 540, 0.0f}})
        EXPECT_EQ(image.At(2, x, y), blue) << x << "," << y;
}

TEST_F(CameraFrameGuides, SubBlockRoundTripAndEarlierFormats)
{
    const TestFrame f = TestFrame().On(camera).Named("Scope");
    const TestGuides g{kThirds | kDiagonals, 0.25, 1, 80, 1, 95, 1};
    Load(FrameBlock({f, f}, {g, TestGuides()}));
    // The sub-block after the frame data: one line per value, the second frame without guides.
    const std::vector<std::string> lines = Saved(true);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 17, lines.end()),
              (std::vector<std::string>{"{ FrameGuides", "  2", "  9", "  0.25", "  1", "  80", "  1", "  95", "  1",
                                        "  0", "  0.5", "  0", "  90", "  0", "  93", "  0", "}"}));
    const DataLines saved = SaveMasterBlock(Master());

    // The whole block through the scene file: every guide setting comes back.
    ASSERT_TRUE(host.LoadSceneText(host.SceneText(), "guides")) << host.messages.back();
    EXPECT_EQ(Saved(true), lines);

    // What an earlier build reads (the frame data) and an earlier scene (no sub-block): the
    // frames load, with no guides; a damaged sub-block keeps the entries read whole.
    for (const DataLines &block : {FrameData(saved), FrameBlock({f, f})}) {
        Reload(block);
        const std::vector<std::string> back = Saved(true);
        EXPECT_EQ(back[2], "\"Scope\"");
        EXPECT_EQ(back[back.size() - 15], "  0"); // the first frame's kinds
    }
    DataLines damaged = FrameBlock({f, f}, {g, g});
    damaged.erase(damaged.end() - 4, damaged.end() - 1); // the second entry loses its last lines
    Reload(damaged);
    const std::vector<std::string> back = Saved(true);
    EXPECT_EQ(back[back.size() - 15], "  9");
    EXPECT_EQ(back[back.size() - 8], "  0");
}

} // namespace
