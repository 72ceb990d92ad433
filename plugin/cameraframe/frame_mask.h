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

// One frame's rectangle in mask pixels.
using MaskQuad = std::array<RasterPoint, 4>;

// What a viewport's mask is built from: the camera, the viewport size and the camera's resolution,
// which together give the mapping, and the generation of the frames whose quads it holds.
struct MaskKey {
    LWItemID camera = LWITEM_NULL;
    int vpW = 0, vpH = 0;
    int resW = 0, resH = 0;
    unsigned generation = 0;
};

// The texture of a viewport (RGBA bytes, kMaskSize squared, stored transposed): built for this
// key, or rebuilt from the quads, which are asked for only then. Null for viewports without a
// cache entry. Interface thread only.
const unsigned char *CombinedMaskTexture(int view, const MaskKey &key,
                                         const std::function<std::vector<MaskQuad>()> &quads);

#endif
