// The zkhost runner on session files.
#include "process_support.h"
#include "runner_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

fs::path TempDir(const std::string &name)
{
    return TestTempDir("zkhost-runner") / name;
}


TEST(Runner, MistakesNameTheLineAndField)
{
    RunResult result = RunRunnerSession("scene:\n  items:\n    - camera: Cam\n      resolution: [1920]\n", TempDir("bad1"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("bad1.yaml:4:19: resolution: expected two whole numbers, as [a, b]"), std::string::npos)
        << result.output;

    result = RunRunnerSession("actions:\n  - add_mastr: ZK:CameraFrame\n", TempDir("bad2"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("bad2.yaml:2:5: unknown action 'add_mastr'"), std::string::npos) << result.output;
    // Bytes that do not print are escaped in the message, and a name of any length is cut.
    result = RunRunnerSession("actions:\n  - \"add\\x01\\e[2J\\u00e9\": ~\n", TempDir("bad7"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("bad7.yaml:2:5: unknown action 'add\\x01\\x1B[2J\xC3\xA9'"), std::string::npos)
        << result.output;
    result = RunRunnerSession("actions:\n  - select: [" + std::string(5000, 'a') + "]\n", TempDir("bad8"));
    EXPECT_NE(result.output.find("bad8.yaml:2:14: select: no item named '" + std::string(977, 'a') + "...\n"),
              std::string::npos)
        << result.output;

    result = RunRunnerSession("scene:\n  items:\n    - object: Face\n    - bone: Jaw\n", TempDir("bad4"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("bad4.yaml:4:7: bone: missing the field 'parent'"), std::string::npos) << result.output;

    result = RunRunnerSession("scene:\n  preview: [0, 1e12]\n", TempDir("bad5"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("bad5.yaml:2:16: preview: expected a whole number"), std::string::npos) << result.output;

    result = RunRunnerSession("scene:\n  fps: .nan\n", TempDir("bad6"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("fps: must be a number above 0"), std::string::npos) << result.output;

    result = RunRunnerSession("actions: [\n", TempDir("bad3"));
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find("bad3.yaml:"), std::string::npos) << result.output;
}

TEST(Runner, WritesLogsAndSceneFiles)
{
    const fs::path out = TempDir("good");
    const RunResult result = RunRunnerSession(
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
    EXPECT_EQ(ReadFileBytes(out / "commands.log"),
              "StatusMsg hello\nRefreshNow\nStatusMsg start ZK:MorphConsolidate...\nGE_ClearUnusedExpressions\n"
              "RefreshNow\nSelectItem 0x10000001\nStatusMsg start ZK:MorphConsolidate...done\n");
    EXPECT_EQ(ReadFileBytes(out / "status.log"), "hello\nstart ZK:MorphConsolidate...\nstart ZK:MorphConsolidate...done\n");
    const std::string scene = ReadFileBytes(out / "scene.zks");
    EXPECT_NE(scene.find("Camera 0x30000001 \"Camera\" 1920 1080 35\n"), std::string::npos) << scene;
    EXPECT_NE(scene.find("Selection 0x10000001\n"), std::string::npos) << scene;
    EXPECT_NE(result.output.find("run_command ZK:MorphConsolidate: activation result 0"), std::string::npos);
}

} // namespace
