// drawing_raster.cpp: painting recorded viewport drawing into a PNG picture (CImg).
#include "drawing_raster.h"

#include "cimg_png.h"
#include "picture_font.h"

#include <algorithm>
#include <cmath>

namespace zkh {

namespace {

using Image = cimg_library::CImg<float>;

struct Paint {
    std::array<float, 4> color{1, 1, 1, 1};
    const DrawCall *texture = nullptr;
    std::array<std::array<double, 2>, 4> uvs{{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
};

// Blends one pixel toward a colour with an opacity.
void Blend(Image &image, int x, int y, const std::array<float, 4> &rgba)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return;
    // Components within 0..1; a NaN (which a plug-in may compute) counts as 0, so that every pixel
    // stays a number the PNG writer can convert.
    const auto unit = [](float v) { return std::isnan(v) ? 0.0f : std::clamp(v, 0.0f, 1.0f); };
    const float a = unit(rgba[3]);
    for (int c = 0; c < 3; ++c)
        image(x, y, 0, c) = (1 - a) * image(x, y, 0, c) + a * unit(rgba[c]) * 255.0f;
}

// Blends the pixel holding a point given in floating point; points outside the picture are left out.
void BlendAt(Image &image, double x, double y, const std::array<float, 4> &rgba)
{
    if (x > -1 && y > -1 && x < image.width() && y < image.height())
        Blend(image, static_cast<int>(x), static_cast<int>(y), rgba);
}

// Fills a convex or simple polygon, sampling the current texture when one is set.
void FillPolygon(Image &image, const std::vector<std::array<double, 3>> &points, const Paint &paint)
{
    if (points.size() < 3)
        return;
    double minX = points[0][0], maxX = minX, minY = points[0][1], maxY = minY;
    for (const auto &p : points) {
        minX = std::min(minX, p[0]);
        maxX = std::max(maxX, p[0]);
        minY = std::min(minY, p[1]);
        maxY = std::max(maxY, p[1]);
    }
    if (!std::isfinite(minX) || !std::isfinite(maxX) || !std::isfinite(minY) || !std::isfinite(maxY))
        return;
    // The bounds are clipped to the picture before they become ints: far-away points cost nothing.
    const auto clip = [](double v, int last) { return static_cast<int>(std::clamp(v, -1.0, static_cast<double>(last) + 1)); };
    const int x0 = std::max(0, clip(std::floor(minX), image.width() - 1));
    const int x1 = std::min(image.width() - 1, clip(std::ceil(maxX), image.width() - 1));
    const int y0 = std::max(0, clip(std::floor(minY), image.height() - 1));
    const int y1 = std::min(image.height() - 1, clip(std::ceil(maxY), image.height() - 1));
    const bool textured = paint.texture && paint.texture->size > 0 && points.size() == 4;
    for (int y = y0; y <= y1; ++y) {
        const double py = y + 0.5;
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5;
            // Even-odd rule at the pixel centre.
            bool inside = false;
            for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const auto &a = points[i];
                const auto &b = points[j];
                if ((a[1] > py) != (b[1] > py) && px < (b[0] - a[0]) * (py - a[1]) / (b[1] - a[1]) + a[0])
                    inside = !inside;
            }
            if (!inside)
                continue;
            std::array<float, 4> rgba = paint.color;
            if (textured) {
                // The texture spans the quad's bounds; corners map to the four texture coordinates.
                const double s = maxX > minX ? (px - minX) / (maxX - minX) : 0;
                const double t = maxY > minY ? (py - minY) / (maxY - minY) : 0;
                const auto &uv = paint.uvs;
                const double u = (1 - s) * (1 - t) * uv[0][0] + s * (1 - t) * uv[1][0] + s * t * uv[2][0] + (1 - s) * t * uv[3][0];
                const double v = (1 - s) * (1 - t) * uv[0][1] + s * (1 - t) * uv[1][1] + s * t * uv[2][1] + (1 - s) * t * uv[3][1];
                const int size = paint.texture->size;
                const auto texelIndex = [size](double w) {
                    return std::isnan(w) ? 0 : static_cast<int>(std::clamp(w * size, 0.0, size - 1.0));
                };
                const int col = texelIndex(u);
                const int row = texelIndex(v);
                const unsigned char *texel = &paint.texture->texture[(static_cast<size_t>(row) * size + col) * 4];
                for (int c = 0; c < 4; ++c)
                    rgba[c] *= texel[c] / 255.0f;
            }
            Blend(image, x, y, rgba);
        }
    }
}

void DrawText(Image &image, const DrawCall &call, const Paint &paint)
{
    const double px = call.points[0][0], py = call.points[0][1];
    const double reach = 4.0 * (image.width() + image.height()) + 65536.0; // beyond it no glyph can show
    if (!(std::fabs(px) < reach && std::fabs(py) < reach))
        return;
    const TextCoverage text = LayOutPictureText(call.text);
    if (text.width == 0)
        return;
    int x = static_cast<int>(std::lround(px));
    if (call.justify == 1)
        x -= text.width / 2;
    else if (call.justify == 2)
        x -= text.width;
    // The text position is its (first line's) baseline.
    const int y = static_cast<int>(std::lround(py)) - text.baseline;
    for (int ty = 0; ty < text.height; ++ty)
        for (int tx = 0; tx < text.width; ++tx) {
            const float coverage = text.At(tx, ty) / 255.0f;
            if (coverage > 0)
                Blend(image, x + tx, y + ty, {paint.color[0], paint.color[1], paint.color[2], paint.color[3] * coverage});
        }
}

} // namespace

int TextWidthInPicture(const std::string &text)
{
    return LayOutPictureText(text).width;
}

bool RasterizeToPng(const std::vector<DrawCall> &calls, int width, int height, const std::string &path,
                    const std::array<unsigned char, 3> &background)
{
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide)
        return false;
    Image image(width, height, 1, 3);
    for (int c = 0; c < 3; ++c)
        image.get_shared_channel(c).fill(background[c]);
    Paint paint;
    for (const DrawCall &call : calls) {
        switch (call.kind) {
        case DrawCall::Kind::Color: paint.color = call.rgba; break;
        case DrawCall::Kind::Texture: paint.texture = call.size > 0 ? &call : nullptr; break;
        case DrawCall::Kind::UVs: paint.uvs = call.uvs; break;
        case DrawCall::Kind::Quad:
        case DrawCall::Kind::Triangle: FillPolygon(image, call.points, paint); break;
        case DrawCall::Kind::Polygon: {
            std::vector<std::array<double, 3>> points;
            for (int index : call.indexes)
                if (index >= 0 && static_cast<size_t>(index) < call.points.size())
                    points.push_back(call.points[index]);
            FillPolygon(image, points, paint);
            break;
        }
        case DrawCall::Kind::Line: {
            const auto &a = call.points[0];
            const auto &b = call.points[1];
            // Lines are drawn point by point; one longer than the picture's perimeter reaches far
            // outside it and is left out, as are points far outside.
            const double length = std::hypot(b[0] - a[0], b[1] - a[1]);
            if (!(length <= 2.0 * (image.width() + image.height())))
                break;
            const int steps = std::max(1, static_cast<int>(length));
            for (int i = 0; i <= steps; ++i)
                BlendAt(image, a[0] + (b[0] - a[0]) * i / steps, a[1] + (b[1] - a[1]) * i / steps, paint.color);
            break;
        }
        case DrawCall::Kind::Point: BlendAt(image, call.points[0][0], call.points[0][1], paint.color); break;
        case DrawCall::Kind::Text: DrawText(image, call, paint); break;
        default: break;
        }
    }
    return SavePng(image, path);
}

} // namespace zkh
