// The frame list, Frame Calc, margins and corner geometry, with the simulated host's services.
// Creation from the camera, deletion and the panel's edits of them are checked through the module
// file in host_cameraframe_panel.cpp; the corners of unturned frames in host_cameraframe_ring.cpp.
#include "cameraframe/frame_geometry.h"
#include "cameraframe/frame_list.h"
#include "common/lwcodepage.h"
#include "common/lwglobals.h"
#include "host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace {

class FrameListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearFrames();
        g_hostGlobals = HostGlobals{};
        AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
    }
    void TearDown() override
    {
        ClearFrames();
        g_hostGlobals = HostGlobals{};
    }

    zkh::Host host;
    CameraFrameState state;
};

TEST_F(FrameListTest, CreateCopiesTheCurrentFrameButNotNameMemoOrActive)
{
    host.scene.AddCamera("Camera", 1920, 1080, 35.0);
    CreateFrame(state);
    FrameRecord &first = *FrameAt(0);
    first.posX = 12;
    first.posY = -7;
    first.calcMode = HeightAspect;
    first.rotation = 0.5;
    first.color[0] = 0.25;
    first.transparency = 0.4;
    first.showFocalLength = true;
    first.memo = "note";
    first.active = false;
    first.marginH = 0.2;
    CreateFrame(state);
    ASSERT_EQ(FrameCount(), 2);
    const FrameRecord &second = *FrameAt(1);
    EXPECT_EQ(state.currentIndex, 1);
    EXPECT_NE(second.name, first.name);
    EXPECT_EQ(std::make_tuple(second.posX, second.posY, second.rotation, second.color[0], second.transparency,
                              second.marginH, second.width),
              std::make_tuple(12.0, -7.0, 0.5, 0.25, 0.4, 0.2, 1745.0));
    EXPECT_EQ(second.calcMode, HeightAspect);
    EXPECT_TRUE(second.showFocalLength);
    EXPECT_TRUE(second.memo.empty());
    EXPECT_TRUE(second.active);
}

TEST_F(FrameListTest, ListLabels)
{
    for (int i = 0; i < 3; ++i)
        CreateFrame(state);
    FrameAt(2)->name.clear();
    EXPECT_STREQ(FrameListLabel(2), "Frame3");
    EXPECT_EQ(std::string(FrameListLabel(0)), FrameAt(0)->name);
    EXPECT_STREQ(FrameListLabel(3), "");
    EXPECT_STREQ(FrameListLabel(-1), "");
    EXPECT_EQ(FrameAt(-1), nullptr);
}

// Frame Calc, one edit after another: the mode, the field entered ('w', 'h' or 'a') and its value,
// then the width, height and aspect after it. With a camera the mode derives the third value (and
// replaces an entry of it); without one the three stay independent. Entered sizes are whole and at
// least 1; entered aspects of 0 or less become 1.0, and are then at least 0.01.
TEST_F(FrameListTest, FrameCalcInEveryMode)
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
        // without
        {WidthAspect, 'w', 1000, 1000, 180, 2}, {WidthAspect, 'w', 0.4, 1, 180, 2}, {WidthAspect, 'h', -20, 1, 1, 2},
        {WidthAspect, 'a', 0, 1, 1, 1},         {WidthAspect, 'a', 0.001, 1, 1, 0.01},
        {WidthAspect, 'a', -3, 1, 1, 1},        {WidthAspect, 'a', std::nan(""), 1, 1, 0.01},
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
        EXPECT_EQ(f.posX, 0.0);
    }
}

TEST_F(FrameListTest, MarginsInPercentAndPixels)
{
    FrameRecord f;
    f.camera = zkh::ToItemID(1);
    f.width = 1000;
    f.height = 500;
    SetMarginWPercent(f, 15);
    EXPECT_EQ(std::make_tuple(f.marginW, f.marginWPx, f.marginHPx), std::make_tuple(0.15, 150.0, 50.0));
    SetMarginHPixels(f, 100);
    EXPECT_EQ(std::make_tuple(f.marginW, f.marginH), std::make_tuple(0.15, 0.2));
    SetMarginWPixels(f, 250);
    EXPECT_EQ(f.marginW, 0.25);

    // Without a camera the percentages and the pixels are set apart.
    FrameRecord loose;
    SetMarginWPercent(loose, 30);
    EXPECT_EQ(std::make_tuple(loose.marginW, loose.marginWPx), std::make_tuple(0.3, 0.0));
    SetMarginHPixels(loose, 40);
    EXPECT_EQ(std::make_tuple(loose.marginH, loose.marginHPx), std::make_tuple(0.1, 40.0));
}

TEST_F(FrameListTest, CornersOfAFrameTurnedAQuarter)
{
    // 100 x 50 with margins 20 % about (110, 55) of a 200 x 100 image: a quarter turn takes a
    // corner offset (x, y) to (y, -x); inner top-left (-50, -25) lands at (85, 105), the outer
    // top-right (60, -30) at (80, -5).
    FrameRecord f;
    f.width = 100;
    f.height = 50;
    f.posX = 10;
    f.posY = 5;
    f.rotation = 3.14159265358979323846 / 2;
    f.marginW = 0.2;
    f.marginH = 0.2;
    const FrameCornerSet r = frameCorners(f, 200, 100);
    EXPECT_NEAR(r.x[0], 85, 1e-9);
    EXPECT_NEAR(r.y[0], 105, 1e-9);
    EXPECT_NEAR(r.x[5], 80, 1e-9);
    EXPECT_NEAR(r.y[5], -5, 1e-9);
}

TEST(NarrowText, Utf8ThroughUtf16)
{
    EXPECT_EQ(Utf8ToUtf16("A\xC3\xA9\xE3\x83\xA1\xF0\x9F\x98\x80"), (std::u16string{u'A', u'\u00E9', u'\u30E1', 0xD83D, 0xDE00}));
    // Cut, overlong and stray bytes become U+FFFD each.
    EXPECT_EQ(Utf8ToUtf16("\xE3\x83"), std::u16string(1, 0xFFFD));
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), std::u16string(1, 0xFFFD));
    EXPECT_EQ(Utf8ToUtf16("\x80x"), (std::u16string{0xFFFD, u'x'}));
}

// The system's narrow code page: on Linux the host names it, on Windows it is the ANSI code page of
// the process (932 under a Japanese locale) and the real Win32 conversion runs. Each case runs where
// its code page is the system's; a code page the system does not know keeps ASCII and marks the rest.
TEST(NarrowText, CodePagesOfTheSystem)
{
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"CP932", "メモ 漢字", "\x83\x81\x83\x82 \x8A\xBF\x8E\x9A"},
        {"CP932", "ｱ", "\xB1"},
        // No look-alikes: "é" is not "e"; one '?' per character, an emoji included; a cut sequence is one.
        {"CP932", "Aé\xF0\x9F\x98\x80€\xE3\x83", "A????"},
        {"CP1252", "é€ メ", "\xE9\x80 ?"},
        {"UTF-8", "メモ", "メモ"},
        {"NO-SUCH-CODEPAGE", "Aメ", "A?"},
    };
    int checked = 0;
    for (const auto &[page, text, narrow] : cases)
        if (zkh::Host::SetNarrowCodePage(page)) {
            EXPECT_EQ(NarrowCodePage(), page);
            EXPECT_EQ(Utf8ToNarrow(text), narrow) << page << " " << text;
            ++checked;
        }
    zkh::Host::SetNarrowCodePage("UTF-8");
    if (checked == 0)
        GTEST_SKIP() << "none of the code pages is the system's";
}

} // namespace
