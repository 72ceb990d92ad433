// The ZK:CameraFrame image filter through the module file: band pixels, blending, which frames are
// burnt in, rotated frames with fractional corners, the host's lines and buffers, and a render node
// without any interface.
#include "cameraframe_blocks.h"
#include "ring_peer.h"

#include <xmmintrin.h>

namespace {

// Renders of the 200 x 100 "Plate"; "Other" is a second camera of the same size.
class CameraFrameFilter : public CameraFrameTest {
protected:
    void SetUp() override
    {
        CameraFrameTest::SetUp();
        other = host.scene.AddCamera("Other", 200, 100, 35.0).id;
        host.scene.renderCamera = plate;
    }

    // The plate frame in red with 20 % margins: band x 40..50 and 150..160, y 20..25 and 75..80.
    TestFrame RedFrame(double transparency = 0) { return PlateFrame().Margins(0.2, 0.2).Rgb(1, 0, 0).Clear(transparency); }

    std::uint32_t other = 0;
};

TEST_F(CameraFrameFilter, BandPixelsOpaqueHalfAndFullyTransparent)
{
    Load(FrameBlock({RedFrame()}));
    zkh::FilterImage image = Render();
    for (auto [x, y] : {std::pair{40, 20}, {45, 50}, {155, 50}, {100, 22}, {100, 78}, {159, 79}})
        EXPECT_EQ(std::vector<float>({image.At(0, x, y), image.At(1, x, y), image.At(3, x, y)}),
                  std::vector<float>({1, 0, 1})) << x << "," << y;
    for (auto [x, y] : {std::pair{39, 50}, {50, 50}, {100, 50}, {149, 50}, {160, 50}, {100, 19}, {100, 25}, {100, 80}})
        EXPECT_EQ(image.At(0, x, y), 0.0f) << x << "," << y;

    // Zero margins give a band one pixel wide.
    Reload(FrameBlock({RedFrame().Margins(0, 0)}));
    image = Render();
    for (auto [x, y, red] : {std::tuple{49, 50, 1.0f}, {48, 50, 0.0f}, {50, 50, 0.0f}, {150, 50, 1.0f}, {100, 24, 1.0f},
                             {100, 75, 1.0f}})
        EXPECT_EQ(image.At(0, x, y), red) << x << "," << y;

    // Half transparent over alpha 0, and fully transparent.
    Reload(FrameBlock({RedFrame(0.5)}));
    // Red and alpha in the band, alpha inside, and red at band corners (shared by two quads and still
    // blended once).
    image = Render({0, 0, 0, 0});
    EXPECT_EQ(std::vector<float>({image.At(0, 45, 50), image.At(3, 45, 50), image.At(3, 100, 50), image.At(0, 40, 20),
                                  image.At(0, 49, 24)}),
              std::vector<float>({0.5f, 0.25f, 0, 0.5f, 0.5f}));

    Reload(FrameBlock({RedFrame(1)}));
    image = Render({0.2f, 0.4f, 0.6f, 0.8f});
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(image.planes[c], std::vector<float>(200 * 100, (std::array<float, 4>{0.2f, 0.4f, 0.6f, 0.8f})[c]));
}

TEST_F(CameraFrameFilter, InactiveAndOtherCameraFramesAreLeftOut)
{
    TestFrame inactive = RedFrame();
    inactive.active = 0;
    Load(FrameBlock({inactive, RedFrame().On(other)}));
    EXPECT_EQ(Render().At(0, 45, 50), 0.0f);
    // As Modeler activates filters: without an item part, which the filter leaves so.
    host.imageFilters.itemPart = false;
    EXPECT_EQ(Render().At(0, 45, 50), 0.0f);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
    host.imageFilters.itemPart = true;

    // The render camera is looked up for the frame's time: from frame 48 (2 s at 24 fps) on, Other.
    host.scene.renderCameraSwitches[2.0] = other;
    EXPECT_EQ(Render({0, 0, 0, 1}, 47).At(0, 45, 50), 0.0f);
    EXPECT_EQ(Render({0, 0, 0, 1}, 48).At(0, 45, 50), 1.0f);
}

TEST_F(CameraFrameFilter, RotatedFrameWithFractionalCorners)
{
    // A 350 x 300 frame turned by -30 degrees about (700, 300) of a 1024 x 1024 render, margins
    // 20 %: its x axis runs along (0.866, 0.5) of the image, its y axis along (-0.5, 0.866).
    host.scene.Find(plate)->resolutionW = 1024;
    host.scene.Find(plate)->resolutionH = 1024;
    TestFrame f = TestFrame().On(plate).At(700 - 512, 300 - 512).Size(350, 350.0 / 300.0).Margins(0.2, 0.2);
    f.rotation = -3.14159265358979323846 / 6;
    f.g = 1;
    Load(FrameBlock({f}));
    const zkh::FilterImage image = Render({0, 0, 0, 1}, 0, 1024, 1024);
    // Points in frame units (u, v): the centre (0.5, 0.5) at (700, 300); the band's middles on the
    // left (-0.05, 0.5), right, top and bottom sides, the bottom right corner (1.05, 1.05); inside
    // at (0.2, 0.3); outside the band at (0.5, 1.2) and (-0.2, 0.5).
    for (auto [x, y, green] : {std::tuple{700, 300, 0.0f}, {533, 203, 1.0f}, {866, 396, 1.0f}, {782, 157, 1.0f},
                               {617, 442, 1.0f}, {784, 539, 1.0f}, {639, 195, 0.0f}, {595, 481, 0.0f}, {487, 177, 0.0f}})
        EXPECT_EQ(image.At(1, x, y), green) << x << "," << y;
}

// The host's lines in the SDK's parameter order (buffer, layer, row), over a plate whose every row
// and layer holds its own value: a swap of layer and row reads other rows (or none) and changes
// pixels outside the band as well as in it.
TEST_F(CameraFrameFilter, RowsAndLayersInTheSDKsOrder)
{
    Load(FrameBlock({RedFrame(0.5)}));
    const auto value = [](int c, int y) { return static_cast<float>(c) * 0.25f + static_cast<float>(y) / 128.0f; };
    zkh::FilterImage image, expected;
    image.Assign(200, 100, 0, 0, 0, 0);
    for (int c = 0; c < 4; ++c)
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x)
                image.At(c, x, y) = value(c, y);
    expected = image;
    const float red[4] = {1, 0, 0, 0.5f};
    for (int y = 20; y < 80; ++y)
        for (int x = 40; x < 160; ++x)
            if (!(x >= 50 && x < 150 && y >= 25 && y < 75))
                for (int c = 0; c < 4; ++c)
                    expected.At(c, x, y) = 0.5f * value(c, y) + 0.5f * red[c];
    ASSERT_TRUE(host.imageFilters.RunOne("ZK:CameraFrame", image, 0));
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(image.planes[c], expected.planes[c]) << "layer " << c;

    // The accessors themselves: layer then row, the alpha buffer only to a filter that named it.
    for (const char *const *buffers : {zkh::kRenderBuffers, static_cast<const char *const *>(nullptr)}) {
        zkh::FilterAccessScope scope(image, 0, buffers);
        const LWFilterAccess &access = *scope.Access();
        EXPECT_EQ(access.getLine("Final_Render", 2, 7), &image.planes[2][7 * 200]);
        EXPECT_EQ(access.getLine("Final_Render", 3, 7), nullptr);
        EXPECT_EQ(access.getLine("Final_Render", 0, 100), nullptr);
        EXPECT_EQ(access.layers("Final_Render"), 3);
        EXPECT_EQ(access.getLine("Alpha", 0, 99), buffers ? &image.planes[3][99 * 200] : nullptr);
        EXPECT_EQ(access.layers("Alpha"), buffers ? 1 : 0);
    }
}

// A filter instance made by hand: it names the buffers it reads, a second one is refused, empty
// accesses are left alone, and a host that serves no alpha buffer gets the band in its colours
// while its alpha stays.
TEST_F(CameraFrameFilter, NoAlphaLineLeavesTheAlphaAlone)
{
    Load(FrameBlock({RedFrame(0.5)}));
    LWInstanceFuncs inst{};
    LWItemFuncs item{};
    LWImageFilterHandler handler{&inst, &item, nullptr, nullptr};
    ASSERT_EQ(host.Activate("ImageFilterHandler", "ZK:CameraFrame", &handler), AFUNC_OK);
    LWError error = nullptr;
    LWInstance filter = inst.create(inst.priv, nullptr, &error);
    ASSERT_NE(filter, nullptr);
    EXPECT_STREQ(inst.descln(filter), "ZK:CameraFrame");
    std::vector<std::string> buffers;
    for (const char **name = handler.flags(filter); name && *name; ++name)
        buffers.push_back(*name);
    EXPECT_EQ(buffers, (std::vector<std::string>{"Final_Render", "Alpha"}));
    EXPECT_EQ(inst.create(inst.priv, nullptr, &error), nullptr);
    EXPECT_STREQ(error, "Already exists!");
    LWFilterAccess empty{};
    handler.process(filter, &empty);
    handler.process(filter, nullptr);

    zkh::FilterImage image;
    image.Assign(200, 100, 0, 0, 0, 0.75f);
    {
        zkh::FilterAccessScope scope(image, 0, nullptr);
        handler.process(filter, scope.Access());
    }
    inst.destroy(filter);
    EXPECT_EQ(image.At(0, 45, 50), 0.5f);
    EXPECT_EQ(image.planes[3], std::vector<float>(200 * 100, 0.75f));
    LWInstance again = inst.create(inst.priv, nullptr, &error);
    EXPECT_NE(again, nullptr);
    inst.destroy(again);
}

// A render node: no panel, XPanel, viewport, interface or communication-ring service.
TEST_F(CameraFrameFilter, RenderNodeLoadsTheSceneAndBurnsFrames)
{
    host.BecomeRenderNode();
    Load(FrameBlock({RedFrame()}));
    EXPECT_EQ(host.ring.SubscriberCount("TessikComRing"), 0u);
    EXPECT_EQ(Render().At(0, 45, 50), 1.0f);
    EXPECT_TRUE(Calls(0).empty());
    EXPECT_TRUE(host.masters.Remove("ZK:CameraFrame"));
}

// Frames far outside the image cost no more than any other (rows and columns are clipped to the
// image before they become ints) and burn exactly their pixels in.
TEST_F(CameraFrameFilter, FramesFarOutsideTheImage)
{
    std::vector<TestFrame> far;
    for (auto [x, y] : {std::pair{0.0, 3.0e9}, {0.0, 2147483647.0}, {0.0, -3.0e9}, {-1e12, 0.0}, {1e30, 1e30}})
        far.push_back(RedFrame().At(x, y));
    Load(FrameBlock(far));
    EXPECT_EQ(Render().planes[0], std::vector<float>(200 * 100, 0.0f));

    // A band with corners 1e29 and more away that covers the whole image.
    Reload(FrameBlock({RedFrame().Size(1e30, 1).Margins(1, 1).At(6e29, 0)}));
    EXPECT_EQ(Render().planes[0], std::vector<float>(200 * 100, 1.0f));
}

// Under 73 bands that keep 30 % of the green each, green 0.5 would fall to 3.4e-39, below the
// normal floats (where every operation on it costs a hundredfold): it is taken as 0, and the
// render thread's floating-point mode is what it was.
TEST_F(CameraFrameFilter, ManyBandsLeaveNoSubnormalValues)
{
    Load(FrameBlock(std::vector<TestFrame>(73, RedFrame(0.3))));
    const unsigned int mode = _mm_getcsr();
    const zkh::FilterImage image = Render({0.0f, 0.5f, 0.0f, 1.0f});
    EXPECT_EQ(_mm_getcsr(), mode);
    EXPECT_FLOAT_EQ(image.At(0, 45, 50), 1.0f);
    EXPECT_EQ(image.At(1, 45, 50), 0.0f);
    EXPECT_EQ(image.At(1, 100, 50), 0.5f); // inside the frames
}

} // namespace
