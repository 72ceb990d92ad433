// frame_filter.h: the ZK:CameraFrame image filter: margin bands burnt into the final render.
#ifndef ZK_CAMERAFRAME_FRAME_FILTER_H
#define ZK_CAMERAFRAME_FRAME_FILTER_H

#include "lwhost/lwhost.h"

#include <cstddef>

// Fills the image filter record (after the activation's shared steps).
void FillFrameFilterHandler(LWImageFilterHandler &handler);

// The process callback itself.
// Null when the render was processed, or an error text for the renderer.
LWError ProcessFrameFilter(LWInstance inst, const LWFilterAccess *access);

// What the filter keeps of its scratch between renders, in bytes (over every scratch no render
// holds now).
size_t FrameFilterScratchBytes();

#endif
