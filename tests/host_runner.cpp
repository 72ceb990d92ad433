// The zkhost runner on session files.
#include "process_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct RunResult {
    int status;
    std::string output;
};

RunResult RunSession(const std::string &session, const fs::path &outDir)
{
    const fs::path file = outDir.parent_path() / (outDir.filename().string() + ".yaml");
    fs::create_directories(outDir.parent_path());
    std::ofstream(file) << session;
    const fs::path log = outDir.parent_path() / (outDir.filename().string() + ".txt");
    const int status = RunProgram(
        {ZK_RUNNER_PATH, "run", file.string(), "--out", outDir.string(), "--module", ZK_MODULE_PATH}, log.string());
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    return {status, text.str()};
}

fs::path TempDir(const std::string &name)
{
    return fs::temp_directory_path() / ("zkhost-runner-" + std::to_string(CurrentProcessId())) / name;
}

std::string ReadFile(const fs::path &path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Runner, MistakesNameTheLineAndField)
{
    RunResult result = RunSession("scene:\n  items:\n    - camera: Cam\n      resolution: [1920]\n", TempDir("bad1"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("bad1.yaml:4:19: resolution: expected two whole numbers, as [a, b]"), std::string::npos)
        << result.output;

    result = RunSession("actions:\n  - add_mastr: ZK:CameraFrame\n", TempDir("bad2"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("bad2.yaml:2:5: unknown action 'add_mastr'"), std::string::npos) << result.output;

    result = RunSession("scene:\n  items:\n    - object: Face\n    - bone: Jaw\n", TempDir("bad4"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("bad4.yaml:4:7: bone: missing the field 'parent'"), std::string::npos) << result.output;

    result = RunSession("scene:\n  preview: [0, 1e12]\n", TempDir("bad5"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("bad5.yaml:2:16: preview: expected a whole number"), std::string::npos) << result.output;

    result = RunSession("scene:\n  fps: .nan\n", TempDir("bad6"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("fps: must be a number above 0"), std::string::npos) << result.output;

    result = RunSession("actions: [\n", TempDir("bad3"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("bad3.yaml:"), std::string::npos) << result.output;
}

TEST(Runner, WritesLogsAndSceneFiles)
{
    const fs::path out = TempDir("good");
    const RunResult result = RunSession(
        "locale: 1041\n"
        "scene:\n"
        "  items:\n"
        "    - camera: Camera\n"
        "      resolution: [1920, 1080]\n"
        "    - object: Face\n"
        "  selection: [Face]\n"
        "actions:\n"
        "  - command: StatusMsg hello\n"
        "  - command: RefreshNow\n"
        "  - run_command: ZK:MorphConsolidate\n"
        "  - save_scene: scene.zks\n"
        "  - load_scene: scene.zks\n",
        out);
    ASSERT_EQ(result.status, 0) << result.output;
    // The command's panel is confirmed at once: Face (the popup's first entry) is the controller
    // and the only selected item, so nothing is linked.
    EXPECT_EQ(ReadFile(out / "commands.log"),
              "StatusMsg hello\nRefreshNow\nStatusMsg start ZK:MorphConsolidate...\nGE_ClearUnusedExpressions\n"
              "RefreshNow\nSelectItem 0x10000001\nStatusMsg start ZK:MorphConsolidate...done\n");
    EXPECT_EQ(ReadFile(out / "status.log"), "hello\nstart ZK:MorphConsolidate...\nstart ZK:MorphConsolidate...done\n");
    const std::string scene = ReadFile(out / "scene.zks");
    EXPECT_NE(scene.find("Camera 0x30000001 \"Camera\" 1920 1080 35\n"), std::string::npos) << scene;
    EXPECT_NE(scene.find("Selection 0x10000001\n"), std::string::npos) << scene;
    EXPECT_NE(result.output.find("run_command ZK:MorphConsolidate: activation result 0"), std::string::npos);
}

} // namespace
