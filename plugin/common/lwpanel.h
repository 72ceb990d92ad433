// lwpanel.h: an object layer over the host's classic panel service.
//
// IControl is the interface every control of a panel window is reached through; CLWctl, its one
// implementation, wraps one host control created by its type name and keeps the anchoring data
// that CLWwindow::Layout reads. CLWwindow owns one host panel and its controls, forwards the
// panel's events to one callback of the plug-in with an event record, routes the mouse to the
// controls and lays them out. Construction and value access share process-wide descriptor and
// value records: they must not run on two threads at once.
#ifndef ZK_LWPANEL_H
#define ZK_LWPANEL_H

#include "lwhost/lwhost.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lwp::lwpanel {

class CLWwindow;

// Placement modes of SetPlaceMode, applied by CLWwindow::Layout on each axis: against the parent
// control, or against the panel for a control without one (where kPlaceOffset and kPlaceAfter
// leave the control where it is).
enum PlaceMode : int {
    kPlaceOffset = 0,  // the parent's start plus the leading margin
    kPlaceStart = 1,   // the parent's start (the panel's: the leading margin)
    kPlaceEnd = 2,     // inside the far edge, less the trailing margin
    kPlaceField = 3,   // the field (x) or the hot spot (y) lined up with the parent's
    kPlaceAfter = 4,   // beyond the parent's far edge, plus the leading margin
};

// Size modes of SetSizeMode: the control's own size, or the parent's (the panel's without one)
// less the size margin.
enum SizeMode : int {
    kSizeOwn = 0,
    kSizeParent = 1,
    kSizePanel = 2,
};

class IControl {
public:
    virtual ~IControl() = default;
    virtual std::int32_t GetState() = 0;
    virtual IControl *GetParent() = 0;
    virtual void SetParent(IControl *parent) = 0;
    virtual LWRasterID Draw(DrMode mode) = 0;
    virtual void GetRasterOffset(int &x, int &y) = 0;
    virtual void SetPlaceMode(int xMode, int yMode) = 0;
    virtual void GetPlaceMode(int &xMode, int &yMode) = 0;
    virtual void SetSizeMode(int wMode, int hMode) = 0;
    virtual void GetSizeMode(int &wMode, int &hMode) = 0;
    virtual void SetX(int v) = 0;
    virtual int GetX() = 0;
    virtual void SetY(int v) = 0;
    virtual int GetY() = 0;
    virtual void SetFieldX(int v) = 0;
    virtual int GetHotX() = 0;
    virtual void SetHotY(int v) = 0;
    virtual int GetHotY() = 0;
    virtual void SetW(int v) = 0;
    virtual int GetW() = 0;
    virtual void SetH(int v) = 0;
    virtual int GetH() = 0;
    virtual void SetHotW(int v) = 0;
    virtual int GetHotW() = 0;
    virtual void SetHotH(int v) = 0;
    virtual int GetHotH() = 0;
    virtual void SetMargins(int top, int bottom, int left, int right) = 0;
    virtual void GetMargins(int &top, int &bottom, int &left, int &right) = 0;
    virtual void SetSizeMargins(int w, int h) = 0;
    virtual void GetSizeMargins(int &w, int &h) = 0;
    virtual bool OnMouse(CLWwindow *window, int phase, int x) = 0;
    virtual bool QueryFlag() = 0;
    virtual std::int32_t GetValueKind() = 0;
};

// Value kinds of a control.
enum : std::int32_t { kValueNone = 0, kValueInt = 1, kValueIntVector = 2, kValueFloat = 3, kValueString = 5 };

// Type codes of the general constructor.
enum : int {
    kEditControl = 13,
    kInfoControl = 14,
    kButtonControl = 16,
    kBoolButtonControl = 20,
    kFileControl = 55,
    kLoadControl = 56,
    kSaveControl = 57,
    kDirControl = 58,
    kFileButtonControl = 59,
    kLoadButtonControl = 60,
    kSaveButtonControl = 61,
    kDirButtonControl = 62,
};

class CLWctl final : public IControl {
public:
    // General constructor: a control of the type table (null host control for other codes).
    CLWctl(CLWwindow *window, std::uint32_t id, int typeCode, const char *label, int width);
    // "MiniSliderControl": range of width 80 from min to max.
    CLWctl(CLWwindow *window, std::uint32_t id, const char *label, int min, int max);
    // "BorderControl": area 160 wide.
    CLWctl(CLWwindow *window, std::uint32_t id, const char *label);

    // The wrappers the frame panel builds the same way.
    static CLWctl *Bool(CLWwindow *window, std::uint32_t id, const char *label);
    static CLWctl *CustomPopup(CLWwindow *window, std::uint32_t id, const char *label, int width,
                               int (*count)(void *), const char *(*name)(void *, int));
    static CLWctl *Popup(CLWwindow *window, std::uint32_t id, const char *label, const char **items);
    static CLWctl *RGBVec(CLWwindow *window, std::uint32_t id, const char *label);
    static CLWctl *Percent(CLWwindow *window, std::uint32_t id, const char *label);
    static CLWctl *MiniFloat(CLWwindow *window, std::uint32_t id, const char *label);
    static CLWctl *Angle(CLWwindow *window, std::uint32_t id, const char *label);

    std::int32_t GetState() override { return state_; }
    IControl *GetParent() override { return parent_; }
    void SetParent(IControl *parent) override { parent_ = parent; }
    LWRasterID Draw(DrMode mode) override;
    void GetRasterOffset(int &x, int &y) override { x = y = 0; }
    void SetPlaceMode(int xMode, int yMode) override { xMode_ = xMode, yMode_ = yMode; }
    void GetPlaceMode(int &xMode, int &yMode) override { xMode = xMode_, yMode = yMode_; }
    void SetSizeMode(int wMode, int hMode) override { wMode_ = wMode, hMode_ = hMode; }
    void GetSizeMode(int &wMode, int &hMode) override { wMode = wMode_, hMode = hMode_; }
    void SetX(int v) override { SetTag(CTL_X, v); }
    int GetX() override { return GetTag(CTL_X); }
    void SetY(int v) override { SetTag(CTL_Y, v); }
    int GetY() override { return GetTag(CTL_Y); }
    void SetFieldX(int v) override { SetTag(CTL_X, v - GetTag(CTL_LABELWIDTH)); }
    int GetHotX() override { return GetTag(CTL_HOTX); }
    void SetHotY(int v) override { SetTag(CTL_Y, v); }
    int GetHotY() override { return GetTag(CTL_HOTY); }
    void SetW(int v) override { SetTag(CTL_W, v); }
    int GetW() override { return GetTag(CTL_W); }
    void SetH(int v) override { SetTag(CTL_H, v); }
    int GetH() override { return GetTag(CTL_H); }
    void SetHotW(int v) override { SetTag(CTL_HOTW, v); }
    int GetHotW() override { return GetTag(CTL_HOTW); }
    void SetHotH(int v) override { SetTag(CTL_HOTH, v); }
    int GetHotH() override { return GetTag(CTL_HOTH); }
    void SetMargins(int top, int bottom, int left, int right) override;
    void GetMargins(int &top, int &bottom, int &left, int &right) override;
    void SetSizeMargins(int w, int h) override { wMargin_ = w, hMargin_ = h; }
    void GetSizeMargins(int &w, int &h) override { w = wMargin_, h = hMargin_; }
    bool OnMouse(CLWwindow *, int, int) override { return false; }
    bool QueryFlag() override { return false; }
    std::int32_t GetValueKind() override { return valueKind_; }

    // Text of the string kinds, through a 260-byte buffer.
    std::string GetText();
    // Takes the text over: the argument is left empty.
    void SetText(std::string &text);
    // Integer, vector and floating point values.
    int GetInt();
    void SetInt(int value);
    void GetIVec(int rgb[3]);
    void SetIVec(const int rgb[3]);
    double GetFloat();
    void SetFloat(double value);
    // The control's event function and user data (both handed back by the host).
    void SetEvent(LWCtlEventFunc event, void *userData);

    std::uint32_t Id() const { return id_; }
    LWControl *Control() const { return control_; }

private:
    CLWctl(std::uint32_t id, std::int32_t valueKind);
    // Creates the host control from the shared descriptor as the constructors left it.
    void Create(CLWwindow *window, const char *typeName, const char *label);
    static CLWctl *FloatRange(CLWctl *control, CLWwindow *window, const char *typeName, const char *label, int max);
    void SetTag(cTag tag, int value);
    int GetTag(cTag tag);

    std::uint32_t id_;
    std::int32_t state_ = 0;
    std::int32_t valueKind_;
    IControl *parent_ = nullptr;
    std::int32_t xMode_ = 0, yMode_ = 0;
    std::int32_t wMode_ = 0, hMode_ = 0;
    std::int32_t top_ = 0, bottom_ = 0, left_ = 0, right_ = 0;
    std::int32_t wMargin_ = 0, hMargin_ = 0;
    LWControl *control_ = nullptr;
};

// Event kinds of the window's event record.
enum EventKind : std::int32_t {
    kEventNone = 0,
    kEventDraw = 1,
    kEventOpen = 2,
    kEventClose = 3,
    kEventActivate = 4,
    kEventConfig = 5,
    kEventKeyDown = 6,
    kEventKeyUp = 7,
    kEventMouse = 8,
    kEventWheel = 9,
};

struct WindowEvent {
    std::int32_t kind = kEventNone;
    DrMode drawMode = DR_REFRESH;
    unsigned int key = 0;
    int a = 0, b = 0;
    int qualifiers = 0;
    int mouseX = 0, mouseY = 0;
    int prevX = -1, prevY = -1;
    int clicks = 0;
    int wheel = 0;
};

using WindowCallback = int (*)(CLWwindow *window);

struct CLWwindowSetup {
    GlobalFunc *global = nullptr;
    const char *title = "";
    int width = 0, height = 0;
    int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0; // PAN_MIN_W .. PAN_MAX_H
    WindowCallback callback = nullptr;
    void *userData = nullptr;
    int openFlags = 0;
};

class CLWwindow final {
public:
    explicit CLWwindow(const CLWwindowSetup &setup);
    ~CLWwindow();
    CLWwindow(const CLWwindow &) = delete;
    CLWwindow &operator=(const CLWwindow &) = delete;

    // Takes ownership of the control.
    void Add(IControl *control);
    void Open(void *userData);
    void Close();
    void Layout();

    LWPanelFuncs *PanelFuncs() const { return panelFuncs_; }
    LWPanelID Panel() const { return panel_; }
    const WindowEvent &Event() const { return event_; }
    bool IsOpen() const { return isOpen_ != 0; }
    IControl *Captured() const { return captured_; }
    // Keys held: flags for the key codes LWDK_SHIFT, LWDK_CTRL and LWDK_ALT, in that order.
    bool KeyFlag(int index) const { return keyFlags_[index] != 0; }

private:
    friend struct WindowHandlers;
    int Notify();

    GlobalFunc *global_ = nullptr;
    LWPanelFuncs *panelFuncs_ = nullptr;
    const LWRasterFuncs *rasterFuncs_ = nullptr;
    LWPanelID panel_ = nullptr;
    void *userData_ = nullptr;
    std::vector<std::unique_ptr<IControl>> controls_;
    IControl *captured_ = nullptr;
    WindowEvent event_;
    std::uint8_t keyFlags_[3] = {0, 0, 0};
    int openFlags_ = 0;
    std::uint8_t isOpen_ = 0;
    int firstX_ = 0, firstY_ = 0;
    int initialWidth_ = 0, initialHeight_ = 0;
    WindowCallback callback_ = nullptr;
};

} // namespace lwp::lwpanel

#endif
