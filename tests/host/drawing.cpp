// The simulated host's custom drawing: recording and rasterising.
#include "drawing.h"

#include <CImg.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

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

    const std::string path = (std::filesystem::temp_directory_path() / "zk-drawing-test.png").string();
    ASSERT_TRUE(zkh::RasterizeToPng(recorder.calls, 50, 30, path, {0, 0, 0}));
    cimg_library::CImg<unsigned char> image(path.c_str());
    EXPECT_EQ(image.width(), 50);
    EXPECT_EQ(image(5, 5, 0, 0), 127); // half red over black
    EXPECT_EQ(image(5, 5, 0, 2), 0);
    EXPECT_EQ(image(15, 5, 0, 0), 0); // outside the quad
    // Screen x runs along v (texture rows), y along u (columns): row 1, column 0 is transparent.
    EXPECT_EQ(image(35, 5, 0, 2), 0);
    EXPECT_EQ(image(25, 5, 0, 2), 255);
    EXPECT_EQ(image(35, 15, 0, 2), 255);
    std::filesystem::remove(path);
}

} // namespace
