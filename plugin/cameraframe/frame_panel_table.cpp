// frame_panel_table.cpp: the rows of the camera frames' panel and how each shows and takes its field.
#include "frame_panel_table.h"

#include "frame_geometry.h"
#include "frame_guides.h"

#include "../common/lwglobals.h"
#include "../common/utf8_text.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// ---- what the fields show ----

} // namespace

void ShowRgb(CLWctl &control, const double color[3])
{
    int rgb[3];
    for (int i = 0; i < 3; ++i)
        rgb[i] = TruncToInt(color[i] * 255.0);
    control.SetIVec(rgb);
}

void TakeRgb(CLWctl &control, double color[3])
{
    int rgb[3];
    control.GetIVec(rgb);
    for (int i = 0; i < 3; ++i)
        color[i] = rgb[i] / 255.0;
}

namespace {

void ShowText(CLWctl &control, const std::string &text)
{
    std::string taken = text;
    control.SetText(taken);
}

void ShowBool(CLWctl &control, bool on) { control.SetInt(on ? 1 : 0); }
bool TakeBool(CLWctl &control) { return control.GetInt() != 0; }

// A position slider's value within the range the slider states; the slider shows what is kept.
double KeptPosition(CLWctl &control)
{
    const int entered = control.GetInt();
    const int kept = std::clamp(entered, -kFramePositionRange, kFramePositionRange);
    if (kept != entered && control.GetState() == 0)
        control.SetInt(kept);
    return kept;
}

void ShowWhole(CLWctl &control, double value) { control.SetInt(TruncToInt(value)); }

// An edited whole-number field shows the value kept (a size of at least 1, say) when it is not the
// one entered.
void ShowKept(CLWctl &control, double kept)
{
    if (TruncToInt(kept) != control.GetInt() && control.GetState() == 0)
        ShowWhole(control, kept);
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

int CameraHeight(LWItemID camera)
{
    const LWCameraInfo *cameras = g_hostGlobals.cameraInfo;
    int width = 0, height = 0;
    if (camera != LWITEM_NULL && cameras && cameras->resolution)
        cameras->resolution(camera, &width, &height);
    return height;
}

// The Preset popup's item for a frame: the delivery aspect it has, else the custom entry 0.
int PresetItemOf(const FrameRecord &f)
{
    for (int i = 0; i < kAspectPresetCount; ++i)
        if (std::fabs(AspectPresetAt(i).aspect - f.aspect) < 1e-4)
            return i + 1;
    return 0;
}

void SetGuideKind(FrameGuides &g, std::uint32_t kind, bool on) { g.kinds = on ? g.kinds | kind : g.kinds & ~kind; }

template <std::uint32_t Kind> void ShowGuide(CLWctl &c, const FrameRecord &f) { ShowBool(c, (f.guides.kinds & Kind) != 0); }
template <std::uint32_t Kind> void TakeGuide(FramePanel &, CLWctl &c, FrameRecord &f) { SetGuideKind(f.guides, Kind, TakeBool(c)); }

// ---- the rows ----

using K = FrameControlKind;
constexpr int kNever = -1;

constexpr FramePanelRow kRows[kFramePanelControls] = {
    {kIdCreate, K::Button, 120, "Create Frame", "フレーム作成", false, kNever, nullptr, nullptr},
    {kIdDelete, K::Button, 120, "Delete Frame", "フレーム削除", false, kNever, nullptr, nullptr},
    {kIdEditSeparator, K::Separator, 0, "", "", false, kNever, nullptr, nullptr},
    {kIdEditOn, K::Button, 120, "Frame Edit ON", "フレーム編集ツール", false, kNever, nullptr, nullptr},
    {kIdEditOff, K::Button, 84, "Frame Edit OFF", "ツール終了", true, kNever, nullptr, nullptr},
    {kIdCombined, K::Bool, 0, "Combined Frame", "結合フレーム", false, kNever, nullptr, nullptr},
    {kIdCombinedPick, K::Button, 48, "Color", "色", false, kNever, nullptr, nullptr},
    {kIdCombinedColor, K::Rgb, 0, "", "", true, kNever, nullptr, nullptr},
    {kIdCombinedTransparency, K::Percent, 0, "Transparency", "透明度", false, kNever, nullptr, nullptr},
    {kIdFrameSeparator, K::Separator, 0, "", "", false, kNever, nullptr, nullptr},
    {kIdFrame, K::FramePopup, 120, "Frame", "フレーム", false, kNever, nullptr, nullptr},
    {kIdName, K::Edit, 20, "Name", "名前", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { ShowText(c, f.name); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.name = CutAtCharacter(c.GetText(), kFrameTextBytes); }},
    {kIdActive, K::Bool, 0, "Active", "有効", false, kNever, [](CLWctl &c, const FrameRecord &f) { ShowBool(c, f.active); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.active = TakeBool(c); }},
    {kIdCamera, K::CameraPopup, 120, "Camera", "カメラ", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { c.SetInt(CameraPosition(f.camera)); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) {
         f.camera = CameraAt(c.GetInt());
         if (f.camera)
             PixelsFromPercent(f); // the margins in the new camera's pixels
     }},
    {kIdPosX, K::Position, 0, "Position X", "位置X(px)", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { ShowWhole(c, f.posX); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.posX = KeptPosition(c); }},
    {kIdPosY, K::Position, 0, "Position Y", "位置Y(px)", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { ShowWhole(c, f.posY); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.posY = KeptPosition(c); }},
    {kIdCalc, K::CalcPopup, 0, "Frame Calc", "フレーム計算", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { c.SetInt(f.calcMode); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) {
         f.calcMode = c.GetInt();
         if (f.calcMode < WidthHeight || f.calcMode > HeightAspect)
             f.calcMode = WidthHeight;
     }},
    // A size field shows the size kept (a whole size of at least 1, an aspect of 0 or less as 1).
    {kIdWidth, K::Whole, 0, "Frame W(px)", "フレーム幅(px)", false, HeightAspect,
     [](CLWctl &c, const FrameRecord &f) { ShowWhole(c, f.width); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) {
         SetFrameWidth(f, c.GetInt());
         ShowKept(c, f.width);
     }},
    {kIdHeight, K::Whole, 0, "H", "高さ", true, WidthAspect, [](CLWctl &c, const FrameRecord &f) { ShowWhole(c, f.height); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) {
         SetFrameHeight(f, c.GetInt());
         ShowKept(c, f.height);
     }},
    {kIdAspect, K::MiniFloat, 0, "Aspect Ratio", "縦横比", false, WidthHeight,
     [](CLWctl &c, const FrameRecord &f) { c.SetFloat(f.aspect); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) {
         const double entered = c.GetFloat();
         SetFrameAspect(f, entered);
         if (f.aspect != entered && c.GetState() == 0)
             c.SetFloat(f.aspect);
     }},
    {kIdRotate, K::Angle, 0, "Rotate", "回転", false, kNever, [](CLWctl &c, const FrameRecord &f) { c.SetFloat(f.rotation); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.rotation = c.GetFloat(); }},
    {kIdMarginWPercent, K::Percent, 0, "Margin W(%)", "余白幅(%)", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { c.SetFloat(f.marginW * 100.0); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { SetMarginWPercent(f, c.GetFloat()); }},
    {kIdMarginHPercent, K::Percent, 0, "H", "高さ", true, kNever,
     [](CLWctl &c, const FrameRecord &f) { c.SetFloat(f.marginH * 100.0); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { SetMarginHPercent(f, c.GetFloat()); }},
    {kIdMarginWPixels, K::Whole, 0, "Margin W(px)", "余白幅(px)", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { ShowWhole(c, f.marginWPx); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { SetMarginWPixels(f, c.GetInt()); }},
    {kIdMarginHPixels, K::Whole, 0, "H", "高さ", true, kNever,
     [](CLWctl &c, const FrameRecord &f) { ShowWhole(c, f.marginHPx); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { SetMarginHPixels(f, c.GetInt()); }},
    // The picker has already put its colour into the colour control, which the edit takes.
    {kIdColorPick, K::Button, 48, "Color", "色", false, kNever, nullptr,
     [](FramePanel &p, CLWctl &, FrameRecord &f) { TakeRgb(*p.controls[kIdColor], f.color); }},
    {kIdColor, K::Rgb, 0, "", "", true, kNever, [](CLWctl &c, const FrameRecord &f) { ShowRgb(c, f.color); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { TakeRgb(c, f.color); }},
    {kIdTransparency, K::Percent, 0, "Transparency", "透明度", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { c.SetFloat(f.transparency * 100.0); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.transparency = KeptPercent(c) * 0.01; }},
    {kIdMemo, K::Edit, 30, "Memo", "メモ", false, kNever, [](CLWctl &c, const FrameRecord &f) { ShowText(c, f.memo); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.memo = CutAtCharacter(c.GetText(), kFrameTextBytes); }},
    {kIdFocal, K::Bool, 0, "Focal Length", "焦点距離", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { ShowBool(c, f.showFocalLength); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.showFocalLength = TakeBool(c); }},
    {kIdGuideSeparator, K::Separator, 0, "", "", false, kNever, nullptr, nullptr},
    {kIdPreset, K::PresetPopup, 0, "Preset", "プリセット", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { c.SetInt(PresetItemOf(f)); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { ApplyAspectPreset(f, c.GetInt() - 1, CameraHeight(f.camera)); }},
    {kIdThirds, K::Bool, 0, "Thirds", "三分割", false, kNever, ShowGuide<GuideThirds>, TakeGuide<GuideThirds>},
    {kIdGolden, K::Bool, 0, "Golden", "黄金分割", true, kNever, ShowGuide<GuideGolden>, TakeGuide<GuideGolden>},
    {kIdCross, K::Bool, 0, "Cross", "中心十字", false, kNever, ShowGuide<GuideCross>, TakeGuide<GuideCross>},
    {kIdDiagonals, K::Bool, 0, "Diagonals", "対角線", true, kNever, ShowGuide<GuideDiagonals>, TakeGuide<GuideDiagonals>},
    {kIdGuideOpacity, K::Percent, 0, "Guide Opacity", "ガイド不透明度", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { c.SetFloat(f.guides.opacity * 100.0); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.guides.opacity = KeptPercent(c) / 100.0; }},
    {kIdTitleSafe, K::Bool, 0, "Title Safe", "タイトルセーフ", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { ShowBool(c, f.guides.titleSafe); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.guides.titleSafe = TakeBool(c); }},
    {kIdTitleSafePercent, K::Percent, 0, "Title Safe(%)", "タイトル(%)", true, kNever,
     [](CLWctl &c, const FrameRecord &f) { c.SetFloat(f.guides.titleSafePercent); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.guides.titleSafePercent = KeptPercent(c); }},
    {kIdActionSafe, K::Bool, 0, "Action Safe", "アクションセーフ", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { ShowBool(c, f.guides.actionSafe); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.guides.actionSafe = TakeBool(c); }},
    {kIdActionSafePercent, K::Percent, 0, "Action Safe(%)", "アクション(%)", true, kNever,
     [](CLWctl &c, const FrameRecord &f) { c.SetFloat(f.guides.actionSafePercent); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.guides.actionSafePercent = KeptPercent(c); }},
    {kIdBurnGuides, K::Bool, 0, "Burn Guides", "ガイド焼き込み", false, kNever,
     [](CLWctl &c, const FrameRecord &f) { ShowBool(c, f.guides.burnIn); },
     [](FramePanel &, CLWctl &c, FrameRecord &f) { f.guides.burnIn = TakeBool(c); }},
};

constexpr bool RowsInIdOrder()
{
    for (int id = 0; id < kFramePanelControls; ++id)
        if (kRows[id].id != id)
            return false;
    return true;
}
static_assert(RowsInIdOrder(), "the rows of the frame panel are in id order");

} // namespace

const FramePanelRow &FramePanelRowOf(int id) { return kRows[std::clamp(id, 0, kFramePanelControls - 1)]; }

const char *FramePanelLabel(const FramePanelRow &row, UiLanguage language)
{
    return language == UiLanguage::Japanese ? row.japanese : row.english;
}

double KeptPercent(CLWctl &control)
{
    const double entered = control.GetFloat();
    const double kept = std::isnan(entered) ? 0.0 : std::clamp(entered, 0.0, 100.0);
    if (kept != entered && control.GetState() == 0)
        control.SetFloat(kept);
    return kept;
}

CLWctl *CanReset(FramePanel &panel, int id)
{
    CLWctl *control = id >= 0 && id < kFramePanelControls ? panel.controls[id] : nullptr;
    return control && control->GetState() == 0 ? control : nullptr;
}

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
