// frame_tool.cpp: the frame edit tool: grab, move, resize and rotate frames with the mouse.
#include "frame_tool.h"

#include "frame_geometry.h"
#include "frame_panel.h"

#include "../common/lwglobals.h"
#include "../common/lwguard.h"
#include "../common/lwtool2.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRotationPerPixel = kPi / 720.0;
constexpr double kSizeFloor = 2.0 * kGrabZone;
// A drag never makes a frame narrower or lower than this.
constexpr double kMinimumSize = 1.0;

struct ToolState {
    double lastX = 0.0, lastY = 0.0;
    double scaleX = 1.0, scaleY = 1.0;
    bool rotating = false;
    std::int32_t handle = 0;
};

ToolState g_tool;
LWToolFuncs g_toolFuncs;

// The host's viewport record: the snapshot follows the scene, so it is looked up again.
const LWViewportInfo *CurrentViewports()
{
    const LWViewportInfo *views = g_hostGlobals.viewportInfo;
    if (GlobalFunc *global = g_hostGlobals.global)
        if (auto *fresh = static_cast<const LWViewportInfo *>(global(LWVIEWPORTINFO_GLOBAL, GFUSE_TRANSIENT)))
            views = fresh;
    return views;
}

// The camera view the event happened in; false when it is not a camera view with a camera and a
// shown image.
bool MapViewport(int view, CameraViewport &m)
{
    if (!ReadCameraViewport(CurrentViewports(), g_hostGlobals.cameraInfo, view, m))
        return false;
    return m.shown.fitW > 0 && m.shown.fitH > 0;
}

// The event's position in window pixels of the viewport.
bool MousePosition(const LWToolEvent &event, double &x, double &y)
{
    const LWViewportInfo *views = CurrentViewports();
    double z = 0.0;
    if (!views || !views->project || !views->project(event.viewNumber, const_cast<double *>(event.posRaw), &x, &y, &z))
        return false;
    return std::isfinite(x) && std::isfinite(y);
}

// The mouse position in the frame's unit square.
void UnitOf(const FrameRecord &f, const CameraViewMapping &m, double mouseX, double mouseY, double &u, double &v)
{
    const double px = m.CameraX(mouseX) - f.posX;
    const double py = m.CameraY(mouseY) - f.posY;
    const double c = std::cos(f.rotation);
    const double s = std::sin(f.rotation);
    u = (px * c - py * s) / f.width + 0.5;
    v = (px * s + py * c) / f.height + 0.5;
}

int Down(LWInstance, LWToolEvent *event)
{
    return GuardedOr(0, [&] {
        CameraViewport m;
        double x = 0, y = 0;
        if (!event || !MapViewport(event->viewNumber, m) || !MousePosition(*event, x, y))
            return 0;
        ToolState &t = g_tool;
        t.lastX = x;
        t.lastY = y;
        t.scaleX = m.shown.resW / m.shown.fitW;
        t.scaleY = m.shown.resH / m.shown.fitH;
        t.rotating = (event->flags & LWTOOLF_ALT_BUTTON) != 0;
        auto lock = LockFrames();
        FrameRecords &frames = Frames();
        for (int index = static_cast<int>(frames.size()) - 1; index >= 0; --index) {
            FrameRecord &f = *frames[index];
            t.handle = 0;
            if (!f.active || f.camera != m.camera || !(f.width > 0) || !(f.height > 0))
                continue;
            double u = 0, v = 0;
            UnitOf(f, m.shown, x, y, u, v);
            if (!(u >= 0.0 && u < 1.0 && v >= 0.0 && v < 1.0))
                continue;
            t.handle = FrameHandleAt(f, u, v);
            f.hot = true;
            f.redraw = true;
            // The master may have been replaced since the activation: use the one alive now.
            if (CameraFrameState *master = TheFrameState()) {
                master->currentIndex = index;
                RefillFramePanel(*master);
            }
            return 1;
        }
        return 0;
    });
}

} // namespace

void ResizeFrame(FrameRecord &f, double dx, int handle)
{
    auto edit = EditFrames();
    if (handle < 2 || handle > 6)
        return;
    static const int kAnchorOfHandle[7] = {0, 0, 4, 3, 2, 1, 0};
    double width = (handle == 2 || handle == 4) ? f.width - dx : f.width + dx;
    // With a camera the height follows the width at the frame's aspect, so the floor keeps that
    // ratio: a width of at least the aspect gives a height of at least one pixel (the scene keeps
    // width and aspect, and the height comes back as their ratio).
    const bool followsAspect = f.camera != LWITEM_NULL && f.aspect > 0 && std::isfinite(f.aspect);
    const double floor = followsAspect ? std::max(kMinimumSize, kMinimumSize * f.aspect) : kMinimumSize;
    if (!(width >= floor))
        width = floor;
    f.width = width;
    if (f.camera != LWITEM_NULL) {
        if (followsAspect)
            f.height = f.width / f.aspect;
        else if (!(f.height >= kMinimumSize))
            f.height = kMinimumSize;
        PixelsFromPercent(f);
    }
    AdjustFramePosition(f, f.width, f.height, kAnchorOfHandle[handle]);
}

namespace {

void Move(LWInstance, LWToolEvent *event)
{
    Guarded([&] {
        double x = 0, y = 0;
        if (!event || !MousePosition(*event, x, y))
            return;
        ToolState &t = g_tool;
        const double dx = (x - t.lastX) * t.scaleX;
        const double dy = (y - t.lastY) * t.scaleY;
        t.lastX = x;
        t.lastY = y;
        auto edit = EditFrames();
        FrameRecords &frames = Frames();
        for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
            FrameRecord &f = **it;
            if (!f.hot)
                continue;
            if (t.rotating) {
                f.rotation -= dx * kRotationPerPixel;
            } else if (t.handle == 1) {
                f.posX += dx;
                f.posY += dy;
            } else if (t.handle >= 2 && t.handle <= 6) {
                ResizeFrame(f, dx, t.handle);
            }
            f.redraw = true;
        }
        if (CameraFrameState *master = TheFrameState())
            RefillFramePanel(*master);
    });
}

void Up(LWInstance, LWToolEvent *)
{
    Guarded([] {
        auto lock = LockFrames();
        for (auto &f : Frames())
            if (f->hot) {
                f->hot = false;
                f->redraw = true;
            }
    });
}

void Draw(LWInstance, LWCustomObjAccess *access)
{
    Guarded([&] {
        if (!access || !access->setColor || !access->text)
            return;
        float green[4] = {0.0f, 1.0f, 0.0f, 1.0f};
        LWDVector where = {24.0, 24.0, 0.01};
        access->setColor(access->dispData, green);
        access->text(access->dispData, where, "Frame Edit Mode", LWJUST_LEFT, LWCSYS_VIEWPORT);
    });
}

const char *Help(LWInstance, LWToolEvent *) { return "Move camera frame by dragging mouse in view."; }
void Done(LWInstance) {}
int Dirty(LWInstance) { return 1; }
int Count(LWInstance, LWToolEvent *) { return 0; }
int Handle(LWInstance, LWToolEvent *, int index, LWDVector) { return index; }
int Start(LWInstance, LWToolEvent *) { return 0; }
int Adjust(LWInstance, LWToolEvent *, int index) { return index; }

} // namespace

int FrameHandleAt(const FrameRecord &frame, double u, double v)
{
    const double zx = kGrabZone / frame.width;
    const double zy = kGrabZone / frame.height;
    if (v < zy)
        return u < zx ? 2 : u >= 1.0 - zx ? 3 : 1;
    if (v >= 1.0 - zy)
        return u < zx ? 4 : u >= 1.0 - zx ? 5 : 1;
    if (0.5 - zx / 2 <= u && u < 0.5 + zx / 2 && 0.5 - zy / 2 <= v && v < 0.5 + zy / 2)
        return 6;
    return 1;
}

void AdjustFramePosition(FrameRecord &frame, double newWidth, double newHeight, int anchor)
{
    static const double kFactors[9][2] = {{0, 0},     {0.5, 0.5}, {-0.5, 0.5}, {0.5, -0.5}, {-0.5, -0.5},
                                          {0, -0.5},  {0, 0.5},   {-0.5, 0},   {0.5, 0}};
    if (anchor < 0 || anchor > 8)
        return;
    const double ox = (std::max(kSizeFloor, newWidth) - frame.width) * kFactors[anchor][0];
    const double oy = (std::max(kSizeFloor, newHeight) - frame.height) * kFactors[anchor][1];
    const double c = std::cos(frame.rotation);
    const double s = std::sin(frame.rotation);
    frame.posX += ox * c + oy * s;
    frame.posY += -ox * s + oy * c;
}

void FillFrameTool(LWLayoutTool &tool)
{
    // The host's function table is filled in place; a host that offers none gets the module's own.
    LWToolFuncs &f = tool.tool ? *tool.tool : g_toolFuncs;
    f = LWToolFuncs{};
    f.done = Done;
    f.draw = Draw;
    f.help = Help;
    f.dirty = Dirty;
    f.count = Count;
    f.handle = Handle;
    f.start = Start;
    f.adjust = Adjust;
    f.down = Down;
    f.move = Move;
    f.up = Up;
    tool.instance = &g_tool;
    tool.tool = &f;
}
