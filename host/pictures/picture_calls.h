// picture_calls.h: drawing calls for the host's own pictures (panels, channel plots), painted
// with RasterizeToPng like a viewport's drawing: filled rectangles, lines and text.
#ifndef ZKH_PICTURE_CALLS_H
#define ZKH_PICTURE_CALLS_H

#include "drawing_raster.h"

#include <array>
#include <string>
#include <vector>

namespace zkh {

using Rgba = std::array<float, 4>;

// The baseline that centres a line of picture text in a row from `top`, rowHeight pixels high.
int TextBaseline(int top, int rowHeight);

// The colour of the calls that follow.
void AddColor(std::vector<DrawCall> &calls, const Rgba &rgba);
void AddRect(std::vector<DrawCall> &calls, double x, double y, double w, double h, const Rgba &rgba);
void AddLine(std::vector<DrawCall> &calls, double x0, double y0, double x1, double y1, const Rgba &rgba);
// A line in the current colour.
void AddSegment(std::vector<DrawCall> &calls, double x0, double y0, double x1, double y1);
// Text at a baseline point; justify is LWJUST_LEFT, LWJUST_CENTER or LWJUST_RIGHT.
void AddText(std::vector<DrawCall> &calls, double x, double y, const std::string &text, const Rgba &rgba,
             int justify = LWJUST_LEFT);

} // namespace zkh

#endif
