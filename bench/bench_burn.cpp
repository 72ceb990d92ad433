// bench_burn.cpp: burning frames into a 4K OpenEXR sequence (half floats, zip), and zkhost burn's
// jobs.
//
// BurnExr/4k: each of 4 plates read, run through the camera frames' filter (four frames, every
// guide burnt in) and written, as zkhost burn does per frame; its baseline reads the same files
// into floats and writes them back through OpenEXR, the library burn reads them with, with no
// filter (for reference, the same pass in the files' own types, and through OpenImageIO, are
// timed too). BurnJobs/4k: the zkhost burn command over 8
// plates with --jobs 2; its baseline is the same command with --jobs 1 (a ratio of 0.5 is twice
// the throughput).
#include "cameraframe/frame_filter.h"
#include "cameraframe/frame_list.h"
#include "common/lwglobals.h"
#include "filter_image.h"
#include "host.h"
#include "image_files.h"
#include "image_files_exr.h"

#include <OpenEXR/ImfChannelList.h>
#include <OpenEXR/ImfFrameBuffer.h>
#include <OpenEXR/ImfHeader.h>
#include <OpenEXR/ImfInputFile.h>
#include <OpenEXR/ImfOutputFile.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 3840, kHeight = 2160, kPlates = 8;

// The plates, made once: the test plate as a 16-bit PNG, then as OpenEXR files.
const fs::path &Plates()
{
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / "zkbench-burn";
        fs::create_directories(d);
        std::string error;
        const std::string png = (d / "plate.png").string();
        zkh::WritePng(png, zkh::TestPlate(kWidth, kHeight), 16, error);
        zkh::PlateImage plate;
        zkh::ReadPlate(png, plate, error);
        for (int i = 1; i <= kPlates; ++i)
            zkh::WritePlate((d / ("plate." + std::to_string(i) + ".exr")).string(), plate, error);
        return d;
    }();
    return dir;
}

std::string PlatePath(int i) { return (Plates() / ("plate." + std::to_string(i) + ".exr")).string(); }
std::string OutPath(int i) { return (Plates() / ("out." + std::to_string(i) + ".exr")).string(); }

// An EXR plate's scanlines read into one interleaved buffer, every channel of the file.
struct PlainPass {
    Imf::Header header;
    size_t width = 0, height = 0, channels = 0;
    std::vector<float> floats;
    std::vector<Imath::half> halves;
    std::vector<char> native;
};

// Reads the plate as floats (`asFloats`) or in the types it stores, and writes it back in those.
void ReadAndWrite(int i, bool asFloats, PlainPass &pass)
{
    Imf::InputFile in(PlatePath(i).c_str(), 0);
    pass.header = in.header();
    const Imath::Box2i window = pass.header.dataWindow();
    pass.width = static_cast<size_t>(window.max.x - window.min.x + 1);
    pass.height = static_cast<size_t>(window.max.y - window.min.y + 1);
    pass.channels = 0;
    size_t nativeBytes = 0;
    for (auto c = pass.header.channels().begin(); c != pass.header.channels().end(); ++c, ++pass.channels)
        nativeBytes += c.channel().type == Imf::HALF ? 2 : 4;
    const size_t samples = pass.width * pass.height * pass.channels;
    // Each channel's slice in the buffer of `type` (floats, halves, or the file's own types).
    const auto slices = [&](Imf::PixelType type) {
        Imf::FrameBuffer buffer;
        size_t k = 0, offset = 0;
        for (auto c = pass.header.channels().begin(); c != pass.header.channels().end(); ++c, ++k) {
            if (type == Imf::NUM_PIXELTYPES) {
                buffer.insert(c.name(), Imf::Slice::Make(c.channel().type, pass.native.data() + offset, window,
                                                         nativeBytes, pass.width * nativeBytes));
                offset += c.channel().type == Imf::HALF ? 2 : 4;
            } else if (type == Imf::FLOAT) {
                buffer.insert(c.name(), Imf::Slice::Make(Imf::FLOAT, pass.floats.data() + k, window,
                                                         pass.channels * sizeof(float),
                                                         pass.width * pass.channels * sizeof(float)));
            } else {
                const bool half = c.channel().type == Imf::HALF;
                const void *base = half ? static_cast<const void *>(pass.halves.data() + k) : pass.floats.data() + k;
                const size_t size = half ? sizeof(Imath::half) : sizeof(float);
                buffer.insert(c.name(), Imf::Slice::Make(half ? Imf::HALF : Imf::FLOAT, base, window,
                                                         pass.channels * size, pass.width * pass.channels * size));
            }
        }
        return buffer;
    };
    const Imf::PixelType reading = asFloats ? Imf::FLOAT : Imf::NUM_PIXELTYPES;
    if (asFloats)
        pass.floats.resize(samples);
    else
        pass.native.resize(pass.width * pass.height * nativeBytes);
    in.setFrameBuffer(slices(reading));
    in.readPixels(window.min.y, window.max.y);
    Imf::OutputFile out(OutPath(i).c_str(), pass.header, 0);
    if (asFloats) { // floats go back to the channels' own types first, as the library writes no other
        pass.halves.resize(samples);
        zkh::FloatsToHalves(pass.floats.data(), pass.halves.data(), samples);
    }
    out.setFrameBuffer(slices(asFloats ? Imf::HALF : reading));
    out.writePixels(static_cast<int>(pass.height));
}

// The plain pass: each file read into floats and written back through OpenEXR, the library the
// burn reads and writes them with, and no filter.
void BM_BurnExr_Baseline(benchmark::State &state)
{
    Plates(); // made before the clock runs
    PlainPass pass;
    for (auto _ : state)
        for (int i = 1; i <= 4; ++i)
            ReadAndWrite(i, true, pass);
}

// For reference: the same in the types the files store (no conversion to floats and back), and
// through OpenImageIO as floats.
void BM_BurnExrNativeReference(benchmark::State &state)
{
    Plates();
    PlainPass pass;
    for (auto _ : state)
        for (int i = 1; i <= 4; ++i)
            ReadAndWrite(i, false, pass);
}

void BM_BurnExrOiioReference(benchmark::State &state)
{
    Plates();
    std::string error;
    zkh::PlateImage plate;
    for (auto _ : state)
        for (int i = 1; i <= 4; ++i) {
            zkh::ReadPlate(PlatePath(i), plate, error);
            zkh::WritePlate(OutPath(i), plate, error);
        }
}

void BM_BurnExr(benchmark::State &state)
{
    zkh::Host host;
    ClearFrames();
    g_hostGlobals = HostGlobals{};
    AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
    const LWItemID camera = zkh::ToItemID(host.scene.AddCamera("Camera", kWidth, kHeight, 35.0).id);
    FrameRecords records;
    const double layout[4][5] = {
        {0, 0, 3490, 1963, 0.0}, {-900, -500, 1200, 675, 0.0}, {900, 400, 1000, 560, -0.52}, {0, 300, 640, 360, 0.2}};
    for (const auto &l : layout) {
        records.push_back(std::make_unique<FrameRecord>());
        FrameRecord &f = *records.back();
        f.camera = camera;
        f.posX = l[0], f.posY = l[1], f.width = l[2], f.height = l[3], f.rotation = l[4];
        f.color[0] = 1;
        f.transparency = 0.3;
        f.guides.kinds = GuideThirds | GuideGolden | GuideCross | GuideDiagonals;
        f.guides.titleSafe = f.guides.actionSafe = f.guides.burnIn = true;
    }
    AppendFrames(records);
    Plates();
    std::string error;
    // The plate and the buffers are kept from frame to frame, as each job of zkhost burn keeps them.
    zkh::PlateImage plate;
    zkh::FilterImage buffers;
    for (auto _ : state)
        for (int i = 1; i <= 4; ++i) {
            zkh::ReadPlateBuffers(PlatePath(i), plate, buffers, error);
            {
                zkh::FilterAccessScope scope(buffers, i, zkh::kRenderBuffers);
                ProcessFrameFilter(nullptr, scope.Access());
            }
            zkh::WritePlateBuffers(OutPath(i), buffers, plate, error);
        }
    ClearFrames();
    g_hostGlobals = HostGlobals{};
}

// zkhost burn over the plates with a scene of four frames, made by a session.
void RunBurnCommand(benchmark::State &state, int jobs)
{
    const fs::path dir = Plates();
    static const bool scene = [&] {
        std::ofstream(dir / "scene.yaml") << "scene:\n  items:\n    - {camera: Camera, resolution: [3840, 2160]}\n"
                                             "actions:\n  - master_add: ZK:CameraFrame\n"
                                             "  - image_filter_add: ZK:CameraFrame\n"
                                             "  - frame_create: {name: A, aspect: 2.39, transparency: 0.3}\n"
                                             "  - frame_create: {name: B, width: 1200, height: 675, rotation: 12}\n"
                                             "  - scene_save: scene.lws\n";
        const std::string run = std::string(ZK_RUNNER_PATH) + " run " + (dir / "scene.yaml").string() + " --out " +
                                (dir / "scene").string() + " --module " + ZK_MODULE_PATH + " > /dev/null";
        return std::system(run.c_str()) == 0;
    }();
    if (!scene) {
        state.SkipWithError("the scene could not be made");
        return;
    }
    const std::string command = std::string(ZK_RUNNER_PATH) + " burn " + (dir / "scene" / "scene.lws").string() +
                                " --in " + (dir / "plate.#.exr").string() + " --out " + (dir / "jobs.#.exr").string() +
                                " --frames 1-" + std::to_string(kPlates) + " --force --jobs " + std::to_string(jobs) +
                                " --module " + ZK_MODULE_PATH + " > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("zkhost burn failed");
}

void BM_BurnJobs_Baseline(benchmark::State &state) { RunBurnCommand(state, 1); }
void BM_BurnJobs(benchmark::State &state) { RunBurnCommand(state, 2); }

} // namespace

BENCHMARK(BM_BurnExr_Baseline)->Name("BM_BurnExr_Baseline/4k")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);
BENCHMARK(BM_BurnExrNativeReference)->Name("BM_BurnExrNativeReference/4k")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);
BENCHMARK(BM_BurnExrOiioReference)->Name("BM_BurnExrOiioReference/4k")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);
BENCHMARK(BM_BurnExr)->Name("BM_BurnExr/4k")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);
BENCHMARK(BM_BurnJobs_Baseline)->Name("BM_BurnJobs_Baseline/4k")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(2);
BENCHMARK(BM_BurnJobs)->Name("BM_BurnJobs/4k")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(2);
