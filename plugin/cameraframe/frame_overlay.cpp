// frame_overlay.cpp: drawing margin bands, highlights, memos, focal lengths and the combined shading.
#include "frame_overlay.h"

#include "frame_geometry.h"
#include "frame_guides.h"
#include "frame_list.h"
#include "frame_mask.h"
#include "frame_tool.h"

#include "../common/lwglobals.h"
#include "../common/lwguard.h"
#include "../common/lwtool2.h"

#include <cmath>
#include <vector>

namespace {

const float kTextColor[4] = {0.7f, 0.7f, 0.7f, 1.0f};

// A point of a frame's unit square placed in the viewport.
struct ViewMapping {
    CameraViewMapping shown;

    void Place(const FrameRecord &f, double u, double v, LWDVector out) const
    {
        double x = 0, y = 0;
        FrameUnitPoint(f, u, v, x, y);
        out[0] = shown.ViewX(x);
        out[1] = shown.ViewY(y);
        out[2] = 0.001;
    }
};

bool Finite(const LWDVector *points, int count)
{
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(points[i][0]) || !std::isfinite(points[i][1]))
            return false;
    return true;
}

// Null-safe calls of the access record; shapes with a non-finite point (a frame of zero size from
// a damaged scene) are left out.
struct Painter {
    LWCustomObjAccess *a;

    void Color(float r, float g, float b, float alpha) const
    {
        float rgba[4] = {r, g, b, alpha};
        if (a->setColor)
            a->setColor(a->dispData, rgba);
    }
    void TextColor() const
    {
        float rgba[4] = {kTextColor[0], kTextColor[1], kTextColor[2], kTextColor[3]};
        if (a->setColor)
            a->setColor(a->dispData, rgba);
    }
    void Quad(const ViewMapping &m, const FrameRecord &f, double u0, double v0, double u1, double v1) const
    {
        if (!a->quad)
            return;
        LWDVector p[4];
        m.Place(f, u0, v0, p[0]);
        m.Place(f, u1, v0, p[1]);
        m.Place(f, u1, v1, p[2]);
        m.Place(f, u0, v1, p[3]);
        if (Finite(p, 4))
            a->quad(a->dispData, p[0], p[1], p[2], p[3], LWCSYS_VIEWPORT);
    }
    void Polygon(const ViewMapping &m, const FrameRecord &f, double u0, double v0, double u1, double v1) const
    {
        if (!a->polyIndexed)
            return;
        unsigned int indexes[4] = {0, 1, 2, 3};
        LWDVector p[4];
        m.Place(f, u0, v0, p[0]);
        m.Place(f, u1, v0, p[1]);
        m.Place(f, u1, v1, p[2]);
        m.Place(f, u0, v1, p[3]);
        if (Finite(p, 4))
            a->polyIndexed(a->dispData, 4, indexes, p, LWCSYS_VIEWPORT);
    }
    void Line(const ViewMapping &m, const FrameRecord &f, const GuideSegment &s) const
    {
        if (!a->line)
            return;
        LWDVector p[2];
        m.Place(f, s.u0, s.v0, p[0]);
        m.Place(f, s.u1, s.v1, p[1]);
        if (Finite(p, 2))
            a->line(a->dispData, p[0], p[1], LWCSYS_VIEWPORT);
    }
    void Text(const ViewMapping &m, const FrameRecord &f, double u, double v, const std::string &text, int justify) const
    {
        if (!a->text)
            return;
        LWDVector p;
        m.Place(f, u, v, p);
        if (Finite(&p, 1))
            a->text(a->dispData, p, text.c_str(), justify, LWCSYS_VIEWPORT);
    }
};

double CurrentTime()
{
    if (g_hostGlobals.global)
        g_hostGlobals.timeInfo = static_cast<const LWTimeInfo *>(g_hostGlobals.global(LWTIMEINFO_GLOBAL, GFUSE_TRANSIENT));
    return g_hostGlobals.timeInfo ? g_hostGlobals.timeInfo->time : 0.0;
}

void DrawOneFrame(const Painter &p, const ViewMapping &m, const FrameRecord &f)
{
    const float r = static_cast<float>(f.color[0]);
    const float g = static_cast<float>(f.color[1]);
    const float b = static_cast<float>(f.color[2]);
    p.Color(r, g, b, static_cast<float>(1.0 - f.transparency));
    const double hw = f.marginW / 2.0, hh = f.marginH / 2.0;
    if (f.marginW != 0.0 || f.marginH != 0.0) {
        p.Quad(m, f, -hw, -hh, 1 + hw, 0);
        p.Quad(m, f, -hw, 1, 1 + hw, 1 + hh);
        p.Quad(m, f, -hw, 0, 0, 1);
        p.Quad(m, f, 1, 0, 1 + hw, 1);
    }
    if (f.hot) {
        p.Color(r, g, b, 0.25f);
        p.Polygon(m, f, 0, 0, 1, 1);
        const double zx = kGrabZone / f.width, zy = kGrabZone / f.height;
        const double corners[5][2] = {{0, 0}, {1 - zx, 0}, {1 - zx, 1 - zy}, {0, 1 - zy}, {0.5 - zx / 2, 0.5 - zy / 2}};
        for (const auto &c : corners)
            p.Polygon(m, f, c[0], c[1], c[0] + zx, c[1] + zy);
    }
    const double textV = 1 + 0.35 * f.marginH;
    if (!f.memo.empty()) {
        p.TextColor(); // viewport text is UTF-8, as the memo is
        p.Text(m, f, 0, textV, f.memo, LWJUST_LEFT);
    }
    if (f.showFocalLength && g_hostGlobals.cameraInfo) {
        const double focal = g_hostGlobals.cameraInfo->focalLength(f.camera, CurrentTime());
        p.TextColor();
        p.Text(m, f, 0.5, textV, FormatString("%6.1fmm", focal), LWJUST_CENTER);
    }
}

// The frame's composition guides and safe rectangles, in its colour at the guides' own opacity.
void DrawGuides(const Painter &p, const ViewMapping &m, const FrameRecord &f)
{
    const std::vector<GuideSegment> segments = FrameGuideSegments(f.guides);
    if (segments.empty())
        return;
    p.Color(static_cast<float>(f.color[0]), static_cast<float>(f.color[1]), static_cast<float>(f.color[2]),
            static_cast<float>(f.guides.opacity));
    for (const GuideSegment &s : segments)
        p.Line(m, f, s);
}

void DrawCombined(const Painter &p, const ViewMapping &m, const CameraFrameState &state, int view, const MaskKey &key,
                  const std::vector<const FrameRecord *> &frames)
{
    // The frames in mask pixels, placed only when the cached texture has to be rebuilt.
    auto quads = [&] {
        std::vector<MaskQuad> list;
        const double kx = kMaskSize / static_cast<double>(m.shown.vpW);
        const double ky = kMaskSize / static_cast<double>(m.shown.vpH);
        for (const FrameRecord *f : frames) {
            MaskQuad quad;
            static const double kUnit[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
            for (int k = 0; k < 4; ++k) {
                LWDVector v;
                m.Place(*f, kUnit[k][0], kUnit[k][1], v);
                quad[static_cast<size_t>(k)] = {v[0] * kx, v[1] * ky};
            }
            list.push_back(quad);
        }
        return list;
    };
    const unsigned char *texture = CombinedMaskTexture(view, key, quads);
    if (!texture)
        return; // viewports past the fourth get no shading
    LWCustomObjAccess *a = p.a;
    p.Color(static_cast<float>(state.combinedColor[0]), static_cast<float>(state.combinedColor[1]),
            static_cast<float>(state.combinedColor[2]), static_cast<float>(1.0 - state.combinedTransparency));
    if (a->setTexture)
        a->setTexture(a->dispData, kMaskSize, const_cast<unsigned char *>(texture)); // read only
    if (a->setUVs) {
        double uv0[2] = {0, 0}, uv1[2] = {0, 1}, uv2[2] = {1, 1}, uv3[2] = {1, 0};
        a->setUVs(a->dispData, uv0, uv1, uv2, uv3);
    }
    if (a->quad) {
        const double vpW = m.shown.vpW, vpH = m.shown.vpH;
        LWDVector q0 = {0, 0, 0}, q1 = {vpW, 0, 0}, q2 = {vpW, vpH, 0}, q3 = {0, vpH, 0};
        a->quad(a->dispData, q0, q1, q2, q3, LWCSYS_VIEWPORT);
    }
}

void Draw(LWInstance inst, LWCustomObjAccess *access)
{
    Guarded([&] {
        auto *state = FrameStateOf(inst);
        CameraViewport viewport;
        if (!state || !access ||
            !ReadCameraViewport(g_hostGlobals.viewportInfo, g_hostGlobals.cameraInfo, access->view, viewport))
            return;
        const int view = access->view;
        const LWItemID camera = viewport.camera;
        auto lock = LockFrames();
        std::vector<const FrameRecord *> frames;
        for (const auto &f : Frames())
            if (f->active && f->camera == camera)
                frames.push_back(f.get());
        if (frames.empty())
            return;
        const CameraViewMapping &shown = viewport.shown;
        const ViewMapping mapping{shown};
        const Painter painter{access};
        if (access->setDrawMode)
            access->setDrawMode(access->dispData, 0);
        if (access->setPattern)
            access->setPattern(access->dispData, LWLPAT_SOLID);
        if (!state->combined) {
            for (const FrameRecord *f : frames)
                DrawOneFrame(painter, mapping, *f);
        } else {
            const MaskKey key{camera, shown.vpW, shown.vpH, shown.resW, shown.resH, FramesGeneration()};
            DrawCombined(painter, mapping, *state, view, key, frames);
        }
        for (const FrameRecord *f : frames)
            DrawGuides(painter, mapping, *f);
    });
}

int Dirty(LWInstance)
{
    return GuardedOr(0, [] {
        auto lock = LockFrames();
        bool any = false;
        for (auto &f : Frames()) {
            any = any || f->redraw;
            f->redraw = false;
        }
        return any ? 1 : 0;
    });
}

} // namespace

void FillFrameGizmo(LWMasterGizmo &gizmo)
{
    if (gizmo.gizmo) {
        *gizmo.gizmo = LWGizmoFuncs{};
        gizmo.gizmo->draw = Draw;
        gizmo.gizmo->dirty = Dirty;
    }
}
