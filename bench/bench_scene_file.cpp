// bench_scene_file.cpp: loading and saving a Layout scene file against reading its lines and
// writing them back.
//
// The scene is a rig as LightWave 2018 saves one (LWSC 8, 20-digit numbers): an object with 150
// bones, each bone with its rest lines, its nine motion channels keyed three times (TCB keys with
// the tangents Layout writes) and its IK lines; about 400 kB. Ours loads it into the host's scene
// (items, channels, envelopes) and saves it again (the unchanged file's lines back); the baseline
// reads the same bytes into a list of lines and joins them back into the file's bytes.
#include "host.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kBones = 150;

std::string Number(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.20g", value);
    return text;
}

std::string BoneLines(int bone)
{
    char id[16];
    std::snprintf(id, sizeof id, "%08x", 0x40000000u | (static_cast<unsigned>(bone) << 16));
    std::string text = std::string("AddBone ") + id + "\nBoneName Bone" + std::to_string(bone) +
                       "\nShowBone 1 3\nBoneActive 1\nBoneRestPosition 0 " + Number(0.1 * bone) +
                       " 0\nBoneRestDirection 0 -90 0\nBoneRestLength 0.5\nBoneStrength 1\nScaleBoneStrength 1\n"
                       "BoneType 0\nBoneMotion\nNumChannels 9\n";
    for (int channel = 0; channel < 9; ++channel) {
        text += "Channel " + std::to_string(channel) + "\n{ Envelope\n  3\n";
        for (int key = 0; key < 3; ++key) {
            const double value = (channel >= 6 ? 1.0 : 0.0) + 0.017453292519943295 * (bone + 1) * (key + channel);
            text += "  Key " + Number(value) + " " + Number(key * 0.73333333333333328) + " 0 0 0 0 " +
                    Number(value * 0.21) + " " + Number(value * -0.37) + " 0\n";
        }
        text += "  Behaviors 1 1\n}\n";
    }
    text += "IKInitCustomFrame 0\nGoalStrength 1\nIKFKBlending 0\nIKSoftMin 0.25\nIKSoftMax 0.75\n"
            "CtrlPosItemBlend 1\nCtrlRotItemBlend 1\nCtrlScaleItemBlend 1\n\nPathAlignLookAhead 0.033\n"
            "PathAlignMaxLookSteps 10\nPathAlignReliableDist 0.001\nPivotPosition 0 0 0\nPivotRotation 0 0 0\n";
    char parent[16];
    std::snprintf(parent, sizeof parent, "%08x", bone == 0 ? 0x10000000u : 0x40000000u | ((bone - 1u) << 16));
    text += std::string("ParentItem ") + parent + "\nSplineFlags 0\nSplineFit 0\nIKInitialState 0\nUseIKChainValues 1\n";
    return text;
}

const std::string &RigScene()
{
    static const std::string text = [] {
        zkh::Host host;
        host.scene.AddObject("Body", "Objects/Body.lwo");
        host.scene.AddLight("Key");
        host.scene.AddCamera("Camera", 1920, 1080, 35);
        std::string scene = host.SceneText();
        scene.replace(0, 7, "LWSC\n8\n");
        std::string bones = "BoneFalloffType 5\nFasterBones 1\n";
        for (int bone = 0; bone < kBones; ++bone)
            bones += BoneLines(bone);
        scene.insert(scene.find("ShadowOptions 7\n"), bones);
        return scene;
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
