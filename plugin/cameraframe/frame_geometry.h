// frame_geometry.h: Frame Calc, margin conversions and the corner geometry of a frame.
#ifndef ZK_CAMERAFRAME_FRAME_GEOMETRY_H
#define ZK_CAMERAFRAME_FRAME_GEOMETRY_H

#include "frame_list.h"

// Width, height and aspect edits: the entered value is stored, then the frame's Frame Calc mode
// derives the third value, and with a camera the margin pixels follow the new size.
void SetFrameWidth(FrameRecord &frame, double entered);
void SetFrameHeight(FrameRecord &frame, double entered);
void SetFrameAspect(FrameRecord &frame, double entered);

// Margin edits: percent (10 is 10 %) or whole pixels; with a camera the pixels of both sides follow
// a percent edit, and a pixel edit sets the percent of its own side.
void SetMarginWPercent(FrameRecord &frame, double percent);
void SetMarginHPercent(FrameRecord &frame, double percent);
void SetMarginWPixels(FrameRecord &frame, double pixels);
void SetMarginHPixels(FrameRecord &frame, double pixels);

// The margins in whole pixels from their fractions of the frame's size.
void PixelsFromPercent(FrameRecord &frame);

// Points 0..3: the inner corners; 4..7: the outer (margin) corners, in the same order.
struct FrameCornerSet {
    double x[8];
    double y[8];
};

// The frame placed in a reference image of refW x refH pixels.
FrameCornerSet frameCorners(const FrameRecord &frame, double refW, double refH);

// How a camera viewport shows the camera image: the viewport's size, the camera's resolution and
// the size (fitW x fitH) at which the image is shown, centred in the viewport. A viewport or camera
// that reports no size gets the fallback camera view size (640 x 360): the viewport is taken as
// that size, and a camera without one as shown at one viewport pixel per camera pixel.
struct CameraViewMapping {
    int vpW, vpH, resW, resH;
    double fitW, fitH;

    // Camera pixels relative to the camera image centre -> viewport pixels.
    double ViewX(double x) const { return vpW / 2.0 + x * (fitW / resW); }
    double ViewY(double y) const { return vpH / 2.0 + y * (fitH / resH); }
    // Viewport pixels -> camera pixels relative to the camera image centre.
    double CameraX(double viewX) const { return (viewX - vpW / 2.0) * resW / fitW; }
    double CameraY(double viewY) const { return (viewY - vpH / 2.0) * resH / fitH; }
};
CameraViewMapping MapCameraView(int vpW, int vpH, int resW, int resH);

// A camera view of the host: the camera it shows and how the camera image sits in the viewport.
struct CameraViewport {
    LWItemID camera = LWITEM_NULL;
    CameraViewMapping shown{};
};

// Reads view number `view` from the host's viewport and camera records; false when it is no camera
// view, shows no camera, or a record lacks a function this needs.
bool ReadCameraViewport(const LWViewportInfo *views, const LWCameraInfo *cameras, int view, CameraViewport &out);

// A point of the frame's unit square, relative to the centre of the reference image.
void FrameUnitPoint(const FrameRecord &frame, double u, double v, double &x, double &y);

#endif
