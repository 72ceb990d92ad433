// frame_panel.cpp: building, filling, ghosting and the control events of the frame panel.
#include "frame_panel.h"

#include "cameraframe_servers.h"
#include "frame_geometry.h"
#include "frame_guides.h"
#include "frame_master.h"
#include "frame_texts.h"

#include "../common/lwglobals.h"
#include "../common/lwguard.h"
#include "../common/lwpanel.h"
#include "../common/lwtool2.h"
#include "../common/utf8_text.h"

#include <algorithm>
#include <cmath>
#include <memory>

using lwp::lwpanel::CLWctl;
using lwp::lwpanel::CLWwindow;

struct FramePanel {
    std::unique_ptr<CLWwindow> window;
    CLWctl *controls[kFramePanelControls] = {};
};

namespace {

constexpr int kPanelWidth = 340;
constexpr int kPanelHeight = 800; // the frame fields, then presets and guides below them
constexpr int kOpenFlags = PANF_NOBUTT; // non-modal, without OK and Cancel
constexpr int kFieldColumn = 120;
constexpr int kRowHeight = 24;
constexpr int kRowGap = 8;
constexpr int kColorPickerVersion = 6;
constexpr int kPositionRange = 2000; // Position X and Y sliders: -2000 .. 2000

void DestroyFramePanel(FramePanel *panel) { delete panel; }

// ---- the cameras of the scene, in the host's item order ----

int CameraCount()
{
    const LWItemInfo *items = g_hostGlobals.itemInfo;
    if (!items || !items->first || !items->next)
        return 0;
    int count = 0;
    for (LWItemID id = items->first(LWI_CAMERA, LWITEM_NULL); id != LWITEM_NULL && count < 100000; id = items->next(id))
        ++count;
    return count;
}

LWItemID CameraAt(int index)
{
    const LWItemInfo *items = g_hostGlobals.itemInfo;
    if (!items || !items->first || !items->next || index < 0)
        return LWITEM_NULL;
    LWItemID id = items->first(LWI_CAMERA, LWITEM_NULL);
    for (int i = 0; i < index && id != LWITEM_NULL; ++i)
        id = items->next(id);
    return id;
}

int CameraPosition(LWItemID camera)
{
    const LWItemInfo *items = g_hostGlobals.itemInfo;
    if (camera == LWITEM_NULL || !items || !items->first || !items->next)
        return 0;
    int index = 0;
    for (LWItemID id = items->first(LWI_CAMERA, LWITEM_NULL); id != LWITEM_NULL && index < 100000; id = items->next(id), ++index)
        if (id == camera)
            return index;
    return 0;
}

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

// ---- value helpers ----

void ToRgb(const double color[3], int rgb[3])
{
    for (int i = 0; i < 3; ++i)
        rgb[i] = TruncToInt(color[i] * 255.0);
}

void FromRgb(const int rgb[3], double color[3])
{
    for (int i = 0; i < 3; ++i)
        color[i] = rgb[i] / 255.0;
}

void SetText(CLWctl *control, const std::string &text)
{
    std::string taken = text;
    control->SetText(taken);
}

// Re-sets one control only while the toolkit's state flag of that control is clear.
CLWctl *Resettable(FramePanel &panel, int id)
{
    CLWctl *control = panel.controls[id];
    return control && control->GetState() == 0 ? control : nullptr;
}

void ResetFrameValue(FramePanel &panel, const FrameRecord &f, int id)
{
    CLWctl *c = Resettable(panel, id);
    if (!c)
        return;
    switch (id) {
    case kIdWidth: c->SetInt(TruncToInt(f.width)); break;
    case kIdHeight: c->SetInt(TruncToInt(f.height)); break;
    case kIdAspect: c->SetFloat(f.aspect); break;
    case kIdMarginWPercent: c->SetFloat(f.marginW * 100.0); break;
    case kIdMarginHPercent: c->SetFloat(f.marginH * 100.0); break;
    case kIdMarginWPixels: c->SetInt(TruncToInt(f.marginWPx)); break;
    case kIdMarginHPixels: c->SetInt(TruncToInt(f.marginHPx)); break;
    default: break;
    }
}

// ---- presets and guides ----

// The Preset popup's item for a frame: the delivery aspect it has, else the custom entry 0.
int PresetItemOf(const FrameRecord &f)
{
    for (int i = 0; i < kAspectPresetCount; ++i)
        if (std::fabs(AspectPresetAt(i).aspect - f.aspect) < 1e-4)
            return i + 1;
    return 0;
}

int CameraHeight(LWItemID camera)
{
    const LWCameraInfo *cameras = g_hostGlobals.cameraInfo;
    int width = 0, height = 0;
    if (camera != LWITEM_NULL && cameras && cameras->resolution)
        cameras->resolution(camera, &width, &height);
    return height;
}

void SetGuideKind(FrameGuides &g, std::uint32_t kind, bool on) { g.kinds = on ? g.kinds | kind : g.kinds & ~kind; }

// A percent field's value within 0 .. 100 (a NaN as 0); the field shows what is kept.
double PercentValue(FramePanel &panel, int id)
{
    const double entered = panel.controls[id]->GetFloat();
    const double kept = std::isnan(entered) ? 0.0 : std::clamp(entered, 0.0, 100.0);
    if (CLWctl *control = kept != entered ? Resettable(panel, id) : nullptr)
        control->SetFloat(kept);
    return kept;
}

// A position slider's value within the range the slider states; the slider shows what is kept.
double PositionValue(FramePanel &panel, int id)
{
    const int entered = panel.controls[id]->GetInt();
    const int kept = std::clamp(entered, -kPositionRange, kPositionRange);
    if (CLWctl *control = kept != entered ? Resettable(panel, id) : nullptr)
        control->SetInt(kept);
    return kept;
}

// After a size or camera change: the three Frame Calc fields and the margin pixels show the frame.
void ResetSizeFields(FramePanel &panel, const FrameRecord &f)
{
    for (int id : {kIdWidth, kIdHeight, kIdAspect, kIdMarginWPixels, kIdMarginHPixels})
        ResetFrameValue(panel, f, id);
}

// ---- fill and enable ----

void FillPanel(FramePanel &panel, const CameraFrameState &state)
{
    auto lock = LockFrames();
    CLWctl **c = panel.controls;
    int rgb[3];
    c[kIdCombined]->SetInt(state.combined ? 1 : 0);
    ToRgb(state.combinedColor, rgb);
    c[kIdCombinedColor]->SetIVec(rgb);
    c[kIdCombinedTransparency]->SetFloat(state.combinedTransparency * 100.0);

    const FrameRecord *f = FrameAt(state.currentIndex);
    if (!f) {
        const int black[3] = {0, 0, 0};
        c[kIdFrame]->SetInt(0);
        SetText(c[kIdName], std::string());
        SetText(c[kIdMemo], std::string());
        for (int id : {12, 13, 14, 15, 16, 17, 18, 23, 24, 29, int{kIdPreset}, int{kIdThirds}, int{kIdGolden},
                       int{kIdCross}, int{kIdDiagonals}, int{kIdTitleSafe}, int{kIdActionSafe}, int{kIdBurnGuides}})
            c[id]->SetInt(0);
        for (int id : {19, 20, 21, 22, 27, int{kIdGuideOpacity}, int{kIdTitleSafePercent}, int{kIdActionSafePercent}})
            c[id]->SetFloat(0.0);
        c[kIdColor]->SetIVec(black);
        return;
    }
    c[kIdFrame]->SetInt(state.currentIndex);
    SetText(c[kIdName], f->name);
    c[kIdActive]->SetInt(f->active ? 1 : 0);
    c[kIdCamera]->SetInt(CameraPosition(f->camera));
    c[kIdPosX]->SetInt(TruncToInt(f->posX));
    c[kIdPosY]->SetInt(TruncToInt(f->posY));
    c[kIdCalc]->SetInt(f->calcMode);
    c[kIdWidth]->SetInt(TruncToInt(f->width));
    c[kIdHeight]->SetInt(TruncToInt(f->height));
    c[kIdAspect]->SetFloat(f->aspect);
    c[kIdRotate]->SetFloat(f->rotation);
    c[kIdMarginWPercent]->SetFloat(f->marginW * 100.0);
    c[kIdMarginHPercent]->SetFloat(f->marginH * 100.0);
    c[kIdMarginWPixels]->SetInt(TruncToInt(f->marginWPx));
    c[kIdMarginHPixels]->SetInt(TruncToInt(f->marginHPx));
    ToRgb(f->color, rgb);
    c[kIdColor]->SetIVec(rgb);
    c[kIdTransparency]->SetFloat(f->transparency * 100.0);
    SetText(c[kIdMemo], f->memo);
    c[kIdFocal]->SetInt(f->showFocalLength ? 1 : 0);
    c[kIdPreset]->SetInt(PresetItemOf(*f));
    const FrameGuides &g = f->guides;
    c[kIdThirds]->SetInt((g.kinds & GuideThirds) ? 1 : 0);
    c[kIdGolden]->SetInt((g.kinds & GuideGolden) ? 1 : 0);
    c[kIdCross]->SetInt((g.kinds & GuideCross) ? 1 : 0);
    c[kIdDiagonals]->SetInt((g.kinds & GuideDiagonals) ? 1 : 0);
    c[kIdGuideOpacity]->SetFloat(g.opacity * 100.0);
    c[kIdTitleSafe]->SetInt(g.titleSafe ? 1 : 0);
    c[kIdTitleSafePercent]->SetFloat(g.titleSafePercent);
    c[kIdActionSafe]->SetInt(g.actionSafe ? 1 : 0);
    c[kIdActionSafePercent]->SetFloat(g.actionSafePercent);
    c[kIdBurnGuides]->SetInt(g.burnIn ? 1 : 0);
}

void EnablePanel(FramePanel &panel, const CameraFrameState &state)
{
    auto lock = LockFrames();
    for (int id = kIdCombined; id < kFramePanelControls; ++id)
        panel.controls[id]->Draw(DR_RENDER);
    const FrameRecord *f = FrameAt(state.currentIndex);
    if (!f) {
        for (int id = kIdName; id < kFramePanelControls; ++id)
            panel.controls[id]->Draw(DR_GHOST);
        return;
    }
    switch (f->calcMode) {
    case WidthHeight: panel.controls[kIdAspect]->Draw(DR_GHOST); break;
    case WidthAspect: panel.controls[kIdHeight]->Draw(DR_GHOST); break;
    case HeightAspect: panel.controls[kIdWidth]->Draw(DR_GHOST); break;
    default: break;
    }
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

// Edits of the current frame (ids 11 to 29), with the frame lock held.
void FrameEvent(FramePanel &panel, CameraFrameState &state, FrameRecord &f, int id)
{
    CLWctl **c = panel.controls;
    switch (id) {
    case kIdName:
        f.name = CutAtCharacter(c[kIdName]->GetText(), kFrameTextBytes);
        if (CLWctl *popup = Resettable(panel, kIdFrame))
            popup->SetInt(state.currentIndex);
        break;
    case kIdActive: f.active = c[kIdActive]->GetInt() != 0; break;
    case kIdCamera:
        f.camera = CameraAt(c[kIdCamera]->GetInt());
        if (f.camera)
            PixelsFromPercent(f); // the margins in the new camera's pixels
        ResetSizeFields(panel, f);
        break;
    case kIdPosX: f.posX = PositionValue(panel, kIdPosX); break;
    case kIdPosY: f.posY = PositionValue(panel, kIdPosY); break;
    case kIdCalc:
        f.calcMode = c[kIdCalc]->GetInt();
        if (f.calcMode < WidthHeight || f.calcMode > HeightAspect)
            f.calcMode = WidthHeight;
        EnablePanel(panel, state);
        break;
    // The edited field is set again too: it shows what was kept (a whole size of at least 1, an
    // aspect of 0 or less as 1).
    case kIdWidth:
        SetFrameWidth(f, c[kIdWidth]->GetInt());
        ResetSizeFields(panel, f);
        break;
    case kIdHeight:
        SetFrameHeight(f, c[kIdHeight]->GetInt());
        ResetSizeFields(panel, f);
        break;
    case kIdAspect:
        SetFrameAspect(f, c[kIdAspect]->GetFloat());
        ResetSizeFields(panel, f);
        break;
    case kIdRotate: f.rotation = c[kIdRotate]->GetFloat(); break;
    case kIdMarginWPercent:
        SetMarginWPercent(f, c[kIdMarginWPercent]->GetFloat());
        ResetFrameValue(panel, f, kIdMarginWPixels);
        break;
    case kIdMarginHPercent:
        SetMarginHPercent(f, c[kIdMarginHPercent]->GetFloat());
        ResetFrameValue(panel, f, kIdMarginHPixels);
        break;
    case kIdMarginWPixels:
        SetMarginWPixels(f, c[kIdMarginWPixels]->GetInt());
        ResetFrameValue(panel, f, kIdMarginWPercent);
        break;
    case kIdMarginHPixels:
        SetMarginHPixels(f, c[kIdMarginHPixels]->GetInt());
        ResetFrameValue(panel, f, kIdMarginHPercent);
        break;
    case kIdColorPick: // the picker has already filled the colour control
    case kIdColor: {
        int rgb[3];
        c[kIdColor]->GetIVec(rgb);
        FromRgb(rgb, f.color);
        break;
    }
    case kIdTransparency: f.transparency = PercentValue(panel, kIdTransparency) * 0.01; break;
    case kIdMemo: f.memo = CutAtCharacter(c[kIdMemo]->GetText(), kFrameTextBytes); break;
    case kIdFocal: f.showFocalLength = c[kIdFocal]->GetInt() != 0; break;
    case kIdPreset:
        if (ApplyAspectPreset(f, c[kIdPreset]->GetInt() - 1, CameraHeight(f.camera)))
            for (int changed : {kIdWidth, kIdHeight, kIdAspect, kIdMarginWPixels, kIdMarginHPixels})
                ResetFrameValue(panel, f, changed);
        break;
    case kIdThirds: SetGuideKind(f.guides, GuideThirds, c[id]->GetInt() != 0); break;
    case kIdGolden: SetGuideKind(f.guides, GuideGolden, c[id]->GetInt() != 0); break;
    case kIdCross: SetGuideKind(f.guides, GuideCross, c[id]->GetInt() != 0); break;
    case kIdDiagonals: SetGuideKind(f.guides, GuideDiagonals, c[id]->GetInt() != 0); break;
    case kIdGuideOpacity: f.guides.opacity = PercentValue(panel, id) / 100.0; break;
    case kIdTitleSafe: f.guides.titleSafe = c[id]->GetInt() != 0; break;
    case kIdTitleSafePercent: f.guides.titleSafePercent = PercentValue(panel, id); break;
    case kIdActionSafe: f.guides.actionSafe = c[id]->GetInt() != 0; break;
    case kIdActionSafePercent: f.guides.actionSafePercent = PercentValue(panel, id); break;
    case kIdBurnGuides: f.guides.burnIn = c[id]->GetInt() != 0; break;
    default: break;
    }
    f.redraw = true;
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
        int rgb[3];
        c[kIdCombinedColor]->GetIVec(rgb);
        auto edit = EditFrames();
        FromRgb(rgb, state.combinedColor);
        return true;
    }
    case kIdCombinedTransparency: {
        auto edit = EditFrames();
        state.combinedTransparency = PercentValue(panel, kIdCombinedTransparency) * 0.01;
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

CLWctl *MakeControl(CLWwindow *w, int id, const char *label, const char **calcItems, const char **presetItems)
{
    using namespace lwp::lwpanel;
    switch (id) {
    case kIdCreate:
    case kIdDelete:
    case kIdEditOn: return new CLWctl(w, id, kButtonControl, label, 120);
    case kIdEditOff: return new CLWctl(w, id, kButtonControl, label, 84);
    case kIdEditSeparator:
    case kIdFrameSeparator: return new CLWctl(w, id, label);
    case kIdCombined:
    case kIdActive:
    case kIdFocal: return CLWctl::Bool(w, id, label);
    case kIdCombinedPick:
    case kIdColorPick: return new CLWctl(w, id, kButtonControl, label, 48);
    case kIdCombinedColor:
    case kIdColor: return CLWctl::RGBVec(w, id, label);
    case kIdCombinedTransparency:
    case kIdMarginWPercent:
    case kIdMarginHPercent:
    case kIdTransparency: return CLWctl::Percent(w, id, label);
    case kIdFrame: return CLWctl::CustomPopup(w, id, label, 120, FramePopupCount, FramePopupName);
    case kIdName: return new CLWctl(w, id, kEditControl, label, 20);
    case kIdCamera: return CLWctl::CustomPopup(w, id, label, 120, CameraPopupCount, CameraPopupName);
    case kIdPosX:
    case kIdPosY: return new CLWctl(w, id, label, -kPositionRange, kPositionRange);
    case kIdCalc: return CLWctl::Popup(w, id, label, calcItems);
    case kIdWidth:
    case kIdHeight:
    case kIdMarginWPixels:
    case kIdMarginHPixels: return new CLWctl(w, id, label, 0, 0);
    case kIdAspect: return CLWctl::MiniFloat(w, id, label);
    case kIdRotate: return CLWctl::Angle(w, id, label);
    case kIdMemo: return new CLWctl(w, id, kEditControl, label, 30);
    case kIdGuideSeparator: return new CLWctl(w, id, label);
    case kIdPreset: return CLWctl::Popup(w, id, label, presetItems);
    case kIdThirds:
    case kIdGolden:
    case kIdCross:
    case kIdDiagonals:
    case kIdTitleSafe:
    case kIdActionSafe:
    case kIdBurnGuides: return CLWctl::Bool(w, id, label);
    case kIdGuideOpacity:
    case kIdTitleSafePercent:
    case kIdActionSafePercent: return CLWctl::Percent(w, id, label);
    default: return nullptr;
    }
}

// Controls that sit on the row of the control before them.
bool SharesRow(int id)
{
    return id == kIdEditOff || id == kIdCombinedColor || id == kIdHeight || id == kIdMarginHPercent ||
           id == kIdMarginHPixels || id == kIdColor || id == kIdGolden || id == kIdDiagonals ||
           id == kIdTitleSafePercent || id == kIdActionSafePercent;
}

bool IsButton(int id)
{
    return id == kIdCreate || id == kIdDelete || id == kIdEditOn || id == kIdEditOff || id == kIdCombinedPick ||
           id == kIdColorPick || id == kIdEditSeparator ||
           id == kIdFrameSeparator || id == kIdGuideSeparator;
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
    const char **calcItems = FrameCalcItems(language);
    const char **presetItems = FramePresetItems(language);
    int rowY = kRowGap;
    CLWctl *previous = nullptr;
    for (int id = 0; id < kFramePanelControls; ++id) {
        CLWctl *control = MakeControl(w, id, FrameLabel(language, id), calcItems, presetItems);
        w->Add(control);
        panel->controls[id] = control;
        control->SetEvent(ControlEvent, &state);
        if (previous && SharesRow(id)) {
            control->SetY(previous->GetY());
            control->SetX(previous->GetX() + previous->GetW() + kRowGap);
        } else {
            if (previous)
                rowY += kRowHeight;
            control->SetY(rowY);
            if (IsButton(id))
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
