// The frame list, Frame Calc, margins and corner geometry, with the simulated host's services.
#include "cameraframe/frame_geometry.h"
#include "cameraframe/frame_list.h"
#include "common/lwcodepage.h"
#include "common/lwglobals.h"
#include "host.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

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

LWItemID Id(std::uint32_t id) { return zkh::ToItemID(id); }

TEST_F(FrameListTest, CreateFromTheFirstCamera)
{
    host.scene.AddCamera("Wide", 1920, 1080, 35.0);
    host.scene.AddCamera("Other", 640, 480, 50.0);
    const int number = DefaultNameCounter();
    CreateFrame(state);
    ASSERT_EQ(FrameCount(), 1);
    const FrameRecord &f = *FrameAt(0);
    EXPECT_EQ(f.name, "Frame (" + std::to_string(number) + ")");
    EXPECT_EQ(f.camera, Id(host.scene.FindByName("Wide")->id));
    EXPECT_EQ(f.width, 1745.0);
    EXPECT_EQ(f.height, 981.0);
    EXPECT_DOUBLE_EQ(f.aspect, 1920.0 / 1080.0);
    EXPECT_EQ(f.marginWPx, 174.0);
    EXPECT_EQ(f.marginHPx, 98.0);
    EXPECT_EQ(f.posX, 0.0);
    EXPECT_TRUE(f.active);
    EXPECT_TRUE(f.redraw);
    EXPECT_EQ(state.currentIndex, 0);
    EXPECT_EQ(DefaultNameCounter(), number + 1);
}

TEST_F(FrameListTest, CreateWithoutCameraKeepsDefaults)
{
    CreateFrame(state);
    const FrameRecord &f = *FrameAt(0);
    EXPECT_EQ(f.camera, LWITEM_NULL);
    EXPECT_EQ(f.width, 320.0);
    EXPECT_EQ(f.height, 180.0);
    EXPECT_DOUBLE_EQ(f.aspect, 16.0 / 9.0);
    EXPECT_EQ(f.marginWPx, 0.0);
}

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
    EXPECT_EQ(second.posX, 12);
    EXPECT_EQ(second.posY, -7);
    EXPECT_EQ(second.calcMode, HeightAspect);
    EXPECT_EQ(second.rotation, 0.5);
    EXPECT_EQ(second.color[0], 0.25);
    EXPECT_EQ(second.transparency, 0.4);
    EXPECT_TRUE(second.showFocalLength);
    EXPECT_EQ(second.marginH, 0.2);
    EXPECT_EQ(second.width, 1745.0);
    EXPECT_TRUE(second.memo.empty());
    EXPECT_TRUE(second.active);
}

TEST_F(FrameListTest, DeleteSelectsThePreviousFrame)
{
    CreateFrame(state);
    CreateFrame(state);
    CreateFrame(state);
    state.currentIndex = 0;
    DeleteCurrentFrame(state);
    EXPECT_EQ(FrameCount(), 2);
    EXPECT_EQ(state.currentIndex, 0);
    state.currentIndex = 1;
    DeleteCurrentFrame(state);
    EXPECT_EQ(state.currentIndex, 0);
    DeleteCurrentFrame(state);
    EXPECT_EQ(FrameCount(), 0);
    EXPECT_EQ(state.currentIndex, 0);
    EXPECT_EQ(FrameAt(0), nullptr);
    DeleteCurrentFrame(state); // no current frame: nothing happens
    EXPECT_EQ(FrameCount(), 0);
}

TEST_F(FrameListTest, ListLabels)
{
    CreateFrame(state);
    CreateFrame(state);
    CreateFrame(state);
    FrameAt(2)->name.clear();
    EXPECT_STREQ(FrameListLabel(2), "Frame3");
    EXPECT_EQ(std::string(FrameListLabel(0)), FrameAt(0)->name);
    EXPECT_STREQ(FrameListLabel(3), "");
    EXPECT_STREQ(FrameListLabel(-1), "");
    EXPECT_EQ(FrameAt(-1), nullptr);
}

TEST_F(FrameListTest, FrameCalcInEveryMode)
{
    FrameRecord f;
    f.camera = Id(1);
    f.width = 800;
    f.height = 400;
    f.aspect = 2.0;
    f.calcMode = WidthAspect;
    SetFrameWidth(f, 1000.7);
    EXPECT_EQ(f.width, 1000.0);
    EXPECT_EQ(f.height, 500.0);
    EXPECT_EQ(f.aspect, 2.0);
    SetFrameAspect(f, 4.0);
    EXPECT_EQ(f.height, 250.0);
    SetFrameHeight(f, 100); // derived field: replaced again
    EXPECT_EQ(f.height, 250.0);

    f.calcMode = WidthHeight;
    SetFrameHeight(f, 400);
    EXPECT_EQ(f.aspect, 2.5);
    SetFrameWidth(f, 1200);
    EXPECT_EQ(f.aspect, 3.0);
    SetFrameAspect(f, 9.0); // replaced by width / height
    EXPECT_EQ(f.aspect, 3.0);

    f.calcMode = HeightAspect;
    SetFrameHeight(f, 300);
    EXPECT_EQ(f.width, 900.0);
    SetFrameAspect(f, 2.0);
    EXPECT_EQ(f.width, 600.0);
    SetFrameWidth(f, 5000); // replaced by aspect x height
    EXPECT_EQ(f.width, 600.0);

    // Without a camera the three values stay independent.
    FrameRecord loose;
    loose.calcMode = WidthAspect;
    loose.aspect = 2.0;
    SetFrameWidth(loose, 1000);
    EXPECT_EQ(loose.width, 1000.0);
    EXPECT_EQ(loose.height, 180.0);
    EXPECT_EQ(loose.aspect, 2.0);

    // Entered sizes are whole and at least 1; aspects 0 -> 1.0, 0.001 -> 0.01.
    SetFrameWidth(loose, 0.4);
    EXPECT_EQ(loose.width, 1.0);
    SetFrameHeight(loose, -20);
    EXPECT_EQ(loose.height, 1.0);
    SetFrameAspect(loose, 0);
    EXPECT_EQ(loose.aspect, 1.0);
    SetFrameAspect(loose, 0.001);
    EXPECT_EQ(loose.aspect, 0.01);
    SetFrameAspect(loose, -3);
    EXPECT_EQ(loose.aspect, 1.0);
    SetFrameAspect(loose, std::nan(""));
    EXPECT_EQ(loose.aspect, 0.01);
    EXPECT_EQ(loose.posX, 0.0);
}

TEST_F(FrameListTest, MarginsInPercentAndPixels)
{
    FrameRecord f;
    f.camera = Id(1);
    f.width = 1000;
    f.height = 500;
    SetMarginWPercent(f, 15);
    EXPECT_EQ(f.marginW, 0.15);
    EXPECT_EQ(f.marginWPx, 150.0);
    EXPECT_EQ(f.marginHPx, 50.0);
    SetMarginHPixels(f, 100);
    EXPECT_EQ(f.marginH, 0.2);
    EXPECT_EQ(f.marginW, 0.15);
    SetMarginWPixels(f, 250);
    EXPECT_EQ(f.marginW, 0.25);

    FrameRecord loose;
    SetMarginWPercent(loose, 30);
    EXPECT_EQ(loose.marginW, 0.3);
    EXPECT_EQ(loose.marginWPx, 0.0);
    SetMarginHPixels(loose, 40);
    EXPECT_EQ(loose.marginHPx, 40.0);
    EXPECT_EQ(loose.marginH, 0.1);
}

TEST_F(FrameListTest, CornersWithEffectiveMargins)
{
    FrameRecord f;
    f.width = 100;
    f.height = 50;
    f.marginW = 0;
    f.marginH = 0;
    const FrameCornerSet c = frameCorners(f, 200, 100);
    const double inner[4][2] = {{50, 25}, {150, 25}, {150, 75}, {50, 75}};
    const double outer[4][2] = {{49, 24}, {151, 24}, {151, 76}, {49, 76}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_DOUBLE_EQ(c.x[k], inner[k][0]) << k;
        EXPECT_DOUBLE_EQ(c.y[k], inner[k][1]) << k;
        EXPECT_DOUBLE_EQ(c.x[k + 4], outer[k][0]) << k;
        EXPECT_DOUBLE_EQ(c.y[k + 4], outer[k][1]) << k;
    }

    // A quarter turn about an offset centre: (x, y) -> (y, -x).
    f.posX = 10;
    f.posY = 5;
    f.rotation = kPi / 2;
    f.marginW = 0.2;
    f.marginH = 0.2;
    const FrameCornerSet r = frameCorners(f, 200, 100);
    EXPECT_NEAR(r.x[0], 110 - 25, 1e-9);
    EXPECT_NEAR(r.y[0], 55 + 50, 1e-9);
    EXPECT_NEAR(r.x[5], 110 - 30, 1e-9);
    EXPECT_NEAR(r.y[5], 55 - 60, 1e-9);
}

} // namespace

namespace {

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
// its code page is the system's.
TEST(NarrowText, JapaneseCodePage)
{
    if (!zkh::Host::SetNarrowCodePage("CP932"))
        GTEST_SKIP() << "the system's code page is " << zkh::Host::NarrowCodePage() << ", not CP932";
    EXPECT_EQ(NarrowCodePage(), "CP932");
    EXPECT_EQ(Utf8ToNarrow("メモ 漢字"), "\x83\x81\x83\x82 \x8A\xBF\x8E\x9A");
    EXPECT_EQ(Utf8ToNarrow("ｱ"), "\xB1");
    // No look-alikes: "é" is not "e"; one '?' per character, an emoji included; a cut sequence is one.
    EXPECT_EQ(Utf8ToNarrow("Aé\xF0\x9F\x98\x80€\xE3\x83"), "A????");
    zkh::Host::SetNarrowCodePage("UTF-8");
}

TEST(NarrowText, WesternCodePage)
{
    if (!zkh::Host::SetNarrowCodePage("CP1252"))
        GTEST_SKIP() << "the system's code page is " << zkh::Host::NarrowCodePage() << ", not CP1252";
    EXPECT_EQ(Utf8ToNarrow("é€ メ"), "\xE9\x80 ?");
    zkh::Host::SetNarrowCodePage("UTF-8");
}

TEST(NarrowText, Utf8AndUnknownCodePages)
{
    if (!zkh::Host::SetNarrowCodePage("UTF-8"))
        GTEST_SKIP() << "the system's code page is " << zkh::Host::NarrowCodePage() << ", not UTF-8";
    EXPECT_EQ(Utf8ToNarrow("メモ"), "メモ");
    // A code page the system does not know keeps ASCII and marks the rest.
    if (zkh::Host::SetNarrowCodePage("NO-SUCH-CODEPAGE")) {
        EXPECT_EQ(Utf8ToNarrow("Aメ"), "A?");
    }
    zkh::Host::SetNarrowCodePage("UTF-8");
}

} // namespace
