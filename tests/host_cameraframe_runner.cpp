// The runner's camera-frame actions on session files: frames, pictures and ring replies (their
// mistakes are with the runner's others, in host_runner.cpp).
#include "filter_image.h"
#include "process_support.h"
#include "runner_session.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

const char kScene[] = R"(scene:
  items:
    - {camera: Camera, resolution: [200, 100], focal_length: 35}
  viewports:
    - {view: camera, item: Camera, rect: [0, 0, 400, 200]}
actions:
  - add_master: ZK:CameraFrame
)";

TEST(CameraFrameRunner, FramesPicturesAndRingReply)
{
    const RunResult result = RunRunnerSession(std::string(kScene) + R"(  - frame_create: {name: A, width: 100, height: 50, margin_percent: [20, 20], color: [1, 0, 0]}
  - frame_create: ~
  - frame_edit: {index: 1, active: false, memo: note}
  - frame_list: ~
  - draw_viewport: {view: 0, png: view.png}
  - render_frame: {size: [200, 100], png: render.png, bits: 16}
  - frame_delete: 1
  - ring_query: ~
  - save_scene: scene.zks
  - load_scene: scene.zks
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

// frame_create and frame_edit act as the user does in the panel: the frame Create Frame gives,
// the same as pressing it.
TEST(CameraFrameRunner, FramesAreMadeAsThePanelMakesThem)
{
    const RunResult result = RunRunnerSession(std::string(kScene) + R"(  - frame_create: ~
  - frame_list: ~
  - frame_edit: {index: 0, width: 150, aspect: 3, position: [10.4, -5], rotation: 90}
  - frame_list: ~
)",
                                              "aspanel");
    ASSERT_EQ(result.status, 0) << result.output;
    const RunResult pressed = RunRunnerSession(std::string(kScene) + R"(  - frame_panel: ~
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
  - command: StatusMsg before
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
  - add_master: ZK:CameraFrame
  - frame_create: {name: A, width: 400, height: 200}
)";

TEST(CameraFrameRunner, PanelPictureAndDragsThroughTheFrameEditTool)
{
    const RunResult result = RunRunnerSession(std::string(kPanelScene) + R"(  - frame_panel: ~
  - frame_panel_picture: panel.png
  - panel_press: Frame Edit ON
  - frame_drag: {view: 0, from: [250, 100], to: [260, 104], steps: 2}
  - frame_drag: {view: 0, from: [250, 100], to: [270, 100], alt: true}
  - frame_drag: {view: 0, from: [5, 5], to: [50, 50]}
  - panel_press: Frame Edit OFF
  - frame_list: ~
)",
                                       "panel");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(Holds(result.output, "frame_panel: \"ZK:CameraFrame(1.60) build 250619\" 340x800, 42 controls\n"));
    EXPECT_TRUE(Holds(result.output, "frame_panel_picture: 42 controls (1 ghosted), "));
    EXPECT_TRUE(Holds(result.output, "frame_drag: grabbed a frame\nframe_drag: grabbed a frame\nframe_drag: nothing grabbed\n"));
    EXPECT_TRUE(Holds(result.output, "\"A\" camera Camera at (25, 10) 400 x 200 margins 10% 10% rotation -12.5"));
    EXPECT_TRUE(fs::exists(result.out / "panel.png"));
}

} // namespace
