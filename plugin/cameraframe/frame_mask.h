// frame_mask.h: the combined-frame mask textures of the viewport overlay, one per viewport 0..3.
#ifndef ZK_CAMERAFRAME_FRAME_MASK_H
#define ZK_CAMERAFRAME_FRAME_MASK_H

#include "frame_raster.h"

#include "lwhost/lwhost.h"

#include <array>
#include <functional>
#include <vector>

constexpr int kMaskSize = 1024;
constexpr int kMaskCacheEntries = 4;

// Marks every cache entry as out of date; any thread may call it.
void InvalidateMaskCache();

// One frame's rectangle in mask pixels.
using MaskQuad = std::array<RasterPoint, 4>;

// The texture of a viewport (RGBA bytes, kMaskSize squared, stored transposed): built for this
// camera and viewport size, or rebuilt from the quads, which are asked for only then. Null for
// viewports without a cache entry. Interface thread only.
const unsigned char *CombinedMaskTexture(int view, LWItemID camera, int vpW, int vpH,
                                         const std::function<std::vector<MaskQuad>()> &quads);

// Number of mask rebuilds so far (tests and benchmarks watch it).
int MaskRebuildCount();

#endif
