// bench_frame_filter.cpp: the camera frames' image filter and combined mask rebuild.
//
// FrameFilter/4k runs the filter over a 3840 x 2160 render with four frames (one rotated);
// FrameFilterGuides/4k the same with every guide kind and both safe areas burnt in; their
// baseline is a plain pass that reads every row through the same host accessors and writes every
// pixel back unchanged. MaskRebuild rebuilds the 1024 x 1024 combined-frame mask for four frames;
// its baseline clears a mask of that size and writes every texel's alpha in row order.
#include "cameraframe/frame_filter.h"
#include "cameraframe/frame_list.h"
#include "cameraframe/frame_mask.h"
#include "common/lwglobals.h"
#include "filter_image.h"
#include "host.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

struct FilterScene {
    zkh::Host host;
    zkh::FilterImage image;

    explicit FilterScene(bool guides = false)
    {
        ClearFrames();
        g_hostGlobals = HostGlobals{};
        AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
        const LWItemID camera = zkh::ToItemID(host.scene.AddCamera("Camera", kWidth, kHeight, 35.0).id);
        FrameRecords records;
        const double layout[4][5] = {{0, 0, 3490, 1963, 0.0},
                                     {-900, -500, 1200, 675, 0.0},
                                     {900, 400, 1000, 560, -0.52},
                                     {0, 300, 640, 360, 0.2}};
        for (const auto &l : layout) {
            auto f = std::make_unique<FrameRecord>();
            f->camera = camera;
            f->posX = l[0];
            f->posY = l[1];
            f->width = l[2];
            f->height = l[3];
            f->rotation = l[4];
            f->color[0] = 1;
            f->transparency = 0.3;
            if (guides) {
                f->guides.kinds = GuideThirds | GuideGolden | GuideCross | GuideDiagonals;
                f->guides.titleSafe = f->guides.actionSafe = f->guides.burnIn = true;
            }
            records.push_back(std::move(f));
        }
        AppendFrames(records);
        image = zkh::TestPlate(kWidth, kHeight);
    }
    ~FilterScene()
    {
        ClearFrames();
        g_hostGlobals = HostGlobals{};
    }
};

void PlainPass(const LWFilterAccess &a)
{
    for (int y = 0; y < a.height; ++y) {
        const float *r = a.getLine("Final_Render", y, 0);
        const float *g = a.getLine("Final_Render", y, 1);
        const float *b = a.getLine("Final_Render", y, 2);
        const float *alpha = a.getLine("Alpha", y, 0);
        for (int x = 0; x < a.width; ++x) {
            const float rgb[3] = {r[x], g[x], b[x]};
            a.setRGB(x, y, rgb);
            a.setAlpha(x, y, alpha[x]);
        }
    }
}

void BM_FrameFilter_Baseline(benchmark::State &state)
{
    FilterScene scene;
    zkh::FilterAccessScope access(scene.image, 0);
    for (auto _ : state) {
        PlainPass(*access.Access());
        benchmark::ClobberMemory();
    }
}

void RunFrameFilter(benchmark::State &state, bool guides)
{
    FilterScene scene(guides);
    zkh::FilterAccessScope access(scene.image, 0);
    ProcessFrameFilter(nullptr, access.Access()); // the working image is kept between calls
    for (auto _ : state) {
        ProcessFrameFilter(nullptr, access.Access());
        benchmark::ClobberMemory();
    }
}

void BM_FrameFilter(benchmark::State &state) { RunFrameFilter(state, false); }
void BM_FrameFilterGuides(benchmark::State &state) { RunFrameFilter(state, true); }

std::vector<MaskQuad> FourQuads()
{
    return {MaskQuad{{{100.5, 80.25}, {900.5, 80.25}, {900.5, 940.75}, {100.5, 940.75}}},
            MaskQuad{{{200.3, 200.7}, {500.1, 150.2}, {560.9, 480.4}, {260.2, 530.6}}},
            MaskQuad{{{600, 600}, {1000, 600}, {1000, 1000}, {600, 1000}}},
            MaskQuad{{{10.5, 700.5}, {300.5, 700.5}, {300.5, 1020.5}, {10.5, 1020.5}}}};
}

void BM_MaskRebuild_Baseline(benchmark::State &state)
{
    std::vector<unsigned char> mask(static_cast<size_t>(kMaskSize) * kMaskSize);
    std::vector<unsigned char> texture(static_cast<size_t>(kMaskSize) * kMaskSize * 4, 255);
    for (auto _ : state) {
        std::memset(mask.data(), 0, mask.size());
        for (size_t i = 0; i < mask.size(); ++i)
            texture[i * 4 + 3] = static_cast<unsigned char>(255 - mask[i]);
        benchmark::DoNotOptimize(texture.data());
        benchmark::ClobberMemory();
    }
}

void BM_MaskRebuild(benchmark::State &state)
{
    const std::vector<MaskQuad> quads = FourQuads();
    const MaskKey key{zkh::ToItemID(1), 1000, 1000, 1920, 1080};
    CombinedMaskTexture(0, key, [&] { return quads; });
    for (auto _ : state) {
        InvalidateMaskCache();
        benchmark::DoNotOptimize(CombinedMaskTexture(0, key, [&] { return quads; }));
    }
}

} // namespace

BENCHMARK(BM_FrameFilter_Baseline)->Name("BM_FrameFilter_Baseline/4k")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameFilter)->Name("BM_FrameFilter/4k")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameFilter_Baseline)->Name("BM_FrameFilterGuides_Baseline/4k")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameFilterGuides)->Name("BM_FrameFilterGuides/4k")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MaskRebuild_Baseline)->Name("BM_MaskRebuild_Baseline/four")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MaskRebuild)->Name("BM_MaskRebuild/four")->Unit(benchmark::kMicrosecond);

// How the filter grows with the frames it burns in: 1, 10, 100 and 1,000 frames (a grid of
// frames of several sizes, every third one turned) on the same 4K render, each against the plain
// pass. The work is the frames' bands: the time may grow with the frames, never faster.
namespace {

FrameRecords FrameGrid(LWItemID camera, int count)
{
    FrameRecords records;
    for (int i = 0; i < count; ++i) {
        auto f = std::make_unique<FrameRecord>();
        f->camera = camera;
        f->posX = (i % 40) * 80.0 - 1560.0;
        f->posY = (i / 40 % 25) * 70.0 - 840.0;
        f->width = 400.0 + (i % 7) * 300.0;
        f->height = f->width * 9.0 / 16.0;
        f->rotation = i % 3 == 0 ? 0.1 * (i % 5) : 0.0;
        f->color[0] = 1;
        f->transparency = 0.3;
        records.push_back(std::move(f));
    }
    return records;
}

void BM_FrameFilterFrames(benchmark::State &state)
{
    FilterScene scene;
    const LWItemID camera = FrameAt(0)->camera;
    ClearFrames();
    FrameRecords records = FrameGrid(camera, static_cast<int>(state.range(0)));
    AppendFrames(records);
    zkh::FilterAccessScope access(scene.image, 0);
    ProcessFrameFilter(nullptr, access.Access());
    for (auto _ : state) {
        ProcessFrameFilter(nullptr, access.Access());
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_FrameFilter_Baseline)->Name("BM_FrameFilterFrames_Baseline")->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameFilterFrames)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
