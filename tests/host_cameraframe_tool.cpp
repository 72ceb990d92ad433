// The ZK:CameraFrame frame edit tool through the module file: grabbing in camera views, moving,
// rotating and resizing by dragging, and its drawing and help text.
#include "cameraframe_blocks.h"

#include <cmath>
#include <string>
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
        const int grabbed = host.ToolDown(view, x, y, flags);
        if (toX != x || toY != y)
            host.ToolMove(view, toX, toY, flags);
        host.ToolUp(view, toX, toY, flags);
        return grabbed;
    }
    int Click(int view, double x, double y) { return Drag(view, x, y, x, y); }

    // Frame fields from the saved scene block.
    struct Fields {
        double posX, posY, width, aspect, rotation;
    };
    std::vector<Fields> Frames()
    {
        const zkh::Block block = SaveMasterBlock(*host.FindMaster("ZK:CameraFrame"));
        std::vector<Fields> frames;
        for (size_t b = 2; b + 16 <= block.size() && frames.size() < static_cast<size_t>(block[1].number); b += 16)
            frames.push_back({block[b + 3].number, block[b + 4].number, block[b + 5].number, block[b + 6].number,
                              block[b + 14].number});
        return frames;
    }
};

TEST_F(FrameToolTest, ActivationDrawAndHelp)
{
    ASSERT_TRUE(host.ActivateTool("ZK:CameraFrame"));
    EXPECT_EQ(host.ToolHelp(), "Move camera frame by dragging mouse in view.");
    zkh::DrawRecorder recorder(1);
    host.ToolDraw(1, recorder);
    // Green, left-justified (0) in viewport pixels (3).
    EXPECT_EQ(recorder.Describe(), "Color 0 1 0 1\nText (24,24,0.01) \"Frame Edit Mode\" just=0 csys=3\n");
}

TEST_F(FrameToolTest, GrabsOnlyInTheCameraViewOfTheFramesCamera)
{
    AddFrame();
    Press(3); // Frame Edit ON makes the tool current
    ASSERT_EQ(host.currentTool, "ZK:CameraFrame");
    EXPECT_EQ(Click(0, 320, 180), 0); // perspective
    EXPECT_EQ(Click(2, 320, 180), 0); // a camera without frames
    EXPECT_EQ(Click(1, 100, 100), 0); // outside the frame
    EXPECT_EQ(Click(1, 300, 170), 1);
    SetInt(12, 0); // an inactive frame is not grabbed
    EXPECT_EQ(Click(1, 300, 170), 0);

    // Frame Edit OFF hands the mouse back to Layout.
    SetInt(12, 1);
    Press(4);
    EXPECT_EQ(host.ActiveTool(), "");
    EXPECT_EQ(host.ToolDown(1, 300, 170), 0);
    EXPECT_EQ(host.messages.back(), "no Layout tool is current");
}

TEST_F(FrameToolTest, OverlappingFramesGrabTheLaterOneAndMoveTwoPixelsPerViewportPixel)
{
    AddFrame();
    AddFrame(40, 0);
    SetInt(10, 0); // select the first one in the panel
    ASSERT_TRUE(host.ActivateTool("ZK:CameraFrame"));
    EXPECT_EQ(Drag(1, 330, 165, 340, 170), 1); // in the body of both
    EXPECT_EQ(C(10).intValue, 1);               // the grab selects the later frame
    const std::vector<Fields> frames = Frames();
    EXPECT_EQ(std::vector<double>({frames[0].posX, frames[0].posY, frames[1].posX, frames[1].posY}),
              std::vector<double>({0, 0, 60, 10}));
    EXPECT_EQ(C(14).intValue, 60); // the panel follows the drag

    // Released: a later move changes nothing.
    host.ToolMove(1, 400, 200);
    EXPECT_EQ(Frames()[1].posX, 60.0);
}

TEST_F(FrameToolTest, AlternateButtonRotatesAQuarterDegreePerCameraPixel)
{
    AddFrame();
    ASSERT_TRUE(host.ActivateTool("ZK:CameraFrame"));
    EXPECT_EQ(Drag(1, 300, 170, 350, 170, LWTOOLF_ALT_BUTTON), 1); // 50 viewport = 100 camera pixels
    const Fields f = Frames()[0];
    EXPECT_NEAR(f.rotation, -25.0 * 3.14159265358979323846 / 180.0, 1e-6);
    EXPECT_EQ(f.posX, 0.0);
    EXPECT_EQ(f.width, 320.0);
}

TEST_F(FrameToolTest, CornerAndCentreHandlesResize)
{
    AddFrame();
    ASSERT_TRUE(host.ActivateTool("ZK:CameraFrame"));
    // Top left corner (camera (-150, -85) from the centre): the width shrinks by a rightward drag.
    EXPECT_EQ(Drag(1, 320 - 75, 180 - 42.5, 330 - 75, 180 - 42.5), 1);
    Fields f = Frames()[0];
    EXPECT_EQ(f.width, 300.0);
    EXPECT_EQ(f.posX, 0.0);
    EXPECT_FLOAT_EQ(static_cast<float>(f.aspect), static_cast<float>(320.0 / 180.0));
    EXPECT_EQ(C(18).intValue, 168); // 300 / (16 / 9)

    // The centre grows it by the same movement.
    EXPECT_EQ(Drag(1, 321, 181, 331, 181), 1);
    EXPECT_EQ(Frames()[0].width, 320.0);

    // Dragging the bottom right corner far to the left holds the height at one pixel and keeps
    // the aspect: the width is the aspect, and the saved width and aspect give that height back.
    EXPECT_EQ(Drag(1, 320 + 78, 180 + 43, 0, 180 + 43), 1);
    f = Frames()[0];
    EXPECT_FLOAT_EQ(static_cast<float>(f.width), static_cast<float>(320.0 / 180.0));
    EXPECT_FLOAT_EQ(static_cast<float>(f.width / f.aspect), 1.0f);
    EXPECT_EQ(C(17).intValue, 1);
    EXPECT_EQ(C(18).intValue, 1);
    EXPECT_TRUE(std::isfinite(f.posX));

    // A tall frame floors its width at one pixel.
    AddFrame(200, 0);
    SetInt(18, 360); // 320 x 360
    EXPECT_EQ(Drag(1, 320 + 100 + 78, 180 + 88, 0, 180 + 88), 1);
    f = Frames()[1];
    EXPECT_EQ(f.width, 1.0);
    EXPECT_EQ(C(18).intValue, 1);
    EXPECT_FLOAT_EQ(static_cast<float>(f.width / f.aspect), 1.125f);
}

// A viewport or camera that reports no size is shown as the fallback 640 x 360 camera view.
TEST_F(FrameToolTest, ViewsWithoutASizeUseTheFallbackCameraView)
{
    AddFrame();
    ASSERT_TRUE(host.ActivateTool("ZK:CameraFrame"));
    host.scene.viewports[1].width = 0;
    host.scene.viewports[1].height = 0;
    EXPECT_EQ(Drag(1, 300, 170, 310, 175), 1); // 640 x 360 showing 1280 x 720: as before
    EXPECT_EQ(Frames()[0].posX, 20.0);
    EXPECT_EQ(Frames()[0].posY, 10.0);

    // A camera without a size: one viewport pixel per camera pixel.
    host.scene.viewports[1].width = 640;
    host.scene.viewports[1].height = 360;
    host.scene.Find(camera)->resolutionW = 0;
    host.scene.Find(camera)->resolutionH = 0;
    EXPECT_EQ(Click(1, 100, 100), 0);
    EXPECT_EQ(Drag(1, 370, 205, 380, 210), 1); // 50 x 25 camera pixels right of and below the centre
    EXPECT_EQ(Frames()[0].posX, 30.0);
    EXPECT_EQ(Frames()[0].posY, 15.0);
}

} // namespace
