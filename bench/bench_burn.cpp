// bench_burn.cpp: burning frames into a 4K OpenEXR sequence (half floats, zip), and zkhost burn's
// jobs.
//
// BurnExr/4k: each of 4 plates read, run through the camera frames' filter (four frames, every
// guide burnt in) and written, as zkhost burn does per frame; its baseline reads and writes the
// same files through the same library with no filter. BurnJobs/4k: the zkhost burn command over 8
// plates with --jobs 2; its baseline is the same command with --jobs 1 (a ratio of 0.5 is twice
// the throughput).
#include "cameraframe/frame_filter.h"
#include "cameraframe/frame_list.h"
#include "common/lwglobals.h"
#include "filter_image.h"
#include "host.h"
#include "image_files.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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

void BM_BurnExr_Baseline(benchmark::State &state)
{
    Plates(); // made before the clock runs
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
BENCHMARK(BM_BurnExr)->Name("BM_BurnExr/4k")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);
BENCHMARK(BM_BurnJobs_Baseline)->Name("BM_BurnJobs_Baseline/4k")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(2);
BENCHMARK(BM_BurnJobs)->Name("BM_BurnJobs/4k")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(2);
