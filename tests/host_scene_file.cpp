// Scene files with the module's plug-ins: each tool's data where Layout puts it, written only where
// it changed, and zkhost's reports of a scene file.
#include "line_diff.h"
#include "module_fixture.h"
#include "process_support.h"
#include "runner_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(ZK_SOURCE_DIR) / ".." / "shared" / "lwsc" / "samples";

// The lines the second text has in place of the first's, and where (0-based).
std::pair<size_t, Lines> Inserted(const std::string &before, const std::string &after)
{
    const Change change = Diff(before, after);
    return {change.line, change.removed.empty() ? change.added : Lines{"(lines removed)"}};
}

using SceneFileTest = ModuleTest;

// Each tool's plug-in joins a real scene where Layout writes its class, and leaves it without a trace.
TEST_F(SceneFileTest, ToolsJoinAndLeaveARealScene)
{
    const std::string original = ReadFileBytes(kSamples / "move_x.lws");
    struct Case {
        const char *server;
        bool filter;
        size_t line;
        Lines lines;
    };
    const Case cases[] = {
        // After the timing lines, as Layout writes masters; then after the dither lines, as it writes
        // image filters.
        {"ZK:TimeLineMemo", false, 15,
         {"Plugin MasterHandler 1 ZK:TimeLineMemo", "\"0100\"", "1", "\"\"", "1", "0", "EndPlugin"}},
        {"ZK:CameraFrame", false, 15,
         {"Plugin MasterHandler 1 ZK:CameraFrame", "\"0305\"", "0", "0", "0", "0", "0", "0", "\"\"", "0",
          "{ FrameGuides", "  0", "}", "EndPlugin"}},
        {"ZK:CameraFrame", true, 428, {"Plugin ImageFilterHandler 1 ZK:CameraFrame", "EndPlugin"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.server);
        ASSERT_TRUE(host.LoadSceneText(original, "move_x.lws"));
        ASSERT_TRUE(c.filter ? host.imageFilters.Add(c.server) != nullptr : host.masters.Add(c.server) != nullptr);
        const std::string saved = host.SceneText();
        const auto [line, lines] = Inserted(original, saved);
        EXPECT_EQ(line, c.line);
        EXPECT_EQ(lines, c.lines);
        ASSERT_TRUE(host.LoadSceneText(saved, "saved.lws"));
        EXPECT_EQ(host.SceneText(), saved);
        ASSERT_TRUE(c.filter ? host.imageFilters.Remove(c.server) : host.masters.Remove(c.server));
        EXPECT_EQ(host.SceneText(), original);
    }
}


// zkhost info reports what the host read of a real scene; its JSON form reads in Python as the same.
TEST(SceneReports, InfoOfARealScene)
{
    const fs::path dir = TestTempDir("zk-info");
    fs::create_directories(dir);
    const std::string scene = (kSamples / "move_x.lws").string(), log = (dir / "info.txt").string();
    ASSERT_EQ(RunProgram({ZK_RUNNER_PATH, "info", scene}, log), 0);
    EXPECT_EQ(ReadFileBytes(log), "LWSC 5 scene: frames 1 to 60 step 1 at 30 fps, preview 0 to 60 step 1, current "
                                  "frame 40\n"
                                  "items (3):\n"
                                  "  0 object simple_cube (10000000)\n"
                                  "  1 light Light (20000000)\n"
                                  "  2 camera Camera (30000000)\n"
                                  "camera Camera: frame size 640 x 480, multiplier 1, pixel aspect 1, renders 640 x 480\n"
                                  "plug-ins (2):\n"
                                  "  LightHandler 1 DistantLight (item 1)\n"
                                  "  CameraHandler 1 Perspective (item 2)\n"
                                  "channel handlers (0):\n"
                                  "24 envelopes, 26 keys\n"
                                  "warnings (0):\n");

#ifndef _WIN32 // the Linux python reads what the Linux build writes; the Windows build writes the same
    const std::string json = (dir / "info.json").string();
    ASSERT_EQ(RunProgram({ZK_RUNNER_PATH, "info", scene, "--json"}, json), 0);
    const char script[] = "import json, sys\n"
                          "d = json.load(open(sys.argv[1]))\n"
                          "print(d['fps'], d['first_frame'], d['last_frame'], d['envelopes'], d['keys'])\n"
                          "for i in d['items']: print(i['kind'], i['name'], i['id'], i['parent'])\n"
                          "for c in d['cameras']: print(c['name'], c['render_size'])\n";
    ASSERT_EQ(RunProgram({"/usr/bin/python3", "-c", script, json}, log), 0) << ReadFileBytes(log);
    EXPECT_EQ(ReadFileBytes(log), "30.0 1 60 24 26\n"
                                  "object simple_cube 10000000 None\n"
                                  "light Light 20000000 None\n"
                                  "camera Camera 30000000 None\n"
                                  "Camera [640, 480]\n");
#endif

    EXPECT_EQ(RunProgram({ZK_RUNNER_PATH, "info", (dir / "none.lws").string()}, log), 1);
    EXPECT_EQ(ReadFileBytes(log), (dir / "none.lws").string() + ": cannot read the file\n");
    const std::string damaged = (dir / "damaged.lws").string();
    std::ofstream(damaged, std::ios::binary) << "LWSC\n5\n\nPlugin MasterHandler 1 X\n\"a\"\n";
    for (const char *command : {"info", "frames"}) {
        EXPECT_EQ(RunProgram({ZK_RUNNER_PATH, command, damaged}, log), 1);
        EXPECT_EQ(ReadFileBytes(log), damaged + ":4: the plug-in X has no EndPlugin\n");
    }
}

// zkhost frames asks the module, through the host, for the frames a saved scene holds.
TEST(SceneReports, FramesOfASavedScene)
{
    const RunResult session = RunRunnerSession(R"(scene:
  items:
    - {camera: Camera, resolution: [640, 360], focal_length: 35}
actions:
  - master_add: ZK:CameraFrame
  - frame_create: {name: Scope, aspect: 2.39, color: [1, 0.2, 0.1], transparency: 0.3}
  - frame_create: {name: Insert, width: 480, height: 270, position: [52, -25], rotation: 12, memo: "close-up"}
  - scene_save: shot.lws
)", "frames");
    ASSERT_EQ(session.status, 0) << session.output;
    const std::string log = (session.out / "frames.txt").string();
    ASSERT_EQ(RunProgram({ZK_RUNNER_PATH, "frames", (session.out / "shot.lws").string(), "--module", ZK_MODULE_PATH},
                         log),
              0)
        << ReadFileBytes(log);
    EXPECT_EQ(ReadFileBytes(log), "answered 1\n"
                                  "count 2\n"
                                  "combined 0 color 0 0 0 opacity 100\n"
                                  "extra \"\" flag 0\n"
                                  "frame 0 \"Scope\" camera 0x30000001\n"
                                  "  inner (29,58) (610,58) (610,301) (29,301)\n"
                                  "  outer (0,46) (639,46) (639,313) (0,313)\n"
                                  "  margin 0.1 0.1 0.1 px 58 24\n"
                                  "  color 255 51 26 opacity 69\n"
                                  "  memo \"\" focal \"\"\n"
                                  "frame 1 \"Insert\" camera 0x30000001\n"
                                  "  inner (109,72) (578,-26) (634,237) (165,336)\n"
                                  "  outer (82,64) (599,-45) (661,245) (144,355)\n"
                                  "  margin 0.1 0.1 0.1 px 48 27\n"
                                  "  color 255 51 26 opacity 69\n"
                                  "  memo \"close-up\" focal \"\"\n");

    // A session starts from the saved scene (its path relative to the session file) and adds to it.
    const RunResult again = RunRunnerSession(R"(scene:
  file: frames/shot.lws
  items:
    - {null_object: Added}
actions:
  - frame_list: ~
  - scene_save: again.lws
)", "frames-again");
    ASSERT_EQ(again.status, 0) << again.output;
    EXPECT_TRUE(Holds(again.output, "Insert"));
    const auto [line, lines] = Inserted(ReadFileBytes(session.out / "shot.lws"), ReadFileBytes(again.out / "again.lws"));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "AddNullObject 10000001 Added");

    const RunResult missing = RunRunnerSession("scene: {file: none.lws}\n", "frames-missing");
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(Holds(missing.output, missing.file + ":1:15: cannot read scene file "));
}

} // namespace
