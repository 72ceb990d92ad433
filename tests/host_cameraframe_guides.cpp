// ZK:CameraFrame composition guides, safe areas and presets through the module file: the lines
// drawn over camera viewports, the strips burnt into renders, the panel fields, and the guide
// sub-block that earlier builds never read.
#include "cameraframe_blocks.h"
#include "filter_image.h"
#include "module_fixture.h"
#include "panels.h"

#include <CImg.h>

#include <cmath>
#include <filesystem>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kThirds = 1, kGolden = 2, kCross = 4, kDiagonals = 8;

class CameraFrameGuides : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        camera = host.scene.AddCamera("Camera", 1920, 1080, 35.0).id;
        small = host.scene.AddCamera("Plate", 200, 100, 35.0).id;
        host.scene.viewports.push_back({LVVIEWT_CAMERA, camera, 0, 0, 1000, 1000});
        master = host.AddMaster("ZK:CameraFrame");
        ASSERT_NE(master, nullptr);
    }

    void Load(const zkh::Block &block) { ASSERT_EQ(LoadMasterBlock(*master, block), nullptr); }

    zkh::Block Block(const std::vector<TestFrame> &frames, const std::vector<TestGuides> &guides)
    {
        zkh::Block block = FrameBlock(frames);
        AddGuideBlock(block, guides);
        return block;
    }

    std::vector<zkh::DrawCall> Lines(int view)
    {
        zkh::DrawRecorder recorder(view);
        host.DrawViewport(view, recorder);
        std::vector<zkh::DrawCall> lines;
        for (const zkh::DrawCall &call : recorder.calls)
            if (call.kind == zkh::DrawCall::Kind::Line)
                lines.push_back(call);
        return lines;
    }

    std::uint32_t camera = 0, small = 0;
    zkh::MasterInstance *master = nullptr;
};

// 1000 x 1000 viewport over a 1920 x 1080 camera: 0.5208333 viewport pixels per camera pixel, the
// image centre at (500, 500). A 960 x 540 frame moved 100 pixels right spans x 302.083..802.083 and
// y 359.375..640.625 in the viewport.
TEST_F(CameraFrameGuides, ViewportLinesOfEachKindOnOffsetAndRotatedFrames)
{
    TestFrame f;
    f.camera = camera;
    f.width = 960;
    f.aspect = 960.0 / 540.0;
    f.posX = 100;
    f.g = 1;
    TestGuides thirds;
    thirds.kinds = kThirds;
    thirds.opacity = 1;
    Load(Block({f}, {thirds}));
    std::vector<zkh::DrawCall> lines = Lines(0);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NEAR(lines[0].points[0][0], 468.75, 1e-4);
    EXPECT_NEAR(lines[0].points[0][1], 359.375, 1e-4);
    EXPECT_NEAR(lines[0].points[1][1], 640.625, 1e-4);
    EXPECT_NEAR(lines[1].points[0][1], 453.125, 1e-4);
    EXPECT_NEAR(lines[2].points[0][0], 635.416666666, 1e-4);
    EXPECT_EQ(lines[0].csys, LWCSYS_VIEWPORT);

    // The picture: the third line is drawn in the frame's colour, a pixel beside it is not.
    zkh::DrawRecorder recorder(0);
    host.DrawViewport(0, recorder);
    const std::string path = (std::filesystem::path(modulePath).parent_path() / "guides-viewport.png").string();
    ASSERT_TRUE(zkh::RasterizeToPng(recorder.calls, 1000, 1000, path, {0, 0, 0}));
    cimg_library::CImg<unsigned char> picture(path.c_str());
    std::filesystem::remove(path);
    EXPECT_EQ(picture(468, 500, 0, 1), 255);
    EXPECT_EQ(picture(480, 500, 0, 1), 0);
    EXPECT_EQ(picture(550, 453, 0, 1), 255);

    // The other kinds: golden section 4 lines, the centre cross 2 short ones, the diagonals 2, the
    // safe areas 4 sides each; at 90 degrees the frame's top-left third point turns with it.
    zkh::Block block = FrameBlock({f});
    TestGuides all;
    all.kinds = kGolden | kCross | kDiagonals;
    all.titleSafe = 1;
    all.actionSafe = 1;
    TestFrame turned = f;
    turned.rotation = kPi / 2;
    TestGuides third;
    third.kinds = kThirds;
    host.RemoveMaster("ZK:CameraFrame");
    master = host.AddMaster("ZK:CameraFrame");
    ASSERT_NE(master, nullptr);
    Load(Block({f, turned}, {all, third}));
    lines = Lines(0);
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
    // A 100 x 50 frame on the 200 x 100 plate spans x 50..150, y 25..75; each guide is a strip one
    // pixel wide about its line.
    TestFrame f;
    f.camera = small;
    f.width = 100;
    f.aspect = 2;
    f.marginW = 0;
    f.marginH = 0;
    f.g = 1;
    f.transparency = 1; // no band: only the guides change the plate
    TestGuides g;
    g.kinds = kThirds | kCross;
    g.opacity = 1;
    Load(Block({f}, {g}));
    auto render = [&] {
        host.scene.renderCamera = small;
        zkh::FilterImage image;
        image.Assign(200, 100, 0, 0, 0, 1);
        EXPECT_TRUE(host.RunImageFilter("ZK:CameraFrame", image, 0));
        return image;
    };
    zkh::FilterImage image = render();
    EXPECT_EQ(image.At(1, 83, 60), 0.0f); // not burnt in unless asked
    g.burnIn = 1;
    host.RemoveMaster("ZK:CameraFrame");
    master = host.AddMaster("ZK:CameraFrame");
    Load(Block({f}, {g}));
    image = render();
    EXPECT_EQ(image.At(1, 83, 60), 1.0f);  // third line x = 83.33
    EXPECT_EQ(image.At(1, 116, 30), 1.0f); // x = 116.67
    EXPECT_EQ(image.At(1, 70, 41), 1.0f);  // y = 41.67
    EXPECT_EQ(image.At(1, 85, 60), 0.0f);
    EXPECT_EQ(image.At(1, 83, 20), 0.0f); // outside the frame
    // The centre cross through (100, 50): arms from 45 % to 55 % of each side, x 95..105 on row 49 and
    // y 47.5..52.5 on column 99.
    EXPECT_EQ(image.At(1, 99, 49), 1.0f);
    EXPECT_EQ(image.At(1, 95, 49), 1.0f);
    EXPECT_EQ(image.At(1, 94, 49), 0.0f);
    EXPECT_EQ(image.At(1, 99, 47), 1.0f);
    EXPECT_EQ(image.At(1, 99, 46), 0.0f);
    EXPECT_EQ(image.At(0, 83, 60), 0.0f);
}

// A 2.39:1 frame on a 16:9 camera: 1745 x 730.13 centred; its 90 % title-safe rectangle spans
// x 174.75..1745.25 and y 211.44..868.56 of the 1920 x 1080 render.
TEST_F(CameraFrameGuides, TitleSafeOfAScopeFrameOnAWideCamera)
{
    TestFrame f;
    f.camera = camera;
    f.width = 1745;
    f.aspect = 2.39;
    f.transparency = 1;
    f.b = 1;
    TestGuides g;
    g.titleSafe = 1;
    g.opacity = 1;
    g.burnIn = 1;
    Load(Block({f}, {g}));
    host.scene.renderCamera = camera;
    zkh::FilterImage image;
    image.Assign(1920, 1080, 0, 0, 0, 1);
    ASSERT_TRUE(host.RunImageFilter("ZK:CameraFrame", image, 0));
    EXPECT_EQ(image.At(2, 960, 211), 1.0f);
    EXPECT_EQ(image.At(2, 960, 868), 1.0f);
    EXPECT_EQ(image.At(2, 174, 540), 1.0f);
    EXPECT_EQ(image.At(2, 1745, 540), 1.0f);
    EXPECT_EQ(image.At(2, 960, 213), 0.0f);
    EXPECT_EQ(image.At(2, 176, 540), 0.0f);
    EXPECT_EQ(image.At(2, 960, 540), 0.0f);
}

TEST_F(CameraFrameGuides, SubBlockRoundTripAndEarlierFormats)
{
    TestFrame f;
    f.name = "Scope";
    f.camera = camera;
    TestGuides g;
    g.kinds = kThirds | kDiagonals;
    g.opacity = 0.25;
    g.titleSafe = 1;
    g.titlePercent = 80;
    g.actionSafe = 1;
    g.actionPercent = 95;
    g.burnIn = 1;
    Load(Block({f, f}, {g, TestGuides()}));
    const zkh::Block saved = SaveMasterBlock(*master);
    // The sub-block after the frame data: one line per value, the second frame without guides.
    const std::vector<std::string> lines = zkh::FormatBlock(saved, "");
    const std::vector<std::string> tail(lines.end() - 17, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"Block 0x47554944 \"FrameGuides\"", "  I4 2", "  I4 9", "  FP 0.25",
                                               "  I4 1", "  FP 80", "  I4 1", "  FP 95", "  I4 1", "  I4 0",
                                               "  FP 0.5", "  I4 0", "  FP 90", "  I4 0", "  FP 93", "  I4 0",
                                               "EndBlock"}));
    EXPECT_EQ(FrameData(saved).size(), saved.size() - 17);

    // The whole block through the scene file: every guide setting comes back.
    const auto path = std::filesystem::path(modulePath).replace_extension(".zks").string();
    ASSERT_TRUE(host.SaveScene(path)) << host.messages.back();
    ASSERT_TRUE(host.LoadScene(path)) << host.messages.back();
    std::filesystem::remove(path);
    master = host.FindMaster("ZK:CameraFrame");
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(zkh::FormatBlock(SaveMasterBlock(*master), ""), lines);

    // What an earlier build reads (the frame data) and an earlier scene (no sub-block): the
    // frames load, with no guides; a damaged sub-block keeps the entries read whole.
    for (const zkh::Block &block : {FrameData(saved), FrameBlock({f, f})}) {
        host.RemoveMaster("ZK:CameraFrame");
        master = host.AddMaster("ZK:CameraFrame");
        Load(block);
        const zkh::Block again = SaveMasterBlock(*master);
        const std::vector<std::string> back = zkh::FormatBlock(again, "");
        EXPECT_EQ(std::vector<std::string>(back.begin() + 2, back.begin() + 3), (std::vector<std::string>{"Str \"Scope\""}));
        EXPECT_EQ(back[back.size() - 15], "  I4 0"); // the first frame's kinds
    }
    zkh::Block damaged = FrameBlock({f, f});
    AddGuideBlock(damaged, {g, g});
    damaged.erase(damaged.end() - 4, damaged.end() - 1); // the second entry loses its last items
    host.RemoveMaster("ZK:CameraFrame");
    master = host.AddMaster("ZK:CameraFrame");
    Load(damaged);
    const std::vector<std::string> back = zkh::FormatBlock(SaveMasterBlock(*master), "");
    EXPECT_EQ(back[back.size() - 15], "  I4 9");
    EXPECT_EQ(back[back.size() - 8], "  I4 0");
}

} // namespace
