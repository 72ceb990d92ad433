// memo_panel.cpp: the memo's view panel.
//
// The panel shows clip times in whole frames and the memo keeps seconds; the scene's frames per
// second are looked up afresh at every get or set of a clip field and at every button press.
#include "memo_panel.h"

#include "../common/lwglobals.h"
#include "../common/lwguard.h"
#include "../common/lwtool2.h"
#include "../common/utf8_text.h"
#include "memo_exchange_panel.h"
#include "memo_texts.h"
#include "memo_time.h"
#include "memo_yaml.h"
#include "timelinememo_servers.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct ControlRow {
    unsigned int cid;
    const char *ctrlclass;
    const char *english;
    const char *japanese;
};

const ControlRow kControls[] = {
    {kMemoExport, "vButton", "Export", "書き出し"},
    {kMemoImport, "vButton", "Import", "読み込み"},
    {kMemoCreateTrack, "vButton", "Create Track", "トラック作成"},
    {kMemoDeleteTrack, "vButton", "Delete Track", "トラック削除"},
    {kMemoTrackUp, "vButton", "Up", "上に移動"},
    {kMemoTrackDown, "vButton", "Down", "下に移動"},
    {kMemoTracksList, "iPopChoice", "Track", "トラック"},
    {kMemoTrackName, "string", "Name", "名前"},
    {kMemoTrackActive, "iBoolean", "Enable", "有効"},
    {kMemoCreateClip, "vButton", "Create Clip", "クリップ作成"},
    {kMemoDeleteClip, "vButton", "Delete Clip", "クリップ削除"},
    {kMemoClipsList, "iPopChoice", "Clip", "クリップ"},
    {kMemoClipName, "string", "Name", "名前"},
    {kMemoClipStart, "integer", "Start", "開始"},
    {kMemoClipLength, "integer", "Length", "長さ"},
    {kMemoClipForeColor, "color", "Font Color", "文字色"},
    {kMemoClipBackColor, "color", "BG Color", "背景色"},
    {kMemoFormat, "iPopChoice", "Format", "形式"},
    {kMemoExportTracks, "iPopChoice", "Tracks to Export", "書き出すトラック"},
    {kMemoImportMode, "iPopChoice", "On Import", "読み込み時"},
    {kMemoStartTimecode, "string", "Start Timecode", "開始タイムコード"},
    {kMemoDropFrame, "iBoolean", "Drop Frame", "ドロップフレーム"},
    {kMemoOtioStack, "iBoolean", "OTIO Markers on Stack", "OTIO マーカーをスタックに"},
    {kMemoPreviousClip, "vButton", "Previous Clip", "前のクリップへ"},
    {kMemoNextClip, "vButton", "Next Clip", "次のクリップへ"},
};
constexpr size_t kControlCount = sizeof kControls / sizeof kControls[0];

LWXPanelDataDesc g_dataDesc[] = {
    {kMemoTracksList, "tracksList", "integer"},   {kMemoTrackName, "trackName", "string"},
    {kMemoTrackActive, "trackActive", "integer"}, {kMemoClipsList, "clipsList", "integer"},
    {kMemoClipName, "clipName", "string"},        {kMemoClipStart, "clipStartTime", "integer"},
    {kMemoClipLength, "clipDuration", "integer"}, {kMemoClipForeColor, "clipForeColor", "color"},
    {kMemoClipBackColor, "clipBackColor", "color"},
    {kMemoFormat, "exchangeFormat", "integer"},   {kMemoExportTracks, "exportTracks", "integer"},
    {kMemoImportMode, "importMode", "integer"},   {kMemoStartTimecode, "startTimecode", "string"},
    {kMemoDropFrame, "dropFrame", "integer"},     {kMemoOtioStack, "otioStack", "integer"},
    {0, nullptr, nullptr},
};

const char kPanelTitle[] = "ZK:TimeLineMemo (1.00)";
// The requester titles are the Japanese texts in both languages.
const char kExportTitle[] = "書き出し";
const char kImportTitle[] = "読み込み";

// Values handed back by get and the popup names: each valid until the next call that fills it.
int g_intValue = 0;
double g_colorValue[3] = {0.0, 0.0, 0.0};
std::string g_textValue;
std::string g_trackNameValue;
std::string g_clipNameValue;

// Frames per second of the scene, looked up afresh; 0 when the host cannot tell.
double SceneFps()
{
    g_hostGlobals.sceneInfo = LookUp<LWSceneInfo>(LWSCENEINFO_GLOBAL);
    const double fps = g_hostGlobals.sceneInfo ? g_hostGlobals.sceneInfo->framesPerSecond : 0.0;
    return std::isfinite(fps) && fps > 0.0 ? fps : 0.0;
}

template <class Fn>
LWXPanelHint Fn2Hint(Fn *function)
{
    return reinterpret_cast<LWXPanelHint>(function);
}

std::vector<LWXPanelHint> PanelHints()
{
    std::vector<LWXPanelHint> h = {XpH(XPTAG_LABEL), XpH(0), const_cast<char *>(kPanelTitle), XpH(0),
                                   XpH(XPTAG_DESTROYNOTIFY), Fn2Hint(MemoPanelDestroyed), XpH(0)};
    for (unsigned int cid : std::initializer_list<unsigned int>{kMemoImport, kMemoExport, kMemoCreateTrack,
                                                                kMemoDeleteTrack, kMemoTrackUp, kMemoTrackDown,
                                                                kMemoCreateClip, kMemoDeleteClip, kMemoPreviousClip,
                                                                kMemoNextClip})
        h.insert(h.end(), {XpH(XPTAG_BUTNOTIFY), XpH(cid), Fn2Hint(MemoPanelButton)});
    h.insert(h.end(), {XpH(XPTAG_POPFUNCS), XpH(kMemoTracksList), Fn2Hint(MemoTrackCount), Fn2Hint(MemoTrackName)});
    h.insert(h.end(), {XpH(XPTAG_POPFUNCS), XpH(kMemoClipsList), Fn2Hint(MemoClipCount), Fn2Hint(MemoClipName)});
    h.insert(h.end(), {XpH(XPTAG_POPFUNCS), XpH(kMemoFormat), Fn2Hint(MemoFormatCount), Fn2Hint(MemoFormatName)});
    h.insert(h.end(), {XpH(XPTAG_POPFUNCS), XpH(kMemoExportTracks), Fn2Hint(MemoExportTracksCount),
                       Fn2Hint(MemoExportTracksName)});
    h.insert(h.end(), {XpH(XPTAG_POPFUNCS), XpH(kMemoImportMode), Fn2Hint(MemoImportModeCount),
                       Fn2Hint(MemoImportModeName)});
    h.insert(h.end(), {XpH(XPTAG_MIN), XpH(kMemoClipLength), XpH(1)});
    h.insert(h.end(), {XpH(XPTAG_STEP), XpH(kMemoClipStart), XpH(1)});
    h.insert(h.end(), {XpH(XPTAG_STEP), XpH(kMemoClipLength), XpH(1)});
    const std::vector<std::vector<unsigned int>> groups = {
        {0x8002, kMemoImport, kMemoExport, kMemoFormat, kMemoExportTracks, kMemoImportMode, kMemoStartTimecode,
         kMemoDropFrame, kMemoOtioStack},
        {0x8006, kMemoCreateTrack, kMemoDeleteTrack},
        {0x800B, kMemoTracksList, kMemoTrackUp, kMemoTrackDown, kMemoTrackName, kMemoTrackActive},
        {0x800F, kMemoCreateClip, kMemoDeleteClip, kMemoPreviousClip, kMemoNextClip},
        {0x8012, kMemoClipsList, kMemoClipName, kMemoClipStart, kMemoClipLength, kMemoClipForeColor, kMemoClipBackColor},
    };
    for (const auto &group : groups) {
        h.push_back(XpH(XPTAG_GROUP));
        for (unsigned int id : group)
            h.push_back(XpH(id));
        h.push_back(XpH(0));
    }
    h.push_back(XpH(XPTAG_END));
    return h;
}

void RefreshView(MemoInstance &instance)
{
    const LWXPanelFuncs *xpanel = g_hostGlobals.xpanelFuncs;
    if (instance.panel && xpanel && xpanel->viewRefresh)
        xpanel->viewRefresh(instance.panel);
}

// After a change of the memo: redraw, refresh the panel and ask the host to redraw at once.
void Changed(MemoInstance &instance)
{
    instance.redrawPending = true;
    RefreshView(instance);
    SendCommand("RefreshNow");
}

void ExportPressed(MemoInstance &instance)
{
    if (MemoExportPressed(instance))
        return;
    const std::string path = RequestSaveFile(MemoLastPath(), kExportTitle, "yaml");
    if (path.empty())
        return;
    MemoNamePlace unwritable;
    switch (ExportMemoFile(path, instance.tracks, &unwritable)) {
    case MemoExportResult::Written: break;
    case MemoExportResult::NotWritten: PostMemoStatus(MemoTextId::ExportFailed, path); break;
    case MemoExportResult::NameNotWritable: PostMemoNameStatus(path, unwritable.track, unwritable.clip); break;
    }
    MemoLastPath() = path;
}

void ImportPressed(MemoInstance &instance)
{
    if (MemoImportPressed(instance))
        return;
    const std::string path = RequestLoadFile(MemoLastPath(), kImportTitle, "yaml");
    if (path.empty())
        return;
    switch (ImportMemoFile(path, instance.tracks)) {
    case MemoImportResult::Replaced: break;
    case MemoImportResult::Partial: PostMemoStatus(MemoTextId::ImportPartial, path); break;
    case MemoImportResult::NotOpened: PostMemoStatus(MemoTextId::ImportNotOpened, path); break;
    case MemoImportResult::NotParsed: PostMemoStatus(MemoTextId::ImportNotParsed, path); break;
    case MemoImportResult::NotMemo: PostMemoStatus(MemoTextId::ImportNotMemo, path); break;
    case MemoImportResult::Bounded: PostMemoStatus(MemoTextId::ImportBounded, path); break;
    }
    instance.selectedClip = 0;
    instance.selectedTrack = 0;
    Changed(instance);
    MemoLastPath() = path;
}

void CreateClipPressed(MemoInstance &instance, double fps)
{
    MemoTrack *track = SelectedTrack(instance);
    const LWTimeInfo *time = g_hostGlobals.timeInfo;
    if (!track || fps <= 0.0 || !time)
        return;
    MemoClip &clip = *AddMemoClip(*track);
    clip.startTime = std::isfinite(time->time) ? std::trunc(time->time) : 0.0;
    clip.duration = 1.0 / fps;
    const int count = static_cast<int>(track->clips.size());
    if (instance.selectedClip >= 0 && instance.selectedClip < count - 1) {
        const MemoClip &model = *track->clips[instance.selectedClip];
        clip.foreColor = model.foreColor;
        clip.backColor = model.backColor;
    } else {
        clip.foreColor = {0.8f, 0.8f, 0.8f};
        clip.backColor = {1.0f, 0.0f, 0.0f};
    }
    instance.selectedClip = count - 1;
    Changed(instance);
}

void Pressed(MemoInstance &instance, unsigned int cid)
{
    const double fps = SceneFps();
    g_hostGlobals.timeInfo = LookUp<LWTimeInfo>(LWTIMEINFO_GLOBAL);
    switch (cid) {
    case kMemoExport: ExportPressed(instance); break;
    case kMemoImport: ImportPressed(instance); break;
    case kMemoCreateTrack:
        AddMemoTrack(instance);
        instance.selectedTrack = static_cast<int>(instance.tracks.size()) - 1;
        instance.selectedClip = 0;
        Changed(instance);
        break;
    case kMemoDeleteTrack:
        if (!ValidTrackIndex(instance, instance.selectedTrack))
            break;
        RemoveMemoTrack(instance, instance.selectedTrack);
        instance.selectedTrack = instance.selectedTrack - 1 > 0 ? instance.selectedTrack - 1 : 0;
        instance.selectedClip = 0;
        Changed(instance);
        break;
    case kMemoTrackUp:
        if (MoveMemoTrackUp(instance, instance.selectedTrack))
            Changed(instance);
        break;
    case kMemoTrackDown:
        if (MoveMemoTrackDown(instance, instance.selectedTrack))
            Changed(instance);
        break;
    case kMemoCreateClip: CreateClipPressed(instance, fps); break;
    case kMemoPreviousClip:
    case kMemoNextClip: MemoJumpPressed(instance, cid == kMemoNextClip); break;
    case kMemoDeleteClip: {
        MemoTrack *track = SelectedTrack(instance);
        if (!track || !ValidClipIndex(*track, instance.selectedClip))
            break;
        RemoveMemoClip(*track, instance.selectedClip);
        instance.selectedClip = instance.selectedClip - 1 > 0 ? instance.selectedClip - 1 : 0;
        Changed(instance);
        break;
    }
    default: break;
    }
}

void *GetValue(MemoInstance &instance, unsigned int vid)
{
    if (void *value = nullptr; MemoExchangeGet(vid, value))
        return value;
    switch (vid) {
    case kMemoTracksList: g_intValue = instance.selectedTrack; return &g_intValue;
    case kMemoClipsList: g_intValue = instance.selectedClip; return &g_intValue;
    default: break;
    }
    if (vid == kMemoTrackName || vid == kMemoTrackActive) {
        MemoTrack *track = SelectedTrack(instance);
        if (!track)
            return nullptr;
        if (vid == kMemoTrackActive) {
            g_intValue = track->active ? 1 : 0;
            return &g_intValue;
        }
        g_textValue = track->name;
        return g_textValue.data();
    }
    MemoClip *clip = SelectedClip(instance);
    if (!clip)
        return nullptr;
    switch (vid) {
    case kMemoClipName: g_textValue = clip->name; return g_textValue.data();
    case kMemoClipStart:
    case kMemoClipLength: {
        const double fps = SceneFps();
        if (fps <= 0.0)
            return nullptr;
        g_intValue = WholeFramesOf(fps, vid == kMemoClipStart ? clip->startTime : clip->duration);
        return &g_intValue;
    }
    case kMemoClipForeColor:
    case kMemoClipBackColor: {
        const auto &color = vid == kMemoClipForeColor ? clip->foreColor : clip->backColor;
        for (int i = 0; i < 3; ++i)
            g_colorValue[i] = color[i];
        return g_colorValue;
    }
    default: return nullptr;
    }
}

int SetValue(MemoInstance &instance, unsigned int vid, void *value)
{
    if (int changed = 0; MemoExchangeSet(vid, value, changed))
        return changed;
    switch (vid) {
    case kMemoTracksList:
        instance.selectedTrack = *static_cast<const int *>(value);
        instance.selectedClip = 0;
        RefreshView(instance);
        return 1;
    case kMemoClipsList:
        instance.selectedClip = *static_cast<const int *>(value);
        RefreshView(instance);
        return 1;
    default: break;
    }
    if (vid == kMemoTrackName || vid == kMemoTrackActive) {
        MemoTrack *track = SelectedTrack(instance);
        if (!track)
            return 0;
        if (vid == kMemoTrackName)
            track->name = CutAtCharacter(static_cast<const char *>(value), kMemoNameBytes);
        else
            track->active = *static_cast<const int *>(value) != 0;
        instance.redrawPending = true;
        return 1;
    }
    MemoClip *clip = SelectedClip(instance);
    if (!clip)
        return 0;
    switch (vid) {
    case kMemoClipName: clip->name = CutAtCharacter(static_cast<const char *>(value), kMemoNameBytes); break;
    case kMemoClipStart:
    case kMemoClipLength: {
        const double fps = SceneFps();
        if (fps <= 0.0)
            return 0;
        (vid == kMemoClipStart ? clip->startTime : clip->duration) = *static_cast<const int *>(value) / fps;
        break;
    }
    case kMemoClipForeColor:
    case kMemoClipBackColor: {
        auto &color = vid == kMemoClipForeColor ? clip->foreColor : clip->backColor;
        const auto *rgb = static_cast<const double *>(value);
        for (int i = 0; i < 3; ++i)
            color[i] = static_cast<float>(rgb[i]);
        break;
    }
    default: return 0;
    }
    instance.redrawPending = true;
    return 1;
}

} // namespace

const LWXPanelControl *MemoControlTable()
{
    static LWXPanelControl table[kControlCount + 1];
    for (size_t i = 0; i < kControlCount; ++i)
        table[i] = {kControls[i].cid, Pick(g_memoLanguage, kControls[i].english, kControls[i].japanese),
                    kControls[i].ctrlclass};
    table[kControlCount] = {0, nullptr, nullptr};
    return table;
}

LWXPanelID CreateMemoPanel(MemoInstance &instance)
{
    const LWXPanelFuncs *xpanel = g_hostGlobals.xpanelFuncs;
    if (!xpanel || !xpanel->create || !xpanel->describe || !xpanel->hint || !xpanel->viewInst || !xpanel->setData)
        return nullptr;
    LWXPanelID panel = xpanel->create(LWXP_VIEW, const_cast<LWXPanelControl *>(MemoControlTable()));
    if (!panel)
        return nullptr;
    std::vector<LWXPanelHint> hints = PanelHints();
    xpanel->hint(panel, 0, hints.data());
    xpanel->describe(panel, g_dataDesc, MemoPanelGet, MemoPanelSet);
    xpanel->viewInst(panel, &instance);
    xpanel->setData(panel, 0, &instance);
    instance.panel = panel;
    instance.selectedClip = 0;
    instance.selectedTrack = 0;
    instance.redrawPending = true;
    return panel;
}

void *MemoPanelGet(void *inst, unsigned int vid)
{
    return GuardedOr(static_cast<void *>(nullptr), [&]() -> void * {
        MemoInstance *instance = LiveMemoOf(inst);
        return instance ? GetValue(*instance, vid) : nullptr;
    });
}

LWXPRefreshCode MemoPanelSet(void *inst, unsigned int vid, void *value)
{
    return GuardedOr(LWXPRC_NONE, [&] {
        MemoInstance *instance = LiveMemoOf(inst);
        const bool changed = instance && value && SetValue(*instance, vid, value);
        return changed ? LWXPRC_DFLT : LWXPRC_NONE;
    });
}

void MemoPanelButton(LWXPanelID panel, int cid)
{
    Guarded([&] {
        const LWXPanelFuncs *xpanel = g_hostGlobals.xpanelFuncs;
        void *data = xpanel && xpanel->getData ? xpanel->getData(panel, 0) : nullptr;
        if (MemoInstance *instance = LiveMemoOf(data))
            Pressed(*instance, static_cast<unsigned int>(cid));
    });
}

void MemoPanelDestroyed(void *panelData)
{
    Guarded([&] {
        if (MemoInstance *instance = LiveMemoOf(panelData))
            instance->panel = nullptr;
    });
}

int MemoTrackCount(void *)
{
    return GuardedOr(0, [] {
        MemoInstance *instance = CurrentMemo();
        return instance ? static_cast<int>(instance->tracks.size()) : 0;
    });
}

const char *MemoTrackName(void *, int index)
{
    return GuardedOr(static_cast<const char *>(nullptr), [&]() -> const char * {
        MemoInstance *instance = CurrentMemo();
        if (!instance || !ValidTrackIndex(*instance, index))
            return nullptr;
        g_trackNameValue = TrackDisplayName(*instance->tracks[index]);
        return g_trackNameValue.c_str();
    });
}

int MemoClipCount(void *)
{
    return GuardedOr(0, [] {
        MemoInstance *instance = CurrentMemo();
        MemoTrack *track = instance ? SelectedTrack(*instance) : nullptr;
        return track ? static_cast<int>(track->clips.size()) : 0;
    });
}

const char *MemoClipName(void *, int index)
{
    return GuardedOr(static_cast<const char *>(nullptr), [&]() -> const char * {
        MemoInstance *instance = CurrentMemo();
        MemoTrack *track = instance ? SelectedTrack(*instance) : nullptr;
        if (!track || !ValidClipIndex(*track, index))
            return nullptr;
        g_clipNameValue = ClipDisplayName(*track->clips[index]);
        return g_clipNameValue.c_str();
    });
}

std::string &MemoLastPath()
{
    static std::string path;
    return path;
}

void MemoPanelChanged(MemoInstance &instance) { Changed(instance); }
