// picture_calls.cpp: drawing calls for the host's own pictures.
#include "picture_calls.h"

#include "picture_font.h"

namespace zkh {

void AddColor(std::vector<DrawCall> &calls, const Rgba &rgba)
{
    DrawCall color;
    color.kind = DrawCall::Kind::Color;
    color.rgba = rgba;
    calls.push_back(color);
}

int TextBaseline(int top, int rowHeight)
{
    // The line from its ascent to its descent in the middle of the row.
    const PictureTextMetrics font = PictureFontMetrics();
    return top + (rowHeight - font.ascent - font.descent) / 2 + font.ascent;
}

void AddRect(std::vector<DrawCall> &calls, double x, double y, double w, double h, const Rgba &rgba)
{
    AddColor(calls, rgba);
    DrawCall quad;
    quad.kind = DrawCall::Kind::Quad;
    quad.csys = LWCSYS_VIEWPORT;
    quad.points = {{x, y, 0}, {x + w, y, 0}, {x + w, y + h, 0}, {x, y + h, 0}};
    calls.push_back(quad);
}

void AddLine(std::vector<DrawCall> &calls, double x0, double y0, double x1, double y1, const Rgba &rgba)
{
    AddColor(calls, rgba);
    AddSegment(calls, x0, y0, x1, y1);
}

void AddSegment(std::vector<DrawCall> &calls, double x0, double y0, double x1, double y1)
{
    DrawCall line;
    line.kind = DrawCall::Kind::Line;
    line.csys = LWCSYS_VIEWPORT;
    line.points = {{x0, y0, 0}, {x1, y1, 0}};
    calls.push_back(line);
}

void AddText(std::vector<DrawCall> &calls, double x, double y, const std::string &text, const Rgba &rgba, int justify)
{
    AddColor(calls, rgba);
    DrawCall call;
    call.kind = DrawCall::Kind::Text;
    call.csys = LWCSYS_VIEWPORT;
    call.points = {{x, y, 0}};
    call.text = text;
    call.justify = justify;
    calls.push_back(call);
}

} // namespace zkh
