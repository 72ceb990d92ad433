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

// A polygon of up to N vertices made ready to be filled one row at a time: its edges that are not
// horizontal, each from its lower to its upper end whichever way the polygon runs, and the rows
// [firstRow, lastRow) of the raster it may cover (none when edges is 0).
template <int N>
struct RasterPolygon {
    RasterPoint low[N], high[N];
    int edges = 0;
    int firstRow = 0, lastRow = 0;
};

template <int N>
RasterPolygon<N> PrepareRasterPolygon(const RasterPoint *points, int count, int height)
{
    RasterPolygon<N> polygon;
    if (count < 3 || count > N || height < 1)
        return polygon;
    double minY = points[0].y, maxY = points[0].y;
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y))
            return polygon;
        minY = std::min(minY, points[i].y);
        maxY = std::max(maxY, points[i].y);
    }
    // The rows are clipped to the raster in floating point, before any conversion to int: the work
    // is bounded by the raster, however far away the vertices lie.
    const double rows = static_cast<double>(height);
    polygon.firstRow = static_cast<int>(std::clamp(std::ceil(minY - 0.5), 0.0, rows));
    polygon.lastRow = static_cast<int>(std::clamp(std::ceil(maxY - 0.5), 0.0, rows));
    for (int i = 0, j = count - 1; i < count; j = i++) {
        RasterPoint a = points[j], b = points[i];
        if (a.y > b.y)
            std::swap(a, b);
        if (a.y < b.y) { // a horizontal edge is crossed by no row's centre line
            polygon.low[polygon.edges] = a;
            polygon.high[polygon.edges] = b;
            ++polygon.edges;
        }
    }
    if (polygon.edges == 0 || polygon.firstRow >= polygon.lastRow)
        polygon.edges = 0;
    return polygon;
}

// Calls span(y, x0, x1) for each run of columns [x0, x1) of row y (of a raster `width` wide)
// inside the polygon.
template <int N, class Span>
void ForEachRowSpan(const RasterPolygon<N> &polygon, int width, int y, Span &&span)
{
    if (width < 1 || y < polygon.firstRow || y >= polygon.lastRow)
        return;
    const double py = y + 0.5;
    double crossings[N];
    int found = 0;
    for (int e = 0; e < polygon.edges; ++e) {
        const RasterPoint &a = polygon.low[e], &b = polygon.high[e];
        if (!(a.y <= py && py < b.y))
            continue;
        double x = a.x + (py - a.y) * (b.x - a.x) / (b.y - a.y);
        if (!std::isfinite(x)) {
            // Differences of huge coordinates overflow: interpolate between the two ends, which
            // stays within them (an overflow of the sum ends at an infinity of their side).
            const double t = (py - a.y) / (b.y - a.y);
            x = a.x * (1.0 - t) + b.x * t;
        }
        crossings[found++] = x;
    }
    for (int i = 1; i < found; ++i) // a handful of crossings: an insertion sort
        for (int j = i; j > 0 && crossings[j] < crossings[j - 1]; --j)
            std::swap(crossings[j], crossings[j - 1]);
    const double columns = static_cast<double>(width);
    for (int k = 0; k + 1 < found; k += 2) {
        const double x0 = std::clamp(std::ceil(crossings[k] - 0.5), 0.0, columns);
        const double x1 = std::clamp(std::ceil(crossings[k + 1] - 0.5), 0.0, columns);
        if (x1 > x0)
            span(y, static_cast<int>(x0), static_cast<int>(x1));
    }
}

// Calls span(y, x0, x1) for each row y of a width x height raster and each run of columns
// [x0, x1) inside the polygon (of 3 to 16 points).
template <class Span>
void ForEachPolygonSpan(const RasterPoint *points, int count, int width, int height, Span &&span)
{
    if (width < 1)
        return;
    const RasterPolygon<16> polygon = PrepareRasterPolygon<16>(points, count, height);
    if (polygon.edges == 0)
        return;
    for (int y = polygon.firstRow; y < polygon.lastRow; ++y)
        ForEachRowSpan(polygon, width, y, span);
}

#endif
