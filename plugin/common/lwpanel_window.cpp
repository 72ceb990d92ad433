// lwpanel_window.cpp: CLWwindow, one host panel with its controls, events and layout.
#include "lwguard.h"
#include "lwpanel.h"

namespace lwp::lwpanel {

namespace {

constexpr unsigned int kKeyCodes[3] = {LWDK_SHIFT, LWDK_CTRL, LWDK_ALT};

CLWwindow *WindowOf(void *data) { return static_cast<CLWwindow *>(data); }

} // namespace

// The host's panel callbacks; each forwards to the window and ends with the plug-in's callback.
struct WindowHandlers {
    static void Draw(LWPanelID, void *data, DrMode mode)
    {
        Guarded([&] {
            CLWwindow *w = WindowOf(data);
            if (!w)
                return;
            for (auto &control : w->controls_) {
                LWRasterID raster = control->Draw(mode);
                int ox = 0, oy = 0;
                control->GetRasterOffset(ox, oy);
                if (raster && w->rasterFuncs_ && w->rasterFuncs_->blitPanel)
                    w->rasterFuncs_->blitPanel(raster, 0, 0, w->panel_, control->GetX() + ox, control->GetY() + oy,
                                               control->GetW(), control->GetH());
            }
            w->event_.kind = kEventDraw;
            w->event_.drawMode = mode;
            w->Notify();
        });
    }

    static void Open(LWPanelID, void *data)
    {
        Guarded([&] {
            CLWwindow *w = WindowOf(data);
            if (!w)
                return;
            // Only the first open places and sizes the panel.
            if (w->initialWidth_ > 0) {
                LWPanelFuncs *f = w->panelFuncs_;
                f->set(w->panel_, PAN_X, &w->firstX_);
                f->set(w->panel_, PAN_Y, &w->firstY_);
                f->set(w->panel_, PAN_W, &w->initialWidth_);
                f->set(w->panel_, PAN_H, &w->initialHeight_);
                w->initialWidth_ = 0;
            }
            w->isOpen_ = 1;
            w->captured_ = nullptr;
            w->keyFlags_[0] = w->keyFlags_[1] = w->keyFlags_[2] = 0;
            w->event_.kind = kEventOpen;
            w->Notify();
        });
    }

    static void Close(LWPanelID, void *data)
    {
        Guarded([&] {
            CLWwindow *w = WindowOf(data);
            if (!w)
                return;
            w->captured_ = nullptr;
            w->isOpen_ = 0;
            w->event_.kind = kEventClose;
            w->Notify();
        });
    }

    static void Activate(LWPanelID, void *data)
    {
        Guarded([&] {
            CLWwindow *w = WindowOf(data);
            if (!w)
                return;
            w->captured_ = nullptr;
            w->keyFlags_[0] = w->keyFlags_[1] = w->keyFlags_[2] = 0;
            w->event_.kind = kEventActivate;
            w->Notify();
        });
    }

    static void Config(LWPanelID, void *data, int a, int b)
    {
        Guarded([&] {
            CLWwindow *w = WindowOf(data);
            if (!w)
                return;
            w->event_.a = a;
            w->event_.b = b;
            w->event_.kind = kEventConfig;
            w->Notify();
        });
    }

    static int Key(void *data, unsigned int key, bool down)
    {
        return GuardedOr(0, [&] {
            CLWwindow *w = WindowOf(data);
            if (!w)
                return 0;
            for (int i = 0; i < 3; ++i)
                if ((key & 0xFFFFu) == kKeyCodes[i])
                    w->keyFlags_[i] = down ? 1 : 0;
            w->event_.kind = down ? kEventKeyDown : kEventKeyUp;
            w->event_.key = key;
            return w->Notify();
        });
    }

    static int KeyDown(LWPanelID, void *data, LWDualKey key) { return Key(data, key, true); }
    static int KeyUp(LWPanelID, void *data, LWDualKey key) { return Key(data, key, false); }

    static void Mouse(LWPanelID, void *data, int qualifiers, int x, int y)
    {
        Guarded([&] {
            CLWwindow *w = WindowOf(data);
            if (!w)
                return;
            const bool down = (qualifiers & MOUSE_DOWN) != 0;
            if (!down) {
                w->captured_ = nullptr;
                w->event_.clicks = 0;
            }
            w->event_.prevX = w->event_.mouseX;
            w->event_.prevY = w->event_.mouseY;
            w->event_.mouseX = x;
            w->event_.mouseY = y;
            w->event_.kind = kEventMouse;
            w->event_.qualifiers = qualifiers;
            w->event_.wheel = 0;
            if (!w->captured_) {
                for (auto &control : w->controls_) {
                    if (control->OnMouse(w, 0, x)) {
                        if (down)
                            w->captured_ = control.get();
                        break;
                    }
                }
            } else {
                w->captured_->OnMouse(w, (qualifiers & ~0xFF) + 1, x);
            }
            w->Notify();
            if (down)
                ++w->event_.clicks;
        });
    }

    static void Wheel(LWPanelID, void *data, int value, int x, int y)
    {
        Guarded([&] {
            CLWwindow *w = WindowOf(data);
            if (!w)
                return;
            w->event_.prevX = w->event_.mouseX;
            w->event_.prevY = w->event_.mouseY;
            w->event_.mouseX = x;
            w->event_.mouseY = y;
            w->event_.wheel = value;
            w->captured_ = nullptr;
            w->event_.clicks = 0;
            w->event_.qualifiers = 0;
            w->event_.kind = kEventWheel;
            for (auto &control : w->controls_)
                if (control->OnMouse(w, 0, x))
                    break;
            w->Notify();
        });
    }
};

CLWwindow::CLWwindow(const CLWwindowSetup &setup)
    : global_(setup.global), openFlags_(setup.openFlags), callback_(setup.callback)
{
    userData_ = setup.userData;
    if (!global_)
        return;
    panelFuncs_ = static_cast<LWPanelFuncs *>(global_(PANEL_SERVICES_NAME, GFUSE_TRANSIENT));
    if (panelFuncs_)
        panelFuncs_->globalFun = global_;
    rasterFuncs_ = static_cast<const LWRasterFuncs *>(global_(LWRASTERFUNCS_GLOBAL, GFUSE_TRANSIENT));
    if (!panelFuncs_ || !panelFuncs_->create)
        return;
    panel_ = panelFuncs_->create(setup.title ? setup.title : "", nullptr);
    if (!panel_)
        return;
    LWPanelFuncs *f = panelFuncs_;
    f->set(panel_, PAN_USERDATA, this);
    f->set(panel_, PAN_USERDRAW, reinterpret_cast<void *>(&WindowHandlers::Draw));
    f->set(panel_, PAN_USEROPEN, reinterpret_cast<void *>(&WindowHandlers::Open));
    f->set(panel_, PAN_USERCLOSE, reinterpret_cast<void *>(&WindowHandlers::Close));
    f->set(panel_, PAN_USERACTIVATE, reinterpret_cast<void *>(&WindowHandlers::Activate));
    f->set(panel_, PAN_USERRESIZE, reinterpret_cast<void *>(&WindowHandlers::Config));
    f->set(panel_, PAN_USERKEYS, reinterpret_cast<void *>(&WindowHandlers::KeyDown));
    f->set(panel_, PAN_USERKEYUPS, reinterpret_cast<void *>(&WindowHandlers::KeyUp));
    f->set(panel_, PAN_MOUSEBUTTON, reinterpret_cast<void *>(&WindowHandlers::Mouse));
    f->set(panel_, PAN_MOUSEMOVE, reinterpret_cast<void *>(&WindowHandlers::Mouse));
    f->set(panel_, PAN_MOUSEWHEEL, reinterpret_cast<void *>(&WindowHandlers::Wheel));

    int width = setup.width, height = setup.height;
    f->set(panel_, PAN_W, &width);
    f->set(panel_, PAN_H, &height);
    int minWidth = setup.minWidth, minHeight = setup.minHeight, maxWidth = setup.maxWidth, maxHeight = setup.maxHeight;
    f->set(panel_, PAN_MIN_W, &minWidth);
    f->set(panel_, PAN_MIN_H, &minHeight);
    f->set(panel_, PAN_MAX_W, &maxWidth);
    f->set(panel_, PAN_MAX_H, &maxHeight);

    const LWDisplayMetrics *metrics = f->drawFuncs && f->drawFuncs->dispMetrics ? f->drawFuncs->dispMetrics() : nullptr;
    const int displayW = metrics ? metrics->width : width;
    const int displayH = metrics ? metrics->height : height;
    firstX_ = (displayW - width) / 2;
    firstY_ = (displayH - height) / 2;
    initialWidth_ = width;
    initialHeight_ = height;
    event_ = WindowEvent{};
    captured_ = nullptr;
}

CLWwindow::~CLWwindow() { Close(); }

int CLWwindow::Notify() { return callback_ ? callback_(this) : 0; }

void CLWwindow::Add(IControl *control) { controls_.emplace_back(control); }

void CLWwindow::Open(void *userData)
{
    if (!panel_ || !panelFuncs_)
        return;
    if (!isOpen_) {
        userData_ = userData;
        isOpen_ = 1;
        panelFuncs_->open(panel_, openFlags_);
        return;
    }
    int front = 0;
    panelFuncs_->set(panel_, PAN_TO_FRONT, &front);
}

void CLWwindow::Close()
{
    isOpen_ = 0;
    if (panel_ && panelFuncs_)
        panelFuncs_->close(panel_);
    controls_.clear();
    captured_ = nullptr;
    if (panel_ && panelFuncs_)
        panelFuncs_->destroy(panel_);
    panel_ = nullptr;
}

void CLWwindow::Layout()
{
    if (!panel_ || !panelFuncs_)
        return;
    int pw = 0, ph = 0;
    panelFuncs_->get(panel_, PAN_W, &pw);
    panelFuncs_->get(panel_, PAN_H, &ph);
    for (auto &owned : controls_) {
        IControl &k = *owned;
        int xMode = 0, yMode = 0, wMode = 0, hMode = 0, top = 0, bottom = 0, left = 0, right = 0, wMargin = 0, hMargin = 0;
        k.GetPlaceMode(xMode, yMode);
        k.GetSizeMode(wMode, hMode);
        k.GetMargins(top, bottom, left, right);
        k.GetSizeMargins(wMargin, hMargin);
        if (IControl *p = k.GetParent()) {
            const int px = p->GetX(), py = p->GetY(), hotX = p->GetHotX(), hotY = p->GetHotY();
            const int w = p->GetW(), h = p->GetH();
            if (wMode == kSizeParent)
                k.SetW(w - wMargin);
            else if (wMode == kSizePanel)
                k.SetW(pw - wMargin);
            if (hMode == kSizeParent)
                k.SetH(h - hMargin);
            else if (hMode == kSizePanel)
                k.SetH(ph - hMargin);
            switch (xMode) {
            case kPlaceOffset: k.SetX(px + left); break;
            case kPlaceStart: k.SetX(px); break;
            case kPlaceEnd: k.SetX(px + w - right - k.GetW()); break;
            case kPlaceField: k.SetFieldX(hotX); break;
            case kPlaceAfter: k.SetX(px + w + left); break;
            default: break;
            }
            switch (yMode) {
            case kPlaceOffset: k.SetY(py + top); break;
            case kPlaceStart: k.SetY(py); break;
            case kPlaceEnd: k.SetY(py + h - bottom - k.GetH()); break;
            case kPlaceField: k.SetHotY(hotY); break;
            case kPlaceAfter: k.SetY(py + h + top); break;
            default: break;
            }
            continue;
        }
        if (wMode == kSizeParent || wMode == kSizePanel)
            k.SetW(pw - wMargin);
        if (hMode == kSizeParent || hMode == kSizePanel)
            k.SetH(ph - hMargin);
        switch (xMode) {
        case kPlaceStart: k.SetX(left); break;
        case kPlaceEnd: k.SetX(pw - right - k.GetW()); break;
        case kPlaceField: k.SetFieldX(k.GetHotX()); break;
        default: break;
        }
        switch (yMode) {
        case kPlaceStart: k.SetY(top); break;
        case kPlaceEnd: k.SetY(ph - bottom - k.GetH()); break;
        case kPlaceField: k.SetHotY(k.GetHotY()); break;
        default: break;
        }
    }
}

} // namespace lwp::lwpanel
