// zkhost burn and zkhost crop through the runner program: the same pixels as a render, the same
// files for any number of jobs, crops where the frame lies, and bad plates, patterns and ranges.
#include "frame_crop.h"
#include "image_files.h"
#include "process_support.h"
#include "runner_session.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// A 640 x 360 camera, plates 1 to 6 drawn by the renderer before any frame exists (16-bit test
// plates), then two frames (one turned) and the renders of plate 1, saved as scene.lws.
const char kScene[] = R"(scene:
  fps: 24
  items:
    - {camera: Camera, resolution: [640, 360], focal_length: 35}
actions:
  - render_frame: {frame: 1, png: plate.0001.png, bits: 16}
  - render_frame: {frame: 2, size: [320, 180], png: plate.0002.png, bits: 16}
  - render_frame: {frame: 3, png: plate.0003.png, bits: 16}
  - render_frame: {frame: 4, png: plate.0004.png, bits: 16}
  - render_frame: {frame: 5, size: [300, 300], png: plate.0005.png, bits: 16}
  - render_frame: {frame: 6, png: plate.0006.png, bits: 16}
  - master_add: ZK:CameraFrame
  - image_filter_add: ZK:CameraFrame
  - frame_create: {name: Scope, aspect: 2.39, color: [1, 0.2, 0.1], transparency: 0.3}
  - frame_create: {name: Insert, width: 160, height: 90, position: [120, -60], rotation: 12, color: [0.1, 0.8, 1], transparency: 0.2}
  - render_frame: {frame: 1, plate: sequence/plate.0001.png, png: render.0001.png, bits: 16}
  - render_frame: {frame: 2, plate: sequence/plate.0002.png, png: render.0002.png, bits: 16}
  - scene_save: scene.lws
)";

class SequenceCommands : public ::testing::Test {
protected:
    // The folder is named after the test's process, whose number comes back (under Wine, from one
    // run to the next): what an earlier test wrote there goes first, and after the test.
    void SetUp() override
    {
        fs::remove_all(TestTempDir("zkhost-runner") / "sequence");
        const RunResult made = RunRunnerSession(std::string(kScene), "sequence");
        ASSERT_EQ(made.status, 0) << made.output;
        dir = made.out;
    }

    void TearDown() override
    {
        if (!dir.empty())
            fs::remove_all(dir);
    }

    // Runs zkhost with the arguments; the exit status, and the output in `log`.
    int Zkhost(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), ZK_RUNNER_PATH);
        arguments.insert(arguments.end(), {"--module", ZK_MODULE_PATH});
        const fs::path file = dir / "zkhost.txt";
        const int status = RunProgram(arguments, file.string());
        log = ReadFileBytes(file);
        return status;
    }
    std::string In(const char *pattern = "plate.####.png") const { return (dir / pattern).string(); }
    std::string Scene() const { return (dir / "scene.lws").string(); }

    zkh::FilterImage Png(const fs::path &path)
    {
        zkh::FilterImage image;
        std::string error;
        EXPECT_TRUE(zkh::ReadPng(path.string(), image, error)) << error;
        return image;
    }

    fs::path dir;
    std::string log;
};

// Burnt plates hold the pixels the render_frame action gives for the same plate and frame (within
// the 16-bit files' rounding); a plate of half the camera's size gets the frames scaled to it, as a
// render at half resolution; the files are the same for one job and for three.
TEST_F(SequenceCommands, BurnGivesTheRendersPixelsWithAnyNumberOfJobs)
{
    ASSERT_EQ(Zkhost({"burn", Scene(), "--in", In(), "--out", (dir / "a" / "b.%04d.png").string(), "--frames", "1-4",
                      "--jobs", "1"}),
              0)
        << log;
    EXPECT_NE(log.find("frame 3: " + In("plate.0003.png") + " -> " + (dir / "a" / "b.0003.png").string() + "\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("burn: 4 of 4 frames written, 0 failed, "), std::string::npos) << log;
    for (int frame : {1, 2}) {
        const std::string n = "000" + std::to_string(frame) + ".png";
        const zkh::FilterImage burnt = Png(dir / "a" / ("b." + n)), render = Png(dir / ("render." + n));
        ASSERT_EQ(burnt.width, render.width);
        ASSERT_EQ(burnt.height, render.height);
        float most = 0;
        for (int c = 0; c < 4; ++c)
            for (size_t p = 0; p < burnt.planes[c].size(); ++p)
                most = std::max(most, std::fabs(burnt.planes[c][p] - render.planes[c][p]));
        EXPECT_LE(most, 1.0f / 65535) << "frame " << frame;
    }
    ASSERT_EQ(Zkhost({"burn", Scene(), "--in", In(), "--out", (dir / "c.####.png").string(), "--frames", "1-4",
                      "--jobs", "3"}),
              0)
        << log;
    for (const char *n : {"0001", "0002", "0003", "0004"})
        EXPECT_EQ(ReadFileBytes(dir / (std::string("c.") + n + ".png")),
                  ReadFileBytes(dir / "a" / (std::string("b.") + n + ".png")))
            << n;
}

// A missing plate stops the run with its name (exit 1, nothing after it started); --keep-going
// records it and goes on; a file already written stays unless --force.
TEST_F(SequenceCommands, MissingPlatesAndExistingFiles)
{
    fs::remove(dir / "plate.0002.png");
    const std::string out = (dir / "k.####.png").string();
    EXPECT_EQ(Zkhost({"burn", Scene(), "--in", In(), "--out", out, "--frames", "1-4", "--jobs", "1"}), 1);
    EXPECT_NE(log.find("frame 2: not written: " + In("plate.0002.png") + ": cannot read"), std::string::npos) << log;
    EXPECT_NE(log.find("burn: 1 of 4 frames written, 1 failed, 2 not started, "), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(dir / "k.0003.png"));
    EXPECT_EQ(Zkhost({"burn", Scene(), "--in", In(), "--out", out, "--frames", "1-4", "--keep-going"}), 1);
    EXPECT_NE(log.find("burn: 2 of 4 frames written, 2 failed, "), std::string::npos) << log;
    EXPECT_NE(log.find("frame 1: not written: " + (dir / "k.0001.png").string() +
                       " exists already (--force writes over it)"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("failed frames: 1 2\n"), std::string::npos) << log;
    EXPECT_EQ(Zkhost({"burn", Scene(), "--in", In(), "--out", out, "--frames", "3-4", "--force"}), 0) << log;
}

// A palette PNG in blue and yellow checks.
void WritePalettePng(const std::string &path, int width, int height)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(writer);
    png_init_io(writer, file);
    png_set_IHDR(writer, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color palette[2] = {{0, 0, 255}, {255, 255, 0}};
    png_set_PLTE(writer, info, palette, 2);
    png_write_info(writer, info);
    std::vector<png_byte> row(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            row[static_cast<size_t>(x)] = static_cast<png_byte>((x / 8 + y / 8) % 2);
        png_write_row(writer, row.data());
    }
    png_write_end(writer, nullptr);
    png_destroy_write_struct(&writer, &info);
    std::fclose(file);
}

// The start of a grey PNG of 30,000 x 30,000 pixels: its header and the first bytes of its data.
std::string HugePngStart()
{
    const auto chunk = [](const std::string &type, const std::string &data) {
        std::string bytes;
        for (std::uint32_t v : {static_cast<std::uint32_t>(data.size())})
            for (int k = 3; k >= 0; --k)
                bytes += static_cast<char>(v >> (8 * k));
        const std::string body = type + data;
        const std::uint32_t crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef *>(body.data()), static_cast<uInt>(body.size())));
        bytes += body;
        for (int k = 3; k >= 0; --k)
            bytes += static_cast<char>(crc >> (8 * k));
        return bytes;
    };
    const std::string size = std::string("\x00\x00\x75\x30", 4);
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", size + size + std::string("\x08\x00\x00\x00\x00", 5)) +
           chunk("IDAT", std::string(16, '\0'));
}

// Bad plates, patterns and ranges: each refused with a message that names it.
TEST_F(SequenceCommands, BadPlatesPatternsAndRanges)
{
    WritePalettePng((dir / "pal.0001.png").string(), 640, 360);
    std::ofstream(dir / "pal.0002.png", std::ios::binary) << HugePngStart();
    WritePalettePng((dir / "pal.0003.png").string(), 1, 1);
    fs::copy_file(dir / "plate.0005.png", dir / "pal.0004.png");
    EXPECT_EQ(Zkhost({"burn", Scene(), "--in", In("pal.####.png"), "--out", (dir / "p.####.png").string(), "--frames",
                      "1-4", "--keep-going"}),
              1);
    const std::string pal = In("pal.####.png").substr(0, In("pal.####.png").size() - 8);
    for (const std::string &message :
         {"frame 1: " + pal + "0001.png -> ",
          "frame 2: not written: " + pal + "0002.png: 30000 x 30000 pixels; plates are taken from 1 to 16384 pixels each way\n",
          "frame 3: not written: " + pal + "0003.png: the plate is 1 x 1 and camera Camera renders 640 x 360, another aspect: its frames cannot be placed on it\n",
          "frame 4: not written: " + pal + "0004.png: the plate is 300 x 300 and camera Camera renders 640 x 360, another aspect"})
        EXPECT_NE(log.find(message), std::string::npos) << message << "\n" << log;
    // The palette plate comes out in colour, blue and yellow where the frames left it.
    const zkh::FilterImage colour = Png(dir / "p.0001.png");
    EXPECT_EQ(std::vector<float>({colour.At(0, 320, 180), colour.At(1, 320, 180), colour.At(2, 320, 180)}),
              std::vector<float>({0, 0, 1}));

    const std::string out = (dir / "x.####.png").string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> mistakes = {
        {{"--in", (dir / "plate.png").string(), "--out", out},
         "zkhost: the sequence pattern '" + (dir / "plate.png").string() +
             "' has no frame number: write #### or %04d where the frame number goes\n"},
        {{"--in", In(), "--out", out, "--frames", "1-1000000000"},
         "zkhost: --frames 1-1000000000: 1000000000 frames; one run takes at most 1000000 (split the range with --frames)\n"},
        {{"--in", In(), "--out", out, "--frames", "5-1"}, "zkhost: --frames 5-1: the last frame 1 comes before the first 5\n"},
        {{"--in", In(), "--out", out, "--camera", "Nobody"}, "zkhost: --camera Nobody: the scene has no camera of that name\n"},
        {{"--in", In(), "--out", out, "--jobs", "0"}, "zkhost burn: --jobs 0: expected a whole number from 1 to 64\n"},
    };
    for (const auto &[arguments, message] : mistakes) {
        std::vector<std::string> command = {"burn", Scene()};
        command.insert(command.end(), arguments.begin(), arguments.end());
        EXPECT_EQ(Zkhost(command), 2) << message;
        EXPECT_EQ(log.substr(0, message.size()), message);
    }
    // A scene whose image processing lacks the frames' filter would burn nothing in.
    std::string scene = ReadFileBytes(Scene());
    const std::string filter = "Plugin ImageFilterHandler 1 ZK:CameraFrame\nEndPlugin\n";
    ASSERT_NE(scene.find(filter), std::string::npos);
    std::ofstream(dir / "bare.lws", std::ios::binary) << scene.erase(scene.find(filter), filter.size());
    EXPECT_EQ(Zkhost({"burn", (dir / "bare.lws").string(), "--in", In(), "--out", out}), 2);
    EXPECT_EQ(log, "zkhost: " + (dir / "bare.lws").string() +
                       " has no ZK:CameraFrame image filter: add it to the scene's image processing to burn its "
                       "frames in\n");
#if !defined(_WIN32)
    // A truncated OpenEXR plate: written by a burn, then cut in half.
    ASSERT_EQ(Zkhost({"burn", Scene(), "--in", In(), "--out", (dir / "e.####.exr").string(), "--frames", "1"}), 0)
        << log;
    const std::string exr = ReadFileBytes(dir / "e.0001.exr");
    std::ofstream(dir / "e.0001.exr", std::ios::binary | std::ios::trunc) << exr.substr(0, exr.size() / 2);
    EXPECT_EQ(Zkhost({"burn", Scene(), "--in", In("e.####.exr"), "--out", (dir / "t.####.exr").string(), "--frames",
                      "1"}),
              1);
    EXPECT_NE(log.find("frame 1: not written: " + (dir / "e.0001.exr").string() + ": cannot read"), std::string::npos)
        << log;
#endif
}

// The crop of the turned Insert frame (160 x 90 at (120, -60) from the centre, 12 degrees) out of
// a plate of twice the camera's size: 320 x 180 pixels, whose corners and centre come from where
// the frame's geometry puts them; outside the plate, transparent black.
TEST(FrameCrop, TurnedFrameOnAPlateOfTwiceTheSize)
{
    zkh::PlateImage plate;
    plate.width = 1280;
    plate.height = 720;
    plate.channels = 3;
    plate.pixels.resize(1280 * 720 * 3);
    for (int y = 0; y < 720; ++y)
        for (int x = 0; x < 1280; ++x) {
            plate.pixels[(y * 1280 + x) * 3] = x + 0.5f;
            plate.pixels[(y * 1280 + x) * 3 + 1] = y + 0.5f;
        }
    const double turn = 12 * 3.14159265358979323846 / 180;
    zkh::CropFrame frame{120, -60, 160, 90, turn, 640, 360};
    zkh::CropGeometry geometry;
    std::string error;
    ASSERT_TRUE(zkh::PlaceCrop(frame, 1280, 720, geometry, error)) << error;
    const zkh::PlateImage crop = zkh::CropPlate(plate, geometry);
    ASSERT_EQ(std::vector<int>({crop.width, crop.height, crop.channels, crop.alpha}), std::vector<int>({320, 180, 4, 3}));
    // Output pixel (i, j) shows the plate point O + R(u, v) of its centre, O = (880, 240).
    const auto expect = [&](int i, int j) {
        const double u = i + 0.5 - 160, v = j + 0.5 - 90;
        const double x = 880 + u * std::cos(turn) + v * std::sin(turn), y = 240 - u * std::sin(turn) + v * std::cos(turn);
        const float *p = &crop.pixels[(static_cast<size_t>(j) * 320 + i) * 4];
        EXPECT_NEAR(p[0], x, 1e-3) << i << "," << j;
        EXPECT_NEAR(p[1], y, 1e-3) << i << "," << j;
        EXPECT_EQ(p[3], 1.0f);
    };
    for (auto [i, j] : {std::pair{0, 0}, {319, 0}, {319, 179}, {0, 179}, {160, 90}})
        expect(i, j);
    // Moved past the plate's right edge, half of it lies outside: transparent black there.
    frame.posX = 600;
    ASSERT_TRUE(zkh::PlaceCrop(frame, 1280, 720, geometry, error));
    const zkh::PlateImage off = zkh::CropPlate(plate, geometry);
    EXPECT_EQ(std::vector<float>(off.pixels.begin() + (90 * 320 + 319) * 4, off.pixels.begin() + (90 * 320 + 320) * 4),
              std::vector<float>(4, 0.0f));
    frame.width = 1e9;
    EXPECT_FALSE(zkh::PlaceCrop(frame, 1280, 720, geometry, error));
}

// The crop command: the named frame out of each plate, upright, at its size on the plate.
TEST_F(SequenceCommands, CropWritesTheFramesInside)
{
    ASSERT_EQ(Zkhost({"crop", Scene(), "--frame", "Insert", "--in", In(), "--out", (dir / "i.####.png").string(),
                      "--frames", "1-2"}),
              0)
        << log;
    EXPECT_EQ(Png(dir / "i.0001.png").width, 160);
    EXPECT_EQ(Png(dir / "i.0002.png").height, 45);
    EXPECT_EQ(Zkhost({"crop", Scene(), "--frame", "Wide", "--in", In(), "--out", (dir / "w.####.png").string()}), 2);
    EXPECT_EQ(log, "zkhost: --frame Wide: no camera frame of that name (the scene has: Scope, Insert)\n");
}

} // namespace
