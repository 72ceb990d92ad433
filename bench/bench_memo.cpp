// bench_memo.cpp: the timeline memo's YAML file and overlay against bare library work.
//
// Import of a 100,000-clip memo file against yaml-cpp loading the same file into its node tree
// (the file read whole, as the import reads it);
// export of that memo against yaml-cpp emitting the same document from plain arrays into the
// same kind of file; one overlay draw of 10,000 clips against recording the same drawing calls
// directly. The import pair also reports the process's peak resident memory (the node tree of
// yaml-cpp takes many times the file's size).
#include "drawing.h"
#include "timelinememo/memo_overlay.h"
#include "timelinememo/memo_yaml.h"

#include <benchmark/benchmark.h>
#include <yaml-cpp/yaml.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <sys/resource.h>

namespace {

constexpr int kFileClips = 100000;
constexpr int kFileTracks = 100;
constexpr int kDrawClips = 10000;

void FillMemo(MemoTrackList &tracks, int trackCount, int clipCount)
{
    for (int t = 0; t < trackCount; ++t) {
        MemoTrack *track = AddMemoTrackTo(tracks);
        track->name = "Track name " + std::to_string(t);
        track->active = t % 7 != 3;
        for (int c = 0; c < clipCount / trackCount; ++c) {
            MemoClip *clip = AddMemoClip(*track);
            clip->name = "note " + std::to_string(c);
            clip->startTime = c * 0.375;
            clip->duration = 0.25 + (c % 5) * 0.125;
            clip->foreColor = {0.8f, 0.8f, 0.8f};
            clip->backColor = {static_cast<float>(c % 255) / 255.0f, 0.25f, 0.5f};
        }
    }
}

const MemoTrackList &FileMemo()
{
    static const MemoTrackList tracks = [] {
        MemoTrackList t;
        FillMemo(t, kFileTracks, kFileClips);
        return t;
    }();
    return tracks;
}

std::string BenchPath(const char *name)
{
    return (std::filesystem::temp_directory_path() / (std::string("zkbench-") + name)).string();
}

// The memo file, written once per run.
const std::string &MemoFile()
{
    static const std::string path = [] {
        const std::string p = BenchPath("memo.yaml");
        ExportMemoFile(p, FileMemo());
        return p;
    }();
    return path;
}

void ReportMemory(benchmark::State &state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::error_code error;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(MemoFile(), error)) / (1024.0 * 1024.0);
}

// yaml-cpp's bare load of the file, read whole as the import reads it (yaml-cpp's LoadFile streams
// the file more slowly).
void LoadYamlBare(benchmark::State &state, const std::string &path)
{
    for (auto _ : state) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        YAML::Node root = YAML::Load(text.str());
        benchmark::DoNotOptimize(root);
    }
}

void BM_MemoImport_Baseline(benchmark::State &state)
{
    LoadYamlBare(state, MemoFile());
    ReportMemory(state);
}

void BM_MemoImport(benchmark::State &state)
{
    const std::string &path = MemoFile();
    for (auto _ : state) {
        MemoTrackList tracks;
        if (ImportMemoFile(path, tracks) != MemoImportResult::Replaced || tracks.size() != kFileTracks)
            state.SkipWithError("the import did not read the whole memo");
        benchmark::DoNotOptimize(tracks);
    }
    ReportMemory(state);
}

// The same document from plain arrays, without the memo's records.
struct PlainClips {
    std::vector<std::string> names;
    std::vector<double> starts, durations;
    std::vector<std::array<int, 6>> colors;
};

const PlainClips &Plain()
{
    static const PlainClips plain = [] {
        PlainClips p;
        for (const auto &track : FileMemo())
            for (const auto &clip : track->clips) {
                p.names.push_back(clip->name);
                p.starts.push_back(clip->startTime);
                p.durations.push_back(clip->duration);
                p.colors.push_back({ColorComponentToInt(clip->foreColor[0]), ColorComponentToInt(clip->foreColor[1]),
                                    ColorComponentToInt(clip->foreColor[2]), ColorComponentToInt(clip->backColor[0]),
                                    ColorComponentToInt(clip->backColor[1]), ColorComponentToInt(clip->backColor[2])});
            }
        return p;
    }();
    return plain;
}

void BM_MemoExport_Baseline(benchmark::State &state)
{
    const PlainClips &p = Plain();
    const MemoTrackList &tracks = FileMemo();
    const std::string path = BenchPath("plain.yaml");
    for (auto _ : state) {
        YAML::Emitter out;
        out << YAML::BeginMap << YAML::Key << "_General" << YAML::Value << YAML::BeginMap;
        for (const char *key : {"User", "Host", "DateTime", "Comment", "Format", "Revision"})
            out << YAML::Key << key << YAML::Value << "undefined";
        out << YAML::EndMap << YAML::Key << "View" << YAML::Value << YAML::BeginMap << YAML::Key << "Tracks"
            << YAML::Value << YAML::BeginSeq;
        size_t k = 0;
        for (size_t t = 0; t < tracks.size(); ++t) {
            out << YAML::BeginMap << YAML::Key << "Name" << YAML::Value << tracks[t]->name << YAML::Key << "Active"
                << YAML::Value << tracks[t]->active << YAML::Key << "Clips" << YAML::Value << YAML::BeginSeq;
            for (size_t c = 0; c < tracks[t]->clips.size(); ++c, ++k) {
                const auto &rgb = p.colors[k];
                out << YAML::BeginMap << YAML::Key << "Name" << YAML::Value << p.names[k] << YAML::Key << "StartTime"
                    << YAML::Value << p.starts[k] << YAML::Key << "Duration" << YAML::Value << p.durations[k]
                    << YAML::Key << "ForeColor" << YAML::Value << YAML::BeginSeq << rgb[0] << rgb[1] << rgb[2]
                    << YAML::EndSeq << YAML::Key << "BackColor" << YAML::Value << YAML::BeginSeq << rgb[3] << rgb[4]
                    << rgb[5] << YAML::EndSeq << YAML::EndMap;
            }
            out << YAML::EndSeq << YAML::EndMap;
        }
        out << YAML::EndSeq << YAML::EndMap << YAML::EndMap;
        std::ofstream file(path, std::ios::trunc);
        file.write(out.c_str(), static_cast<std::streamsize>(out.size()));
    }
}

void BM_MemoExport(benchmark::State &state)
{
    const MemoTrackList &tracks = FileMemo();
    const std::string path = BenchPath("export.yaml");
    for (auto _ : state)
        if (ExportMemoFile(path, tracks) != MemoExportResult::Written)
            state.SkipWithError("the export failed");
}

const MemoInstance &DrawMemo()
{
    static const MemoInstance instance = [] {
        MemoInstance memo;
        FillMemo(memo.tracks, 20, kDrawClips);
        for (auto &track : memo.tracks)
            track->active = true;
        return memo;
    }();
    return instance;
}

MemoDrawInputs DrawInputs()
{
    MemoDrawInputs inputs;
    inputs.width = 1920;
    inputs.height = 1080;
    inputs.fps = 24;
    inputs.frame = 100;
    inputs.previewStart = 0;
    inputs.previewEnd = 4000;
    return inputs;
}

// The calls the overlay makes, made directly: a colour, a polygon and a text per clip.
void BM_MemoDraw_Baseline(benchmark::State &state)
{
    const MemoInstance &memo = DrawMemo();
    for (auto _ : state) {
        zkh::DrawRecorder recorder(0);
        LWCustomObjAccess *a = recorder.Access();
        unsigned int indexes[4] = {0, 1, 2, 3};
        double y = 700;
        for (const auto &track : memo.tracks) {
            for (const auto &clip : track->clips) {
                float rgba[4] = {clip->backColor[0], clip->backColor[1], clip->backColor[2], 1.0f};
                const double x = clip->startTime * 240;
                LWDVector points[4] = {{x, y, 0.001}, {x + 10, y, 0.001}, {x + 10, y + 14, 0.001}, {x, y + 14, 0.001}};
                a->setColor(a->dispData, rgba);
                a->polyIndexed(a->dispData, 4, indexes, points, LWCSYS_VIEWPORT);
                a->setColor(a->dispData, rgba);
                a->text(a->dispData, points[0], clip->name.c_str(), LWJUST_CENTER, LWCSYS_VIEWPORT);
            }
            y += 16;
        }
        benchmark::DoNotOptimize(recorder.calls.data());
    }
}

void BM_MemoDraw(benchmark::State &state)
{
    const MemoInstance &memo = DrawMemo();
    const MemoDrawInputs inputs = DrawInputs();
    for (auto _ : state) {
        zkh::DrawRecorder recorder(0);
        DrawMemoStrip(memo, inputs, *recorder.Access());
        benchmark::DoNotOptimize(recorder.calls.data());
    }
}

} // namespace

BENCHMARK(BM_MemoImport_Baseline)->Name("BM_MemoImport_Baseline/clips100000")->Iterations(1)->Repetitions(5)->Unit(benchmark::kSecond);
BENCHMARK(BM_MemoImport)->Name("BM_MemoImport/clips100000")->Iterations(1)->Repetitions(5)->Unit(benchmark::kSecond);
BENCHMARK(BM_MemoExport_Baseline)->Name("BM_MemoExport_Baseline/clips100000")->Iterations(1)->Repetitions(3)->Unit(benchmark::kSecond);
BENCHMARK(BM_MemoExport)->Name("BM_MemoExport/clips100000")->Iterations(1)->Repetitions(3)->Unit(benchmark::kSecond);
BENCHMARK(BM_MemoDraw_Baseline)->Name("BM_MemoDraw_Baseline/clips10000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoDraw)->Name("BM_MemoDraw/clips10000")->Unit(benchmark::kMillisecond);

// How the import grows: files of 1,000, 10,000 and 100,000 clips over 100 tracks, each against
// yaml-cpp loading the same file. The work is the file: both should grow with it alike.
namespace {

const std::string &MemoFileOf(int clips)
{
    static std::map<int, std::string> paths;
    std::string &path = paths[clips];
    if (path.empty()) {
        MemoTrackList tracks;
        FillMemo(tracks, kFileTracks, clips);
        path = BenchPath(("memo-" + std::to_string(clips) + ".yaml").c_str());
        ExportMemoFile(path, tracks);
    }
    return path;
}

void BM_MemoImportSize_Baseline(benchmark::State &state) { LoadYamlBare(state, MemoFileOf(static_cast<int>(state.range(0)))); }

void BM_MemoImportSize(benchmark::State &state)
{
    const std::string &path = MemoFileOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        MemoTrackList tracks;
        if (ImportMemoFile(path, tracks) != MemoImportResult::Replaced || tracks.size() != kFileTracks)
            state.SkipWithError("the import did not read the whole memo");
        benchmark::DoNotOptimize(tracks);
    }
}

} // namespace

BENCHMARK(BM_MemoImportSize_Baseline)->Arg(1000)->Arg(10000)->Arg(100000)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoImportSize)->Arg(1000)->Arg(10000)->Arg(100000)->Repetitions(3)->Unit(benchmark::kMillisecond);
