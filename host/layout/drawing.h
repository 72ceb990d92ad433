// drawing.h: the custom drawing access of gizmos and tools: every call is recorded (the
// pictures' drawing_raster.h paints a viewport's calls).
#ifndef ZKH_DRAWING_H
#define ZKH_DRAWING_H

#include "lwhost/lwhost.h"

#include <array>
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

} // namespace zkh

#endif
