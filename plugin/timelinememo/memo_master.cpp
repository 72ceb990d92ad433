// memo_master.cpp: the memo's master handler: create, destroy, scene block, events.
#include "memo_master.h"

#include "../common/lwactivate.h"
#include "../common/lwtool2.h"
#include "../common/scene_block_io.h"
#include "memo_texts.h"
#include "timelinememo_servers.h"

#include <algorithm>

const char kMemoBlockVersion[] = "0100";
const char kMemoInvalidFormat[] = "Invalid format!";

namespace {

// Version strings are short; names may be long notes (kMemoNameBytes).
constexpr int kVersionLength = 256;

void WriteColor(const LWSaveState &save, const std::array<float, 3> &color)
{
    const int values[3] = {ColorComponentToInt(color[0]), ColorComponentToInt(color[1]), ColorComponentToInt(color[2])};
    PutBlockI4s(save, values, 3);
}

bool ReadColor(SceneBlockReader &reading, std::array<float, 3> &color)
{
    int values[3] = {0, 0, 0};
    if (!reading.I4s(values, 3))
        return false;
    for (int i = 0; i < 3; ++i)
        color[i] = ColorComponentFromInt(values[i]);
    return true;
}

bool ReadClip(SceneBlockReader &reading, MemoTrack &track)
{
    MemoClip &clip = *AddMemoClip(track);
    // What is saved is finite, so is what is kept.
    return reading.Text(clip.name, kMemoNameBytes) && reading.FP(clip.startTime, 0.0) && reading.FP(clip.duration, 0.0) &&
           ReadColor(reading, clip.foreColor) && ReadColor(reading, clip.backColor);
}

bool ReadTrack(SceneBlockReader &reading, MemoTrackList &tracks)
{
    MemoTrack &track = *AddMemoTrackTo(tracks);
    int active = 0, clipCount = 0;
    if (!reading.Text(track.name, kMemoNameBytes) || !reading.I4(active))
        return false;
    track.active = active != 0;
    if (!reading.I4(clipCount))
        return false;
    // Every clip reads at least one item, so a count larger than the block stops at its end.
    for (int i = 0; i < clipCount; ++i)
        if (!ReadClip(reading, track))
            return false;
    return true;
}

LWError LoadCallback(LWInstance inst, const LWLoadState *load)
{
    return GuardedOr(static_cast<LWError>(kMemoInvalidFormat), [&]() -> LWError {
        MemoInstance *instance = LiveMemoOf(inst);
        if (!instance || !load)
            return nullptr;
        return LoadMemoBlock(*instance, *load);
    });
}

LWError SaveCallback(LWInstance inst, const LWSaveState *save)
{
    Guarded([&] {
        if (MemoInstance *instance = LiveMemoOf(inst); instance && save)
            SaveMemoBlock(*instance, *save);
    });
    return nullptr;
}


} // namespace

void SaveMemoBlock(const MemoInstance &instance, const LWSaveState &save)
{
    PutBlockStr(save, kMemoBlockVersion);
    PutBlockI4(save, static_cast<int>(instance.tracks.size()));
    for (const auto &track : instance.tracks) {
        PutBlockStr(save, track->name);
        PutBlockI4(save, track->active ? 1 : 0);
        PutBlockI4(save, static_cast<int>(track->clips.size()));
        for (const auto &clip : track->clips) {
            PutBlockStr(save, clip->name);
            // Two items of one value each, as load reads them; times within the float range (a
            // scene must always load again).
            PutBlockFP(save, clip->startTime);
            PutBlockFP(save, clip->duration);
            WriteColor(save, clip->foreColor);
            WriteColor(save, clip->backColor);
        }
    }
}

LWError LoadMemoBlock(MemoInstance &instance, const LWLoadState &load)
{
    SceneBlockReader reading(load);
    std::string version;
    if (!reading.Str(version, kVersionLength) || version.size() < 2 || version.compare(0, 2, "01") != 0)
        return kMemoInvalidFormat;

    MemoTrackList tracks;
    int trackCount = 0;
    if (reading.I4(trackCount))
        for (int i = 0; i < trackCount; ++i)
            if (!ReadTrack(reading, tracks))
                break;
    ReplaceMemoTracks(instance.tracks, std::move(tracks));
    instance.redrawPending = true;
    return reading.Ok() ? nullptr : kMemoInvalidFormat;
}

LWInstance CreateMemoInstance(void *, void *, LWError *error)
{
    return GuardedOr(static_cast<LWInstance>(nullptr), [&]() -> LWInstance {
        if (CurrentMemo()) {
            if (error)
                *error = MemoText(MemoTextId::AlreadyExists);
            return nullptr;
        }
        auto instance = std::make_unique<MemoInstance>();
        AddMemoTrack(*instance);
        MemoRegistry().push_back(instance.get());
        return instance.release();
    });
}

void DestroyMemoInstance(LWInstance inst)
{
    Guarded([&] {
        MemoInstance *instance = LiveMemoOf(inst);
        if (!instance)
            return;
        auto &registry = MemoRegistry();
        registry.erase(std::remove(registry.begin(), registry.end(), instance), registry.end());
        delete instance;
    });
}

const char *MemoDescription(LWInstance)
{
    static const std::string title = GuardedOr(std::string(), []() -> std::string {
        return VersionTitle(kTimeLineMemoServerName, 1, 0);
    });
    return title.c_str();
}

double MemoEvent(LWInstance inst, const LWMasterAccess *access)
{
    Guarded([&] {
        MemoInstance *instance = LiveMemoOf(inst);
        if (instance && access && (access->eventCode == LWEVNT_TIME || access->eventCode == LWEVNT_SELECT))
            instance->redrawPending = true;
    });
    return 0.0;
}

void FillMemoMasterHandler(LWMasterHandler &handler)
{
    if (handler.inst) {
        handler.inst->create = CreateMemoInstance;
        handler.inst->destroy = DestroyMemoInstance;
        handler.inst->copy = NoCopy;
        handler.inst->load = LoadCallback;
        handler.inst->save = SaveCallback;
        handler.inst->descln = MemoDescription;
    }
    FillNoItems(handler.item);
    handler.type = LWMAST_SCENE;
    handler.event = MemoEvent;
    handler.flags = NoFlags;
}
