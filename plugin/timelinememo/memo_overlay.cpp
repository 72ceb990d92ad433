// memo_overlay.cpp: drawing the memo's tracks, clips and current-frame marker over a viewport.
#include "memo_overlay.h"

#include "../common/lwglobals.h"
#include "../common/lwguard.h"

namespace {

constexpr double kDepth = 0.001;
constexpr float kRowColor[4] = {0.2f, 0.2f, 0.2f, 0.5f};
constexpr float kLabelColor[4] = {0.8f, 0.8f, 0.8f, 1.0f};
constexpr float kMarkerColor[4] = {0.8f, 0.8f, 0.8f, 0.25f};

void SetColor(LWCustomObjAccess &access, const float rgba[4])
{
    float color[4] = {rgba[0], rgba[1], rgba[2], rgba[3]};
    if (access.setColor)
        access.setColor(access.dispData, color);
}

void SetColor(LWCustomObjAccess &access, const std::array<float, 3> &rgb)
{
    const float rgba[4] = {rgb[0], rgb[1], rgb[2], 1.0f};
    SetColor(access, rgba);
}

// The unit square scaled by (w, h) and moved by (x0, y0), as one 4-vertex polygon.
void DrawUnitQuad(LWCustomObjAccess &access, double x0, double y0, double w, double h)
{
    if (!access.polyIndexed)
        return;
    LWDVector points[4] = {{x0, y0, kDepth}, {x0 + w, y0, kDepth}, {x0 + w, y0 + h, kDepth}, {x0, y0 + h, kDepth}};
    unsigned int indexes[4] = {0, 1, 2, 3};
    access.polyIndexed(access.dispData, 4, indexes, points, LWCSYS_VIEWPORT);
}

void DrawText(LWCustomObjAccess &access, double x, double y, const std::string &text, int justify)
{
    if (!access.text || text.empty())
        return;
    LWDVector position = {x, y, kDepth};
    access.text(access.dispData, position, text.c_str(), justify, LWCSYS_VIEWPORT);
}

} // namespace

MemoLayout &MemoOverlayLayout()
{
    static MemoLayout layout;
    return layout;
}

void DrawMemoStrip(const MemoInstance &instance, const MemoDrawInputs &inputs, LWCustomObjAccess &access)
{
    if (access.setDrawMode)
        access.setDrawMode(access.dispData, 0);
    if (access.setPattern)
        access.setPattern(access.dispData, LWLPAT_SOLID);

    MemoLayout &layout = MemoOverlayLayout();
    layout.width = inputs.width;
    layout.height = inputs.height;
    layout.axisWidth = inputs.width - (layout.labelMargin + layout.rightMargin);
    // A preview range of one frame (or a reversed one) is drawn as a range one frame long.
    const double span = static_cast<double>(inputs.previewEnd) - inputs.previewStart;
    layout.frameWidth = layout.axisWidth / (span >= 1.0 ? span : 1.0);

    const std::vector<MemoTrack *> active = ActiveTracks(instance);
    const double top = inputs.height - layout.rowHeight * static_cast<double>(active.size());
    for (size_t i = 0; i < active.size(); ++i) {
        const MemoTrack &track = *active[i];
        const double rowY = top + layout.rowHeight * static_cast<double>(i);
        SetColor(access, kRowColor);
        DrawUnitQuad(access, 0.0, rowY, inputs.width, layout.rowHeight);
        for (const auto &clip : track.clips) {
            const double s = inputs.fps * clip->startTime;
            const double d = inputs.fps * clip->duration;
            const double x0 = layout.labelMargin + (s - inputs.previewStart) * layout.frameWidth;
            const double w = d * layout.frameWidth;
            const double y0 = rowY + (layout.rowHeight - layout.boxHeight) * 0.5;
            SetColor(access, clip->backColor);
            DrawUnitQuad(access, x0, y0, w, layout.boxHeight);
            SetColor(access, clip->foreColor);
            DrawText(access, x0 + 0.5 * w, y0 + 0.85 * layout.boxHeight, clip->name, LWJUST_CENTER);
        }
        SetColor(access, kLabelColor);
        DrawText(access, 1.0, rowY + 0.85 * layout.rowHeight, TrackDisplayName(track), LWJUST_LEFT);
    }
    SetColor(access, kMarkerColor);
    // In double: the frame and the preview start may lie the whole int range apart.
    const double markerX = layout.labelMargin + (static_cast<double>(inputs.frame) - inputs.previewStart) * layout.frameWidth;
    DrawUnitQuad(access, markerX, top + 1.0, layout.frameWidth, layout.rowHeight * static_cast<double>(active.size()));
}

void DrawMemoOverlay(LWInstance inst, LWCustomObjAccess *access)
{
    Guarded([&] {
        MemoInstance *instance = LiveMemoOf(inst);
        if (!instance || !access)
            return;
        const LWViewportInfo *viewports = LookUp<LWViewportInfo>(LWVIEWPORTINFO_GLOBAL);
        g_hostGlobals.viewportInfo = viewports;
        if (!viewports || viewports->numViewports != 1)
            return;
        const LWSceneInfo *scene = LookUp<LWSceneInfo>(LWSCENEINFO_GLOBAL);
        const LWTimeInfo *time = LookUp<LWTimeInfo>(LWTIMEINFO_GLOBAL);
        const LWInterfaceInfo *ui = LookUp<LWInterfaceInfo>(LWINTERFACEINFO_GLOBAL);
        g_hostGlobals.sceneInfo = scene;
        g_hostGlobals.timeInfo = time;
        g_hostGlobals.interfaceInfo = ui;
        if (!scene || !time || !ui || !viewports->rect)
            return;
        MemoDrawInputs inputs;
        int left = 0, topEdge = 0, width = 0, height = 0;
        viewports->rect(access->view, &left, &topEdge, &width, &height);
        inputs.width = width;
        inputs.height = height;
        inputs.fps = scene->framesPerSecond;
        inputs.frame = time->frame;
        inputs.previewStart = ui->previewStart;
        inputs.previewEnd = ui->previewEnd;
        DrawMemoStrip(*instance, inputs, *access);
    });
}

int MemoGizmoDirty(LWInstance inst)
{
    return GuardedOr(0, [&] {
        MemoInstance *instance = LiveMemoOf(inst);
        if (!instance)
            return 0;
        if (!instance->redrawPending)
            return 0;
        instance->redrawPending = false;
        return 1;
    });
}

void FillMemoGizmo(LWMasterGizmo &gizmo)
{
    if (!gizmo.gizmo)
        return;
    gizmo.gizmo->draw = DrawMemoOverlay;
    gizmo.gizmo->dirty = MemoGizmoDirty;
}
