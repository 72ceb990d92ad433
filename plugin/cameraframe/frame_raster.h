// frame_raster.h: filling polygons given with fractional vertices into pixel rasters.
//
// A pixel is inside when its centre is (even-odd rule); spans are half-open, and shared edges are
// computed the same way from both sides, so polygons that share an edge cover each pixel once.
// Polygons with a non-finite coordinate are skipped; far-away vertices are clipped to the raster.
#ifndef ZK_CAMERAFRAME_FRAME_RASTER_H
#define ZK_CAMERAFRAME_FRAME_RASTER_H

#include <algorithm>
#include <cmath>

struct RasterPoint {
    double x, y;
};

// Calls span(y, x0, x1) for each row y of a width x height raster and each run of columns
// [x0, x1) inside the polygon.
template <class Span>
void ForEachPolygonSpan(const RasterPoint *points, int count, int width, int height, Span &&span)
{
    if (count < 3 || count > 16 || width < 1 || height < 1)
        return;
    double minY = points[0].y, maxY = points[0].y;
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y))
            return;
        minY = std::min(minY, points[i].y);
        maxY = std::max(maxY, points[i].y);
    }
    // The rows and columns are clipped to the raster in floating point, before any conversion to
    // int: the work is bounded by the raster, however far away the vertices lie.
    const double rows = static_cast<double>(height);
    const double firstRow = std::clamp(std::ceil(minY - 0.5), 0.0, rows);
    const double lastRow = std::clamp(std::ceil(maxY - 0.5), 0.0, rows);
    for (int y = static_cast<int>(firstRow); y < static_cast<int>(lastRow); ++y) {
        const double py = y + 0.5;
        double crossings[16];
        int found = 0;
        for (int i = 0, j = count - 1; i < count; j = i++) {
            // Each edge from its lower to its upper end, whichever way the polygon runs.
            RasterPoint a = points[j], b = points[i];
            if (a.y > b.y)
                std::swap(a, b);
            if (!(a.y <= py && py < b.y))
                continue;
            double x = a.x + (py - a.y) * (b.x - a.x) / (b.y - a.y);
            if (!std::isfinite(x)) {
                // Differences of huge coordinates overflow: interpolate between the two ends,
                // which stays within them (an overflow of the sum ends at an infinity of their side).
                const double t = (py - a.y) / (b.y - a.y);
                x = a.x * (1.0 - t) + b.x * t;
            }
            crossings[found++] = x;
        }
        std::sort(crossings, crossings + found);
        const double columns = static_cast<double>(width);
        for (int k = 0; k + 1 < found; k += 2) {
            const double x0 = std::clamp(std::ceil(crossings[k] - 0.5), 0.0, columns);
            const double x1 = std::clamp(std::ceil(crossings[k + 1] - 0.5), 0.0, columns);
            if (x1 > x0)
                span(y, static_cast<int>(x0), static_cast<int>(x1));
        }
    }
}

#endif
