// The timeline memo's overlay through the module file and the host's drawing.
#include "memo_fixture.h"

#include <climits>
#include <cstdio>

namespace {

using Kind = zkh::DrawCall::Kind;

// Polygons (viewport quads) as "box x0..x1 y0..y1 z", texts with their place and justification,
// colours as rgba, in order.
Lines Shapes(const zkh::DrawRecorder &recorder)
{
    Lines shapes;
    for (const zkh::DrawCall &call : recorder.calls) {
        char text[160] = "";
        const auto &p = call.points.empty() ? std::array<double, 3>{} : call.points[0];
        if (call.kind == Kind::Polygon)
            std::snprintf(text, sizeof text, "box %g..%g %g..%g z%g%s", p[0], call.points[2][0], p[1], call.points[2][1],
                          p[2], call.indexes == std::vector<int>{0, 1, 2, 3} && call.csys == LWCSYS_VIEWPORT ? "" : " ?");
        else if (call.kind == Kind::Text)
            std::snprintf(text, sizeof text, "text \"%s\" (%g,%g,%g) just=%d", call.text.c_str(), p[0], p[1], p[2],
                          call.justify);
        else if (call.kind == Kind::Color)
            std::snprintf(text, sizeof text, "color %g %g %g %g", call.rgba[0], call.rgba[1], call.rgba[2], call.rgba[3]);
        if (*text)
            shapes.push_back(text);
    }
    return shapes;
}

class MemoOverlay : public MemoTest {
protected:
    void SetUp() override
    {
        MemoTest::SetUp(); // at the scene's 24 fps
        host.scene.previewEnd = 100;
        host.scene.viewports = {zkh::Viewport{LVVIEWT_PERSPECTIVE, 0, 0, 0, 1260, 600}};
        ASSERT_NE(AddMemo(), nullptr);
    }

    Lines Draw()
    {
        zkh::DrawRecorder recorder(0);
        host.DrawViewport(0, recorder);
        return Shapes(recorder);
    }
};

TEST_F(MemoOverlay, ClipAndMarkerOnTheTimeAxis)
{
    zkh::XPanel &panel = OpenPanel();
    host.scene.time = 1.0;
    ASSERT_TRUE(host.xpanels.Press(panel, 0x8010)); // Create Clip at 1.0 s
    host.xpanels.SetInteger(panel, 0x8016, 12);     // 0.5 s
    host.scene.time = 10.0 / 24.0;

    const Lines expected = {
        "color 0.2 0.2 0.2 0.5",
        "box 0..1260 584..600 z0.001",
        "color 1 0 0 1",
        "box 387..507 585..599 z0.001",
        "color 0.8 0.8 0.8 1",
        "text \"note\" (447,596.9,0.001) just=1",
        "color 0.8 0.8 0.8 1",
        "text \"Track1\" (1,597.6,0.001) just=0",
        "color 0.8 0.8 0.8 0.25",
        "box 247..257 585..601 z0.001",
    };
    Lines unnamed = expected;
    unnamed.erase(unnamed.begin() + 5); // an unnamed clip draws no text
    EXPECT_EQ(Draw(), unnamed);
    host.xpanels.SetText(panel, 0x8014, "note");
    EXPECT_EQ(Draw(), expected);
    // Only over a single viewport.
    host.scene.viewports.push_back(zkh::Viewport{});
    EXPECT_TRUE(Draw().empty());
    host.scene.viewports.clear();
    EXPECT_TRUE(Draw().empty());
}

TEST_F(MemoOverlay, RowsFromTheBottomWithLabelsAndMarker)
{
    zkh::XPanel &panel = OpenPanel();
    host.xpanels.Press(panel, 0x8007);
    host.xpanels.Press(panel, 0x8007);
    const Lines expected = {
        "color 0.2 0.2 0.2 0.5", "box 0..1260 552..568 z0.001", "color 0.8 0.8 0.8 1",
        "text \"Track1\" (1,565.6,0.001) just=0",
        "color 0.2 0.2 0.2 0.5", "box 0..1260 568..584 z0.001", "color 0.8 0.8 0.8 1",
        "text \"Track2\" (1,581.6,0.001) just=0",
        "color 0.2 0.2 0.2 0.5", "box 0..1260 584..600 z0.001", "color 0.8 0.8 0.8 1",
        "text \"Track3\" (1,597.6,0.001) just=0",
        "color 0.8 0.8 0.8 0.25", "box 147..157 553..601 z0.001",
    };
    EXPECT_EQ(Draw(), expected);

    // With the first track inactive, the unnamed second one is still labelled Track2.
    host.xpanels.SetInteger(panel, 0x800C, 0);
    host.xpanels.SetInteger(panel, 0x800E, 0);
    Lines two(expected.begin() + 4, expected.end());
    two.back() = "box 147..157 569..601 z0.001";
    EXPECT_EQ(Draw(), two);
}

// A preview range of one frame is one frame wide. Positions on the axis are computed wide: the
// marker of frame 0 in a preview range of the whole 32-bit span sits in its middle. With no active
// track the marker has no height.
TEST_F(MemoOverlay, PreviewRangeOfTheWholeIntRange)
{
    host.scene.previewStart = 50;
    host.scene.previewEnd = 50;
    host.scene.time = 50.0 / 24.0;
    const Lines single = Draw();
    ASSERT_FALSE(single.empty());
    EXPECT_EQ(single.back(), "box 147..1147 585..601 z0.001");

    host.scene.previewStart = INT_MIN;
    host.scene.previewEnd = INT_MAX;
    host.scene.time = 0.0;
    host.xpanels.SetInteger(OpenPanel(), 0x800E, 0);
    EXPECT_EQ(Draw(), (Lines{"color 0.8 0.8 0.8 0.25", "box 647..647 601..601 z0.001"}));
}

} // namespace
