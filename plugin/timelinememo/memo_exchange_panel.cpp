// memo_exchange_panel.cpp: Import and Export in the editorial formats, their choices in the memo
// panel, and the buttons that jump between the notes of the selected track.
#include "memo_exchange_panel.h"

#include "../common/lwglobals.h"
#include "../common/lwtool2.h"
#include "memo_exchange.h"
#include "memo_exchange_messages.h"
#include "memo_panel.h"
#include "memo_texts.h"
#include "memo_yaml.h"
#include "timelinememo_servers.h"

#include <algorithm>
#include <filesystem>

namespace {

// The requester titles are the Japanese texts in both languages, as those of the memo's YAML.
const char kExportTitle[] = "書き出し";
const char kImportTitle[] = "読み込み";

// The longest start timecode the field keeps.
constexpr size_t kMaxStartText = 63;

int g_value = 0;
std::string g_text;
std::string g_popupName;

const MarkerFormatInfo &ChosenFormat()
{
    const auto &formats = MarkerFormats();
    const int at = MemoExchange().format;
    return at >= 0 && static_cast<size_t>(at) < formats.size() ? formats[static_cast<size_t>(at)] : formats.front();
}

// The choices and the scene, as an export or import takes them.
ExchangeSettings SettingsNow(const std::string &path)
{
    g_hostGlobals.sceneInfo = LookUp<LWSceneInfo>(LWSCENEINFO_GLOBAL);
    const LWSceneInfo *scene = g_hostGlobals.sceneInfo;
    ExchangeSettings settings;
    settings.fps = scene ? scene->framesPerSecond : 0.0;
    settings.sceneEndFrame = scene ? scene->frameEnd : 0;
    settings.title = scene && scene->name ? scene->name : "";
    settings.sourceName = std::filesystem::u8path(path).stem().u8string();
    const MemoExchangeChoices &choices = MemoExchange();
    settings.startTimecode = choices.startTimecode;
    settings.dropFrame = choices.dropFrame;
    settings.otioOnStack = choices.otioOnStack;
    return settings;
}

void PostDone(const std::string &text) { SendCommand("StatusMsg " + OneLine(text)); }
void PostFailure(const std::string &text) { SendCommand("StatusMsg *** ERROR: " + OneLine(text) + " ***"); }

// The memo's YAML read into tracks added after the memo's, with the messages of its own import;
// false when the file gave none (the memo unchanged).
bool AddYamlTracks(MemoInstance &instance, const std::string &path)
{
    MemoTrackList read;
    switch (ImportMemoFile(path, read)) {
    case MemoImportResult::Replaced: break;
    case MemoImportResult::Partial: PostMemoStatus(MemoTextId::ImportPartial, path); break;
    case MemoImportResult::NotOpened: PostMemoStatus(MemoTextId::ImportNotOpened, path); return false;
    case MemoImportResult::NotParsed: PostMemoStatus(MemoTextId::ImportNotParsed, path); return false;
    case MemoImportResult::NotMemo: PostMemoStatus(MemoTextId::ImportNotMemo, path); return false;
    // What was read up to the import's bound is added.
    case MemoImportResult::Bounded: PostMemoStatus(MemoTextId::ImportBounded, path); break;
    }
    for (auto &track : read) {
        track->owner = &instance.tracks;
        instance.tracks.push_back(std::move(track));
    }
    return true;
}

const char *PopupName(int index, int count, const char *const english[], const char *const japanese[])
{
    if (index < 0 || index >= count)
        return nullptr;
    g_popupName = Pick(g_memoLanguage, english[index], japanese[index]);
    return g_popupName.c_str();
}

const char *const kTracksEnglish[] = {"Enabled Tracks", "Selected Track"};
const char *const kTracksJapanese[] = {"有効なトラック", "選択中のトラック"};
const char *const kModeEnglish[] = {"Replace Memo", "Add Tracks"};
const char *const kModeJapanese[] = {"メモを置き換え", "トラックを追加"};

} // namespace

MemoExchangeChoices &MemoExchange()
{
    static MemoExchangeChoices choices;
    return choices;
}

int MemoFormatCount(void *) { return static_cast<int>(MarkerFormats().size()); }

const char *MemoFormatName(void *, int index)
{
    const auto &formats = MarkerFormats();
    if (index < 0 || static_cast<size_t>(index) >= formats.size())
        return nullptr;
    const MarkerFormatInfo &info = formats[static_cast<size_t>(index)];
    g_popupName = Pick(g_memoLanguage, info.english, info.japanese);
    return g_popupName.c_str();
}

int MemoExportTracksCount(void *) { return 2; }
const char *MemoExportTracksName(void *, int index) { return PopupName(index, 2, kTracksEnglish, kTracksJapanese); }
int MemoImportModeCount(void *) { return 2; }
const char *MemoImportModeName(void *, int index) { return PopupName(index, 2, kModeEnglish, kModeJapanese); }

bool MemoExchangeGet(unsigned int vid, void *&value)
{
    MemoExchangeChoices &choices = MemoExchange();
    switch (vid) {
    case kMemoFormat: g_value = choices.format; break;
    case kMemoExportTracks: g_value = choices.exportTracks; break;
    case kMemoImportMode: g_value = choices.importMode; break;
    case kMemoDropFrame: g_value = choices.dropFrame ? 1 : 0; break;
    case kMemoOtioStack: g_value = choices.otioOnStack ? 1 : 0; break;
    case kMemoStartTimecode:
        g_text = choices.startTimecode;
        value = g_text.data();
        return true;
    default: return false;
    }
    value = &g_value;
    return true;
}

bool MemoExchangeSet(unsigned int vid, void *value, int &changed)
{
    MemoExchangeChoices &choices = MemoExchange();
    const int number = vid == kMemoStartTimecode ? 0 : *static_cast<const int *>(value);
    changed = 1;
    switch (vid) {
    case kMemoFormat:
        if (number < 0 || number >= MemoFormatCount(nullptr))
            changed = 0;
        else
            choices.format = number;
        break;
    case kMemoExportTracks:
    case kMemoImportMode:
        if (number < 0 || number > 1)
            changed = 0;
        else
            (vid == kMemoExportTracks ? choices.exportTracks : choices.importMode) = number;
        break;
    case kMemoDropFrame: choices.dropFrame = number != 0; break;
    case kMemoOtioStack: choices.otioOnStack = number != 0; break;
    case kMemoStartTimecode:
        choices.startTimecode = std::string(static_cast<const char *>(value)).substr(0, kMaxStartText);
        break;
    default: changed = 0; return false;
    }
    return true;
}

bool MemoExportPressed(MemoInstance &instance)
{
    const MarkerFormatInfo &info = ChosenFormat();
    if (info.format == MarkerFormat::Yaml)
        return false;
    const std::string path = RequestSaveFile(MemoLastPath(), kExportTitle, info.extension);
    if (path.empty())
        return true;
    MemoLastPath() = path;
    std::vector<const MemoTrack *> tracks;
    if (MemoExchange().exportTracks == 1) {
        if (const MemoTrack *track = SelectedTrack(instance))
            tracks.push_back(track);
    } else {
        for (const MemoTrack *track : ActiveTracks(instance))
            tracks.push_back(track);
    }
    try {
        const ExportResult result = ExportMarkers(info.format, tracks, SettingsNow(path));
        WriteExchangeFile(path, result.text);
        PostDone(ExportDoneText(path, info.format, result));
    } catch (const ExchangeError &error) {
        PostFailure(ExchangeFailureText(path, error, false));
    }
    return true;
}

bool MemoImportPressed(MemoInstance &instance)
{
    const MarkerFormatInfo &info = ChosenFormat();
    const bool replace = MemoExchange().importMode == 0;
    if (info.format == MarkerFormat::Yaml && replace)
        return false;
    const std::string path = RequestLoadFile(MemoLastPath(), kImportTitle, info.extension);
    if (path.empty())
        return true;
    MemoLastPath() = path;
    const int trackCount = static_cast<int>(instance.tracks.size());
    if (info.format == MarkerFormat::Yaml) {
        if (!AddYamlTracks(instance, path))
            return true;
    } else {
        try {
            const ExchangeSettings settings = SettingsNow(path);
            const ImportedMemo imported = ImportMarkers(info.format, ReadExchangeFile(path), settings);
            ApplyImport(imported, settings.fps, instance.tracks, replace);
            PostDone(ImportDoneText(path, info.format, imported));
        } catch (const ExchangeError &error) {
            PostFailure(ExchangeFailureText(path, error, true));
            return true;
        }
    }
    // The first track read, and its first clip, are selected.
    instance.selectedTrack = replace ? 0 : std::min(trackCount, std::max(0, static_cast<int>(instance.tracks.size()) - 1));
    instance.selectedClip = 0;
    MemoPanelChanged(instance);
    return true;
}

void MemoJumpPressed(MemoInstance &instance, bool next)
{
    g_hostGlobals.sceneInfo = LookUp<LWSceneInfo>(LWSCENEINFO_GLOBAL);
    g_hostGlobals.timeInfo = LookUp<LWTimeInfo>(LWTIMEINFO_GLOBAL);
    const double fps = g_hostGlobals.sceneInfo ? g_hostGlobals.sceneInfo->framesPerSecond : 0.0;
    MemoTrack *track = SelectedTrack(instance);
    const std::optional<std::int64_t> now =
        g_hostGlobals.timeInfo ? FramesOfSeconds(g_hostGlobals.timeInfo->time, fps) : std::nullopt;
    if (!track || !now)
        return;
    int best = -1;
    std::int64_t bestFrame = 0;
    for (size_t i = 0; i < track->clips.size(); ++i) {
        const std::optional<std::int64_t> start = FramesOfSeconds(track->clips[i]->startTime, fps);
        if (!start || (next ? *start <= *now : *start >= *now))
            continue;
        if (best < 0 || (next ? *start < bestFrame : *start > bestFrame)) {
            best = static_cast<int>(i);
            bestFrame = *start;
        }
    }
    if (best < 0)
        return;
    SendCommand("GoToFrame " + std::to_string(bestFrame));
    instance.selectedClip = best;
    MemoPanelChanged(instance);
}
