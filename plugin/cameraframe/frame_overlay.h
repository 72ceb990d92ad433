// frame_overlay.h: the ZK:CameraFrame gizmo: frames drawn over camera viewports.
#ifndef ZK_CAMERAFRAME_FRAME_OVERLAY_H
#define ZK_CAMERAFRAME_FRAME_OVERLAY_H

#include "lwhost/lwhost.h"

// Fills the gizmo's callbacks: draw and dirty; the others are left empty.
void FillFrameGizmo(LWMasterGizmo &gizmo);

#endif
