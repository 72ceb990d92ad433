// frame_filter.cpp: filling each active frame's margin band of the render camera into the image.
//
// The working image is kept per thread between calls: a fresh 4-channel float image of a 4K render
// costs far more in first page touches than the whole pass over it.
#include "frame_filter.h"

#include "cameraframe_servers.h"
#include "frame_geometry.h"
#include "frame_list.h"
#include "frame_master.h"
#include "frame_raster.h"

#include "../common/lwactivate.h"
#include "../common/lwglobals.h"

#include <CImg.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

using WorkImage = cimg_library::CImg<float>;

struct FilterInstance {};
std::atomic<FilterInstance *> g_filter{nullptr};

WorkImage &WorkingImage(int width, int height)
{
    thread_local WorkImage image;
    if (image.width() != width || image.height() != height || image.spectrum() != 4)
        image.assign(static_cast<unsigned>(width), static_cast<unsigned>(height), 1, 4, 0.0f);
    return image;
}

// Band quads as point indexes: 0..3 inner corners, 4..7 outer corners.
const int kBandQuads[4][4] = {{4, 0, 1, 5}, {5, 1, 2, 6}, {6, 2, 3, 7}, {7, 3, 0, 4}};

void DrawBand(WorkImage &image, const FrameRecord &f)
{
    const FrameCornerSet corners = frameCorners(f, image.width(), image.height());
    const float o = static_cast<float>(1.0 - f.transparency);
    if (!(o > 0.0f))
        return; // fully transparent: blending would leave every pixel as it was
    const float color[4] = {static_cast<float>(f.color[0]), static_cast<float>(f.color[1]),
                            static_cast<float>(f.color[2]), o};
    const float keep = 1.0f - o;
    for (const auto &quad : kBandQuads) {
        RasterPoint points[4];
        for (int k = 0; k < 4; ++k)
            points[k] = {corners.x[quad[k]], corners.y[quad[k]]};
        ForEachPolygonSpan(points, 4, image.width(), image.height(), [&](int y, int x0, int x1) {
            for (int c = 0; c < 4; ++c) {
                float *p = image.data(0, y, 0, static_cast<unsigned>(c));
                const float add = o * color[c];
                for (int x = x0; x < x1; ++x)
                    p[x] = keep * p[x] + add;
            }
        });
    }
}

LWItemID RenderCameraOf(const LWFilterAccess &access)
{
    if (!g_hostGlobals.global)
        return LWITEM_NULL;
    g_hostGlobals.sceneInfo = static_cast<const LWSceneInfo *>(g_hostGlobals.global("LW Scene Info 12", GFUSE_TRANSIENT));
    const LWSceneInfo *scene = g_hostGlobals.sceneInfo;
    if (!scene || !scene->renderCamera)
        return LWITEM_NULL;
    const double fps = scene->framesPerSecond;
    const double time = fps > 0.0 ? access.frame / fps : 0.0;
    return scene->renderCamera(time);
}

void ReadImage(const LWFilterAccess &access, WorkImage &image)
{
    const size_t rowBytes = static_cast<size_t>(access.width) * sizeof(float);
    for (int y = 0; y < access.height; ++y) {
        for (int c = 0; c < 4; ++c) {
            const float *line = c < 3 ? access.bufLine("Final_Render", c, y) : access.bufLine("Alpha", 0, y);
            float *row = image.data(0, y, 0, static_cast<unsigned>(c));
            if (line)
                std::memcpy(row, line, rowBytes);
            else
                std::memset(row, 0, rowBytes);
        }
    }
}

void WriteImage(const LWFilterAccess &access, const WorkImage &image)
{
    for (int y = 0; y < access.height; ++y) {
        const float *r = image.data(0, y, 0, 0);
        const float *g = image.data(0, y, 0, 1);
        const float *b = image.data(0, y, 0, 2);
        const float *a = image.data(0, y, 0, 3);
        for (int x = 0; x < access.width; ++x) {
            const float rgb[3] = {r[x], g[x], b[x]};
            access.setRGB(x, y, rgb);
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
        auto *filter = static_cast<FilterInstance *>(inst);
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

void ProcessFrameFilter(LWInstance, const LWFilterAccess *access)
{
    Guarded([&] {
        if (!access || access->width < 1 || access->height < 1 || !access->bufLine || !access->setRGB ||
            !access->setAlpha)
            return;
        const LWItemID camera = RenderCameraOf(*access);
        if (!camera)
            return;
        WorkImage &image = WorkingImage(access->width, access->height);
        ReadImage(*access, image);
        {
            auto lock = LockFrames();
            for (const auto &f : Frames())
                if (f->active && f->camera == camera)
                    DrawBand(image, *f);
        }
        WriteImage(*access, image);
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
    handler.process = ProcessFrameFilter;
    handler.flags = NoBuffers;
}
