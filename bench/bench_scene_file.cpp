// bench_scene_file.cpp: loading and saving a Layout scene file against reading its lines and
// writing them back.
//
// The scene is a rig of 150 bones under one object, each bone's nine motion channels keyed three
// times (about 400 kB as LWSC 5). Ours loads it into the host's scene (items, channels, envelopes)
// and saves it again (the unchanged file's lines back); the baseline reads the same bytes into a
// list of lines and joins them back into the file's bytes.
#include "host.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kBones = 150;

const std::string &RigScene()
{
    static const std::string text = [] {
        zkh::Host host;
        zkh::Scene &scene = host.scene;
        const std::uint32_t body = scene.AddObject("Body", "Objects/Body.lwo").id;
        for (int b = 0; b < kBones; ++b) {
            const zkh::Item &bone = scene.AddBone("Bone" + std::to_string(b), body);
            for (const zkh::Channel *channel : scene.ChannelsIn(bone.chanGroup)) {
                std::map<double, double> keys;
                for (int k = 0; k < 3; ++k)
                    keys[k * 0.7333333333333333] = 0.1234567890123 * (b + 1) * (k + 1) + channel->name.size();
                scene.FindChannel(channel->id)->envelope = zkh::LinearEnvelope(keys);
            }
        }
        scene.AddLight("Key");
        scene.AddCamera("Camera", 1920, 1080, 35);
        return host.SceneText();
    }();
    return text;
}

std::string LinesBack(const std::string &bytes)
{
    std::istringstream in(bytes);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::string out;
    out.reserve(bytes.size());
    for (const std::string &line : lines) {
        out += line;
        out += '\n';
    }
    return out;
}

void BM_SceneFileLoadSave_Baseline(benchmark::State &state)
{
    const std::string &bytes = RigScene();
    if (LinesBack(bytes) != bytes) {
        state.SkipWithError("the lines did not give the file back");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(LinesBack(bytes));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void BM_SceneFileLoadSave(benchmark::State &state)
{
    const std::string &bytes = RigScene();
    zkh::Host host;
    if (!host.LoadSceneText(bytes, "rig.lws") || host.SceneText() != bytes) {
        state.SkipWithError("the scene did not load and save back the same bytes");
        return;
    }
    for (auto _ : state) {
        host.LoadSceneText(bytes, "rig.lws");
        benchmark::DoNotOptimize(host.SceneText());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

} // namespace

BENCHMARK(BM_SceneFileLoadSave_Baseline)->Name("BM_SceneFileLoadSave_Baseline/rig150")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SceneFileLoadSave)->Name("BM_SceneFileLoadSave/rig150")->Unit(benchmark::kMillisecond);
