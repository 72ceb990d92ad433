// frame_filter.cpp: filling each active frame's margin band of the render camera into the image.
//
// The bands and burnt guides are turned into polygons under the frame list's lock; the image is
// then filtered one row at a time. For each row the polygons that reach it give their spans, the
// pixels they cover are copied into a working row (one for each process call running at once) and blended there, and every
// pixel is written back, from the working row where a span covered it and straight from the
// host's lines elsewhere. Memory is bounded by the polygons (a few per frame) and one row's spans,
// whatever the size of the image; a full-size 4-channel float copy of a 4K render would cost more
// in first page touches and memory traffic than the whole pass over the host's rows, and gives
// the same pixels. The next row's lines are asked for before a row is written back: Layout's
// filter buffers are whole images, whose lines stay valid through the process call (the SDK
// gives no other lifetime for them).
#include "frame_filter.h"


#include "cameraframe_servers.h"
#include "frame_geometry.h"
#include "frame_guides.h"
#include "frame_list.h"
#include "frame_master.h"
#include "frame_raster.h"

#include "../common/lwactivate.h"
#include "../common/lwglobals.h"
#include "../common/lease_pool.h"

#include <CImg.h>
#if defined(__SSE3__) || defined(_M_X64) || defined(__x86_64__)
#include <pmmintrin.h>
#define ZK_FLOAT_MODES 1
#endif

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// What the renderer is told when the frames could not be drawn into a render.
constexpr char kFilterFailed[] = "ZK:CameraFrame: the frames could not be drawn into this render";

// The buffers the filter reads: the colour (one layer per component) and the alpha (one layer).
constexpr const char *kColourBuffer = LWBUFFER_FINAL_RENDER_RGBA;
constexpr const char *kAlphaBuffer = LWBUFFER_ALPHA;

// What a scratch keeps between renders; a render that needed more (thousands of
// frames, or a row wider than 16384 pixels) gives the rest back when it ends.
constexpr size_t kKeptScratchBytes = size_t{1} << 20;

using WorkRow = cimg_library::CImg<float>;

struct FilterInstance {};
std::atomic<FilterInstance *> g_filter{nullptr};

FilterInstance *FilterOf(LWInstance instance) { return static_cast<FilterInstance *>(instance); }

// One quadrilateral of a frame's band or of a burnt guide line, blended as keep x old + add[c].
struct BlendPolygon {
    RasterPolygon<4> shape;
    float keep;
    float add[4];
};

// A run [x0, x1) of the current row covered by polygon `polygon`.
struct RowSpan {
    int x0, x1, polygon;
};

struct FilterScratch {
    WorkRow row;                        // width x 1, 4 channels: red, green, blue, alpha
    std::vector<float> zeros;           // a row of zeros for a buffer the host did not give
    std::vector<BlendPolygon> polygons; // frames in list order, each its band quads, then its guides
    std::vector<int> byFirstRow;        // polygon indexes in the order of their first rows
    std::vector<int> active;            // the polygons reaching the current row, in blending order
    std::vector<RowSpan> spans;         // the current row's spans, in blending order
    std::vector<RowSpan> covered;       // their union, left to right

    size_t Bytes() const
    {
        return row.size() * sizeof(float) + zeros.capacity() * sizeof(float) +
               polygons.capacity() * sizeof(BlendPolygon) + (byFirstRow.capacity() + active.capacity()) * sizeof(int) +
               (spans.capacity() + covered.capacity()) * sizeof(RowSpan);
    }
    void Release() { *this = FilterScratch(); }
};

// Gives back what a render grew the scratch to beyond the bound, also when it failed.
struct ScratchTrim {
    FilterScratch &scratch;
    ~ScratchTrim()
    {
        if (scratch.Bytes() > kKeptScratchBytes)
            scratch.Release();
    }
};

// The scratch of the process calls: one for each call running at once, kept between renders.
LeasePool<FilterScratch> g_scratchPool;

// Readies a leased scratch for an image `width` pixels wide.
void PrepareScratch(FilterScratch &scratch, int width)
{
    if (scratch.row.width() != width || scratch.row.spectrum() != 4)
        scratch.row.assign(static_cast<unsigned>(width), 1, 1, 4, 0.0f);
    scratch.polygons.clear();
}

// Band quads as point indexes: 0..3 inner corners, 4..7 outer corners.
const int kBandQuads[4][4] = {{4, 0, 1, 5}, {5, 1, 2, 6}, {6, 2, 3, 7}, {7, 3, 0, 4}};

void AddPolygon(const RasterPoint (&points)[4], int height, const BlendPolygon &blend,
                std::vector<BlendPolygon> &polygons)
{
    BlendPolygon polygon = blend;
    polygon.shape = PrepareRasterPolygon<4>(points, 4, height);
    if (polygon.shape.edges > 0)
        polygons.push_back(polygon);
}

void AddBandPolygons(const FrameRecord &f, int width, int height, std::vector<BlendPolygon> &polygons)
{
    const FrameCornerSet corners = frameCorners(f, width, height);
    const float o = static_cast<float>(1.0 - f.transparency);
    if (!(o > 0.0f))
        return; // fully transparent: blending would leave every pixel as it was
    const float color[4] = {static_cast<float>(f.color[0]), static_cast<float>(f.color[1]),
                            static_cast<float>(f.color[2]), o};
    const BlendPolygon blend{{}, 1.0f - o, {o * color[0], o * color[1], o * color[2], o * color[3]}};
    for (const auto &quad : kBandQuads) {
        RasterPoint points[4];
        for (int k = 0; k < 4; ++k)
            points[k] = {corners.x[quad[k]], corners.y[quad[k]]};
        AddPolygon(points, height, blend, polygons);
    }
}

// The guides of a frame that burns them in: each line as a filled strip kGuideLineWidth wide, in
// the frame's colour at the guides' opacity, blended like the bands.
void AddGuidePolygons(const FrameRecord &f, int width, int height, std::vector<BlendPolygon> &polygons)
{
    const float o = static_cast<float>(f.guides.opacity);
    if (!f.guides.burnIn || !(o > 0.0f))
        return;
    const BlendPolygon blend{{}, 1.0f - o,
                             {o * static_cast<float>(f.color[0]), o * static_cast<float>(f.color[1]),
                              o * static_cast<float>(f.color[2]), o}};
    for (const GuideSegment &s : FrameGuideSegments(f.guides)) {
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        FrameUnitPoint(f, s.u0, s.v0, x0, y0);
        FrameUnitPoint(f, s.u1, s.v1, x1, y1);
        x0 += width / 2.0, x1 += width / 2.0, y0 += height / 2.0, y1 += height / 2.0;
        const double length = std::hypot(x1 - x0, y1 - y0);
        if (!(length > 0.0))
            continue;
        const double nx = -(y1 - y0) / length * kGuideLineWidth / 2.0;
        const double ny = (x1 - x0) / length * kGuideLineWidth / 2.0;
        const RasterPoint strip[4] = {{x0 + nx, y0 + ny}, {x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {x0 - nx, y0 - ny}};
        AddPolygon(strip, height, blend, polygons);
    }
}

LWItemID RenderCameraOf(const LWFilterAccess &access)
{
    if (!g_hostGlobals.global)
        return LWITEM_NULL;
    // Kept local: this runs on the render thread, while the interface thread writes the shared
    // table's scene info.
    const auto *scene = static_cast<const LWSceneInfo *>(g_hostGlobals.global(LWSCENEINFO_GLOBAL, GFUSE_TRANSIENT));
    if (!scene || !scene->renderCamera)
        return LWITEM_NULL;
    const double fps = scene->framesPerSecond;
    const double time = fps > 0.0 ? access.frame / fps : 0.0;
    return scene->renderCamera(time);
}

// Brings the active polygons to row y: those starting there join, those ended leave; blending
// order (the polygons' order) is kept.
void AdvanceActive(FilterScratch &scratch, size_t &next, int y)
{
    auto &active = scratch.active;
    const auto &polygons = scratch.polygons;
    active.erase(std::remove_if(active.begin(), active.end(),
                                [&](int i) { return polygons[static_cast<size_t>(i)].shape.lastRow <= y; }),
                 active.end());
    const size_t before = active.size();
    for (; next < scratch.byFirstRow.size(); ++next) {
        const int i = scratch.byFirstRow[next];
        if (polygons[static_cast<size_t>(i)].shape.firstRow > y)
            break;
        active.push_back(i);
    }
    // The newcomers sorted among themselves, then merged in: a row where a few polygons start
    // costs the active ones a walk, not another sort.
    if (active.size() != before) {
        const auto joined = active.begin() + static_cast<std::ptrdiff_t>(before);
        std::sort(joined, active.end());
        std::inplace_merge(active.begin(), joined, active.end());
    }
}

// The row's spans in blending order, and the runs of columns they cover together (with gaps of
// up to kRunGap columns between spans closed).
constexpr int kRunGap = 32;

void RowSpans(FilterScratch &scratch, int width, int y)
{
    scratch.spans.clear();
    for (int i : scratch.active)
        ForEachRowSpan(scratch.polygons[static_cast<size_t>(i)].shape, width, y,
                       [&](int, int x0, int x1) { scratch.spans.push_back({x0, x1, i}); });
    scratch.covered = scratch.spans;
    auto &covered = scratch.covered;
    std::sort(covered.begin(), covered.end(), [](const RowSpan &a, const RowSpan &b) { return a.x0 < b.x0; });
    size_t kept = 0;
    for (const RowSpan &span : covered) {
        // Runs a few pixels apart are taken as one: copying the gap costs less than another copy.
        if (kept > 0 && span.x0 <= covered[kept - 1].x1 + kRunGap)
            covered[kept - 1].x1 = std::max(covered[kept - 1].x1, span.x1);
        else
            covered[kept++] = span;
    }
    covered.resize(kept);
}

void Blend(WorkRow &row, const RowSpan &span, const BlendPolygon &polygon)
{
    const float keep = polygon.keep; // held apart from the row, so that the loops vectorize
    for (unsigned c = 0; c < 4; ++c) {
        const float add = polygon.add[c];
        float *p = row.data(0, 0, 0, c);
        int x = span.x0;
        for (; x + 4 <= span.x1; x += 4) { // four at a time: one vector operation each
            p[x] = keep * p[x] + add;
            p[x + 1] = keep * p[x + 1] + add;
            p[x + 2] = keep * p[x + 2] + add;
            p[x + 3] = keep * p[x + 3] + add;
        }
        for (; x < span.x1; ++x)
            p[x] = keep * p[x] + add;
    }
}

// The host's lines of one row: red, green, blue and alpha; a missing colour line reads as zeros,
// a missing alpha line leaves the host's alpha as it is.
struct RowLines {
    const float *plane[4];
    bool hasAlpha;
};

RowLines ReadLines(const LWFilterAccess &access, int y, FilterScratch &scratch)
{
    RowLines lines{{access.getLine(kColourBuffer, 0, y), access.getLine(kColourBuffer, 1, y),
                    access.getLine(kColourBuffer, 2, y), access.getLine(kAlphaBuffer, 0, y)},
                   false};
    lines.hasAlpha = lines.plane[3] != nullptr;
    for (const float *&plane : lines.plane)
        if (!plane) {
            scratch.zeros.resize(static_cast<size_t>(scratch.row.width()), 0.0f);
            plane = scratch.zeros.data();
        }
    return lines;
}

// Copies columns [x0, x1) of the four planes; most runs are a guide line's pixel or two, for
// which a call of memcpy per plane would cost more than the copy.
void CopyRun(float *const *to, const float *const *from, int x0, int x1)
{
    if (x1 - x0 >= 16) {
        for (int c = 0; c < 4; ++c)
            std::memcpy(to[c] + x0, from[c] + x0, static_cast<size_t>(x1 - x0) * sizeof(float));
        return;
    }
    for (int x = x0; x < x1; ++x) {
        to[0][x] = from[0][x];
        to[1][x] = from[1][x];
        to[2][x] = from[2][x];
        to[3][x] = from[3][x];
    }
}

// Writes row y back to the host: the blended working planes over the covered runs, the host's own
// lines elsewhere (alpha not written where the host has no alpha line). The host takes a call per
// pixel, long enough to fetch the next row's lines meanwhile: they are asked for one cache line of
// floats at a time, so that the next row's copies find them in the cache.
void WriteRow(const LWFilterAccess &access, int y, const RowLines &lines, const float *const *work,
              const std::vector<RowSpan> &covered, const RowLines &following)
{
    const int width = access.width;
    const bool alpha = lines.hasAlpha;
    size_t next = 0; // the first covered run not yet reached
    for (int x = 0; x < width;) {
        const bool blended = next < covered.size() && x >= covered[next].x0;
        const int end = blended ? covered[next].x1 : next < covered.size() ? covered[next].x0 : width;
        const float *const *from = blended ? work : lines.plane;
        const float *r = from[0], *g = from[1], *b = from[2], *a = from[3];
        for (; x < end; ++x) {
            if ((x & 15) == 0)
                for (const float *plane : following.plane)
                    __builtin_prefetch(plane + x);
            const float rgb[3] = {r[x], g[x], b[x]};
            access.setRGB(x, y, rgb);
            if (alpha)
                access.setAlpha(x, y, a[x]);
        }
        if (blended)
            ++next;
    }
}

// While the frames are blended, a result too small for a normal float is taken as 0, and so is
// such a value read (the processor's flush-to-zero and denormals-are-zero modes). Where a frame's
// colour has no part of a channel, each band over a pixel scales that channel down again: under
// some eighty bands it leaves the normal floats, and every later operation on it would take the
// processor a hundred times as long. A value so small is 0 in any image file. The render thread's
// own mode is given back before the filter returns.
#if defined(ZK_FLOAT_MODES)
class NormalFloatsOnly {
public:
    NormalFloatsOnly() : saved_(_mm_getcsr()) { _mm_setcsr(saved_ | _MM_FLUSH_ZERO_ON | _MM_DENORMALS_ZERO_ON); }
    ~NormalFloatsOnly() { _mm_setcsr(saved_); }
    NormalFloatsOnly(const NormalFloatsOnly &) = delete;
    NormalFloatsOnly &operator=(const NormalFloatsOnly &) = delete;

private:
    unsigned int saved_;
};
#else
struct NormalFloatsOnly {}; // no such modes: the values are blended as they come
#endif

// Frames are sized in camera pixels. An image rendered at another size than the camera's
// resolution (Layout's resolution multiplier) gets them scaled to it, column and row each by
// their own factor; at the camera's size they are used as they are.
struct ImageScale {
    bool same = true;
    double x = 1.0, y = 1.0;
    mutable std::optional<FrameRecord> scaled; // a copy: a new record would take a default name

    const FrameRecord &Apply(const FrameRecord &frame) const
    {
        scaled.emplace(frame);
        scaled->posX *= x;
        scaled->posY *= y;
        scaled->width *= x;
        scaled->height *= y;
        return *scaled;
    }
};

ImageScale ScaleOf(LWItemID camera, const LWFilterAccess &access)
{
    ImageScale scale;
    const LWCameraInfo *cameras = g_hostGlobals.cameraInfo;
    int w = 0, h = 0;
    if (cameras && cameras->resolution)
        cameras->resolution(camera, &w, &h);
    if (w > 0 && h > 0 && (w != access.width || h != access.height)) {
        scale.same = false;
        scale.x = static_cast<double>(access.width) / w;
        scale.y = static_cast<double>(access.height) / h;
    }
    return scale;
}

void FilterRows(const LWFilterAccess &access, FilterScratch &scratch)
{
    const int width = access.width;
    WorkRow &row = scratch.row;
    float *const work[4] = {row.data(0, 0, 0, 0), row.data(0, 0, 0, 1), row.data(0, 0, 0, 2), row.data(0, 0, 0, 3)};
    scratch.byFirstRow.resize(scratch.polygons.size());
    for (size_t i = 0; i < scratch.polygons.size(); ++i)
        scratch.byFirstRow[i] = static_cast<int>(i);
    std::stable_sort(scratch.byFirstRow.begin(), scratch.byFirstRow.end(), [&](int a, int b) {
        return scratch.polygons[static_cast<size_t>(a)].shape.firstRow <
               scratch.polygons[static_cast<size_t>(b)].shape.firstRow;
    });
    scratch.active.clear();
    size_t next = 0;
    RowLines following = ReadLines(access, 0, scratch);
    for (int y = 0; y < access.height; ++y) {
        const RowLines lines = following;
        if (y + 1 < access.height)
            following = ReadLines(access, y + 1, scratch);
        AdvanceActive(scratch, next, y);
        RowSpans(scratch, width, y);
        for (const RowSpan &run : scratch.covered)
            CopyRun(work, lines.plane, run.x0, run.x1);
        for (const RowSpan &span : scratch.spans)
            Blend(row, span, scratch.polygons[static_cast<size_t>(span.polygon)]);
        WriteRow(access, y, lines, work, scratch.covered, following);
    }
}

LWInstance CreateFilter(void *, void *, LWError *error)
{
    return GuardedOr(static_cast<LWInstance>(nullptr), [&]() -> LWInstance {
        auto *filter = new FilterInstance();
        FilterInstance *expected = nullptr;
        if (!g_filter.compare_exchange_strong(expected, filter)) {
            delete filter;
            if (error)
                *error = FrameErrorText(1);
            return nullptr;
        }
        return filter;
    });
}

void DestroyFilter(LWInstance inst)
{
    Guarded([&] {
        auto *filter = FilterOf(inst);
        FilterInstance *expected = filter;
        g_filter.compare_exchange_strong(expected, nullptr);
        delete filter;
    });
}

const char *DescribeFilter(LWInstance) { return kCameraFrameServerName; }

// The buffers the filter reads, as the host asks every filter to name them.
const char **BuffersRead(LWInstance)
{
    static const char *buffers[] = {kColourBuffer, kAlphaBuffer, nullptr};
    return buffers;
}

} // namespace

LWError ProcessFrameFilter(LWInstance, const LWFilterAccess *access)
{
    return GuardedOr(kFilterFailed, [&]() -> LWError {
        if (!access || access->width < 1 || access->height < 1 || !access->getLine || !access->setRGB ||
            !access->setAlpha)
            return nullptr;
        const LWItemID camera = RenderCameraOf(*access);
        if (!camera)
            return nullptr;
        const auto lease = g_scratchPool.Take();
        FilterScratch &scratch = *lease;
        PrepareScratch(scratch, access->width);
        const ScratchTrim trim{scratch};
        const ImageScale scale = ScaleOf(camera, *access);
        {
            auto lock = LockFrames();
            for (const auto &f : Frames())
                if (f->active && f->camera == camera) {
                    const FrameRecord &frame = scale.same ? *f : scale.Apply(*f);
                    AddBandPolygons(frame, access->width, access->height, scratch.polygons);
                    AddGuidePolygons(frame, access->width, access->height, scratch.polygons);
                }
        }
        // Later frames blend over earlier ones: within a row the polygons blend in list order.
        const NormalFloatsOnly normalFloats;
        FilterRows(*access, scratch);
        return nullptr;
    });
}

size_t FrameFilterScratchBytes()
{
    size_t bytes = 0;
    g_scratchPool.ForEachIdle([&](const FilterScratch &scratch) { bytes += scratch.Bytes(); });
    return bytes;
}

void FillFrameFilterHandler(LWImageFilterHandler &handler)
{
    if (handler.inst) {
        handler.inst->priv = nullptr;
        handler.inst->create = CreateFilter;
        handler.inst->destroy = DestroyFilter;
        handler.inst->copy = NoCopy;
        handler.inst->load = NoLoad;
        handler.inst->save = NoSave;
        handler.inst->descln = DescribeFilter;
    }
    FillNoItems(handler.item);
    handler.process = ProcessFrameFilter;
    handler.flags = BuffersRead;
}
