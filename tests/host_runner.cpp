// The zkhost runner on session files: its logs and scene files, the mistakes that stop a session,
// and each tool's actions (camera frames, timeline memo, clip mixer, morph consolidation).
#include "channel_plot.h"
#include "filter_image.h"
#include "host.h"
#include "process_support.h"
#include "runner_session.h"

#include <CImg.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char kFrameScene[] = R"(scene:
  items:
    - {camera: Camera, resolution: [200, 100], focal_length: 35}
  viewports:
    - {view: camera, item: Camera, rect: [0, 0, 400, 200]}
actions:
  - master_add: ZK:CameraFrame
)";

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
        "  - command_send: StatusMsg hello\n"
        "  - command_send: RefreshNow\n"
        "  - generic_run: ZK:MorphConsolidate\n"
        "  - scene_save: scene.lws\n"
        "  - scene_load: $OUT/scene.lws\n",
        "good");
    ASSERT_EQ(result.status, 0) << result.output;
    // The command's panel is confirmed at once: Face (the popup's first entry) is the controller
    // and the only selected item, so nothing is linked.
    EXPECT_EQ(ReadFileBytes(result.out / "commands.log"),
              "StatusMsg hello\nRefreshNow\n# modal panel \"ZK:MorphConsolidate(1.00) build 250619\": OK\n"
              "StatusMsg start ZK:MorphConsolidate...\nGE_ClearUnusedExpressions\n"
              "RefreshNow\nSelectItem 0x10000001\nStatusMsg start ZK:MorphConsolidate...done\n");
    EXPECT_EQ(ReadFileBytes(result.out / "status.log"),
              "hello\nstart ZK:MorphConsolidate...\nstart ZK:MorphConsolidate...done\n");
    // Layout's scene file: the camera's lines, and the selected object as the current one.
    const std::string scene = ReadFileBytes(result.out / "scene.lws");
    EXPECT_EQ(scene.substr(0, 8), "LWSC\n5\n\n");
    EXPECT_TRUE(Holds(scene, "\nAddCamera 30000001\nCameraName Camera\n"));
    EXPECT_TRUE(Holds(scene, "\nZoomFactor 4.666666666666667\nResolutionMultiplier 1\nFrameSize 1920 1080\n"));
    EXPECT_TRUE(Holds(scene, "\nLoadObjectLayer 1 10000001 Face.lwo\n"));
    EXPECT_TRUE(Holds(scene, "\nCurrentObject 0\n"));
    EXPECT_TRUE(Holds(result.output, "generic_run ZK:MorphConsolidate: activation result 0"));
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
    const std::string frames = kFrameScene;
    const std::string frameA = frames + "  - frame_create: {name: A, width: 400, height: 200}\n";
    const std::string drag = "  - frame_drag: {view: 0, from: [250, 100], to: [260, 104]}\n";
    const std::string item = "scene:\n  items:\n    - {null_object: C}\nactions:\n";
    const std::string mixer = item + "  - clip_mixer_apply: {item: C, channel: Position.X}\n  - clip_mixer_options_edit:\n"
                                     "      item: C\n      channel: Position.X\n      steps:\n";
    const std::vector<Mistake> mistakes = {
        {"resolution", "scene:\n  items:\n    - camera: Cam\n      resolution: [1920]\n",
         "4:19: resolution: expected two whole numbers, as [a, b]", 0},
        {"action", "actions:\n  - mastr_add: ZK:CameraFrame\n", "2:5: unknown action 'mastr_add' (did you mean master_add?)", 0},
        {"unprintable", "actions:\n  - \"add\\x01\\e[2J\\u00e9\": ~\n", "2:5: unknown action 'add\\x01\\x1B[2J\xC3\xA9' (zkhost help lists the actions)", 0},
        {"long-name", "actions:\n  - selection_set: [" + std::string(5000, 'a') + "]\n",
         "2:21: selection_set: no item named '" + std::string(970, 'a') + "...", 0},
        {"bone", "scene:\n  items:\n    - object: Face\n    - bone: Jaw\n", "4:7: bone: missing the field 'parent'", 0},
        {"preview", "scene:\n  preview: [0, 1e12]\n", "2:16: preview: expected a whole number", 0},
        {"fps", "scene:\n  fps: .nan\n", "2:8: fps: expected a finite number", 0},
        // Numbers the scene file could not hold, and pictures larger than renders.
        {"time", "scene:\n  time: -.inf\n", "2:9: time: expected a finite number", 0},
        {"set-time", "actions:\n  - time_set: .nan\n", "2:15: time_set: expected a finite number", 0},
        {"frame-position", frames + "  - frame_create: {position: [0, .inf]}\n", "8:34: position: expected a finite number", 2},
        {"viewport-rect", "scene:\n  viewports:\n    - {view: top, rect: [0, 0, 30000, 30000]}\n",
         "3:32: rect: width and height go from 0 to 16384", 0},
        {"yaml", "actions: [\n", "2:1: end of sequence flow not found", -1},
        {"frame-master", "actions:\n  - frame_create: ~\n",
         "2:19: no ZK:CameraFrame master in the scene (add it with master_add first)", 0},
        {"frame-index", frames + "  - frame_edit: {index: 3, name: x}\n", "8:25: index: no frame 3 (there are 0)", 0},
        {"frame-field", frames + "  - frame_create: {widht: 3}\n", "8:20: unknown key 'widht' in frame_create (did you mean width?)", 0},
        {"render-node", frames + "  - render_node_become: ~\n  - frame_panel_open: ~\n",
         "9:23: frame_panel_open: a render node has no panels (the options opened none)", 0},
        {"plate", frames + "  - render_frame: {plate: missing.png, png: r.png}\n",
         "8:27: plate: " + (TestTempDir("zkhost-runner") / "missing.png").string() + ": cannot open", 0},
        {"panel-master", "actions:\n  - frame_panel_open: ~\n",
         "2:23: frame_panel_open: add the ZK:CameraFrame master first (master_add)", 0},
        {"drag-tool", frameA + drag, "9:17: frame_drag: no Layout tool is current (press Frame Edit ON first)", 5},
        {"drag-view", frameA + "  - frame_panel_open: ~\n  - panel_press: Frame Edit ON\n" +
                          "  - frame_drag: {view: 3, from: [250, 100], to: [260, 104]}\n",
         "11:24: view: the scene has no viewport 3", 7},
        {"picture-panel", frames + "  - frame_panel_paint: p.png\n",
         "8:24: the ZK:CameraFrame panel was never opened (use frame_panel_open)", 0},
#if defined(_WIN32)
        // Windows programs run on the ANSI code page their locale gave them.
        {"code-page", frames + "  - narrow_code_page_set: CP437\n",
         "8:27: narrow_code_page_set: this system's code page is " + zkh::Host::NarrowCodePage() +
             " and cannot be changed to CP437", 0},
#endif
        {"memo-master", "actions:\n  - memo_press: Create Clip\n",
         "2:17: the scene has no ZK:TimeLineMemo (add it first with memo_add or master_add)", 0},
        {"memo-button", "actions:\n  - memo_add: ~\n  - memo_press: Track\n",
         "3:17: 'Track' is not a button of the memo's panel", 0},
        {"memo-control", "actions:\n  - memo_add: ~\n  - memo_set: {control: Colour, value: 1}\n",
         "3:25: the memo's panel has no control 'Colour'", 0},
        {"mixer-channel", item + "  - clip_mixer_apply: {item: C, channel: Position.W}\n",
         "5:42: clip_mixer_apply: C has no channel named 'Position.W'", 0},
        {"mixer-step", mixer + "        - clips: insert\n", "10:18: expected add, delete, up or down", 0},
        {"mixer-press", mixer + "        - clips: add\n        - press: No Such Button\n        - clips: add\n",
         "11:18: press: the panel has no control labelled 'No Such Button'", 0},
        {"mixer-unknown-step", mixer + "        - paste: ~\n",
         "10:11: unknown step 'paste' in clip_mixer_options_edit steps (one of clips, tracks, select_clips, select_tracks, "
         "clip, track, import, export, print_lists, picture, set, press, close)", 0},
        {"mixer-frames", item + "  - channel_evaluate: {item: C, channel: Position.X, frames: [0, 1000000]}\n",
         "5:62: channel_evaluate frames: expected first <= last, at most a million frames", 0},
        {"mixer-none", item + "  - clip_mixer_options_edit: {item: C, channel: Position.X}\n",
         "5:30: clip_mixer_options_edit: no clip mixer on that channel (use clip_mixer_apply first)", 0},
        {"copy-master", item + "  - master_copy: ZK:CameraFrame\n",
         "5:18: master_copy: no instance of ZK:CameraFrame in the scene", 0},
        // The panel was cancelled: the session ran no command.
        {"morph-controller", "actions:\n  - morph_rig_build: ~\n  - selection_set: [Head]\n"
                             "  - morph_consolidate: {mode: create, controller: Nobody}\n",
         "4:51: morph_consolidate: 'Nobody' is not in the Ctrl item popup", 0},
        {"morph-mode", "actions:\n  - morph_consolidate: {mode: link}\n",
         "2:31: morph_consolidate mode: expected create, remove or cancel", 0},
        {"morph-twice", "actions:\n  - morph_rig_build: ~\n  - morph_rig_build: {controller: Other}\n",
         "3:22: morph_rig_build: the scene already has an item named 'Head'", 0},
        {"morph-channel", "actions:\n  - morph_rig_build: ~\n  - channel_set: {item: Head, channel: Smile, value: 1}\n",
         "3:40: channel_set: Head has no channel named 'Smile'", 0},
        // Names are checked before anything runs (the command before the mistake is not sent), with
        // the nearest known names.
        {"top-key", "acions: []\n", "1:1: unknown key 'acions' in the session (did you mean actions?)", 0},
        {"scene-key", "scene:\n  fsp: 24\n", "2:3: unknown key 'fsp' in scene (did you mean fps?)", 0},
        {"item-key", "scene:\n  items:\n    - {camera: C, resolutoin: [2, 2]}\n",
         "3:19: unknown key 'resolutoin' in a camera item (did you mean resolution?)", 0},
        {"viewport-key", "scene:\n  viewports:\n    - {view: top, rec: [0, 0, 2, 2]}\n",
         "3:19: unknown key 'rec' in scene viewports (did you mean rect?)", 0},
        {"late-action", "actions:\n  - command_send: StatusMsg before\n  - mastr_add: ZK:CameraFrame\n",
         "3:5: unknown action 'mastr_add' (did you mean master_add?)", 0},
        {"action-key", "actions:\n  - command_send: StatusMsg before\n  - frame_drag: {view: 0, form: [1, 1], to: [2, 2]}\n",
         "3:27: unknown key 'form' in frame_drag (did you mean from?)", 0},
        {"nested-key", item + "  - clip_mixer_copy: {item: C, channel: Position.X, to: {item: C, chanel: Position.Y}}\n",
         "5:67: unknown key 'chanel' in clip_mixer_copy to (did you mean channel?)", 0},
        {"modal-step", "actions:\n  - modal_answer: [{pres: OK}]\n",
         "2:21: unknown step 'pres' in modal_answer (did you mean press?)", 0},
        {"step-key", mixer + "        - clip: {stpe: 2}\n",
         "10:18: unknown key 'stpe' in clip_mixer_options_edit steps clip (did you mean step?)", 0},
        {"server", "actions:\n  - command_send: StatusMsg before\n  - master_add: ZK:CamraFrame\n",
         "3:17: master_add: the module has no MasterHandler server 'ZK:CamraFrame' (did you mean ZK:CameraFrame?)", 0},
        {"server-class", "actions:\n  - image_filter_add: ZK:TimeLineMemo\n",
         "2:23: image_filter_add: the module has no ImageFilterHandler server 'ZK:TimeLineMemo' (one of "
         "ZK:CameraFrame)", 0},
        // Values YAML reads otherwise than the writer meant, and a tab, say how to write them.
        {"tab", "actions:\n  - server_list: ~\n\t- server_list: ~\n",
         "3:1: a tab in the indentation: YAML indents with spaces only (replace the tab by spaces)", -1},
        {"null", "actions:\n  - text_print: Null\n",
         "2:17: text_print: expected a text; YAML reads ~, null and an empty value as no value: write the text in quotes "
         "(\"~\", \"Null\", \"\")", 0},
        {"empty", "actions:\n  - command_send:\n  - text_print: x\n",
         "2:5: command_send: expected a text; YAML reads ~, null and an empty value as no value: write the text in quotes "
         "(\"~\", \"Null\", \"\")", 0},
        {"number", "actions:\n  - text_print: 2.39\n",
         "2:17: text_print: expected a text; YAML reads 2.39 as a number: write it in quotes, \"2.39\", for that text", 0},
        {"bool", "scene:\n  items:\n    - {camera: yes}\n",
         "3:16: camera name: expected a text; YAML reads yes as true or false: write it in quotes, \"yes\", for "
         "that text", 0},
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

TEST(CameraFrameRunner, FramesPicturesAndRingReply)
{
    const RunResult result = RunRunnerSession(std::string(kFrameScene) + R"(  - frame_create: {name: A, width: 100, height: 50, margin_percent: [20, 20], color: [1, 0, 0]}
  - frame_create: ~
  - frame_edit: {index: 1, active: false, memo: note}
  - frame_list: ~
  - viewport_draw: {view: 0, png: view.png}
  - image_filter_add: ZK:CameraFrame
  - render_frame: {size: [200, 100], png: render.png, bits: 16}
  - frame_delete: 1
  - ring_query: ~
  - scene_save: scene.lws
  - scene_load: $OUT/scene.lws
  - frame_list: ~
)",
                                        "frames");
    // The frames are made through the panel, as the user makes them: Create Frame copies the
    // current frame and names the copy "Frame (2)".
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(Holds(result.output, "camera frames: 2\n  0 \"A\" camera Camera at (0, 0) 100 x 50 margins 20% 20% rotation 0 "
                                 "color 1 0 0 transparency 0\n  1 \"Frame (2)\" inactive camera Camera at (0, 0) 100 x 50 "
                                 "margins 20% 20% rotation 0 color 1 0 0 transparency 0 memo \"note\"\n"));
    EXPECT_TRUE(Holds(result.output, "frame 0 \"A\" camera 0x30000001\n  inner (50,25) (150,25) (150,75) (50,75)\n"
                                 "  outer (40,20) (160,20) (160,80) (40,80)\n  margin 0.2 0.2 0.2 px 20 10\n"
                                 "  color 255 0 0 opacity 100\n  memo \"\" focal \"\"\n"));
    EXPECT_TRUE(Holds(result.output, "camera frames: 1\n  0 \"A\""));
    zkh::FilterImage render;
    std::string error;
    ASSERT_TRUE(zkh::ReadPng((result.out / "render.png").string(), render, error)) << error;
    EXPECT_EQ(render.At(0, 45, 50), 1.0f);
    EXPECT_EQ(render.At(1, 45, 50), 0.0f);
    EXPECT_TRUE(fs::exists(result.out / "view.png"));
}

// frame_settings_set changes the scene-level settings only: the frames' guides stay.
TEST(CameraFrameRunner, SceneSettingsKeepTheFramesGuides)
{
    const RunResult result = RunRunnerSession(std::string(kFrameScene) + "  - frame_create: {name: A}\n  - frame_panel_open: ~\n"
                                              "  - panel_set: [Thirds, 1]\n  - frame_settings_set: {combined: true}\n"
                                              "  - frame_panel_open: ~\n  - panel_dump: ~\n", "settings");
    ASSERT_EQ(result.status, 0) << result.output;
    for (const char *field : {"\"Combined Frame\"", "\"Thirds\""}) {
        const size_t end = result.output.find('\n', result.output.find(field));
        EXPECT_EQ(result.output.substr(end - 4, 4), " = 1") << field << result.output;
    }
}

// frame_create and frame_edit act as the user does in the panel: the frame Create Frame gives,
// the same as pressing it.
TEST(CameraFrameRunner, FramesAreMadeAsThePanelMakesThem)
{
    const RunResult result = RunRunnerSession(std::string(kFrameScene) + R"(  - frame_create: ~
  - frame_list: ~
  - frame_edit: {index: 0, width: 150, aspect: 3, position: [10.4, -5], rotation: 90}
  - frame_list: ~
)",
                                              "aspanel");
    ASSERT_EQ(result.status, 0) << result.output;
    const RunResult pressed = RunRunnerSession(std::string(kFrameScene) + R"(  - frame_panel_open: ~
  - panel_press: Create Frame
  - frame_list: ~
)",
                                               "pressed");
    ASSERT_EQ(pressed.status, 0) << pressed.output;
    const std::string created = "  0 \"Frame (1)\" camera Camera at (0, 0) 181 x 90.5 margins 10% 10% rotation 0 "
                                "color 0 0 0 transparency 0\n";
    EXPECT_TRUE(Holds(pressed.output, "camera frames: 1\n" + created));
    EXPECT_TRUE(Holds(result.output, "camera frames: 1\n" + created));
    EXPECT_TRUE(Holds(result.output, "camera frames: 1\n  0 \"Frame (1)\" camera Camera at (10, -5) 150 x 50 margins 10% "
                                 "10% rotation 90 color 0 0 0 transparency 0\n"));
}

// A render plate taken from the camera is bounded like a given size: a camera of 100000 x 100000
// stops the session with the action's place, and the three logs are written all the same.
TEST(CameraFrameRunner, HugeCameraPlateStopsTheSessionWithItsLogs)
{
    const RunResult result = RunRunnerSession(R"(scene:
  items:
    - {camera: Camera, resolution: [100000, 100000], focal_length: 35}
actions:
  - command_send: StatusMsg before
  - render_frame: {png: render.png}
)",
                                              "hugecamera");
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(Holds(result.output, result.file + ":6:19: render_frame: the render camera's resolution 100000 x 100000 is not from 1 "
                                 "to 16384 on each side (give a size)"));
    for (const char *log : {"commands.log", "status.log", "host.log"})
        EXPECT_TRUE(fs::exists(result.out / log)) << log;
    EXPECT_EQ(ReadFileBytes(result.out / "commands.log"), "StatusMsg before\n");
}

const char kPanelScene[] = R"(scene:
  items:
    - {camera: Camera, resolution: [1000, 500], focal_length: 35}
  viewports:
    - {view: camera, item: Camera, rect: [0, 0, 400, 200]}
actions:
  - master_add: ZK:CameraFrame
  - frame_create: {name: A, width: 400, height: 200}
)";

TEST(CameraFrameRunner, PanelPictureAndDragsThroughTheFrameEditTool)
{
    const RunResult result = RunRunnerSession(std::string(kPanelScene) + R"(  - frame_panel_open: ~
  - frame_panel_paint: panel.png
  - panel_press: Frame Edit ON
  - frame_drag: {view: 0, from: [250, 100], to: [260, 104], steps: 2}
  - frame_drag: {view: 0, from: [250, 100], to: [270, 100], alt: true}
  - frame_drag: {view: 0, from: [5, 5], to: [50, 50]}
  - panel_press: Frame Edit OFF
  - frame_list: ~
)",
                                       "panel");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(Holds(result.output, "frame_panel_open: \"ZK:CameraFrame(1.60) build 250619\" 340x800, 42 controls\n"));
    EXPECT_TRUE(Holds(result.output, "frame_panel_paint: 42 controls (1 ghosted), "));
    EXPECT_TRUE(Holds(result.output, "frame_drag: grabbed a frame\nframe_drag: grabbed a frame\nframe_drag: nothing grabbed\n"));
    EXPECT_TRUE(Holds(result.output, "\"A\" camera Camera at (25, 10) 400 x 200 margins 10% 10% rotation -12.5"));
    EXPECT_TRUE(fs::exists(result.out / "panel.png"));
}

// panel_set takes an entry's text for every popup, also one that lists the scene's cameras through
// its callbacks.
TEST(CameraFrameRunner, PanelSetTakesAnyPopupsEntryText)
{
    const RunResult result = RunRunnerSession("scene:\n  items:\n    - {camera: Camera}\n    - {camera: Close}\n"
                                              "actions:\n  - master_add: ZK:CameraFrame\n  - frame_create: ~\n"
                                              "  - frame_panel_open: ~\n  - panel_set: [Camera, Close]\n  - frame_list: ~\n",
                                              "popup");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(Holds(result.output, "camera frames: 1\n  0 \"Frame (1)\" camera Close at (0, 0) "));
}

TEST(MemoRunner, EditsDrawsExportsAndImports)
{
    const std::string session = "scene:\n  fps: 24\n  preview: [0, 100]\n"
                                "  viewports:\n    - {view: perspective, rect: [0, 0, 1260, 600]}\n"
                                "actions:\n"
                                "  - memo_add: ~\n"
                                "  - memo_add: ~\n"
                                "  - memo_set: {control: trackName, value: Notes}\n"
                                "  - time_set: 1.0\n"
                                "  - memo_press: Create Clip\n"
                                "  - memo_set: {control: clipName, value: hello}\n"
                                "  - memo_set: {control: Length, value: 12}\n"
                                "  - memo_set: {control: 0x8018, value: [0, 0, 1]}\n"
                                "  - time_set_frame: 10\n"
                                "  - memo_draw: {path: strip.png, view: 0}\n"
                                "  - memo_export: memo.yaml\n"
                                "  - memo_press: [Delete Track, Delete Track]\n"
                                "  - memo_set: {control: clipName, value: lost}\n"
                                "  - memo_import: $OUT/memo.yaml\n"
                                "  - memo_import: $OUT/missing.yaml\n"
                                "  - memo_show: ~\n"
                                "  - status_list: ~\n";
    const auto [status, output, out, file] = RunRunnerSession(session, "edit");
    ASSERT_EQ(status, 0) << output;
    const std::string missing = (out / "missing.yaml").string();
    EXPECT_EQ(output, "memo_add: cannot add ZK:TimeLineMemo: Already exists!\n"
                      "memo_draw: 12 drawing calls into strip.png\n"
                      "memo_set Name: nothing changed\n"
                      "memo panel \"ZK:TimeLineMemo (1.00)\"\n"
                      "  Track (tracksList): 0 of [Notes]\n"
                      "  Name (trackName): \"Notes\"\n"
                      "  Enable (trackActive): 1\n"
                      "  Clip (clipsList): 0 of [hello]\n"
                      "  Name (clipName): \"hello\"\n"
                      "  Start (clipStartTime): 24\n"
                      "  Length (clipDuration): 12\n"
                      "  Font Color (clipForeColor): [0.8, 0.8, 0.8]\n"
                      "  BG Color (clipBackColor): [0, 0, 1]\n"
                      "  Format (exchangeFormat): 0 of [Memo YAML [yaml], OpenTimelineIO [otio], EDL, Resolve markers "
                      "[edl-resolve], EDL, locators [edl-loc], Avid marker list [avid], Final Cut Pro 7 XML [xmeml], "
                      "CSV [csv], FFmpeg chapters [ffmetadata], YouTube chapters [youtube]]\n"
                      "  Tracks to Export (exportTracks): 0 of [Enabled Tracks, Selected Track]\n"
                      "  On Import (importMode): 0 of [Replace Memo, Add Tracks]\n"
                      "  Start Timecode (startTimecode): \"\"\n"
                      "  Drop Frame (dropFrame): 1\n"
                      "  OTIO Markers on Stack (otioStack): 0\n"
                      "status: Cannot open " + missing + ": the memo is unchanged\n"
                      "session " + file + ": 5 commands, 1 status lines, 1 host messages; output in " + out.string() + "\n");
    EXPECT_NE(ReadFileBytes(out / "memo.yaml").find("    - Name: Notes\n      Active: true\n      Clips:\n        - Name: hello\n"
                                               "          StartTime: 1\n          Duration: 0.5\n"),
              std::string::npos);

}

const char kMixerSession[] = R"(scene:
  fps: 24
  items:
    - {null_object: Controller}
actions:
  - channel_set: {item: Controller, channel: Position.Y, keys: [[0, 10], [4, 14]]}
  - clip_mixer_apply: {item: Controller, channel: Position.Y}
  - clip_mixer_options_edit:
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
  - channel_evaluate: {item: Controller, channel: Position.Y, frames: [0, 9], csv: values.csv, png: plot.png}
  - clip_mixer_options_edit:
      item: Controller
      channel: Position.Y
      steps:
        - select_tracks: 0
        - track: {repeat: 1}
        - print_lists: ~
  - channel_evaluate: {item: Controller, channel: Position.Y, frames: [7, 8], print: true}
)";

TEST(MixerRunner, SessionDrivesAChannel)
{
    const auto [status, output, out, file] = RunRunnerSession(kMixerSession, "drive");
    ASSERT_EQ(status, 0) << output;
    // Worked example on a base rising by one per frame from 10: hold, then loop.
    EXPECT_EQ(ReadFileBytes(out / "values.csv"), "frame,base,value\n"
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
    EXPECT_TRUE(Holds(output, "clip_mixer_apply: ZK:ChanClipMixer(1.00) build 250619\n"));
    EXPECT_TRUE(Holds(output, "tracks:\n  Enable | In | Out | Repeat | Sequence\n  [x] | 1 | 8 | [x] | A B:2\n"));
    EXPECT_TRUE(Holds(output, "frame,base,value\n7,14,14\n8,14,14\n"));
    EXPECT_EQ(ReadFileBytes(out / "mix.xml"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                         "<chanClipMixer format=\"3.1\">\n"
                                         "    <clips>\n"
                                         "        <clip name=\"A\" step=\"2\" seq=\"0 10\"/>\n"
                                         "        <clip name=\"B\" step=\"1\" seq=\"5\"/>\n"
                                         "    </clips>\n"
                                         "    <tracks>\n"
                                         "        <track enable=\"1\" in=\"1\" out=\"8\" repeat=\"0\" seq=\"A B:2\"/>\n"
                                         "    </tracks>\n"
                                         "</chanClipMixer>\n");
    // The plot shades the frames of the enabled track (1 to 8) that the panel showed.
    const cimg_library::CImg<unsigned char> plot((out / "plot.png").string().c_str());
    std::vector<zkh::ChannelSample> samples;
    for (int frame = 0; frame <= 9; ++frame)
        samples.push_back({frame, 10.0 + std::min(frame, 4), 24.0});
    const zkh::PlotAxes axes = zkh::ChannelPlotAxes(samples);
    const int y = static_cast<int>(std::lround(axes.RowOf(23.0)));
    EXPECT_NEAR(plot(static_cast<int>(std::lround(axes.ColumnOf(6))), y, 0, 0), 214, 1);
    EXPECT_EQ(plot(static_cast<int>(std::lround(axes.ColumnOf(0.5))), y, 0, 0), 255);
    EXPECT_EQ(plot(static_cast<int>(std::lround(axes.ColumnOf(8.5))), y, 0, 0), 255);
}

// The copy actions: a clip mixer copied onto another channel is a new, empty mixer; a master
// copy is refused by both master handlers of the module (copying one the scene lacks is a mistake
// of the session, with the others above).
TEST(MixerRunner, CopyActions)
{
    const auto [status, output, out, file] = RunRunnerSession(R"(scene:
  items:
    - {null_object: C}
actions:
  - channel_set: {item: C, channel: Position.Y, keys: [[0, 1]]}
  - clip_mixer_apply: {item: C, channel: Position.Y}
  - clip_mixer_options_edit:
      item: C
      channel: Position.Y
      steps: [{clips: add}, {clip: {step: 1, sequence: "5"}}, {tracks: add}]
  - clip_mixer_copy: {item: C, channel: Position.Y, to: {item: C, channel: Position.X}}
  - channel_evaluate: {item: C, channel: Position.X, frames: [1, 2], print: true}
  - channel_evaluate: {item: C, channel: Position.Y, frames: [1, 1], print: true}
  - master_add: ZK:TimeLineMemo
  - master_copy: ZK:TimeLineMemo
  - master_add: ZK:CameraFrame
  - master_copy: ZK:CameraFrame
)",
                                                   "copy");
    EXPECT_EQ(status, 0) << output;
    EXPECT_TRUE(Holds(output, "frame,base,value\n1,0,0\n2,0,0\nframe,base,value\n1,1,6\n"));
    EXPECT_TRUE(Holds(output, "master_copy: cannot add ZK:TimeLineMemo: Already exists!\n"));
    EXPECT_TRUE(Holds(output, "master_copy: cannot add ZK:CameraFrame: Already exists!\n"));
}

TEST(MorphRunner, LinksPrintsAndRemoves)
{
    const RunResult result = RunRunnerSession(R"(
actions:
  - morph_rig_build: {controller: Ctrl, morphs: [Smile, Blink], meshes: [Head, Teeth], bone: ~, light: ~, camera: ~}
  - channel_set: {item: Ctrl, channel: MorphGroup.Smile, keys: [[0, 0], [24, 1]]}
  - channel_set: {item: Ctrl, channel: MorphGroup.Blink, value: 0.25}
  - selection_set: [Teeth, Ctrl]
  - morph_consolidate: {mode: create, controller: Ctrl, prefix: "my rig:"}
  - expression_list: ~
  - time_set_frame: 6
  - channel_list: [Head, Teeth]
  - morph_consolidate: {mode: cancel}
  - morph_consolidate: {mode: remove}
  - expression_list: ~
)",
                                              "link");
    EXPECT_EQ(result.status, 0) << result.output;
    const std::string expected =
        "morph_consolidate create: activation result 0\n"
        "expressions: 2\n"
        "  my_rig_Ctrl_MorphGroup_Smile \"[Ctrl.MorphGroup.Smile]\" -> Teeth.MorphGroup.Smile\n"
        "  my_rig_Ctrl_MorphGroup_Blink \"[Ctrl.MorphGroup.Blink]\" -> Teeth.MorphGroup.Blink\n"
        "Head.MorphGroup.Smile = 0\n"
        "Head.MorphGroup.Blink = 0\n"
        "Teeth.MorphGroup.Smile = 0.25 <- my_rig_Ctrl_MorphGroup_Smile\n"
        "Teeth.MorphGroup.Blink = 0.25 <- my_rig_Ctrl_MorphGroup_Blink\n"
        "morph_consolidate cancel: activation result 0\n"
        "morph_consolidate remove: activation result 0\n"
        "expressions: 0\n";
    EXPECT_EQ(result.output.substr(0, expected.size()), expected) << result.output;
}

// A command refused before its panel opened leaves its answer unused, and that answer must not
// go to the next modal panel (here the clip mixer's options).
TEST(MorphRunner, RefusedCommandAnswersNoLaterPanel)
{
    const RunResult result = RunRunnerSession(R"(actions:
  - morph_rig_build: {controller: Ctrl}
  - service_remove: "LW Item Info 9"
  - morph_consolidate: {mode: create}
  - clip_mixer_apply: {item: Ctrl, channel: Position.X}
  - clip_mixer_options_edit: {item: Ctrl, channel: Position.X, steps: [{print_lists: ~}]}
)",
                                              "refused");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(Holds(result.output, "morph_consolidate create: activation result 2\n"
                                 "clip_mixer_apply: ZK:ChanClipMixer(1.00) build 250619\n"
                                 "clips:\n  Name | Step | Sequence\n"));
}

} // namespace

namespace {

// Inputs are found from the session file's folder (or, named $OUT/NAME, in the output folder) and
// outputs go into the output folder, for the actions and for answered requesters alike; commands.log
// names each requester and modal panel the user was shown, between the commands.
TEST(Runner, PathsAndWhatTheUserWasShown)
{
    const fs::path dir = TestTempDir("zkhost-runner");
    fs::create_directories(dir);
    std::ofstream(dir / "in.yaml", std::ios::binary) << "not a memo\n";
    const RunResult result = RunRunnerSession(R"(scene:
  items:
    - {null_object: C}
actions:
  - memo_add: ~
  - memo_export: notes.yaml
  - memo_import: in.yaml
  - file_answer: again.yaml
  - memo_press: Export
  - memo_import: $OUT/again.yaml
  - morph_consolidate: {mode: cancel}
)",
                                              "paths");
    ASSERT_EQ(result.status, 0) << result.output;
    // The import found the session folder's file, not the output folder's.
    EXPECT_TRUE(Holds(result.output, "morph_consolidate cancel: activation result 0\n"));
    EXPECT_EQ(ReadFileBytes(result.out / "commands.log"),
              "# file requester (save) \"\xE6\x9B\xB8\xE3\x81\x8D\xE5\x87\xBA\xE3\x81\x97\": answered\n"
              "# file requester (load) \"\xE8\xAA\xAD\xE3\x81\xBF\xE8\xBE\xBC\xE3\x81\xBF\": answered\n"
              "StatusMsg " + (dir / "in.yaml").string() + " holds no memo tracks (View: Tracks): the memo is unchanged\n"
              "RefreshNow\n"
              "# file requester (save) \"\xE6\x9B\xB8\xE3\x81\x8D\xE5\x87\xBA\xE3\x81\x97\": answered\n"
              "# file requester (load) \"\xE8\xAA\xAD\xE3\x81\xBF\xE8\xBE\xBC\xE3\x81\xBF\": answered\n"
              "RefreshNow\n"
              "# modal panel \"ZK:MorphConsolidate(1.00) build 250619\": Cancel\n");
    EXPECT_TRUE(fs::exists(result.out / "notes.yaml"));
    EXPECT_TRUE(fs::exists(result.out / "again.yaml"));
    EXPECT_FALSE(fs::exists(dir / "again.yaml"));
}

struct HelpCase {
    std::vector<std::string> arguments;
    int status;
    std::string output;
};

// zkhost's help is printed from the table the actions are registered with.
TEST(Runner, HelpAndVersion)
{
    const std::vector<HelpCase> cases = {
        {{"help", "frame_drag"}, 0,
         "- frame_drag: {view, from, to, alt, steps}\n"
         "  drags the mouse in a viewport through the current Layout tool\n"
         "keys:\n"
         "  view   a viewport index\n"
         "  from   [x, y] in viewport pixels, where the button goes down\n"
         "  to     [x, y] in viewport pixels, where it goes up\n"
         "  alt    true: the alternate mouse button (rotates)\n"
         "  steps  moves between them, 1 to 1000 (default 1)\n"},
        {{"help", "master_add"}, 0,
         "- master_add: a server name\n"
         "  adds a master handler instance to the scene; a refusal is printed\n"
         "  (the value names a MasterHandler server of the module)\n"},
        // An old name shows the action it stands for.
        {{"help", "add_master"}, 0,
         "- master_add: a server name\n"
         "  adds a master handler instance to the scene; a refusal is printed\n"
         "  (add_master is its old name)\n"
         "  (the value names a MasterHandler server of the module)\n"},
        {{"help", "frame_dragg"}, 2, "zkhost help: no action 'frame_dragg' (did you mean frame_drag?)\n"},
        {{"--version"}, 0, "zkhost 250619"},
        {{"--help"}, 0, "usage: zkhost run SESSION [--out DIR] [--module FILE]\n"},
    };
    const fs::path dir = TestTempDir("zkhost-help");
    fs::create_directories(dir);
    for (const HelpCase &c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        std::vector<std::string> command = {ZK_RUNNER_PATH};
        command.insert(command.end(), c.arguments.begin(), c.arguments.end());
        const std::string log = (dir / "help.txt").string();
        EXPECT_EQ(RunProgram(command, log), c.status);
        const std::string output = ReadFileBytes(log);
        if (c.arguments[0] == "help")
            EXPECT_EQ(output, c.output);
        else
            EXPECT_EQ(output.substr(0, c.output.size()), c.output);
    }
    const std::string log = (dir / "help.txt").string();
    ASSERT_EQ(RunProgram({ZK_RUNNER_PATH, "--help"}, log), 0);
    EXPECT_TRUE(Holds(ReadFileBytes(log), "\n  frame_drag               drags the mouse in a viewport through the current Layout tool\n"));
}

// A session written with the actions' old names runs as its twin with the new names does: the same
// lines printed (naming the actions by their new names), the same logs and the same scene file.
TEST(Runner, OldActionNamesRunAsTheNewOnes)
{
    const std::string scene = "scene:\n  items:\n    - {camera: Camera, resolution: [200, 100]}\n    - {null_object: C}\n"
                              "  viewports:\n    - {view: camera, item: Camera, rect: [0, 0, 400, 200]}\nactions:\n";
    const std::string oldNames = scene +
        "  - servers: ~\n  - add_master: ZK:CameraFrame\n  - copy_master: ZK:CameraFrame\n"
        "  - add_image_filter: ZK:CameraFrame\n  - frame_panel: ~\n  - frame_create: {name: A, width: 100, height: 50}\n"
        "  - frame_settings: {color: [0, 1, 0]}\n  - set_time: 0.5\n  - set_frame: 12\n  - select: [C]\n"
        "  - master_event: select\n  - command: StatusMsg hello\n  - reject_commands: [RefreshNow]\n  - command: RefreshNow\n"
        "  - set_channel: {item: C, channel: Position.Y, keys: [[0, 0], [10, 1]]}\n"
        "  - apply_clip_mixer: {item: C, channel: Position.Y}\n"
        "  - clip_mixer_options: {item: C, channel: Position.Y, steps: [{close: ok}]}\n"
        "  - evaluate_channel: {item: C, channel: Position.Y, frames: [4, 5], print: true}\n"
        "  - print_channels: [C]\n  - gizmo_dirty: ~\n  - draw_viewport: {view: 0, png: view.png}\n"
        "  - run_command: ZK:MorphConsolidate\n  - print: saved\n  - save_scene: shot.lws\n  - load_scene: $OUT/shot.lws\n"
        "  - print_status: ~\n";
    const std::string newNames = scene +
        "  - server_list: ~\n  - master_add: ZK:CameraFrame\n  - master_copy: ZK:CameraFrame\n"
        "  - image_filter_add: ZK:CameraFrame\n  - frame_panel_open: ~\n  - frame_create: {name: A, width: 100, height: 50}\n"
        "  - frame_settings_set: {color: [0, 1, 0]}\n  - time_set: 0.5\n  - time_set_frame: 12\n  - selection_set: [C]\n"
        "  - master_event_send: select\n  - command_send: StatusMsg hello\n  - command_reject: [RefreshNow]\n  - command_send: RefreshNow\n"
        "  - channel_set: {item: C, channel: Position.Y, keys: [[0, 0], [10, 1]]}\n"
        "  - clip_mixer_apply: {item: C, channel: Position.Y}\n"
        "  - clip_mixer_options_edit: {item: C, channel: Position.Y, steps: [{close: ok}]}\n"
        "  - channel_evaluate: {item: C, channel: Position.Y, frames: [4, 5], print: true}\n"
        "  - channel_list: [C]\n  - gizmo_dirty_check: ~\n  - viewport_draw: {view: 0, png: view.png}\n"
        "  - generic_run: ZK:MorphConsolidate\n  - text_print: saved\n  - scene_save: shot.lws\n  - scene_load: $OUT/shot.lws\n"
        "  - status_list: ~\n";
    const RunResult before = RunRunnerSession(oldNames, "old-names"), after = RunRunnerSession(newNames, "new-names");
    ASSERT_EQ(before.status, 0) << before.output;
    ASSERT_EQ(after.status, 0) << after.output;
    // The output folder's path is the one difference the two may print.
    auto withoutFolder = [](std::string text, const std::string &folder) {
        for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at))
            text.replace(at, folder.size(), "OUT");
        return text;
    };
    EXPECT_EQ(withoutFolder(before.output, before.out.string()), withoutFolder(after.output, after.out.string()));
    EXPECT_TRUE(Holds(after.output, "master_copy: cannot add ZK:CameraFrame: Already exists!\n"));
    EXPECT_TRUE(Holds(after.output, "command failed: RefreshNow\n"));
    for (const char *file : {"commands.log", "status.log", "host.log", "shot.lws", "view.png"})
        EXPECT_EQ(ReadFileBytes(before.out / file), ReadFileBytes(after.out / file)) << file;
}

// What `zkhost --help` lists: the actions' names, and each old name with the action it stands for.
struct HelpLists {
    std::set<std::string> actions;
    std::map<std::string, std::string> oldNames;
};

HelpLists RegisteredActions()
{
    const fs::path log = TestTempDir("zkhost-help") / "actions.txt";
    fs::create_directories(log.parent_path());
    EXPECT_EQ(RunProgram({ZK_RUNNER_PATH, "--help"}, log.string()), 0);
    std::istringstream lines(ReadFileBytes(log));
    HelpLists lists;
    std::string section;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  ", 0) != 0) {
            section = line.substr(0, line.find(' '));
            continue;
        }
        std::istringstream words(line);
        std::string first, second;
        words >> first >> second;
        if (section == "session")
            lists.actions.insert(first);
        else if (section == "old")
            lists.oldNames[first] = second;
    }
    return lists;
}

// docs/session-format.md: the first column of every table whose first heading is "action", and
// the rows of the table headed "old name | action".
HelpLists DocumentedActions()
{
    std::istringstream lines(ReadFileBytes(fs::path(ZK_SOURCE_DIR) / "docs" / "session-format.md"));
    HelpLists lists;
    enum { kNone, kActions, kOldNames } table = kNone;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("| ", 0) != 0) {
            table = kNone;
            continue;
        }
        if (line.rfind("| action |", 0) == 0 || line.rfind("| old name | action |", 0) == 0) {
            table = line[2] == 'a' ? kActions : kOldNames;
            continue;
        }
        std::vector<std::string> cells; // the texts between backticks, in order
        for (std::size_t open = line.find('`'); open != std::string::npos; open = line.find('`', open + 1)) {
            const std::size_t close = line.find('`', open + 1);
            if (close == std::string::npos)
                break;
            cells.push_back(line.substr(open + 1, close - open - 1));
            open = close;
        }
        if (table == kActions && line.find('`') == 2)
            lists.actions.insert(cells[0]);
        else if (table == kOldNames && cells.size() == 2)
            lists.oldNames[cells[0]] = cells[1];
    }
    return lists;
}

TEST(Runner, EveryActionIsDocumented)
{
    const HelpLists registered = RegisteredActions(), documented = DocumentedActions();
    EXPECT_EQ(registered.actions.size(), 63u);
    EXPECT_EQ(registered.oldNames.size(), 43u);
    for (const std::string &name : registered.actions)
        EXPECT_EQ(documented.actions.count(name), 1u) << name << " is not in docs/session-format.md";
    for (const std::string &name : documented.actions)
        EXPECT_EQ(registered.actions.count(name), 1u) << name << " is documented but no action";
    // Every old name stands for an action, and the document gives it with that action.
    for (const auto &[oldName, name] : registered.oldNames) {
        EXPECT_EQ(registered.actions.count(name), 1u) << oldName << " stands for no action";
        EXPECT_EQ(registered.actions.count(oldName), 0u) << oldName << " is also an action's name";
        EXPECT_EQ(documented.oldNames.count(oldName) ? documented.oldNames.at(oldName) : "", name)
            << "docs/session-format.md's old names: " << oldName;
    }
    for (const auto &entry : documented.oldNames)
        EXPECT_EQ(registered.oldNames.count(entry.first), 1u) << entry.first << " is documented but no old name";
}

} // namespace
