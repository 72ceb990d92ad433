// bench_format.cpp: FormatString against snprintf into a stack buffer.
//
// Two cases: the plug-in title ("%s(%d.%02d)%s", as VersionTitle formats it) and a long
// 200-character format with several conversions.
#include "common/lwtool2.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

#define ZK_TITLE_FORMAT "%s(%d.%02d)%s"

// Exactly 200 characters of format; the result is somewhat longer than that.
#define ZK_LONG_FORMAT                                                                                         \
    "Clip %s on channel %s: start %d, end %d, offset %+.3f, scale %.4f, blend in %d, blend out %d, "         \
    "weight %5.2f%%, mode %c, flags 0x%08x, layer %u of %u, source \"%s\", hold %ld frames, loop off, done.      "

static_assert(sizeof(ZK_LONG_FORMAT) - 1 == 200, "the long format is meant to be 200 characters");

const char *const kServer = "ZK:CameraFrame";
const char *const kBuild = " build 250619";

void BM_FormatString_Baseline_Title(benchmark::State &state)
{
    int minor = 7;
    for (auto _ : state) {
        benchmark::DoNotOptimize(minor);
        char buffer[512];
        std::snprintf(buffer, sizeof buffer, ZK_TITLE_FORMAT, kServer, 1, minor, kBuild);
        std::string text(buffer);
        benchmark::DoNotOptimize(text);
    }
}

void BM_FormatString_Title(benchmark::State &state)
{
    int minor = 7;
    for (auto _ : state) {
        benchmark::DoNotOptimize(minor);
        std::string text = FormatString(ZK_TITLE_FORMAT, kServer, 1, minor, kBuild);
        benchmark::DoNotOptimize(text);
    }
}

void BM_FormatString_Baseline_Long(benchmark::State &state)
{
    int start = 12;
    for (auto _ : state) {
        benchmark::DoNotOptimize(start);
        char buffer[512];
        std::snprintf(buffer, sizeof buffer, ZK_LONG_FORMAT, "Walk cycle", "Position.X", start, start + 48, -0.125,
                      1.0625, 4, 6, 87.5, 'A', 0x1f2eu, 2u, 5u, "Clips/walk_cycle.mot", 1234567L);
        std::string text(buffer);
        benchmark::DoNotOptimize(text);
    }
}

void BM_FormatString_Long(benchmark::State &state)
{
    int start = 12;
    for (auto _ : state) {
        benchmark::DoNotOptimize(start);
        std::string text = FormatString(ZK_LONG_FORMAT, "Walk cycle", "Position.X", start, start + 48, -0.125,
                                        1.0625, 4, 6, 87.5, 'A', 0x1f2eu, 2u, 5u, "Clips/walk_cycle.mot", 1234567L);
        benchmark::DoNotOptimize(text);
    }
}

} // namespace

// Registered as BM_FormatString_Baseline/title and BM_FormatString/title, and so on, so that the
// ratio table can pair them by name.
BENCHMARK(BM_FormatString_Baseline_Title)->Name("BM_FormatString_Baseline/title");
BENCHMARK(BM_FormatString_Title)->Name("BM_FormatString/title");
BENCHMARK(BM_FormatString_Baseline_Long)->Name("BM_FormatString_Baseline/long200");
BENCHMARK(BM_FormatString_Long)->Name("BM_FormatString/long200");
