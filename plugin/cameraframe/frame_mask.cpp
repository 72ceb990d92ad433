// frame_mask.cpp: building and caching the combined-frame mask textures.
#include "frame_mask.h"

#include <CImg.h>

#include <cstring>
#include <memory>

namespace {

struct MaskCacheEntry {
    std::vector<unsigned char> texture; // allocated on first use, kept for the life of the module
    MaskKey key;                        // a null camera: invalid
};

std::array<MaskCacheEntry, kMaskCacheEntries> g_cache;
std::unique_ptr<cimg_library::CImg<unsigned char>> g_maskRaster;

constexpr int kTile = 16;

// Alpha of texel (row x, column y) = 255 - mask(x, y), walked in tiles: a tile's 16 texels of one
// texture row fill one cache line, and its 16 mask rows stay in cache while the tile is written.
// (Walking the texture down a column instead puts every write 4 KiB apart, into one cache set.)
void WriteTransposedAlpha(const cimg_library::CImg<unsigned char> &mask, unsigned char *texture)
{
    const unsigned char *m = mask.data();
    for (int ty = 0; ty < kMaskSize; ty += kTile)
        for (int tx = 0; tx < kMaskSize; tx += kTile)
            for (int x = tx; x < tx + kTile; ++x) {
                unsigned char *texel = texture + (static_cast<size_t>(x) * kMaskSize + ty) * 4 + 3;
                const unsigned char *column = m + static_cast<size_t>(ty) * kMaskSize + x;
                for (int y = 0; y < kTile; ++y)
                    texel[y * 4] = static_cast<unsigned char>(255 - column[static_cast<size_t>(y) * kMaskSize]);
            }
}

} // namespace

const unsigned char *CombinedMaskTexture(int view, const MaskKey &key,
                                         const std::function<std::vector<MaskQuad>()> &quads)
{
    if (view < 0 || view >= kMaskCacheEntries)
        return nullptr;
    MaskCacheEntry &entry = g_cache[static_cast<size_t>(view)];
    const MaskKey &held = entry.key;
    if (key.camera && held.camera == key.camera && held.generation == key.generation &&
        held.vpW == key.vpW && held.vpH == key.vpH && held.resW == key.resW && held.resH == key.resH)
        return entry.texture.data();
    if (entry.texture.empty()) {
        entry.texture.assign(static_cast<size_t>(kMaskSize) * kMaskSize * 4, 255);
        for (size_t i = 3; i < entry.texture.size(); i += 4)
            entry.texture[i] = 0;
    }
    if (!g_maskRaster)
        g_maskRaster = std::make_unique<cimg_library::CImg<unsigned char>>(kMaskSize, kMaskSize, 1, 1, 0);
    cimg_library::CImg<unsigned char> &mask = *g_maskRaster;
    mask.fill(0);
    for (const MaskQuad &quad : quads())
        ForEachPolygonSpan(quad.data(), 4, kMaskSize, kMaskSize, [&](int y, int x0, int x1) {
            std::memset(mask.data(x0, y), 255, static_cast<size_t>(x1 - x0));
        });
    WriteTransposedAlpha(mask, entry.texture.data());
    entry.key = key;
    return entry.texture.data();
}
