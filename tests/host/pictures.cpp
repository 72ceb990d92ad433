// The host's custom drawing (recording and rasterising) and its own pictures: the channel plot's
// axes, legend and track frames, and panels painted with their values.
#include "channel_plot.h"
#include "drawing.h"
#include "panel_picture.h"

#include <CImg.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

namespace {

using Image = cimg_library::CImg<unsigned char>;

Image Painted(const std::vector<zkh::DrawCall> &calls, int width, int height, const std::string &name,
              const std::array<unsigned char, 3> &ground)
{
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    EXPECT_TRUE(zkh::RasterizeToPng(calls, width, height, path, ground));
    Image image(path.c_str());
    std::filesystem::remove(path);
    return image;
}

// Pixels of the box whose red differs from the ground by more than 60.
int Marked(const Image &image, int x0, int y0, int x1, int y1, int ground)
{
    int count = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            count += std::abs(image(x, y, 0, 0) - ground) > 60 ? 1 : 0;
    return count;
}

TEST(HostDrawing, RecordsEveryCall)
{
    zkh::DrawRecorder recorder(2);
    LWCustomObjAccess *access = recorder.Access();
    EXPECT_EQ(access->view, 2);
    float red[4] = {1, 0, 0, 0.5f};
    LWDVector a = {0, 0, 0.001}, b = {10, 0, 0.001}, c = {10, 10, 0.001}, d = {0, 10, 0.001};
    LWDVector points[4] = {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}};
    unsigned int indexes[4] = {0, 1, 2, 3};
    access->setDrawMode(access->dispData, 0);
    access->setPattern(access->dispData, LWLPAT_SOLID);
    access->setColor(access->dispData, red);
    access->quad(access->dispData, a, b, c, d, LWCSYS_VIEWPORT);
    access->polyIndexed(access->dispData, 4, indexes, points, LWCSYS_VIEWPORT);
    access->text(access->dispData, a, "memo", LWJUST_CENTER, LWCSYS_VIEWPORT);
    EXPECT_EQ(recorder.Describe(), "DrawMode 0\n"
                                   "Pattern 0\n"
                                   "Color 1 0 0 0.5\n"
                                   "Quad (0,0,0.001) (10,0,0.001) (10,10,0.001) (0,10,0.001) csys=3\n"
                                   "Polygon [0,1,2,3] (0,0,0) (4,0,0) (4,4,0) (0,4,0) csys=3\n"
                                   "Text (0,0,0.001) \"memo\" just=1 csys=3\n");
}

TEST(HostDrawing, RasterisesColourAlphaAndTextures)
{
    zkh::DrawRecorder recorder(0);
    LWCustomObjAccess *access = recorder.Access();
    float half[4] = {1, 0, 0, 0.5f};
    LWDVector a = {0, 0, 0}, b = {10, 0, 0}, c = {10, 10, 0}, d = {0, 10, 0};
    access->setColor(access->dispData, half);
    access->quad(access->dispData, a, b, c, d, LWCSYS_VIEWPORT);

    // A 2x2 texture whose alpha is 0 in texel (column 0, row 1) and 255 elsewhere.
    unsigned char texture[2 * 2 * 4];
    std::fill(std::begin(texture), std::end(texture), 255);
    texture[(1 * 2 + 0) * 4 + 3] = 0;
    float blue[4] = {0, 0, 1, 1};
    double uv0[2] = {0, 0}, uv1[2] = {0, 1}, uv2[2] = {1, 1}, uv3[2] = {1, 0};
    LWDVector e = {20, 0, 0}, f = {40, 0, 0}, g = {40, 20, 0}, h = {20, 20, 0};
    access->setColor(access->dispData, blue);
    access->setTexture(access->dispData, 2, texture);
    access->setUVs(access->dispData, uv0, uv1, uv2, uv3);
    access->quad(access->dispData, e, f, g, h, LWCSYS_VIEWPORT);

    const Image image = Painted(recorder.calls, 50, 30, "zk-drawing-test.png", {0, 0, 0});
    EXPECT_EQ(image.width(), 50);
    EXPECT_EQ(image(5, 5, 0, 0), 127); // half red over black
    EXPECT_EQ(image(5, 5, 0, 2), 0);
    EXPECT_EQ(image(15, 5, 0, 0), 0); // outside the quad
    // Screen x runs along v (texture rows), y along u (columns): row 1, column 0 is transparent.
    EXPECT_EQ(image(35, 5, 0, 2), 0);
    EXPECT_EQ(image(25, 5, 0, 2), 255);
    EXPECT_EQ(image(35, 15, 0, 2), 255);
}

TEST(HostPictures, ChannelPlotHasNumberedAxesLegendAndTrackFrames)
{
    std::vector<zkh::ChannelSample> samples;
    for (int frame = 0; frame <= 96; ++frame)
        samples.push_back({frame, frame / 48.0, frame / 48.0});
    const zkh::PlotAxes axes = zkh::ChannelPlotAxes(samples);
    EXPECT_EQ(axes.frameTicks, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90}));
    EXPECT_EQ(axes.valueTicks, (std::vector<double>{0.0, 0.5, 1.0, 1.5, 2.0}));
    EXPECT_EQ(axes.X(0), axes.left);
    EXPECT_EQ(axes.X(96), axes.right);
    EXPECT_EQ(axes.Y(2.0), axes.top);

    const Image plot = Painted(zkh::ChannelPlotCalls(samples, {{30, 72}}), zkh::kChannelPlotWidth,
                               zkh::kChannelPlotHeight, "zk-plot-test.png", {255, 255, 255});
    const int tick50 = static_cast<int>(std::lround(axes.X(50)));
    const int between = static_cast<int>(std::lround(axes.X(45)));
    // The tick of frame 50 below the axis, nothing between two ticks; its number under it.
    EXPECT_LT(plot(tick50, axes.bottom + 3, 0, 0), 60);
    EXPECT_EQ(plot(between, axes.bottom + 3, 0, 0), 255);
    EXPECT_GT(Marked(plot, tick50 - 8, axes.bottom + 8, tick50 + 8, axes.bottom + 20, 255), 10);
    EXPECT_EQ(Marked(plot, between - 3, axes.bottom + 8, between + 3, axes.bottom + 20, 255), 0);
    // The value 1.0 written left of its tick; nothing at 0.75.
    const int y1 = static_cast<int>(std::lround(axes.Y(1.0)));
    const int y075 = static_cast<int>(std::lround(axes.Y(0.75)));
    EXPECT_LT(plot(axes.left - 3, y1, 0, 0), 60);
    EXPECT_GT(Marked(plot, axes.left - 40, y1 - 7, axes.left - 7, y1 + 5, 255), 10);
    EXPECT_EQ(Marked(plot, axes.left - 40, y075 - 5, axes.left - 7, y075 + 5, 255), 0);
    // Frames 30 to 72 shaded, above the curves and off the grid; frame 80 not.
    const int y19 = static_cast<int>(std::lround(axes.Y(1.9)));
    const int x50 = static_cast<int>(std::lround(axes.X(50)));
    EXPECT_NEAR(plot(x50 + 2, y19, 0, 0), 214, 1);
    EXPECT_EQ(plot(x50 + 2, y19, 0, 2), 255);
    EXPECT_EQ(plot(static_cast<int>(std::lround(axes.X(80))) + 2, y19, 0, 0), 255);
    EXPECT_EQ(plot(static_cast<int>(std::lround(axes.X(29))), y19, 0, 0), 255);
    // The mixed result's red line crosses the middle of the plot; the legend names both curves
    // and the shading.
    EXPECT_GT(Marked(plot, axes.left, 8, axes.right, 30, 255), 100);
    const Image noTracks = Painted(zkh::ChannelPlotCalls(samples, {}), zkh::kChannelPlotWidth,
                                   zkh::kChannelPlotHeight, "zk-plot-test.png", {255, 255, 255});
    EXPECT_EQ(noTracks(x50 + 2, y19, 0, 0), 255);
    EXPECT_LT(Marked(noTracks, axes.left, 8, axes.right, 30, 255), Marked(plot, axes.left, 8, axes.right, 30, 255));

    // A million frames cost a few strokes per pixel column, not one per frame; each column still
    // spans the values of its frames.
    std::vector<zkh::ChannelSample> many;
    for (int frame = 0; frame < 1000000; ++frame)
        many.push_back({frame, 0.0, frame % 2 ? 1.0 : -1.0});
    const std::vector<zkh::DrawCall> calls = zkh::ChannelPlotCalls(many, {});
    EXPECT_LT(calls.size(), 4000u);
    const zkh::PlotAxes manyAxes = zkh::ChannelPlotAxes(many);
    const Image dense = Painted(calls, zkh::kChannelPlotWidth, zkh::kChannelPlotHeight, "zk-plot-test.png", {255, 255, 255});
    const int middle = (manyAxes.left + manyAxes.right) / 2;
    EXPECT_GT(dense(middle, static_cast<int>(std::lround(manyAxes.Y(0.5))), 0, 0), 200); // red
    EXPECT_LT(dense(middle, static_cast<int>(std::lround(manyAxes.Y(0.5))), 0, 1), 60);
}

zkh::PanelControl &AddControl(zkh::Panel &panel, const std::string &type, const std::string &label, zkh::ValueKind kind,
                              int y)
{
    auto control = std::make_unique<zkh::PanelControl>();
    control->type = type;
    control->label = label;
    control->kind = kind;
    control->x = 0;
    control->y = y;
    control->labelWidth = 60;
    control->w = 220;
    panel.controls.push_back(std::move(control));
    return *panel.controls.back();
}

TEST(HostPictures, PanelsShowTheirValues)
{
    zkh::Panel panel;
    panel.w = 240;
    panel.h = 110;
    zkh::PanelControl &name = AddControl(panel, "EditControl", "Name", zkh::ValueKind::Text, 0);
    zkh::PanelControl &active = AddControl(panel, "BoolControl", "Active", zkh::ValueKind::Int, 30);
    active.w = 80;
    zkh::PanelControl &calc = AddControl(panel, "PopupControl", "Frame Calc", zkh::ValueKind::Int, 60);
    calc.items = {"W & H", "W & Aspect", "H & Aspect"};
    zkh::PanelControl &colour = AddControl(panel, "RGBVecControl", "Color", zkh::ValueKind::IntVector, 90);

    // Empty values: only the boxes.
    const int field = 191; // the field boxes' grey
    Image empty = Painted(zkh::ClassicPanelPicture(panel).calls, 240, 110, "zk-panel-test.png", {48, 48, 52});
    EXPECT_EQ(Marked(empty, 64, 3, 200, 17, field), 0);
    EXPECT_EQ(Marked(empty, 62, 33, 76, 47, field), 0);

    name.text = "Scope";
    active.intValue = 1;
    calc.intValue = 2;
    const int swatch[3] = {255, 51, 25};
    std::copy(swatch, swatch + 3, colour.ivec);
    Image shown = Painted(zkh::ClassicPanelPicture(panel).calls, 240, 110, "zk-panel-test.png", {48, 48, 52});
    EXPECT_GT(Marked(shown, 64, 3, 200, 17, field), 20);     // "Scope"
    EXPECT_GT(Marked(shown, 62, 33, 76, 47, field), 80);     // the check mark
    EXPECT_GT(Marked(shown, 64, 63, 200, 77, field), 20);    // "H & Aspect"
    EXPECT_EQ(shown(70, 100, 0, 0), 255);                    // the colour swatch
    EXPECT_EQ(shown(70, 100, 0, 1), 51);
    EXPECT_GT(Marked(shown, 80, 93, 200, 107, field), 20);   // "255 51 25"

    EXPECT_EQ(zkh::ShownValue(calc), "H & Aspect");
    EXPECT_EQ(zkh::ShownValue(colour), "255 51 25");
    EXPECT_EQ(zkh::ShownValue(active), "on");
    zkh::PanelControl &transparency = AddControl(panel, "PercentControl", "Transparency", zkh::ValueKind::Float, 0);
    transparency.floatValue = 30;
    EXPECT_EQ(zkh::ShownValue(transparency), "30 %");
    zkh::PanelControl &rotate = AddControl(panel, "AngleControl", "Rotate", zkh::ValueKind::Float, 0);
    rotate.floatValue = 12 * 3.14159265358979323846 / 180;
    EXPECT_EQ(zkh::ShownValue(rotate), "12\xB0");
    calc.intValue = 3; // past the entries
    EXPECT_EQ(zkh::ShownValue(calc), "");
}

// A view panel's values as its get callback gives them.
void *MemoValue(void *, unsigned int cid)
{
    static char name[] = "beat";
    static int on = 1;
    static double back[3] = {0.9, 0.6, 0.1};
    switch (cid) {
    case 1: return name;
    case 2: return &on;
    case 3: return back;
    default: return nullptr;
    }
}

TEST(HostPictures, ViewPanelsShowTheirValuesOneRowEach)
{
    zkh::XPanels service;
    zkh::XPanel panel;
    panel.get = MemoValue;
    auto control = [&](unsigned int cid, const char *ctrlclass, const char *label, const char *type) {
        zkh::XPanelControl c;
        c.cid = cid;
        c.ctrlclass = ctrlclass;
        c.label = label;
        c.dataName = type[0] ? label : "";
        c.dataType = type;
        panel.controls.push_back(c);
    };
    control(1, "string", "Name", "string");
    control(2, "iBoolean", "Enable", "integer");
    control(3, "color", "BG Color", "color");
    control(4, "vButton", "Create Clip", "");
    control(5, "vButton", "Delete Clip", "");
    const zkh::PanelPicture picture = zkh::ViewPanelPicture(service, panel);
    // Four rows of 24 pixels: the two buttons share the last one.
    EXPECT_EQ(picture.height, 8 + 4 * 24 + 8);
    const Image shown = Painted(picture.calls, picture.width, picture.height, "zk-view-panel-test.png", {48, 48, 52});
    const int field = 191;
    EXPECT_GT(Marked(shown, 126, 8 + 3, 200, 8 + 17, field), 20);  // "beat"
    EXPECT_GT(Marked(shown, 126, 32 + 3, 142, 32 + 17, field), 80); // Enable checked
    EXPECT_EQ(shown(132, 56 + 10, 0, 0), 229);                       // the BG colour's swatch
    EXPECT_EQ(shown(132, 56 + 10, 0, 1), 153);
    EXPECT_EQ(shown(132, 56 + 10, 0, 2), 25);
    EXPECT_GT(Marked(shown, 150, 56 + 3, 300, 56 + 17, field), 20); // "229 153 25"
    EXPECT_EQ(Marked(shown, 126, 80 + 3, 130, 80 + 17, field), 0);  // a button's plain edge
}

} // namespace
