// drawing_raster.h: recorded drawing calls painted into a PNG picture, and the measure of the
// texts they paint.
#ifndef ZKH_DRAWING_RASTER_H
#define ZKH_DRAWING_RASTER_H

#include "drawing.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace zkh {

// Paints recorded viewport-coordinate calls over a background, honouring colour alpha and the
// current texture (modulated by the colour), and writes the picture as PNG. False on a write error
// and for a size outside 1..kMaxPictureSide.
bool RasterizeToPng(const std::vector<DrawCall> &calls, int width, int height, const std::string &path,
                    const std::array<unsigned char, 3> &background = {64, 64, 64});

// The width in pixels of a Text call's text as RasterizeToPng paints it (in the picture font,
// picture_font.h): no pixel of it lies further from where it starts.
int TextWidthInPicture(const std::string &text);

// Pictures paint at most this many bytes of a text (CImg's built-in font formats a text through a
// buffer of 2,048 bytes, and both fonts stop there); the rest is not drawn and takes no width.
constexpr std::size_t kMaxPictureTextBytes = 2047;

// Every byte of a picture text other than a line break advances the pen by at least this many
// pixels (a character advances by its glyph's width, and at least by its number of bytes).
constexpr int kMinPictureAdvance = 1;

} // namespace zkh

#endif
