// The runner's clip mixer actions: a session drives a channel and writes its values and file.
#include "process_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a session text; the exit status and what the runner printed.
std::pair<int, std::string> RunMixerSession(const std::string &session, const fs::path &outDir)
{
    fs::create_directories(outDir);
    const fs::path file = outDir / "session.yaml";
    std::ofstream(file) << session;
    const fs::path log = outDir / "runner.txt";
    const int status = RunProgram(
        {ZK_RUNNER_PATH, "run", file.string(), "--out", outDir.string(), "--module", ZK_MODULE_PATH}, log.string());
    return {status, ReadFile(log)};
}

fs::path TempDir(const std::string &name)
{
    return fs::temp_directory_path() / ("zkhost-mixer-runner-" + std::to_string(CurrentProcessId())) / name;
}

const char kSession[] = R"(scene:
  fps: 24
  items:
    - {null_object: Controller}
actions:
  - set_channel: {item: Controller, channel: Position.Y, keys: [[0, 10], [4, 14]]}
  - apply_clip_mixer: {item: Controller, channel: Position.Y}
  - clip_mixer_options:
      item: Controller
      channel: Position.Y
      steps:
        - clips: add
        - clip: {step: 2, sequence: "0 10"}
        - clips: add
        - clip: {step: 1, sequence: "5"}
        - tracks: add
        - track: {in: 1, out: 8, repeat: 0, sequence: "A B:2"}
        - export: mix.xml
  - evaluate_channel: {item: Controller, channel: Position.Y, frames: [0, 9], csv: values.csv, png: plot.png}
  - clip_mixer_options:
      item: Controller
      channel: Position.Y
      steps:
        - select_tracks: 0
        - track: {repeat: 1}
        - print_lists: ~
  - evaluate_channel: {item: Controller, channel: Position.Y, frames: [7, 8], print: true}
)";

TEST(MixerRunner, SessionDrivesAChannel)
{
    const fs::path out = TempDir("drive");
    const auto [status, output] = RunMixerSession(kSession, out);
    ASSERT_EQ(status, 0) << output;
    // Worked example on a base rising by one per frame from 10: hold, then loop.
    EXPECT_EQ(ReadFile(out / "values.csv"), "frame,base,value\n"
                                            "0,10,10\n"
                                            "1,11,11\n"
                                            "2,12,12\n"
                                            "3,13,23\n"
                                            "4,14,24\n"
                                            "5,14,19\n"
                                            "6,14,19\n"
                                            "7,14,19\n"
                                            "8,14,19\n"
                                            "9,14,14\n");
    EXPECT_NE(output.find("apply_clip_mixer: ZK:ChanClipMixer(1.00) build 250619\n"), std::string::npos) << output;
    EXPECT_NE(output.find("tracks:\n  Enable | In | Out | Repeat | Sequence\n  [x] | 1 | 8 | [x] | A B:2\n"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("frame,base,value\n7,14,14\n8,14,14\n"), std::string::npos) << output;
    EXPECT_EQ(ReadFile(out / "mix.xml"), "<?xml version=\"1.0\" encoding=\"Shist_JIS\"?>\n"
                                         "<chanClipMixer format=\"3.1\">\n"
                                         "    <clips>\n"
                                         "        <clip name=\"A\" step=\"2\" seq=\"0 10\"/>\n"
                                         "        <clip name=\"B\" step=\"1\" seq=\"5\"/>\n"
                                         "    </clips>\n"
                                         "    <tracks>\n"
                                         "        <track enable=\"1\" in=\"1\" out=\"8\" repeat=\"0\" seq=\"A B:2\"/>\n"
                                         "    </tracks>\n"
                                         "</chanClipMixer>\n");
    EXPECT_EQ(ReadFile(out / "plot.png").substr(1, 3), "PNG");
}

TEST(MixerRunner, MistakesNameTheirPlace)
{
    auto [status, output] = RunMixerSession("scene:\n  items:\n    - {null_object: C}\nactions:\n"
                                "  - apply_clip_mixer: {item: C, channel: Position.W}\n",
                                TempDir("bad-channel"));
    EXPECT_EQ(status, 2);
    EXPECT_NE(output.find(":5:42: apply_clip_mixer: C has no channel named 'Position.W'"), std::string::npos) << output;

    std::tie(status, output) = RunMixerSession("scene:\n  items:\n    - {null_object: C}\nactions:\n"
                                   "  - apply_clip_mixer: {item: C, channel: Position.X}\n"
                                   "  - clip_mixer_options:\n      item: C\n      channel: Position.X\n"
                                   "      steps:\n        - clips: insert\n",
                                   TempDir("bad-step"));
    EXPECT_EQ(status, 2);
    EXPECT_NE(output.find(":10:18: expected add, delete, up or down"), std::string::npos) << output;

    std::tie(status, output) = RunMixerSession("scene:\n  items:\n    - {null_object: C}\nactions:\n"
                                   "  - apply_clip_mixer: {item: C, channel: Position.X}\n"
                                   "  - clip_mixer_options:\n      item: C\n      channel: Position.X\n"
                                   "      steps:\n        - clips: add\n        - press: No Such Button\n"
                                   "        - paste: ~\n",
                                   TempDir("panel-steps"));
    EXPECT_EQ(status, 2);
    EXPECT_NE(output.find(":11:18: press: the panel has no control labelled 'No Such Button'"), std::string::npos)
        << output;
    std::tie(status, output) = RunMixerSession("scene:\n  items:\n    - {null_object: C}\nactions:\n"
                                   "  - apply_clip_mixer: {item: C, channel: Position.X}\n"
                                   "  - clip_mixer_options:\n      item: C\n      channel: Position.X\n"
                                   "      steps:\n        - paste: ~\n",
                                   TempDir("unknown-step"));
    EXPECT_EQ(status, 2);
    EXPECT_NE(output.find(":10:11: unknown panel step 'paste' (clips, tracks, select_clips, select_tracks, clip, "
                          "track, import, export, print_lists, set, press, close)"),
              std::string::npos)
        << output;

    std::tie(status, output) = RunMixerSession("scene:\n  items:\n    - {null_object: C}\nactions:\n"
                                   "  - clip_mixer_options: {item: C, channel: Position.X}\n",
                                   TempDir("no-mixer"));
    EXPECT_EQ(status, 2);
    EXPECT_NE(output.find("no clip mixer on that channel"), std::string::npos) << output;
}

} // namespace
