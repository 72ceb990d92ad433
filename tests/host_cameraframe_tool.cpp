// The ZK:CameraFrame frame edit tool through the module file: grabbing in camera views, moving and
// resizing by dragging, and its drawing and help text. Rotation by the alternate button is checked
// with the runner's drags in host_cameraframe_runner.cpp.
#include "cameraframe_blocks.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

// Twice the fitted size: "Camera" 1280 x 720 shown in a 640 x 360 camera view (viewport 1); the
// plate in viewport 2, a perspective view in viewport 0.
class FrameToolTest : public CameraFrameTest {
protected:
    FrameToolTest()
    {
        cameraW = 1280;
        cameraH = 720;
    }
    void SetUp() override
    {
        CameraFrameTest::SetUp();
        host.scene.viewports = {{LVVIEWT_PERSPECTIVE, 0, 0, 0, 640, 360}, {LVVIEWT_CAMERA, camera, 0, 0, 640, 360},
                                {LVVIEWT_CAMERA, plate, 0, 0, 640, 360}};
        Open();
    }

    // A 320 x 180 frame of the first camera at an offset, made in the panel.
    void AddFrame(int posX = 0, int posY = 0)
    {
        Press(0);
        SetInt(16, 0);
        SetInt(17, 320);
        SetInt(18, 180);
        SetInt(14, posX);
        SetInt(15, posY);
    }

    // A press at (x, y) of a viewport, moved to (toX, toY) when that is elsewhere, and released
    // there; what the press answered.
    int Drag(int view, double x, double y, double toX, double toY, int flags = 0)
    {
        const int grabbed = host.tool.Down(view, x, y, flags);
        if (toX != x || toY != y)
            host.tool.Move(view, toX, toY, flags);
        host.tool.Up(view, toX, toY, flags);
        return grabbed;
    }
    int Click(int view, double x, double y) { return Drag(view, x, y, x, y); }

    // A field of a frame in the saved scene block, by its place among the frame's items.
    enum Item { kPosX = 3, kPosY = 4, kWidth = 5, kAspect = 6 };
    double Field(size_t frame, Item item) { return NumberOf(SaveMasterBlock(Master()).at(2 + 16 * frame + item)); }
};

TEST_F(FrameToolTest, GrabsOnlyInTheCameraViewOfTheFramesCamera)
{
    AddFrame();
    Press(3); // Frame Edit ON makes the tool current
    ASSERT_EQ(host.tool.current, "ZK:CameraFrame");
    EXPECT_EQ(Click(0, 320, 180), 0); // perspective
    EXPECT_EQ(Click(2, 320, 180), 0); // a camera without frames
    EXPECT_EQ(Click(1, 100, 100), 0); // outside the frame
    EXPECT_EQ(Click(1, 300, 170), 1);
    SetInt(12, 0); // an inactive frame is not grabbed
    EXPECT_EQ(Click(1, 300, 170), 0);
}

// The tool's help and its own drawing: green, left-justified (0) in viewport pixels (3). While a frame
// is held, the overlay shows it in its colour at a quarter, then its grab zones of 32 camera pixels
// (16 viewport pixels): corners 0, 1, 2, 3, then the centre. The frame spans viewport 240..400 x
// 135..225, its band (10 % margins: 16 x 9 camera pixels a side) 232..408 x 130.5..229.5.
TEST_F(FrameToolTest, HelpDrawingAndTheHeldFramesGrabZones)
{
    AddFrame();
    ASSERT_TRUE(host.tool.Activate("ZK:CameraFrame"));
    EXPECT_EQ(host.tool.Help(), "Move camera frame by dragging mouse in view.");
    zkh::DrawRecorder tool(1);
    host.tool.Draw(1, tool);
    EXPECT_EQ(tool.Describe(), "Color 0 1 0 1\nText (24,24,0.01) \"Frame Edit Mode\" just=0 csys=3\n");
    ASSERT_EQ(host.tool.Down(1, 300, 170), 1);
    zkh::DrawRecorder recorder(1);
    host.DrawViewport(1, recorder);
    EXPECT_EQ(recorder.Describe(),
              "DrawMode 0\nPattern 0\nColor 0 0 0 1\n"
              "Quad (232,130.5,0.001) (408,130.5,0.001) (408,135,0.001) (232,135,0.001) csys=3\n"
              "Quad (232,225,0.001) (408,225,0.001) (408,229.5,0.001) (232,229.5,0.001) csys=3\n"
              "Quad (232,135,0.001) (240,135,0.001) (240,225,0.001) (232,225,0.001) csys=3\n"
              "Quad (400,135,0.001) (408,135,0.001) (408,225,0.001) (400,225,0.001) csys=3\n"
              "Color 0 0 0 0.25\n"
              "Polygon [0,1,2,3] (240,135,0.001) (400,135,0.001) (400,225,0.001) (240,225,0.001) csys=3\n"
              "Polygon [0,1,2,3] (240,135,0.001) (256,135,0.001) (256,151,0.001) (240,151,0.001) csys=3\n"
              "Polygon [0,1,2,3] (384,135,0.001) (400,135,0.001) (400,151,0.001) (384,151,0.001) csys=3\n"
              "Polygon [0,1,2,3] (384,209,0.001) (400,209,0.001) (400,225,0.001) (384,225,0.001) csys=3\n"
              "Polygon [0,1,2,3] (240,209,0.001) (256,209,0.001) (256,225,0.001) (240,225,0.001) csys=3\n"
              "Polygon [0,1,2,3] (312,172,0.001) (328,172,0.001) (328,188,0.001) (312,188,0.001) csys=3\n");
    host.tool.Up(1, 300, 170);
}

TEST_F(FrameToolTest, OverlappingFramesGrabTheLaterOneAndMoveTwoPixelsPerViewportPixel)
{
    AddFrame();
    AddFrame(40, 0);
    SetInt(10, 0); // select the first one in the panel
    ASSERT_TRUE(host.tool.Activate("ZK:CameraFrame"));
    EXPECT_EQ(Drag(1, 330, 165, 340, 170), 1); // in the body of both
    EXPECT_EQ(C(10).intValue, 1);               // the grab selects the later frame
    EXPECT_EQ(std::vector<double>({Field(0, kPosX), Field(0, kPosY), Field(1, kPosX), Field(1, kPosY)}),
              std::vector<double>({0, 0, 60, 10}));
    EXPECT_EQ(C(14).intValue, 60); // the panel follows the drag

    // Released: a later move changes nothing.
    host.tool.Move(1, 400, 200);
    EXPECT_EQ(Field(1, kPosX), 60.0);
}

TEST_F(FrameToolTest, CornerAndCentreHandlesResize)
{
    AddFrame();
    ASSERT_TRUE(host.tool.Activate("ZK:CameraFrame"));
    // Top left corner (camera (-150, -85) from the centre): the width shrinks by a rightward drag.
    EXPECT_EQ(Drag(1, 320 - 75, 180 - 42.5, 330 - 75, 180 - 42.5), 1);
    EXPECT_EQ(std::vector<double>({Field(0, kWidth), Field(0, kPosX)}), std::vector<double>({300, 0}));
    EXPECT_FLOAT_EQ(static_cast<float>(Field(0, kAspect)), static_cast<float>(320.0 / 180.0));
    EXPECT_EQ(C(18).intValue, 168); // 300 / (16 / 9)

    // The centre grows it by the same movement.
    EXPECT_EQ(Drag(1, 321, 181, 331, 181), 1);
    EXPECT_EQ(Field(0, kWidth), 320.0);

    // Dragging the bottom right corner far to the left holds the height at one pixel and keeps
    // the aspect: the width is the aspect, and the saved width and aspect give that height back.
    EXPECT_EQ(Drag(1, 320 + 78, 180 + 43, 0, 180 + 43), 1);
    EXPECT_FLOAT_EQ(static_cast<float>(Field(0, kWidth)), static_cast<float>(320.0 / 180.0));
    EXPECT_FLOAT_EQ(static_cast<float>(Field(0, kWidth) / Field(0, kAspect)), 1.0f);
    EXPECT_EQ(Ints({17, 18}), std::vector<int>({1, 1}));
    // Below the floor of two grab zones (64 pixels) the centre moves as if the frame kept that size
    // about the opposite corner: by (64 - 16 / 9) / 2 and (64 - 1) / 2.
    EXPECT_FLOAT_EQ(static_cast<float>(Field(0, kPosX)), static_cast<float>((64 - 320.0 / 180.0) / 2));
    EXPECT_EQ(Field(0, kPosY), 31.5);

    // A tall frame floors its width at one pixel.
    AddFrame(200, 0);
    SetInt(18, 360); // 320 x 360
    EXPECT_EQ(Drag(1, 320 + 100 + 78, 180 + 88, 0, 180 + 88), 1);
    EXPECT_EQ(Field(1, kWidth), 1.0);
    EXPECT_EQ(C(18).intValue, 1);
    EXPECT_FLOAT_EQ(static_cast<float>(Field(1, kWidth) / Field(1, kAspect)), 1.125f);
    EXPECT_EQ(std::vector<double>({Field(1, kPosX), Field(1, kPosY)}), std::vector<double>({200 + 31.5, 31.4375}));
}

// A viewport or camera that reports no size is shown as the fallback 640 x 360 camera view (showing
// 1280 x 720: as before); a camera without a size at one viewport pixel per camera pixel, where a
// press 50 x 25 camera pixels right of and below the centre still grabs and (100, 100) does not.
TEST_F(FrameToolTest, ViewsWithoutASizeUseTheFallbackCameraView)
{
    AddFrame();
    ASSERT_TRUE(host.tool.Activate("ZK:CameraFrame"));
    for (auto [view, resW, resH, x, y, posX] :
         {std::tuple{0, 1280, 720, 300, 170, 20.0}, {640, 0, 0, 370, 205, 30.0}}) {
        host.scene.viewports[1].width = view;
        host.scene.viewports[1].height = view * 9 / 16;
        host.scene.Find(camera)->resolutionW = resW;
        host.scene.Find(camera)->resolutionH = resH;
        EXPECT_EQ(Click(1, 100, 100), 0) << view;
        EXPECT_EQ(Drag(1, x, y, x + 10, y + 5), 1) << view;
        EXPECT_EQ(std::make_pair(Field(0, kPosX), Field(0, kPosY)), std::make_pair(posX, posX / 2)) << view;
    }
}

} // namespace
