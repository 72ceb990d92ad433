// bench_mixer.cpp: the clip mixer's compilation, evaluation and file reading, each next to a
// baseline measured in the same run.
//
// The large set: 1,000 clips ("C0".."C999", five numbers held three frames) and 1,000 tracks of
// 100 frames each (100,000 frames in all), track i chaining "Ci:2 Cj" with j = i + 1 (mod 1,000).
// - RebuildAll against writing the same 100,000 table entries by plain copies of the chains.
// - Evaluation of every frame against a walk that only compares each track's range (the least a
//   first-match search does).
// - ReadMixerFile on 100,000 clips and 100,000 tracks against tinyxml2 loading the same file.
//
// How the costs grow (the argument is the size):
// - EvaluateTracks/N: 100,000 frames spread evenly over N tracks of 100 frames each (N = 1 to
//   10,000), against the range walk over the same tracks. The work is one answered frame, so the
//   time per frame should not grow with N.
// - EvaluateWalk/N: the index against the first-match walk it replaced, with 1 and 10 tracks.
// - ReadMixerFile/N: a file of N clips and N tracks (N = 1,000 to 100,000) against tinyxml2's bare
//   parse of the same file. The work is the file: both should grow with N alike.
#include "chanclipmixer/clipmixer.h"
#include "chanclipmixer/clipmixer_file.h"
#include "common/lwglobals.h"

#include <benchmark/benchmark.h>
#include <tinyxml2.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr int kClips = 1000;
constexpr int kTracks = 1000;
constexpr int kFramesPerTrack = 100;

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
        const bool ok = RebuildAll(mixer).ok();
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

constexpr int kSpreadFrames = 100000;

// N contiguous tracks of 100 frames over clips C0..C(N-1), compiled once per size.
const ClipMixer &TrackSet(int tracks)
{
    static std::map<int, std::unique_ptr<ClipMixer>> sets;
    std::unique_ptr<ClipMixer> &set = sets[tracks];
    if (!set) {
        set = std::make_unique<ClipMixer>();
        for (int i = 0; i < tracks; ++i) {
            Clip &clip = AddClip(*set);
            clip.name = "C" + std::to_string(i);
            clip.sequence = std::to_string(i) + " 2 3.5 -4 5";
            Track &track = AddTrack(*set);
            track.in = i * kFramesPerTrack + 1;
            track.out = (i + 1) * kFramesPerTrack;
            track.repeat = i % 2 == 0;
            track.sequence = "C" + std::to_string(i) + ":2 C" + std::to_string((i + 1) % tracks);
        }
        RebuildAll(*set);
    }
    return *set;
}

// The k-th of the frames spread evenly over the tracks' span.
int SpreadFrame(int k, int tracks)
{
    return 1 + static_cast<int>(static_cast<std::int64_t>(k) * tracks * kFramesPerTrack / kSpreadFrames);
}

void BM_EvaluateTracks_Baseline(benchmark::State &state)
{
    const int tracks = static_cast<int>(state.range(0));
    const ClipMixer &mixer = TrackSet(tracks);
    for (auto _ : state) {
        double sum = 0.0;
        for (int k = 0; k < kSpreadFrames; ++k) {
            const int frame = SpreadFrame(k, tracks);
            for (const auto &track : mixer.tracks) {
                if (frame >= track->in && frame <= track->out) {
                    sum += track->frameTable[static_cast<size_t>(frame - track->in)];
                    break;
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kSpreadFrames);
}

void BM_EvaluateTracks(benchmark::State &state)
{
    const int tracks = static_cast<int>(state.range(0));
    const ClipMixer &mixer = TrackSet(tracks);
    for (auto _ : state) {
        double sum = 0.0;
        for (int k = 0; k < kSpreadFrames; ++k)
            sum += MixerOffset(mixer, SpreadFrame(k, tracks));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kSpreadFrames);
}

// EvaluateWalk/N: the same frames answered by the index against the first-match walk over the
// tracks that answered them before the index was built (the evaluation with the index set aside,
// as between a change and the next rebuild): the index must be no slower with one track.
void BM_EvaluateWalk_Baseline(benchmark::State &state)
{
    const int tracks = static_cast<int>(state.range(0));
    ClipMixer walk;
    for (const auto &track : TrackSet(tracks).tracks)
        AddTrack(walk) = *track; // a copy without an index
    for (auto _ : state) {
        double sum = 0.0;
        for (int k = 0; k < kSpreadFrames; ++k)
            sum += MixerOffset(walk, SpreadFrame(k, tracks));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kSpreadFrames);
}

void BM_EvaluateWalk(benchmark::State &state) { BM_EvaluateTracks(state); }

// The files written for the read benchmarks, removed when the run ends.
struct BenchFiles {
    std::map<int, std::string> paths;
    ~BenchFiles()
    {
        for (const auto &entry : paths)
            std::remove(entry.second.c_str());
    }
};

// A file of `records` clips and as many tracks, written once per size.
const std::string &MixerFileOf(int records)
{
    static BenchFiles files;
    std::string &path = files.paths[records];
    if (path.empty()) {
        ClipMixer mixer;
        for (int i = 0; i < records; ++i) {
            Clip &clip = AddClip(mixer);
            clip.name = "Clip" + std::to_string(i);
            clip.sequence = "0 1.5 -2 3 4.25 5 6 7 8 9";
            Track &track = AddTrack(mixer);
            track.in = i;
            track.out = i + 48;
            track.sequence = "Clip" + std::to_string(i) + ":3 Clip" + std::to_string(i + 1);
        }
        path = "/tmp/zkbench-mixer-" + std::to_string(getpid()) + "-" + std::to_string(records) + ".xml";
        WriteMixerFile(mixer, path);
    }
    return path;
}

void BM_ReadMixerFile_Baseline(benchmark::State &state)
{
    const std::string &path = MixerFileOf(static_cast<int>(state.range(0)));
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
    const int records = static_cast<int>(state.range(0));
    const std::string &path = MixerFileOf(records);
    for (auto _ : state) {
        ClipMixer mixer;
        ReadMixerFile(mixer, path);
        if (mixer.clips.size() != static_cast<size_t>(records)) {
            state.SkipWithError("the file was not read");
            return;
        }
        benchmark::DoNotOptimize(mixer.tracks.data());
        state.PauseTiming(); // the records' release is no part of the reading
        mixer = ClipMixer();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_RebuildAll_Baseline)->Name("BM_RebuildAll_Baseline/large")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildAll)->Name("BM_RebuildAll/large")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateFrames_Baseline)->Name("BM_EvaluateFrames_Baseline/large")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateFrames)->Name("BM_EvaluateFrames/large")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateTracks_Baseline)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateTracks)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateWalk_Baseline)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateWalk)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMixerFile_Baseline)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_ReadMixerFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(3);
