// Plates read straight into the renderer's buffers and written back from them, a band of rows at
// a time where the file allows, give what reading the whole plate, copying it into the buffers and
// back, and writing it give: the same buffers, and files with the same pixels and layout, for
// each kind of plate (banded or read whole).
#include "image_files.h"
#include "../process_support.h"

#include <OpenImageIO/imageio.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct PlateKind {
    const char *file;
    int width, height;
    std::vector<std::string> channels;
    OIIO::TypeDesc type;
    int tile; // 0: scanlines
    const char *compression = "";
    const char *lineOrder = "";
    int x = 0, y = 0;                        // the data window's origin
    std::vector<OIIO::TypeDesc> formats = {}; // a type per channel, when they differ
};

// Each sample a value of its place, within the range of every type written.
float Sample(int x, int y, int c) { return static_cast<float>(((x * 7 + y * 13 + c * 29) % 251) / 251.0); }

void WriteKind(const std::string &path, const PlateKind &kind)
{
    const int n = static_cast<int>(kind.channels.size());
    OIIO::ImageSpec spec(kind.width, kind.height, n, kind.type);
    spec.channelnames = kind.channels;
    spec.alpha_channel = -1;
    for (int c = 0; c < n; ++c)
        if (kind.channels[static_cast<size_t>(c)] == "A")
            spec.alpha_channel = c;
    spec.tile_width = spec.tile_height = kind.tile;
    spec.x = spec.full_x = kind.x;
    spec.y = spec.full_y = kind.y;
    spec.channelformats = kind.formats;
    if (*kind.compression)
        spec.attribute("compression", kind.compression);
    if (*kind.lineOrder)
        spec.attribute("openexr:lineOrder", kind.lineOrder);
    std::vector<float> pixels(static_cast<size_t>(kind.width) * kind.height * n);
    for (int y = 0; y < kind.height; ++y)
        for (int x = 0; x < kind.width; ++x)
            for (int c = 0; c < n; ++c)
                pixels[(static_cast<size_t>(y) * kind.width + x) * n + c] = Sample(x, y, c);
    auto out = OIIO::ImageOutput::create(path);
    ASSERT_TRUE(out && out->open(path, spec) && out->write_image(OIIO::TypeDesc::FLOAT, pixels.data()) && out->close())
        << path;
}

// The file's samples as floats, and a line of its layout.
std::vector<float> ReadBack(const std::string &path, std::string &layout)
{
    auto in = OIIO::ImageInput::open(path);
    if (!in)
        return {};
    const OIIO::ImageSpec &spec = in->spec();
    layout = std::to_string(spec.width) + "x" + std::to_string(spec.height) + " " + spec.format.c_str() + " " +
             std::to_string(spec.nchannels) + " tile " + std::to_string(spec.tile_width) + " " +
             std::string(spec.get_string_attribute("compression"));
    for (const OIIO::TypeDesc &format : spec.channelformats)
        layout += std::string(" ") + format.c_str();
    std::vector<float> pixels(static_cast<size_t>(spec.width) * spec.height * spec.nchannels);
    in->read_image(0, 0, 0, spec.nchannels, OIIO::TypeDesc::FLOAT, pixels.data());
    return pixels;
}

TEST(PlateBuffers, BandsGiveWhatTheWholePlateGives)
{
    const PlateKind kinds[] = {
        {"rgba-half.exr", 300, 150, {"R", "G", "B", "A"}, OIIO::TypeDesc::HALF, 0},  // bands, the last short
        {"rgb-float.exr", 64, 64, {"R", "G", "B"}, OIIO::TypeDesc::FLOAT, 0},        // one band exactly
        {"piz-down.exr", 90, 200, {"R", "G", "B", "A"}, OIIO::TypeDesc::HALF, 0, "piz", "decreasingY"}, // bands bottom up
        {"zip-origin.exr", 70, 100, {"R", "G", "B"}, OIIO::TypeDesc::HALF, 0, "zip", "", -12, 30},
        {"mixed.exr", 130, 65, {"R", "G", "B", "A"}, OIIO::TypeDesc::HALF, 0, "dwaa", "", 0, 0,
         {OIIO::TypeDesc::HALF, OIIO::TypeDesc::FLOAT, OIIO::TypeDesc::HALF, OIIO::TypeDesc::FLOAT}},
        {"uint.exr", 20, 20, {"R", "G", "B"}, OIIO::TypeDesc::UINT32, 0},            // not half or float: bands
        {"rgbaz.exr", 40, 70, {"R", "G", "B", "A", "Z"}, OIIO::TypeDesc::FLOAT, 0},  // Z passes through: whole
        {"tiled.tif", 80, 90, {"R", "G", "B", "A"}, OIIO::TypeDesc::UINT16, 32},     // tiles: whole
        {"grey.png", 50, 70, {"Y"}, OIIO::TypeDesc::UINT8, 0},                       // grey: whole
        {"rgb16.png", 33, 129, {"R", "G", "B"}, OIIO::TypeDesc::UINT16, 0},
    };
    const fs::path dir = TestTempDir("zk-plate-buffers");
    fs::create_directories(dir);
    for (const PlateKind &kind : kinds) {
        SCOPED_TRACE(kind.file);
        const std::string plate = (dir / kind.file).string();
        WriteKind(plate, kind);
        zkh::PlateImage banded, whole;
        zkh::FilterImage bandedBuffers, wholeBuffers;
        std::string error;
        ASSERT_TRUE(zkh::ReadPlateBuffers(plate, banded, bandedBuffers, error)) << error;
        ASSERT_TRUE(zkh::ReadPlate(plate, whole, error)) << error;
        zkh::FillFilterImage(whole, wholeBuffers);
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(bandedBuffers.planes[c], wholeBuffers.planes[c]) << "plane " << c;
        // What a filter would do: a change to every plane.
        for (zkh::FilterImage *buffers : {&bandedBuffers, &wholeBuffers})
            for (auto &plane : buffers->planes)
                for (float &value : plane)
                    value = value * 0.5f + 0.25f;
        const std::string ext = fs::path(kind.file).extension().string();
        const std::string first = (dir / ("banded" + ext)).string(), second = (dir / ("whole" + ext)).string();
        ASSERT_TRUE(zkh::WritePlateBuffers(first, bandedBuffers, banded, error)) << error;
        zkh::StoreFilterImage(wholeBuffers, whole);
        ASSERT_TRUE(zkh::WritePlate(second, whole, error)) << error;
        std::string firstLayout, secondLayout;
        const std::vector<float> firstPixels = ReadBack(first, firstLayout), secondPixels = ReadBack(second, secondLayout);
        EXPECT_FALSE(firstPixels.empty());
        EXPECT_EQ(firstPixels, secondPixels);
        EXPECT_EQ(firstLayout, secondLayout);
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
}

} // namespace
