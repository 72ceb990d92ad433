// drawing.cpp: recording custom drawing calls.
#include "drawing.h"

#include "unserved.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace zkh {

namespace {

DrawRecorder &Rec(void *data) { return *static_cast<DrawRecorder *>(data); }

DrawCall &Add(void *data, DrawCall::Kind kind)
{
    DrawCall call;
    call.kind = kind;
    Rec(data).calls.push_back(std::move(call));
    return Rec(data).calls.back();
}

std::array<double, 3> P(const LWDVector v) { return {v[0], v[1], v[2]}; }

void SetColor(void *d, float *rgba) { Add(d, DrawCall::Kind::Color).rgba = {rgba[0], rgba[1], rgba[2], rgba[3]}; }
void SetPattern(void *d, int pattern) { Add(d, DrawCall::Kind::Pattern).size = pattern; }
void SetDrawMode(void *d, unsigned int mode) { Add(d, DrawCall::Kind::DrawMode).size = static_cast<int>(mode); }

void SetTexture(void *d, int size, unsigned char *bytes)
{
    DrawCall &call = Add(d, DrawCall::Kind::Texture);
    call.size = size;
    if (bytes && size > 0)
        call.texture.assign(bytes, bytes + static_cast<size_t>(size) * size * 4);
}

void SetUVs(void *d, double *a, double *b, double *c, double *e)
{
    DrawCall &call = Add(d, DrawCall::Kind::UVs);
    call.uvs = {{{a[0], a[1]}, {b[0], b[1]}, {c[0], c[1]}, {e[0], e[1]}}};
}

void Point(void *d, double *p, int csys)
{
    DrawCall &call = Add(d, DrawCall::Kind::Point);
    call.points = {P(p)};
    call.csys = csys;
}

void Line(void *d, double *a, double *b, int csys)
{
    DrawCall &call = Add(d, DrawCall::Kind::Line);
    call.points = {P(a), P(b)};
    call.csys = csys;
}

void Triangle(void *d, double *a, double *b, double *c, int csys)
{
    DrawCall &call = Add(d, DrawCall::Kind::Triangle);
    call.points = {P(a), P(b), P(c)};
    call.csys = csys;
}

void Quad(void *d, double *a, double *b, double *c, double *e, int csys)
{
    DrawCall &call = Add(d, DrawCall::Kind::Quad);
    call.points = {P(a), P(b), P(c), P(e)};
    call.csys = csys;
}

void Circle(void *d, double *center, double radius, int csys)
{
    DrawCall &call = Add(d, DrawCall::Kind::Circle);
    call.points = {P(center)};
    call.radius = radius;
    call.csys = csys;
}

void Text(void *d, double *p, const char *text, int justify, int csys)
{
    DrawCall &call = Add(d, DrawCall::Kind::Text);
    call.points = {P(p)};
    call.text = text ? text : "";
    call.justify = justify;
    call.csys = csys;
}

// A filled polygon through the vertices named by an index list, in order.
void PolyIndexed(void *d, unsigned int count, unsigned int *indexes, LWDVector *points, int csys)
{
    DrawCall &call = Add(d, DrawCall::Kind::Polygon);
    call.csys = csys;
    if (count == 0 || !indexes || !points)
        return;
    unsigned int highest = 0;
    for (unsigned int i = 0; i < count; ++i) {
        call.indexes.push_back(static_cast<int>(indexes[i]));
        highest = std::max(highest, indexes[i]);
    }
    for (unsigned int i = 0; i <= highest; ++i)
        call.points.push_back(P(points[i]));
}

// A filled polygon through the vertices in order.
void Polygon(void *d, unsigned int count, LWDVector *points, int csys)
{
    DrawCall &call = Add(d, DrawCall::Kind::Polygon);
    call.csys = csys;
    if (count == 0 || !points)
        return;
    for (unsigned int i = 0; i < count; ++i) {
        call.indexes.push_back(static_cast<int>(i));
        call.points.push_back(P(points[i]));
    }
}

std::string Num(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace

const char *DrawKindName(DrawCall::Kind kind)
{
    static const char *const kNames[] = {"DrawMode", "Pattern", "Color", "Texture", "UVs",  "Point",
                                         "Line",     "Triangle", "Quad", "Circle",  "Text", "Polygon"};
    return kNames[static_cast<int>(kind)];
}

DrawRecorder::DrawRecorder(int viewIndex, int flags)
{
    access_.view = viewIndex;
    access_.flags = flags;
    access_.dispData = this;
    access_.setColor = SetColor;
    access_.setPattern = SetPattern;
    access_.setTexture = SetTexture;
    access_.setUVs = SetUVs;
    access_.point = Point;
    access_.line = Line;
    access_.triangle = Triangle;
    access_.quad = Quad;
    access_.circle = Circle;
    access_.text = Text;
    access_.polygon = Polygon;
    access_.polyIndexed = PolyIndexed;
    access_.setDrawMode = SetDrawMode;
    TrapUnserved(access_);
}

std::string DrawRecorder::Describe() const
{
    std::ostringstream out;
    for (const DrawCall &call : calls) {
        out << DrawKindName(call.kind);
        switch (call.kind) {
        case DrawCall::Kind::Color:
            for (float c : call.rgba)
                out << " " << Num(c);
            break;
        case DrawCall::Kind::DrawMode:
        case DrawCall::Kind::Pattern:
        case DrawCall::Kind::Texture:
            out << " " << call.size;
            break;
        case DrawCall::Kind::UVs:
            for (const auto &uv : call.uvs)
                out << " (" << Num(uv[0]) << "," << Num(uv[1]) << ")";
            break;
        default:
            if (call.kind == DrawCall::Kind::Polygon) {
                out << " [";
                for (size_t i = 0; i < call.indexes.size(); ++i)
                    out << (i ? "," : "") << call.indexes[i];
                out << "]";
            }
            for (const auto &p : call.points)
                out << " (" << Num(p[0]) << "," << Num(p[1]) << "," << Num(p[2]) << ")";
            if (call.kind == DrawCall::Kind::Circle)
                out << " r=" << Num(call.radius);
            if (call.kind == DrawCall::Kind::Text)
                out << " \"" << call.text << "\" just=" << call.justify;
            out << " csys=" << call.csys;
        }
        out << "\n";
    }
    return out.str();
}

} // namespace zkh
