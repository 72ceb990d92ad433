// The zkhost runner on session files: its logs and scene files, and the mistakes that stop a session.
#include "host.h"
#include "process_support.h"
#include "runner_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Runner, WritesLogsAndSceneFiles)
{
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
        "good");
    ASSERT_EQ(result.status, 0) << result.output;
    // The command's panel is confirmed at once: Face (the popup's first entry) is the controller
    // and the only selected item, so nothing is linked.
    EXPECT_EQ(ReadFileBytes(result.out / "commands.log"),
              "StatusMsg hello\nRefreshNow\nStatusMsg start ZK:MorphConsolidate...\nGE_ClearUnusedExpressions\n"
              "RefreshNow\nSelectItem 0x10000001\nStatusMsg start ZK:MorphConsolidate...done\n");
    EXPECT_EQ(ReadFileBytes(result.out / "status.log"),
              "hello\nstart ZK:MorphConsolidate...\nstart ZK:MorphConsolidate...done\n");
    const std::string scene = ReadFileBytes(result.out / "scene.zks");
    EXPECT_TRUE(Holds(scene, "Camera 0x30000001 \"Camera\" 1920 1080 35\n"));
    EXPECT_TRUE(Holds(scene, "Selection 0x10000001\n"));
    EXPECT_TRUE(Holds(result.output, "run_command ZK:MorphConsolidate: activation result 0"));
}

struct Mistake {
    const char *name;
    std::string session;
    std::string message; // the line after the session file's name: line, column and text
    int commands;        // the commands run before the session stopped; -1: the file did not parse
};

// Every mistake in a session file stops the session (status 2) with one line that names the
// file, the line and column and what is wrong; bytes that do not print are escaped, and a name of
// any length is cut.
TEST(Runner, MistakesNameTheLineAndField)
{
    const std::string frames = "scene:\n  items:\n    - {camera: Camera, resolution: [200, 100], focal_length: 35}\n"
                               "  viewports:\n    - {view: camera, item: Camera, rect: [0, 0, 400, 200]}\n"
                               "actions:\n  - add_master: ZK:CameraFrame\n";
    const std::string frameA = frames + "  - frame_create: {name: A, width: 400, height: 200}\n";
    const std::string drag = "  - frame_drag: {view: 0, from: [250, 100], to: [260, 104]}\n";
    const std::string item = "scene:\n  items:\n    - {null_object: C}\nactions:\n";
    const std::string mixer = item + "  - apply_clip_mixer: {item: C, channel: Position.X}\n  - clip_mixer_options:\n"
                                     "      item: C\n      channel: Position.X\n      steps:\n";
    const std::vector<Mistake> mistakes = {
        {"resolution", "scene:\n  items:\n    - camera: Cam\n      resolution: [1920]\n",
         "4:19: resolution: expected two whole numbers, as [a, b]", 0},
        {"action", "actions:\n  - add_mastr: ZK:CameraFrame\n", "2:5: unknown action 'add_mastr'", 0},
        {"unprintable", "actions:\n  - \"add\\x01\\e[2J\\u00e9\": ~\n", "2:5: unknown action 'add\\x01\\x1B[2J\xC3\xA9'", 0},
        {"long-name", "actions:\n  - select: [" + std::string(5000, 'a') + "]\n",
         "2:14: select: no item named '" + std::string(977, 'a') + "...", 0},
        {"bone", "scene:\n  items:\n    - object: Face\n    - bone: Jaw\n", "4:7: bone: missing the field 'parent'", 0},
        {"preview", "scene:\n  preview: [0, 1e12]\n", "2:16: preview: expected a whole number", 0},
        {"fps", "scene:\n  fps: .nan\n", "2:8: fps: must be a number above 0", 0},
        {"yaml", "actions: [\n", "2:1: end of sequence flow not found", -1},
        {"frame-master", "actions:\n  - frame_create: ~\n",
         "2:19: no ZK:CameraFrame master in the scene (add it with add_master first)", 0},
        {"frame-index", frames + "  - frame_edit: {index: 3, name: x}\n", "8:25: index: no frame 3 (there are 0)", 0},
        {"frame-field", frames + "  - frame_create: {widht: 3}\n", "8:20: frame: unknown field 'widht'", 0},
        {"render-node", frames + "  - render_node: ~\n  - frame_panel: ~\n",
         "9:18: frame_panel: a render node has no panels (the options opened none)", 0},
        {"plate", frames + "  - render_frame: {plate: missing.png, png: r.png}\n",
         "8:27: plate: " + (TestTempDir("zkhost-runner") / "missing.png").string() + ": cannot open", 0},
        {"panel-master", "actions:\n  - frame_panel: ~\n",
         "2:18: frame_panel: add the ZK:CameraFrame master first (add_master)", 0},
        {"drag-tool", frameA + drag, "9:17: frame_drag: no Layout tool is current (press Frame Edit ON first)", 5},
        {"drag-view", frameA + "  - frame_panel: ~\n  - panel_press: Frame Edit ON\n" +
                          "  - frame_drag: {view: 3, from: [250, 100], to: [260, 104]}\n",
         "11:24: view: the scene has no viewport 3", 7},
        {"picture-panel", frames + "  - frame_panel_picture: p.png\n",
         "8:26: the ZK:CameraFrame panel was never opened (use frame_panel)", 0},
#if defined(_WIN32)
        // Windows programs run on the ANSI code page their locale gave them.
        {"code-page", frames + "  - narrow_code_page: CP437\n",
         "8:23: narrow_code_page: this system's code page is " + zkh::Host::NarrowCodePage() +
             " and cannot be changed to CP437", 0},
#endif
        {"memo-master", "actions:\n  - memo_press: Create Clip\n",
         "2:17: the scene has no ZK:TimeLineMemo (add it first with memo_add or add_master)", 0},
        {"memo-button", "actions:\n  - memo_add: ~\n  - memo_press: Track\n",
         "3:17: 'Track' is not a button of the memo's panel", 0},
        {"memo-control", "actions:\n  - memo_add: ~\n  - memo_set: {control: Colour, value: 1}\n",
         "3:25: the memo's panel has no control 'Colour'", 0},
        {"mixer-channel", item + "  - apply_clip_mixer: {item: C, channel: Position.W}\n",
         "5:42: apply_clip_mixer: C has no channel named 'Position.W'", 0},
        {"mixer-step", mixer + "        - clips: insert\n", "10:18: expected add, delete, up or down", 0},
        {"mixer-press", mixer + "        - clips: add\n        - press: No Such Button\n        - paste: ~\n",
         "11:18: press: the panel has no control labelled 'No Such Button'", 0},
        {"mixer-unknown-step", mixer + "        - paste: ~\n",
         "10:11: unknown panel step 'paste' (clips, tracks, select_clips, select_tracks, clip, track, import, export, "
         "print_lists, picture, set, press, close)", 0},
        {"mixer-frames", item + "  - evaluate_channel: {item: C, channel: Position.X, frames: [0, 1000000]}\n",
         "5:62: evaluate_channel frames: expected first <= last, at most a million frames", 0},
        {"mixer-none", item + "  - clip_mixer_options: {item: C, channel: Position.X}\n",
         "5:25: clip_mixer_options: no clip mixer on that channel (use apply_clip_mixer first)", 0},
        {"copy-master", item + "  - copy_master: ZK:CameraFrame\n",
         "5:18: copy_master: no instance of ZK:CameraFrame in the scene", 0},
        // The panel was cancelled: the session ran no command.
        {"morph-controller", "actions:\n  - morph_rig: ~\n  - select: [Head]\n"
                             "  - morph_consolidate: {mode: create, controller: Nobody}\n",
         "4:51: morph_consolidate: 'Nobody' is not in the Ctrl item popup", 0},
        {"morph-mode", "actions:\n  - morph_consolidate: {mode: link}\n",
         "2:31: morph_consolidate mode: expected create, remove or cancel", 0},
        {"morph-twice", "actions:\n  - morph_rig: ~\n  - morph_rig: {controller: Other}\n",
         "3:16: morph_rig: the scene already has an item named 'Head'", 0},
        {"morph-channel", "actions:\n  - morph_rig: ~\n  - set_channel: {item: Head, channel: Smile, value: 1}\n",
         "3:40: set_channel: Head has no channel named 'Smile'", 0},
    };
    for (const Mistake &mistake : mistakes) {
        SCOPED_TRACE(mistake.name);
        const RunResult result = RunRunnerSession(mistake.session, mistake.name);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(Holds(result.output, result.file + ":" + mistake.message + "\n"));
        const std::string summary = "session " + result.file + ": " + std::to_string(mistake.commands) + " commands,";
        EXPECT_TRUE(mistake.commands < 0 || result.output.find(summary) != std::string::npos) << result.output;
    }
}

} // namespace
