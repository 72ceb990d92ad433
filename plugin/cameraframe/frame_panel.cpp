// frame_panel.cpp: building, filling, ghosting and the control events of the frame panel, each a
// walk over the panel's rows.
#include "frame_panel.h"

#include "cameraframe_servers.h"
#include "frame_master.h"
#include "frame_panel_table.h"
#include "frame_texts.h"

#include "../common/lwglobals.h"
#include "../common/lwguard.h"
#include "../common/lwtool2.h"

#include <algorithm>
#include <cmath>
#include <memory>

using lwp::lwpanel::CLWwindow;

namespace {

constexpr int kPanelWidth = 340;
constexpr int kPanelHeight = 800; // the frame fields, then presets and guides below them
constexpr int kOpenFlags = PANF_NOBUTT; // non-modal, without OK and Cancel
constexpr int kFieldColumn = 120;
constexpr int kRowHeight = 24;
constexpr int kRowGap = 8;
constexpr int kColorPickerVersion = 6;

void DestroyFramePanel(FramePanel *panel) { delete panel; }

// ---- popup callbacks ----

int FramePopupCount(void *) { return GuardedOr(0, [] { return FrameCount(); }); }

const char *FramePopupName(void *, int index)
{
    return GuardedOr("", [&] { return FrameListLabel(index); });
}

int CameraPopupCount(void *) { return GuardedOr(0, [] { return CameraCount(); }); }

const char *CameraPopupName(void *, int index)
{
    return GuardedOr("", [&]() -> const char * {
        const LWItemID camera = CameraAt(index);
        const LWItemInfo *items = g_hostGlobals.itemInfo;
        if (camera == LWITEM_NULL || !items->name)
            return "";
        const char *name = items->name(camera);
        return name ? name : "";
    });
}

// ---- fill and enable ----

// A control of the kind with nothing in it, for a panel without a current frame.
void ShowNothing(CLWctl &control, FrameControlKind kind)
{
    switch (kind) {
    case FrameControlKind::Edit: {
        std::string empty;
        control.SetText(empty);
        break;
    }
    case FrameControlKind::Rgb: {
        const int black[3] = {0, 0, 0};
        control.SetIVec(black);
        break;
    }
    case FrameControlKind::Percent:
    case FrameControlKind::MiniFloat:
    case FrameControlKind::Angle: control.SetFloat(0.0); break;
    default: control.SetInt(0); break;
    }
}

// Shows the master's combined shading and the current frame in the controls: every control on a
// full fill (edited -1); after an edit, every control but the edited one and any the user is
// typing into.
void FillPanel(FramePanel &panel, const CameraFrameState &state, int edited = -1)
{
    auto lock = LockFrames();
    const auto control = [&](int id) -> CLWctl * {
        return edited < 0 ? panel.controls[id] : id == edited ? nullptr : CanReset(panel, id);
    };
    if (CLWctl *c = control(kIdCombined))
        c->SetInt(state.combined ? 1 : 0);
    if (CLWctl *c = control(kIdCombinedColor))
        ShowRgb(*c, state.combinedColor);
    if (CLWctl *c = control(kIdCombinedTransparency))
        c->SetFloat(state.combinedTransparency * 100.0);
    const FrameRecord *f = FrameAt(state.currentIndex);
    if (CLWctl *c = control(kIdFrame))
        c->SetInt(f ? state.currentIndex : 0);
    for (int id = 0; id < kFramePanelControls; ++id) {
        const FramePanelRow &row = FramePanelRowOf(id);
        CLWctl *c = row.show ? control(id) : nullptr;
        if (c && f)
            row.show(*c, *f);
        else if (c)
            ShowNothing(*c, row.kind);
    }
}

// Every control drawn as usable, then ghosted: the frame's fields when there is no frame, else the
// size field that Frame Calc computes.
void EnablePanel(FramePanel &panel, const CameraFrameState &state)
{
    auto lock = LockFrames();
    for (int id = kIdCombined; id < kFramePanelControls; ++id)
        panel.controls[id]->Draw(DR_RENDER);
    const FrameRecord *f = FrameAt(state.currentIndex);
    for (int id = kIdName; id < kFramePanelControls; ++id)
        if (!f || FramePanelRowOf(id).ghostedInCalc == f->calcMode)
            panel.controls[id]->Draw(DR_GHOST);
}

// ---- the colour picker ----

enum class PickOutcome { Unavailable, Cancelled, Continue };

// Asks the host's colour picker, starting from the RGB control's colour; writes the chosen (or, on
// a failure, the unchanged start) colour into the control.
PickOutcome PickColor(CLWctl &rgbControl)
{
    GlobalFunc *global = g_hostGlobals.global;
    auto *picker = global ? reinterpret_cast<LWColorActivateFunc *>(global(LWCOLORACTIVATEFUNC_GLOBAL, GFUSE_TRANSIENT)) : nullptr;
    if (!picker)
        return PickOutcome::Unavailable;
    int start[3];
    rgbControl.GetIVec(start);
    LWColorPickLocal local{};
    local.title = "Color";
    local.red = static_cast<float>(start[0] / 255.0);
    local.green = static_cast<float>(start[1] / 255.0);
    local.blue = static_cast<float>(start[2] / 255.0);
    const int called = picker(kColorPickerVersion, &local);
    if (called == AFUNC_OK && local.result > 0) {
        const int chosen[3] = {TruncToInt(local.red * 255.0), TruncToInt(local.green * 255.0),
                               TruncToInt(local.blue * 255.0)};
        rgbControl.SetIVec(chosen);
        return PickOutcome::Continue;
    }
    if (called == AFUNC_OK && local.result == 0)
        return PickOutcome::Cancelled;
    rgbControl.SetIVec(start);
    return PickOutcome::Continue;
}

// ---- control events ----

int ControlId(const FramePanel &panel, LWControlID control)
{
    for (int id = 0; id < kFramePanelControls; ++id)
        if (panel.controls[id] && panel.controls[id]->Control() == control)
            return id;
    return -1;
}

// An edit of the current frame's control `id`, with the frame lock held: the row takes it into the
// frame, then the panel shows the frame again (and ghosts the field Frame Calc now computes).
void FrameEvent(FramePanel &panel, CameraFrameState &state, FrameRecord &f, int id)
{
    const FramePanelRow &row = FramePanelRowOf(id);
    const int calcMode = f.calcMode;
    if (row.take)
        row.take(panel, *panel.controls[id], f);
    f.redraw = true;
    FillPanel(panel, state, id);
    if (f.calcMode != calcMode)
        EnablePanel(panel, state);
}

// One control event; false when the event ends without the final refresh. The frame lock is
// taken only around the reads and changes of the data: the colour picker is modal and command
// lines run in the host, which may call back, so both happen with the lock released (a render
// or a ring answer on another thread would otherwise wait for the user).
bool PanelEvent(FramePanel &panel, CameraFrameState &state, int id)
{
    CLWctl **c = panel.controls;
    switch (id) {
    case kIdCreate:
    case kIdDelete: {
        auto edit = EditFrames();
        if (id == kIdCreate)
            CreateFrame(state);
        else
            DeleteCurrentFrame(state);
        FillPanel(panel, state);
        EnablePanel(panel, state);
        return true;
    }
    case kIdEditOn: {
        bool hasFrame = false;
        {
            auto lock = LockFrames();
            hasFrame = FrameAt(state.currentIndex) != nullptr;
        }
        if (!hasFrame)
            return true;
        SendCommand("EditCameras");
        SendCommand("Tool_ZK:CameraFrame");
        return false;
    }
    case kIdEditOff:
        SendCommand("EditCameras");
        SendCommand("ChangeTool");
        return true;
    case kIdCombined: {
        auto edit = EditFrames();
        state.combined = c[kIdCombined]->GetInt() != 0;
        return true;
    }
    case kIdCombinedPick:
        if (PickColor(*c[kIdCombinedColor]) != PickOutcome::Continue)
            return false;
        [[fallthrough]];
    case kIdCombinedColor: {
        auto edit = EditFrames();
        TakeRgb(*c[kIdCombinedColor], state.combinedColor);
        return true;
    }
    case kIdCombinedTransparency: {
        auto edit = EditFrames();
        state.combinedTransparency = KeptPercent(*c[kIdCombinedTransparency]) * 0.01;
        return true;
    }
    case kIdFrame: {
        auto lock = LockFrames();
        state.currentIndex = c[kIdFrame]->GetInt();
        FillPanel(panel, state);
        EnablePanel(panel, state);
        return true;
    }
    default:
        break;
    }
    if (id < kIdName || id >= kFramePanelControls)
        return true;
    // The picker writes its colour into the colour control, which the edit below applies.
    if (id == kIdColorPick && PickColor(*c[kIdColor]) != PickOutcome::Continue)
        return false;
    auto edit = EditFrames();
    FrameRecord *f = FrameAt(state.currentIndex);
    if (f)
        FrameEvent(panel, state, *f, id);
    return true;
}

void ControlEvent(LWControlID control, void *userData)
{
    Guarded([&] {
        auto *state = FrameStateOf(userData);
        if (!state || !state->panel)
            return;
        FramePanel &panel = *state->panel;
        const int id = ControlId(panel, control);
        if (id < 0)
            return;
        if (PanelEvent(panel, *state, id))
            SendCommand("RefreshNow");
    });
}

// ---- building ----

CLWctl *MakeControl(CLWwindow *w, const FramePanelRow &row, const char *label, UiLanguage language)
{
    using namespace lwp::lwpanel;
    const int id = row.id;
    switch (row.kind) {
    case FrameControlKind::Button: return new CLWctl(w, id, kButtonControl, label, row.width);
    case FrameControlKind::Separator: return new CLWctl(w, id, label);
    case FrameControlKind::Bool: return CLWctl::Bool(w, id, label);
    case FrameControlKind::Rgb: return CLWctl::RGBVec(w, id, label);
    case FrameControlKind::Percent: return CLWctl::Percent(w, id, label);
    case FrameControlKind::FramePopup:
        return CLWctl::CustomPopup(w, id, label, row.width, FramePopupCount, FramePopupName);
    case FrameControlKind::CameraPopup:
        return CLWctl::CustomPopup(w, id, label, row.width, CameraPopupCount, CameraPopupName);
    case FrameControlKind::Edit: return new CLWctl(w, id, kEditControl, label, row.width);
    case FrameControlKind::Position: return new CLWctl(w, id, label, -kFramePositionRange, kFramePositionRange);
    case FrameControlKind::Whole: return new CLWctl(w, id, label, 0, 0);
    case FrameControlKind::MiniFloat: return CLWctl::MiniFloat(w, id, label);
    case FrameControlKind::Angle: return CLWctl::Angle(w, id, label);
    case FrameControlKind::CalcPopup: return CLWctl::Popup(w, id, label, FrameCalcItems(language));
    case FrameControlKind::PresetPopup: return CLWctl::Popup(w, id, label, FramePresetItems(language));
    }
    return nullptr;
}

std::unique_ptr<FramePanel> BuildPanel(CameraFrameState &state)
{
    auto panel = std::make_unique<FramePanel>();
    lwp::lwpanel::CLWwindowSetup setup;
    setup.global = g_hostGlobals.global;
    setup.title = FrameDescription(state);
    setup.width = kPanelWidth;
    setup.height = kPanelHeight;
    setup.userData = &state;
    setup.openFlags = kOpenFlags;
    panel->window = std::make_unique<CLWwindow>(setup);
    CLWwindow *w = panel->window.get();

    const UiLanguage language = g_cameraFrameLanguage;
    int rowY = kRowGap;
    CLWctl *previous = nullptr;
    for (int id = 0; id < kFramePanelControls; ++id) {
        const FramePanelRow &row = FramePanelRowOf(id);
        CLWctl *control = MakeControl(w, row, FramePanelLabel(row, language), language);
        w->Add(control);
        panel->controls[id] = control;
        control->SetEvent(ControlEvent, &state);
        if (previous && row.beside) {
            control->SetY(previous->GetY());
            control->SetX(previous->GetX() + previous->GetW() + kRowGap);
        } else {
            if (previous)
                rowY += kRowHeight;
            control->SetY(rowY);
            if (row.kind == FrameControlKind::Button || row.kind == FrameControlKind::Separator)
                control->SetX(kRowGap);
            else
                control->SetFieldX(kFieldColumn);
        }
        previous = control;
    }
    return panel;
}

} // namespace

LWError OpenFramePanel(LWInstance instance)
{
    return GuardedOr(static_cast<LWError>(nullptr), [&]() -> LWError {
        auto *state = FrameStateOf(instance);
        if (!state)
            return nullptr;
        if (state->panel && state->panel->window && state->panel->window->Panel()) {
            state->panel->window->Open(state);
            return nullptr;
        }
        if (state->panel && state->destroyPanel)
            state->destroyPanel(state->panel);
        state->panel = nullptr;
        std::unique_ptr<FramePanel> built = BuildPanel(*state);
        if (!built->window->Panel())
            return nullptr; // no panel service: nothing to show
        state->panel = built.release();
        state->destroyPanel = DestroyFramePanel;
        FillPanel(*state->panel, *state);
        EnablePanel(*state->panel, *state);
        state->panel->window->Open(state);
        return nullptr;
    });
}

void RefillFramePanel(CameraFrameState &state)
{
    if (state.panel && state.panel->window && state.panel->window->Panel())
        FillPanel(*state.panel, state);
}
