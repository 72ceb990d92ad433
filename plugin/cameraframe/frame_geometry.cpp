// frame_geometry.cpp: Frame Calc, margins and corners.
#include "frame_geometry.h"

#include "../common/lwtool2.h"

#include <algorithm>
#include <cmath>

namespace {

// Derives the value that the frame's mode does not take from the user (the table of the three
// edits comes down to one rule per mode), then, with a camera, the margin pixels of the new size.
// A frame without a camera follows the mode too: the scene keeps only width and aspect, so a
// height of its own would not come back.
void DeriveThird(FrameRecord &f)
{
    switch (f.calcMode) {
    case WidthHeight: f.aspect = f.width / f.height; break;
    case WidthAspect: f.height = f.width / f.aspect; break;
    case HeightAspect: f.width = f.aspect * f.height; break;
    default: break;
    }
    if (f.camera)
        PixelsFromPercent(f);
}

// A whole number of pixels, at least 1 (NaN gives 1).
double WholeSize(double entered) { return std::max(1.0, std::trunc(entered)); }

} // namespace

void PixelsFromPercent(FrameRecord &f)
{
    f.marginWPx = std::floor(f.marginW * f.width);
    f.marginHPx = std::floor(f.marginH * f.height);
}

void SetFrameWidth(FrameRecord &frame, double entered)
{
    auto edit = EditFrames();
    frame.width = WholeSize(entered);
    DeriveThird(frame);
}

void SetFrameHeight(FrameRecord &frame, double entered)
{
    auto edit = EditFrames();
    frame.height = WholeSize(entered);
    DeriveThird(frame);
}

void SetFrameAspect(FrameRecord &frame, double entered)
{
    auto edit = EditFrames();
    const double aspect = entered <= 0.0 ? 1.0 : entered;
    frame.aspect = std::max(0.01, aspect);
    DeriveThird(frame);
}

void SetMarginWPercent(FrameRecord &frame, double percent)
{
    auto edit = EditFrames();
    frame.marginW = percent / 100.0;
    if (frame.camera)
        PixelsFromPercent(frame);
}

void SetMarginHPercent(FrameRecord &frame, double percent)
{
    auto edit = EditFrames();
    frame.marginH = percent / 100.0;
    if (frame.camera)
        PixelsFromPercent(frame);
}

void SetMarginWPixels(FrameRecord &frame, double pixels)
{
    auto edit = EditFrames();
    frame.marginWPx = std::trunc(pixels);
    if (frame.camera)
        frame.marginW = frame.marginWPx / frame.width;
}

void SetMarginHPixels(FrameRecord &frame, double pixels)
{
    auto edit = EditFrames();
    frame.marginHPx = std::trunc(pixels);
    if (frame.camera)
        frame.marginH = frame.marginHPx / frame.height;
}

void FrameUnitPoint(const FrameRecord &frame, double u, double v, double &x, double &y)
{
    const double c = std::cos(frame.rotation);
    const double s = std::sin(frame.rotation);
    const double ox = (u - 0.5) * frame.width;
    const double oy = (v - 0.5) * frame.height;
    x = frame.posX + ox * c + oy * s;
    y = frame.posY - ox * s + oy * c;
}

FrameCornerSet frameCorners(const FrameRecord &frame, double refW, double refH)
{
    static const double kUnit[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const double cx = refW / 2.0 + frame.posX;
    const double cy = refH / 2.0 + frame.posY;
    const double c = std::cos(frame.rotation);
    const double s = std::sin(frame.rotation);
    const double mw = std::max(frame.marginW, 2.0 / frame.width);
    const double mh = std::max(frame.marginH, 2.0 / frame.height);
    FrameCornerSet corners{};
    for (int k = 0; k < 4; ++k) {
        const double ix = (kUnit[k][0] - 0.5) * frame.width;
        const double iy = (kUnit[k][1] - 0.5) * frame.height;
        corners.x[k] = cx + ix * c + iy * s;
        corners.y[k] = cy - ix * s + iy * c;
        const double ox = ix * (1.0 + mw);
        const double oy = iy * (1.0 + mh);
        corners.x[k + 4] = cx + ox * c + oy * s;
        corners.y[k + 4] = cy - ox * s + oy * c;
    }
    return corners;
}

CameraViewMapping MapCameraView(int vpW, int vpH, int resW, int resH)
{
    const bool noView = vpW < 1 || vpH < 1;
    const bool noCamera = resW < 1 || resH < 1;
    CameraViewMapping m{vpW, vpH, resW, resH, kFallbackViewWidth, kFallbackViewHeight};
    if (noView) {
        m.vpW = static_cast<int>(kFallbackViewWidth);
        m.vpH = static_cast<int>(kFallbackViewHeight);
    }
    if (noCamera) {
        m.resW = static_cast<int>(kFallbackViewWidth);
        m.resH = static_cast<int>(kFallbackViewHeight);
    }
    if (!noView && !noCamera) {
        const auto [fitW, fitH] = FitCameraImage(vpW, vpH, resW, resH);
        m.fitW = fitW;
        m.fitH = fitH;
    }
    return m;
}

bool ReadCameraViewport(const LWViewportInfo *views, const LWCameraInfo *cameras, int view, CameraViewport &out)
{
    if (!views || !views->type || !views->viewItem || !views->rect || !cameras || !cameras->resolution)
        return false;
    if (views->type(view) != LVVIEWT_CAMERA)
        return false;
    out.camera = views->viewItem(view);
    if (out.camera == LWITEM_NULL)
        return false;
    int left = 0, top = 0, width = 0, height = 0, resW = 0, resH = 0;
    views->rect(view, &left, &top, &width, &height);
    cameras->resolution(out.camera, &resW, &resH);
    out.shown = MapCameraView(width, height, resW, resH);
    return true;
}
