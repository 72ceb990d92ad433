// drawing.h: the custom drawing access of gizmos and tools: every call is recorded, and a
// viewport's calls can be rasterised into a picture.
#ifndef ZKH_DRAWING_H
#define ZKH_DRAWING_H

#include "lwhost/lwhost.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace zkh {

struct DrawCall {
    enum class Kind { DrawMode, Pattern, Color, Texture, UVs, Point, Line, Triangle, Quad, Circle, Text, Polygon };
    Kind kind = Kind::Color;
    std::vector<std::array<double, 3>> points; // in the order given
    std::vector<int> indexes;                  // Polygon
    std::array<float, 4> rgba{};               // Color
    std::array<std::array<double, 2>, 4> uvs{}; // UVs
    std::vector<unsigned char> texture;        // Texture: size x size RGBA bytes
    int size = 0;                              // Texture size; Pattern value; DrawMode value
    double radius = 0;                         // Circle
    std::string text;                          // Text
    int justify = 0;                           // Text
    int csys = 0;                              // coordinate system of a shape or text
};

const char *DrawKindName(DrawCall::Kind kind);

// Records the calls made through one access record (one viewport's draw).
class DrawRecorder {
public:
    explicit DrawRecorder(int viewIndex, int flags = 0);
    DrawRecorder(const DrawRecorder &) = delete;
    DrawRecorder &operator=(const DrawRecorder &) = delete;

    LWCustomObjAccess *Access() { return &access_; }
    std::vector<DrawCall> calls;

    // One line per call, for logs and tests ("Color 1 0 0 0.5", "Quad (0,0,0) ...").
    std::string Describe() const;

private:
    LWCustomObjAccess access_{};
};

// The largest side of a picture the host paints or renders (viewports, render plates).
constexpr int kMaxPictureSide = 16384;

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
