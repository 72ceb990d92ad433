// The ZK:CameraFrame image filter through the module file: band pixels, blending, which frames are
// burnt in, rotated frames with fractional corners, and a render node without any interface.
#include "cameraframe_blocks.h"
#include "filter_image.h"
#include "module_fixture.h"
#include "ring_peer.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

class CameraFrameFilter : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        camera = host.scene.AddCamera("Camera", 200, 100, 35.0).id;
        other = host.scene.AddCamera("Other", 200, 100, 35.0).id;
    }

    void Frames(const std::vector<TestFrame> &frames)
    {
        zkh::MasterInstance *master = host.FindMaster("ZK:CameraFrame");
        if (!master)
            master = host.AddMaster("ZK:CameraFrame");
        ASSERT_NE(master, nullptr);
        ASSERT_EQ(LoadMasterBlock(*master, FrameBlock(frames)), nullptr);
    }

    // A 100 x 50 red frame with 20 % margins: band x 40..50 and 150..160, y 20..25 and 75..80.
    TestFrame RedFrame(double transparency = 0)
    {
        TestFrame f;
        f.camera = camera;
        f.width = 100;
        f.aspect = 2;
        f.marginW = 0.2;
        f.marginH = 0.2;
        f.r = 1;
        f.transparency = transparency;
        return f;
    }

    zkh::FilterImage Render(float r, float g, float b, float a, int frame = 0)
    {
        zkh::FilterImage image;
        image.Assign(200, 100, r, g, b, a);
        EXPECT_TRUE(host.RunImageFilter("ZK:CameraFrame", image, frame)) << host.messages.back();
        return image;
    }

    std::uint32_t camera = 0, other = 0;
};

TEST_F(CameraFrameFilter, OpaqueRedBandOverBlack)
{
    Frames({RedFrame()});
    const zkh::FilterImage image = Render(0, 0, 0, 1);
    for (auto [x, y] : {std::pair{40, 20}, {45, 50}, {155, 50}, {100, 22}, {100, 78}, {159, 79}}) {
        EXPECT_EQ(image.At(0, x, y), 1.0f) << x << "," << y;
        EXPECT_EQ(image.At(1, x, y), 0.0f);
        EXPECT_EQ(image.At(3, x, y), 1.0f);
    }
    for (auto [x, y] : {std::pair{39, 50}, {50, 50}, {100, 50}, {149, 50}, {160, 50}, {100, 19}, {100, 25}, {100, 80}})
        EXPECT_EQ(image.At(0, x, y), 0.0f) << x << "," << y;
}

TEST_F(CameraFrameFilter, HalfTransparentOverAlphaZeroAndFullyTransparent)
{
    Frames({RedFrame(0.5)});
    zkh::FilterImage image = Render(0, 0, 0, 0);
    EXPECT_EQ(image.At(0, 45, 50), 0.5f);
    EXPECT_EQ(image.At(3, 45, 50), 0.25f);
    EXPECT_EQ(image.At(3, 100, 50), 0.0f);
    // Band corners are shared by two quads and still blended once.
    EXPECT_EQ(image.At(0, 40, 20), 0.5f);
    EXPECT_EQ(image.At(0, 49, 24), 0.5f);

    host.RemoveMaster("ZK:CameraFrame");
    Frames({RedFrame(1)});
    image = Render(0.2f, 0.4f, 0.6f, 0.8f);
    for (int c = 0; c < 4; ++c)
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x)
                ASSERT_EQ(image.At(c, x, y), (std::array<float, 4>{0.2f, 0.4f, 0.6f, 0.8f})[c]);
}

TEST_F(CameraFrameFilter, InactiveAndOtherCameraFramesAreLeftOut)
{
    TestFrame inactive = RedFrame();
    inactive.active = 0;
    TestFrame elsewhere = RedFrame();
    elsewhere.camera = other;
    Frames({inactive, elsewhere});
    zkh::FilterImage image = Render(0, 0, 0, 1);
    EXPECT_EQ(image.At(0, 45, 50), 0.0f);

    // The render camera is looked up for the frame's time: from frame 48 (2 s at 24 fps) on, Other.
    host.scene.renderCameraSwitches[2.0] = other;
    image = Render(0, 0, 0, 1, 47);
    EXPECT_EQ(image.At(0, 45, 50), 0.0f);
    image = Render(0, 0, 0, 1, 48);
    EXPECT_EQ(image.At(0, 45, 50), 1.0f);
}

TEST_F(CameraFrameFilter, ZeroMarginsGiveAOnePixelBand)
{
    TestFrame f = RedFrame();
    f.marginW = 0;
    f.marginH = 0;
    Frames({f});
    const zkh::FilterImage image = Render(0, 0, 0, 1);
    EXPECT_EQ(image.At(0, 49, 50), 1.0f);
    EXPECT_EQ(image.At(0, 48, 50), 0.0f);
    EXPECT_EQ(image.At(0, 50, 50), 0.0f);
    EXPECT_EQ(image.At(0, 150, 50), 1.0f);
    EXPECT_EQ(image.At(0, 100, 24), 1.0f);
    EXPECT_EQ(image.At(0, 100, 75), 1.0f);
}

TEST_F(CameraFrameFilter, RotatedFrameWithFractionalCorners)
{
    // A 350 x 300 frame turned by -30 degrees about (700, 300) in a 1024 x 1024 image: fractional
    // corners on every side.
    host.scene.Find(camera)->resolutionW = 1024;
    host.scene.Find(camera)->resolutionH = 1024;
    TestFrame f;
    f.camera = camera;
    f.posX = 700 - 512;
    f.posY = 300 - 512;
    f.width = 350;
    f.aspect = 350.0 / 300.0;
    f.rotation = -kPi / 6;
    f.marginW = 0.2;
    f.marginH = 0.2;
    f.g = 1;
    Frames({f});
    zkh::FilterImage image;
    image.Assign(1024, 1024, 0, 0, 0, 1);
    ASSERT_TRUE(host.RunImageFilter("ZK:CameraFrame", image, 0));
    // Points of the band and of the inside, placed with the frame's own rotation.
    const double c = std::cos(f.rotation), s = std::sin(f.rotation);
    auto at = [&](double u, double v, int channel) {
        const double ox = (u - 0.5) * 350, oy = (v - 0.5) * 300;
        const int x = static_cast<int>(std::floor(700 + ox * c + oy * s));
        const int y = static_cast<int>(std::floor(300 - ox * s + oy * c));
        return image.At(channel, x, y);
    };
    EXPECT_EQ(at(0.5, 0.5, 1), 0.0f);
    EXPECT_EQ(at(0.2, 0.3, 1), 0.0f);
    EXPECT_EQ(at(-0.05, 0.5, 1), 1.0f);
    EXPECT_EQ(at(1.05, 0.5, 1), 1.0f);
    EXPECT_EQ(at(0.5, -0.05, 1), 1.0f);
    EXPECT_EQ(at(0.5, 1.05, 1), 1.0f);
    EXPECT_EQ(at(1.05, 1.05, 1), 1.0f);
    EXPECT_EQ(at(0.5, 1.2, 1), 0.0f);
    EXPECT_EQ(at(-0.2, 0.5, 1), 0.0f);
    // The band's area: (1.2^2 - 1) x 350 x 300 pixels, within the rounding of its edges.
    int band = 0;
    for (float v : image.planes[1])
        band += v == 1.0f;
    EXPECT_NEAR(band, 0.44 * 350 * 300, 350 * 4);
}

TEST_F(CameraFrameFilter, SecondFilterInstanceRefusedAndEmptyImagesLeftAlone)
{
    LWInstanceFuncs inst{};
    LWItemFuncs item{};
    LWImageFilterHandler handler{&inst, &item, nullptr, nullptr};
    ASSERT_EQ(host.Activate("ImageFilterHandler", "ZK:CameraFrame", &handler), AFUNC_OK);
    LWError error = nullptr;
    LWInstance first = inst.create(inst.priv, nullptr, &error);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(inst.descln(first), "ZK:CameraFrame");
    ASSERT_NE(handler.flags(first), nullptr);
    EXPECT_EQ(handler.flags(first)[0], nullptr);
    EXPECT_EQ(inst.create(inst.priv, nullptr, &error), nullptr);
    EXPECT_STREQ(error, "");
    LWFilterAccess empty{};
    handler.process(first, &empty);
    handler.process(first, nullptr);
    inst.destroy(first);
    LWInstance again = inst.create(inst.priv, nullptr, &error);
    EXPECT_NE(again, nullptr);
    inst.destroy(again);
}

// A render without an alpha buffer: the colours get the band, the host's alpha is not written.
TEST_F(CameraFrameFilter, NoAlphaLineLeavesTheAlphaAlone)
{
    Frames({RedFrame(0.5)});
    LWInstanceFuncs inst{};
    LWItemFuncs item{};
    LWImageFilterHandler handler{&inst, &item, nullptr, nullptr};
    ASSERT_EQ(host.Activate("ImageFilterHandler", "ZK:CameraFrame", &handler), AFUNC_OK);
    LWError error = nullptr;
    LWInstance filter = inst.create(inst.priv, nullptr, &error);
    ASSERT_NE(filter, nullptr);

    zkh::FilterImage image;
    image.Assign(200, 100, 0, 0, 0, 0.75f);
    {
        zkh::FilterAccessScope scope(image, 0);
        static const LWFilterAccess *g_inner = nullptr;
        g_inner = scope.Access();
        LWFilterAccess access = *scope.Access();
        access.getLine = [](const char *name, int y, int layer) -> float * {
            return std::string(name) == "Alpha" ? nullptr : g_inner->getLine(name, y, layer);
        };
        handler.process(filter, &access);
    }
    inst.destroy(filter);
    EXPECT_EQ(image.At(0, 45, 50), 0.5f);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(image.At(3, x, y), 0.75f) << x << "," << y;
}

TEST_F(CameraFrameFilter, PngRoundTripAt8And16Bits)
{
    zkh::FilterImage image;
    image.Assign(3, 2, 0, 0, 0, 1);
    image.At(0, 0, 0) = 1.0f;
    image.At(1, 1, 0) = 0.5f;
    image.At(2, 2, 1) = 0.25f;
    image.At(3, 1, 1) = 0.0f;
    const std::string path = modulePath + ".png";
    std::string error;
    for (int bits : {8, 16}) {
        ASSERT_TRUE(zkh::WritePng(path, image, bits, error)) << error;
        zkh::FilterImage back;
        ASSERT_TRUE(zkh::ReadPng(path, back, error)) << error;
        ASSERT_EQ(back.width, 3);
        ASSERT_EQ(back.height, 2);
        const float step = bits == 8 ? 1 / 255.0f : 1 / 65535.0f;
        EXPECT_EQ(back.At(0, 0, 0), 1.0f);
        EXPECT_NEAR(back.At(1, 1, 0), 0.5f, step);
        EXPECT_NEAR(back.At(2, 2, 1), 0.25f, step);
        EXPECT_EQ(back.At(3, 1, 1), 0.0f);
        EXPECT_EQ(back.At(3, 0, 0), 1.0f);
    }
    EXPECT_FALSE(zkh::WritePng(path, image, 12, error));
    EXPECT_EQ(error, "PNG files are written with 8 or 16 bits per channel");
    // Not a PNG: a clear error.
    {
        std::FILE *file = std::fopen(path.c_str(), "wb");
        std::fputs("not a png", file);
        std::fclose(file);
    }
    zkh::FilterImage bad;
    EXPECT_FALSE(zkh::ReadPng(path, bad, error));
    EXPECT_EQ(error, path + ": not a readable PNG file");
    std::remove(path.c_str());
}

// A render node: no panel, XPanel, viewport, interface or communication-ring service.
TEST_F(CameraFrameFilter, RenderNodeLoadsTheSceneAndBurnsFrames)
{
    host.BecomeRenderNode();
    Frames({RedFrame()});
    EXPECT_EQ(host.RingSubscriberCount("TessikComRing"), 0u);
    const zkh::FilterImage image = Render(0, 0, 0, 1);
    EXPECT_EQ(image.At(0, 45, 50), 1.0f);
    zkh::DrawRecorder recorder(0);
    host.DrawViewport(0, recorder);
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_TRUE(host.RemoveMaster("ZK:CameraFrame"));
}

// Frames far outside the image cost no more than any other (rows and columns are clipped to the
// image before they become ints) and burn exactly their pixels in.
TEST_F(CameraFrameFilter, FramesFarOutsideTheImage)
{
    std::vector<TestFrame> far;
    for (auto [x, y] : {std::pair{0.0, 3.0e9}, {0.0, 2147483647.0}, {0.0, -3.0e9}, {-1e12, 0.0}, {1e30, 1e30}}) {
        TestFrame f = RedFrame();
        f.posX = x;
        f.posY = y;
        far.push_back(f);
    }
    Frames(far);
    zkh::FilterImage image = Render(0, 0, 0, 1);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(image.At(0, x, y), 0.0f) << x << "," << y;

    // A band with corners 1e29 and more away that covers the whole image.
    TestFrame huge = RedFrame();
    huge.width = 1e30;
    huge.aspect = 1;
    huge.marginW = 1;
    huge.marginH = 1;
    huge.posX = 6e29;
    Frames({huge});
    image = Render(0, 0, 0, 1);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(image.At(0, x, y), 1.0f) << x << "," << y;
}

} // namespace
