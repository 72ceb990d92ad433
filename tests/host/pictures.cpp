// The host's own pictures: the channel plot's axes and its cost on long ranges and many tracks,
// the values panel pictures show, and what a picture does with values no picture can hold (texts
// fitted to their fields: fuzz_picture_fit). (The pictures themselves are pinned byte for byte by the
// guide_pictures test.)
#include "channel_plot.h"
#include "drawing.h"
#include "drawing_raster.h"
#include "panel_picture.h"
#include "picture_calls.h"
#include "picture_text.h"
#include "../process_support.h"
#include "scene.h"

#include <CImg.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <limits>

namespace {

cimg_library::CImg<unsigned char> Painted(const std::vector<zkh::DrawCall> &calls, int width, int height)
{
    // A file of this test process's own: tests run side by side.
    const std::filesystem::path dir = TestTempDir("zk-picture");
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "painted.png").string();
    EXPECT_TRUE(zkh::RasterizeToPng(calls, width, height, path, {255, 255, 255}));
    const cimg_library::CImg<unsigned char> picture(path.c_str());
    std::filesystem::remove_all(dir);
    return picture;
}

TEST(HostPictures, ChannelPlotAxesAndAMillionFrames)
{
    std::vector<zkh::ChannelSample> samples;
    for (int frame = 0; frame <= 96; ++frame)
        samples.push_back({frame, frame / 48.0, frame / 48.0});
    const zkh::PlotAxes axes = zkh::ChannelPlotAxes(samples);
    EXPECT_EQ(axes.frameTicks, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90}));
    EXPECT_EQ(axes.valueTicks, (std::vector<double>{0.0, 0.5, 1.0, 1.5, 2.0}));
    EXPECT_EQ(axes.ColumnOf(0), axes.left);
    EXPECT_EQ(axes.ColumnOf(96), axes.right);
    EXPECT_EQ(axes.RowOf(2.0), axes.top);

    // A million frames cost a few strokes per pixel column, not one per frame; each column still
    // spans the values of its frames.
    std::vector<zkh::ChannelSample> many;
    for (int frame = 0; frame < 1000000; ++frame)
        many.push_back({frame, 0.0, frame % 2 ? 1.0 : -1.0});
    const std::vector<zkh::DrawCall> calls = zkh::ChannelPlotCalls(many, {});
    EXPECT_LT(calls.size(), 4000u);
    const cimg_library::CImg<unsigned char> dense = Painted(calls, zkh::kChannelPlotWidth, zkh::kChannelPlotHeight);
    const zkh::PlotAxes manyAxes = zkh::ChannelPlotAxes(many);
    const int middle = (manyAxes.left + manyAxes.right) / 2;
    EXPECT_GT(dense(middle, static_cast<int>(std::lround(manyAxes.RowOf(0.5))), 0, 0), 200); // red
    EXPECT_LT(dense(middle, static_cast<int>(std::lround(manyAxes.RowOf(0.5))), 0, 1), 60);
}

// The text each control type shows on a panel picture.
TEST(HostPictures, PanelsShowTheirValues)
{
    struct Case {
        const char *type;
        zkh::ValueKind kind;
        int intValue;
        double floatValue;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {"PopupControl", zkh::ValueKind::Int, 2, 0, "H & Aspect"},
        {"PopupControl", zkh::ValueKind::Int, 3, 0, ""}, // past the entries
        {"BoolControl", zkh::ValueKind::Int, 1, 0, "on"},
        {"PercentControl", zkh::ValueKind::Float, 0, 30, "30 %"},
        {"AngleControl", zkh::ValueKind::Float, 0, 12 * 3.14159265358979323846 / 180, "12°"},
        {"RGBVecControl", zkh::ValueKind::IntVector, 0, 0, "255 51 25"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type + std::string(" ") + c.shown);
        zkh::PanelControl control;
        control.type = c.type;
        control.kind = c.kind;
        control.intValue = c.intValue;
        control.floatValue = c.floatValue;
        control.items = {"W & H", "W & Aspect", "H & Aspect"};
        control.ivec[0] = 255;
        control.ivec[1] = 51;
        control.ivec[2] = 25;
        EXPECT_EQ(zkh::ShownValue(control), c.shown);
    }
    // Pictures take texts as UTF-8: a character is one glyph.
    EXPECT_LT(zkh::TextWidthInPicture("é"), zkh::TextWidthInPicture("Ã©"));
}

// The columns of a picture's pixels that a text painted at x = 3 covers, as [first, last]; [-1, -1]
// when it covers none.
std::pair<int, int> InkedColumns(const std::string &text, int pictureWidth)
{
    std::vector<zkh::DrawCall> calls;
    zkh::AddText(calls, 3, 16, text, {0.0f, 0.0f, 0.0f, 1.0f});
    const cimg_library::CImg<unsigned char> picture = Painted(calls, pictureWidth, 24);
    std::pair<int, int> columns{-1, -1};
    cimg_forXY(picture, x, y) if (picture(x, y, 0, 0) < 255)
    {
        columns.first = columns.first < 0 ? x : std::min(columns.first, x);
        columns.second = std::max(columns.second, x);
    }
    return columns;
}

// Japanese labels are drawn with their own glyphs and measured: each full-width character is one
// em, 11 pixels, wide, where a Latin-1 font has a narrow '?' for it. (The Windows build draws in
// CImg's Latin-1 font.)
TEST(HostPictures, JapaneseLabelsAreDrawnAndMeasured)
{
    for (const std::string label : {"メモ", "焦点距離", "フレーム編集ツール"}) {
        SCOPED_TRACE(label);
        const int width = zkh::TextWidthInPicture(label);
        EXPECT_GT(width, 0);
        const std::pair<int, int> inked = InkedColumns(label, width + 10);
        EXPECT_GE(inked.first, 3);
        EXPECT_LT(inked.second, 3 + width);
#if !defined(_WIN32)
        EXPECT_EQ(width, 11 * static_cast<int>(label.size() / 3));
#endif
    }
#if !defined(_WIN32)
    EXPECT_EQ(zkh::TextWidthInPicture("??"), 12);
#else
    EXPECT_EQ(zkh::TextWidthInPicture("メモ"), zkh::TextWidthInPicture("??"));
#endif
}

// A text FitTextToWidth fits into a field paints no pixel past the field; one as wide as the
// field keeps every character, one pixel less cuts it. (The cuts named are those of the Linux
// build's font.)
TEST(HostPictures, FittedTextsStayInTheirFields)
{
    struct Case {
        std::string text;
        int width;
        std::string fitted;
    };
    const std::vector<Case> cases = {
        {"Frame Edit OFF", 80, "Frame Edit OFF"},
        {"Frame Edit OFF", 79, "Frame Edit O.."},
        {"焦点距離", 44, "焦点距離"},
        {"焦点距離", 43, "焦点距.."},
        {"OTIO マーカーをスタックに", 100, "OTIO マーカーを.."},
        {"close-up", 20, "cl.."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text + " in " + std::to_string(c.width));
        const std::string fitted = zkh::FitTextToWidth(c.text, c.width);
#if !defined(_WIN32)
        EXPECT_EQ(fitted, c.fitted);
#endif
        EXPECT_LE(zkh::TextWidthInPicture(fitted), c.width);
        const std::pair<int, int> inked = InkedColumns(fitted, c.width + 40);
        EXPECT_GE(inked.first, 3);
        EXPECT_LT(inked.second, 3 + c.width);
        const int whole = zkh::TextWidthInPicture(c.text);
        EXPECT_EQ(zkh::FitTextToWidth(c.text, whole), c.text);
        EXPECT_NE(zkh::FitTextToWidth(c.text, whole - 1), c.text);
    }
}

// Thousands of tracks shade the plot as one rectangle per run of columns, with the same pixels as
// each track's own rectangle; a one-frame plot at the last frame there is has a frame axis.
TEST(HostPictures, ChannelPlotShadingOfManyTracksAndTheLastFrame)
{
    const std::vector<zkh::ChannelSample> samples = {{0, 0.0, 0.0}, {5, 0.0, 0.5}, {10, 0.0, 1.0}};
    std::vector<zkh::FrameSpan> spans;
    for (int i = 0; i < 20000; ++i)
        spans.push_back({i % 3 == 0 ? 1 : 6, i % 3 == 0 ? 3 : 6 + i % 2});
    const std::vector<zkh::DrawCall> merged = zkh::ChannelPlotCalls(samples, spans);
    const std::vector<zkh::DrawCall> three = zkh::ChannelPlotCalls(samples, {{1, 3}, {6, 6}, {6, 7}});
    EXPECT_LT(merged.size(), three.size() + 6);
    EXPECT_EQ(Painted(merged, zkh::kChannelPlotWidth, zkh::kChannelPlotHeight),
              Painted(three, zkh::kChannelPlotWidth, zkh::kChannelPlotHeight));

    const zkh::PlotAxes last = zkh::ChannelPlotAxes({{INT_MAX, 1.0, 1.0}});
    EXPECT_EQ(std::vector<double>({double(last.first), last.ColumnOf(INT_MAX)}), std::vector<double>({INT_MAX - 1.0, double(last.right)}));
}

// Values no picture can hold: a NaN colour or opacity paints nothing, a time past the int range
// of frames is the last frame, and pictures larger than renders are refused.
TEST(HostPictures, ValuesNoPictureCanHold)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<zkh::DrawCall> calls;
    zkh::AddRect(calls, 0, 0, 4, 4, {0.0f, 0.0f, 0.0f, nan});
    EXPECT_EQ(Painted(calls, 4, 4)(1, 1, 0, 0), 255);
    zkh::Scene scene;
    for (auto [time, frame] : {std::pair{1e9, INT_MAX}, {-1e9, INT_MIN}, {double(nan), 0}, {2.5, 60}})
        EXPECT_EQ((scene.time = time, scene.CurrentFrame()), frame) << time;
    EXPECT_FALSE(zkh::RasterizeToPng({}, zkh::kMaxPictureSide + 1, 1, "unwritten.png"));
}

} // namespace
