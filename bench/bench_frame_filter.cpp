// bench_frame_filter.cpp: the camera frames' image filter and combined mask rebuild.
//
// FrameFilter/4k runs the filter over a 3840 x 2160 render with four frames (one rotated);
// FrameFilterGuides/4k the same with every guide kind and both safe areas burnt in; their
// baseline is a plain pass that reads every row through the same host accessors and writes every
// pixel back unchanged. FrameFilterAlternating/4k and FrameFilterGuidesAlternating/4k take the
// two in turns over one image and report their ratio. FrameFilterCrowd/4096 and
// FrameFilterCrowdGuides/4096 run it over a 4096 x 4096 render with 1,000 frames of that camera
// (turned, nested, most as large as the image), without and with every guide burnt in; their
// baseline is the same plain pass. MaskRebuild rebuilds the 1024 x 1024 combined-frame mask for
// four frames; its baseline clears a mask of that size and writes every texel's alpha in row order.
#include "bench_ratio.h"
#include "cameraframe/frame_filter.h"
#include "cameraframe/frame_list.h"
#include "cameraframe/frame_mask.h"
#include "common/lwglobals.h"
#include "filter_image.h"
#include "host.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;

constexpr int kCrowdSide = 4096;
constexpr int kCrowdFrames = 1000;

// Position x, y, width, height and rotation of each frame.
using FrameLayout = std::vector<std::array<double, 5>>;

FrameLayout FourFrames()
{
    return {{0, 0, 3490, 1963, 0.0}, {-900, -500, 1200, 675, 0.0}, {900, 400, 1000, 560, -0.52}, {0, 300, 640, 360, 0.2}};
}

// Frames from 400 to 3900 pixels wide, spread about the centre, every third one turned.
FrameLayout CrowdFrames()
{
    FrameLayout layout;
    for (int i = 0; i < kCrowdFrames; ++i) {
        const double width = 400 + (i * 37) % 3500;
        const double height = width * (0.5 + (i % 7) * 0.1);
        layout.push_back({(i % 11 - 5) * 20.0, (i % 13 - 6) * 20.0, width, std::min(height, 3900.0),
                          i % 3 == 0 ? (i % 5 - 2) * 0.1 : 0.0});
    }
    return layout;
}

struct FilterScene {
    zkh::Host host;
    zkh::FilterImage image;

    FilterScene(int width, int height, const FrameLayout &layout, bool guides)
    {
        ClearFrames();
        g_hostGlobals = HostGlobals{};
        AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
        const LWItemID camera = zkh::ToItemID(host.scene.AddCamera("Camera", width, height, 35.0).id);
        FrameRecords records;
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
        image = zkh::TestPlate(width, height);
    }
    explicit FilterScene(bool guides = false) : FilterScene(kWidth, kHeight, FourFrames(), guides) {}
    ~FilterScene()
    {
        ClearFrames();
        g_hostGlobals = HostGlobals{};
    }
};

void PlainPass(const LWFilterAccess &a)
{
    for (int y = 0; y < a.height; ++y) {
        const float *r = a.getLine(LWBUFFER_FINAL_RENDER_RGBA, 0, y);
        const float *g = a.getLine(LWBUFFER_FINAL_RENDER_RGBA, 1, y);
        const float *b = a.getLine(LWBUFFER_FINAL_RENDER_RGBA, 2, y);
        const float *alpha = a.getLine(LWBUFFER_ALPHA, 0, y);
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
    zkh::FilterAccessScope access(scene.image, 0, zkh::kRenderBuffers);
    for (auto _ : state) {
        PlainPass(*access.Access());
        benchmark::ClobberMemory();
    }
}

void RunFrameFilter(benchmark::State &state, bool guides)
{
    FilterScene scene(guides);
    zkh::FilterAccessScope access(scene.image, 0, zkh::kRenderBuffers);
    ProcessFrameFilter(nullptr, access.Access()); // the working image is kept between calls
    for (auto _ : state) {
        ProcessFrameFilter(nullptr, access.Access());
        benchmark::ClobberMemory();
    }
}

void BM_FrameFilter(benchmark::State &state) { RunFrameFilter(state, false); }
void BM_FrameFilterGuides(benchmark::State &state) { RunFrameFilter(state, true); }

// The filter and the plain pass in turns over one image: both meet the same pages, and the same
// minute of a machine whose speed drifts, which separate benchmarks (each with its own image) do
// not. Reports the filter's time over the plain pass's as "ours/baseline".
void RunAlternating(benchmark::State &state, bool guides)
{
    using Clock = std::chrono::steady_clock;
    FilterScene scene(guides);
    zkh::FilterAccessScope access(scene.image, 0, zkh::kRenderBuffers);
    ProcessFrameFilter(nullptr, access.Access());
    Clock::duration plain{}, ours{};
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        PlainPass(*access.Access());
        benchmark::ClobberMemory();
        const Clock::time_point between = Clock::now();
        ProcessFrameFilter(nullptr, access.Access());
        benchmark::ClobberMemory();
        plain += between - start;
        ours += Clock::now() - between;
    }
    if (plain.count() > 0)
        state.counters[kAlternatingRatio] = std::chrono::duration<double>(ours) / plain;
}

void BM_FrameFilterAlternating(benchmark::State &state) { RunAlternating(state, false); }
void BM_FrameFilterGuidesAlternating(benchmark::State &state) { RunAlternating(state, true); }

void BM_FrameFilterCrowd_Baseline(benchmark::State &state)
{
    FilterScene scene(kCrowdSide, kCrowdSide, {}, false);
    zkh::FilterAccessScope access(scene.image, 0, zkh::kRenderBuffers);
    for (auto _ : state) {
        PlainPass(*access.Access());
        benchmark::ClobberMemory();
    }
}

void RunCrowd(benchmark::State &state, bool guides)
{
    FilterScene scene(kCrowdSide, kCrowdSide, CrowdFrames(), guides);
    zkh::FilterAccessScope access(scene.image, 0, zkh::kRenderBuffers);
    for (auto _ : state) {
        ProcessFrameFilter(nullptr, access.Access());
        benchmark::ClobberMemory();
    }
}

void BM_FrameFilterCrowd(benchmark::State &state) { RunCrowd(state, false); }
void BM_FrameFilterCrowdGuides(benchmark::State &state) { RunCrowd(state, true); }

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
    MaskKey key{zkh::ToItemID(1), 1000, 1000, 1920, 1080, 1};
    CombinedMaskTexture(0, key, [&] { return quads; });
    for (auto _ : state) {
        ++key.generation; // the frames changed: the mask is made again
        benchmark::DoNotOptimize(CombinedMaskTexture(0, key, [&] { return quads; }));
    }
}

} // namespace

BENCHMARK(BM_FrameFilter_Baseline)->Name("BM_FrameFilter_Baseline/4k")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameFilter)->Name("BM_FrameFilter/4k")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameFilter_Baseline)->Name("BM_FrameFilterGuides_Baseline/4k")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameFilterGuides)->Name("BM_FrameFilterGuides/4k")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameFilterAlternating)->Name("BM_FrameFilterAlternating/4k")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameFilterGuidesAlternating)->Name("BM_FrameFilterGuidesAlternating/4k")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameFilterCrowd_Baseline)->Name("BM_FrameFilterCrowd_Baseline/4096")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_FrameFilterCrowd)->Name("BM_FrameFilterCrowd/4096")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_FrameFilterCrowd_Baseline)->Name("BM_FrameFilterCrowdGuides_Baseline/4096")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_FrameFilterCrowdGuides)->Name("BM_FrameFilterCrowdGuides/4096")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
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
    zkh::FilterAccessScope access(scene.image, 0, zkh::kRenderBuffers);
    ProcessFrameFilter(nullptr, access.Access());
    for (auto _ : state) {
        ProcessFrameFilter(nullptr, access.Access());
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_FrameFilter_Baseline)->Name("BM_FrameFilterFrames_Baseline")->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FrameFilterFrames)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
