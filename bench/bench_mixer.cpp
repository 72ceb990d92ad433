// bench_mixer.cpp: the clip mixer's compilation, evaluation and file reading, each next to a
// baseline measured in the same run.
//
// The large set: 1,000 clips ("C0".."C999", five numbers held three frames) and 1,000 tracks of
// 100 frames each (100,000 frames in all), track i chaining "Ci:2 Cj" with j = i + 1 (mod 1,000).
// - RebuildAll against writing the same 100,000 table entries by plain copies of the chains.
// - Evaluation of every frame against a walk that only compares each track's range (the least a
//   first-match search does).
// - ReadMixerFile on 100,000 clips and 100,000 tracks against tinyxml2 loading the same file.
#include "chanclipmixer/clipmixer.h"
#include "chanclipmixer/clipmixer_file.h"
#include "common/lwglobals.h"

#include <benchmark/benchmark.h>
#include <tinyxml2.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

constexpr int kClips = 1000;
constexpr int kTracks = 1000;
constexpr int kFramesPerTrack = 100;
constexpr int kFileRecords = 100000;

void FillLargeSet(ClipMixer &mixer)
{
    for (int i = 0; i < kClips; ++i) {
        Clip &clip = AddClip(mixer);
        clip.name = "C" + std::to_string(i);
        clip.sequence = std::to_string(i) + " 2 3.5 -4 5";
    }
    for (int i = 0; i < kTracks; ++i) {
        Track &track = AddTrack(mixer);
        track.in = i * kFramesPerTrack + 1;
        track.out = (i + 1) * kFramesPerTrack;
        track.repeat = i % 2 == 0;
        track.sequence = "C" + std::to_string(i) + ":2 C" + std::to_string((i + 1) % kClips);
    }
}

ClipMixer &CompiledSet()
{
    static ClipMixer mixer = [] {
        ClipMixer m;
        FillLargeSet(m);
        RebuildAll(m);
        return m;
    }();
    return mixer;
}

void BM_RebuildAll_Baseline(benchmark::State &state)
{
    ClipMixer &compiled = CompiledSet();
    // The chain of each track as it is before the table is filled.
    std::vector<std::vector<double>> chains;
    for (const auto &track : compiled.tracks)
        chains.push_back(track->frameTable);
    for (auto _ : state) {
        std::vector<std::vector<double>> tables;
        tables.reserve(chains.size());
        for (const auto &chain : chains)
            tables.emplace_back(chain.begin(), chain.end());
        benchmark::DoNotOptimize(tables.data());
    }
}

void BM_RebuildAll(benchmark::State &state)
{
    ClipMixer mixer;
    FillLargeSet(mixer);
    for (auto _ : state) {
        const bool ok = RebuildAll(mixer);
        benchmark::DoNotOptimize(ok);
    }
    if (mixer.tracks.back()->frameTable.size() != kFramesPerTrack)
        state.SkipWithError("the large set did not compile");
}

void BM_EvaluateFrames_Baseline(benchmark::State &state)
{
    const ClipMixer &mixer = CompiledSet();
    const int frames = kTracks * kFramesPerTrack;
    for (auto _ : state) {
        double sum = 0.0;
        for (int frame = 1; frame <= frames; ++frame) {
            for (const auto &track : mixer.tracks) {
                if (frame >= track->in && frame <= track->out) {
                    sum += track->frameTable[static_cast<size_t>(frame - track->in)];
                    break;
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * frames);
}

void BM_EvaluateFrames(benchmark::State &state)
{
    const ClipMixer &mixer = CompiledSet();
    const int frames = kTracks * kFramesPerTrack;
    for (auto _ : state) {
        double sum = 0.0;
        for (int frame = 1; frame <= frames; ++frame)
            sum += MixerOffset(mixer, frame);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * frames);
}

const std::string &LargeFile()
{
    static const std::string path = [] {
        ClipMixer mixer;
        for (int i = 0; i < kFileRecords; ++i) {
            Clip &clip = AddClip(mixer);
            clip.name = "Clip" + std::to_string(i);
            clip.sequence = "0 1.5 -2 3 4.25 5 6 7 8 9";
            Track &track = AddTrack(mixer);
            track.in = i;
            track.out = i + 48;
            track.sequence = "Clip" + std::to_string(i) + ":3 Clip" + std::to_string(i + 1);
        }
        const std::string file = "/tmp/zkbench-mixer-" + std::to_string(getpid()) + ".xml";
        WriteMixerFile(mixer, file);
        return file;
    }();
    return path;
}

void BM_ReadMixerFile_Baseline(benchmark::State &state)
{
    const std::string &path = LargeFile();
    for (auto _ : state) {
        tinyxml2::XMLDocument doc;
        std::FILE *file = std::fopen(path.c_str(), "rb");
        doc.LoadFile(file);
        std::fclose(file);
        benchmark::DoNotOptimize(doc.FirstChildElement());
    }
}

void BM_ReadMixerFile(benchmark::State &state)
{
    const std::string &path = LargeFile();
    for (auto _ : state) {
        ClipMixer mixer;
        ReadMixerFile(mixer, path);
        if (mixer.clips.size() != static_cast<size_t>(kFileRecords)) {
            state.SkipWithError("the file was not read");
            return;
        }
        benchmark::DoNotOptimize(mixer.tracks.data());
    }
}

} // namespace

BENCHMARK(BM_RebuildAll_Baseline)->Name("BM_RebuildAll_Baseline/large")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildAll)->Name("BM_RebuildAll/large")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateFrames_Baseline)->Name("BM_EvaluateFrames_Baseline/large")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateFrames)->Name("BM_EvaluateFrames/large")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMixerFile_Baseline)->Name("BM_ReadMixerFile_Baseline/100k")->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);
BENCHMARK(BM_ReadMixerFile)->Name("BM_ReadMixerFile/100k")->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);
