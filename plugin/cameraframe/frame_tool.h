// frame_tool.h: the frame edit tool (the LayoutTool server of ZK:CameraFrame).
//
// Grabs a camera frame in a camera viewport and moves it, resizes it from its corners or its
// centre, or rotates it with the alternate mouse button.
#ifndef ZK_CAMERAFRAME_FRAME_TOOL_H
#define ZK_CAMERAFRAME_FRAME_TOOL_H

#include "frame_list.h"

// Grab zone in camera pixels, horizontally and vertically.
constexpr double kGrabZone = 32.0;

// Parts of a frame the tool grabs: 1 body (move), 2..5 the corners top left, top right, bottom
// left, bottom right, 6 the centre (resize about the centre).
int FrameHandleAt(const FrameRecord &frame, double u, double v);

// Moves the centre so that the size change keeps the anchor's side in place while the size is
// below twice the grab zone (anchor 0: the centre stays).
void AdjustFramePosition(FrameRecord &frame, double newWidth, double newHeight, int anchor);

// Resizes a frame by a horizontal movement of dx camera pixels from a handle (2..6); the height
// follows through the aspect ratio when the frame has a camera. Width and height stay at least 1.
void ResizeFrame(FrameRecord &frame, double dx, int handle);

// Fills the tool record (after the activation's shared steps).
void FillFrameTool(LWLayoutTool &tool);

#endif
