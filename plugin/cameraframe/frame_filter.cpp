// frame_filter.cpp: filling each active frame's margin band of the render camera into the image.
//
// The bands are first turned into pixel spans, row by row, under the frame list's lock; the image
// is then filtered one row at a time through a working row kept per thread between calls. A
// full-size 4-channel float copy of a 4K render would cost more in first page touches and memory
// traffic than the whole pass over the host's rows; the row stays in cache and gives the same
// pixels.
#include "frame_filter.h"


#include "cameraframe_servers.h"
#include "frame_geometry.h"
#include "frame_guides.h"
#include "frame_list.h"
#include "frame_master.h"
#include "frame_raster.h"

#include "../common/lwactivate.h"
#include "../common/lwglobals.h"

#include <CImg.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// What the renderer is told when the frames could not be drawn into a render.
constexpr char kFilterFailed[] = "ZK:CameraFrame: the frames could not be drawn into this render";

using WorkRow = cimg_library::CImg<float>;

struct FilterInstance {};
std::atomic<FilterInstance *> g_filter{nullptr};

FilterInstance *FilterOf(LWInstance instance) { return static_cast<FilterInstance *>(instance); }

// One run of band pixels of one frame, blended as keep x old + add[c].
struct BandSpan {
    int y, x0, x1;
    float keep;
    float add[4];
};

struct FilterScratch {
    WorkRow row;                  // width x 1, 4 channels: red, green, blue, alpha
    std::vector<BandSpan> spans;  // in row order, frames in list order within a row
};

FilterScratch &Scratch(int width)
{
    thread_local FilterScratch scratch;
    if (scratch.row.width() != width || scratch.row.spectrum() != 4)
        scratch.row.assign(static_cast<unsigned>(width), 1, 1, 4, 0.0f);
    scratch.spans.clear();
    return scratch;
}

// Band quads as point indexes: 0..3 inner corners, 4..7 outer corners.
const int kBandQuads[4][4] = {{4, 0, 1, 5}, {5, 1, 2, 6}, {6, 2, 3, 7}, {7, 3, 0, 4}};

void AddBandSpans(const FrameRecord &f, int width, int height, std::vector<BandSpan> &spans)
{
    const FrameCornerSet corners = frameCorners(f, width, height);
    const float o = static_cast<float>(1.0 - f.transparency);
    if (!(o > 0.0f))
        return; // fully transparent: blending would leave every pixel as it was
    const float color[4] = {static_cast<float>(f.color[0]), static_cast<float>(f.color[1]),
                            static_cast<float>(f.color[2]), o};
    BandSpan span{0, 0, 0, 1.0f - o, {o * color[0], o * color[1], o * color[2], o * color[3]}};
    for (const auto &quad : kBandQuads) {
        RasterPoint points[4];
        for (int k = 0; k < 4; ++k)
            points[k] = {corners.x[quad[k]], corners.y[quad[k]]};
        ForEachPolygonSpan(points, 4, width, height, [&](int y, int x0, int x1) {
            span.y = y;
            span.x0 = x0;
            span.x1 = x1;
            spans.push_back(span);
        });
    }
}

// The guides of a frame that burns them in: each line as a filled strip kGuideLineWidth wide, in
// the frame's colour at the guides' opacity, blended like the bands.
void AddGuideSpans(const FrameRecord &f, int width, int height, std::vector<BandSpan> &spans)
{
    const float o = static_cast<float>(f.guides.opacity);
    if (!f.guides.burnIn || !(o > 0.0f))
        return;
    const BandSpan blend{0, 0, 0, 1.0f - o,
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
        ForEachPolygonSpan(strip, 4, width, height, [&](int y, int a, int b) {
            BandSpan span = blend;
            span.y = y;
            span.x0 = a;
            span.x1 = b;
            spans.push_back(span);
        });
    }
}

void Blend(WorkRow &row, const BandSpan &span)
{
    for (unsigned c = 0; c < 4; ++c) {
        float *p = row.data(0, 0, 0, c);
        for (int x = span.x0; x < span.x1; ++x)
            p[x] = span.keep * p[x] + span.add[c];
    }
}

LWItemID RenderCameraOf(const LWFilterAccess &access)
{
    if (!g_hostGlobals.global)
        return LWITEM_NULL;
    // Kept local: this runs on the render thread, while the interface thread writes the shared
    // table's scene info.
    const auto *scene = static_cast<const LWSceneInfo *>(g_hostGlobals.global("LW Scene Info 12", GFUSE_TRANSIENT));
    if (!scene || !scene->renderCamera)
        return LWITEM_NULL;
    const double fps = scene->framesPerSecond;
    const double time = fps > 0.0 ? access.frame / fps : 0.0;
    return scene->renderCamera(time);
}

void FilterRows(const LWFilterAccess &access, FilterScratch &scratch)
{
    const size_t rowBytes = static_cast<size_t>(access.width) * sizeof(float);
    WorkRow &row = scratch.row;
    auto next = scratch.spans.cbegin();
    for (int y = 0; y < access.height; ++y) {
        bool hasAlpha = false;
        for (unsigned c = 0; c < 4; ++c) {
            // "Final_Render" holds one layer per colour component, "Alpha" one layer.
            const float *line = c < 3 ? access.getLine("Final_Render", y, static_cast<int>(c)) : access.getLine("Alpha", y, 0);
            float *dst = row.data(0, 0, 0, c);
            if (line)
                std::memcpy(dst, line, rowBytes);
            else
                std::memset(dst, 0, rowBytes);
            hasAlpha = line != nullptr;
        }
        for (; next != scratch.spans.cend() && next->y == y; ++next)
            Blend(row, *next);
        const float *r = row.data(0, 0, 0, 0);
        const float *g = row.data(0, 0, 0, 1);
        const float *b = row.data(0, 0, 0, 2);
        const float *a = row.data(0, 0, 0, 3);
        for (int x = 0; x < access.width; ++x) {
            const float rgb[3] = {r[x], g[x], b[x]};
            access.setRGB(x, y, rgb);
            if (hasAlpha) // without an alpha line the host's alpha is left as it is
                access.setAlpha(x, y, a[x]);
        }
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

const char **NoBuffers(LWInstance)
{
    static const char *none[] = {nullptr};
    return none;
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
        FilterScratch &scratch = Scratch(access->width);
        {
            auto lock = LockFrames();
            for (const auto &f : Frames())
                if (f->active && f->camera == camera)
                {
                    AddBandSpans(*f, access->width, access->height, scratch.spans);
                    AddGuideSpans(*f, access->width, access->height, scratch.spans);
                }
        }
        // Later frames blend over earlier ones: the sort keeps list order within a row.
        std::stable_sort(scratch.spans.begin(), scratch.spans.end(),
                         [](const BandSpan &a, const BandSpan &b) { return a.y < b.y; });
        FilterRows(*access, scratch);
        return nullptr;
    });
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
    handler.flags = NoBuffers;
}
