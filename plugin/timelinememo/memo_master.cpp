// memo_master.cpp: the memo's master handler: create, destroy, scene block, events.
#include "memo_master.h"

#include "../common/lwactivate.h"
#include "../common/lwfloat.h"
#include "../common/lwtool2.h"
#include "memo_texts.h"
#include "timelinememo_servers.h"

#include <algorithm>
#include <cmath>
#include <vector>

const char kMemoBlockVersion[] = "0100";
const char kMemoInvalidFormat[] = "Invalid format!";

namespace {

// Version strings are short; names may be long notes, so they get a large buffer.
constexpr int kVersionLength = 256;
constexpr int kNameLength = 65536;

void WriteInt(const LWSaveState &save, int value) { save.writeI4(save.writeData, &value, 1); }

// A time narrowed to 32 bits, within the float range (a scene must always load again).
void WriteFloat(const LWSaveState &save, double value)
{
    const float narrowed = BlockFloat(value);
    save.writeFP(save.writeData, &narrowed, 1);
}

void WriteColor(const LWSaveState &save, const std::array<float, 3> &color)
{
    const int values[3] = {ColorComponentToInt(color[0]), ColorComponentToInt(color[1]), ColorComponentToInt(color[2])};
    save.writeI4(save.writeData, values, 3);
}

// Sequential reads that remember whether the block ended early.
class BlockReading {
public:
    explicit BlockReading(const LWLoadState &load) : load_(load) {}

    bool Text(std::string &out, int maxLength)
    {
        if (!ok_)
            return false;
        buffer_.assign(static_cast<size_t>(maxLength), '\0');
        const int length = load_.readStr(load_.readData, buffer_.data(), maxLength);
        if (length < 0)
            return ok_ = false;
        out.assign(buffer_.data(), static_cast<size_t>(std::min(length, maxLength - 1)));
        return true;
    }

    bool Ints(int *values, int count)
    {
        if (ok_ && load_.readI4(load_.readData, values, count) != count)
            ok_ = false;
        return ok_;
    }

    bool Float(double &out)
    {
        float value = 0.0f;
        if (ok_ && load_.readFP(load_.readData, &value, 1) != 1)
            ok_ = false;
        if (ok_)
            out = std::isfinite(value) ? value : 0.0; // what is saved is finite, so is what is kept
        return ok_;
    }

    bool Ok() const { return ok_; }

private:
    const LWLoadState &load_;
    std::vector<char> buffer_;
    bool ok_ = true;
};

bool ReadColor(BlockReading &reading, std::array<float, 3> &color)
{
    int values[3] = {0, 0, 0};
    if (!reading.Ints(values, 3))
        return false;
    for (int i = 0; i < 3; ++i)
        color[i] = ColorComponentFromInt(values[i]);
    return true;
}

bool ReadClip(BlockReading &reading, MemoTrack &track)
{
    MemoClip &clip = *AddMemoClip(track);
    return reading.Text(clip.name, kNameLength) && reading.Float(clip.startTime) && reading.Float(clip.duration) &&
           ReadColor(reading, clip.foreColor) && ReadColor(reading, clip.backColor);
}

bool ReadTrack(BlockReading &reading, MemoTrackList &tracks)
{
    MemoTrack &track = *AddMemoTrackTo(tracks);
    int active = 0, clipCount = 0;
    if (!reading.Text(track.name, kNameLength) || !reading.Ints(&active, 1))
        return false;
    track.active = active != 0;
    if (!reading.Ints(&clipCount, 1))
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
    save.writeStr(save.writeData, kMemoBlockVersion);
    WriteInt(save, static_cast<int>(instance.tracks.size()));
    for (const auto &track : instance.tracks) {
        save.writeStr(save.writeData, track->name.c_str());
        WriteInt(save, track->active ? 1 : 0);
        WriteInt(save, static_cast<int>(track->clips.size()));
        for (const auto &clip : track->clips) {
            save.writeStr(save.writeData, clip->name.c_str());
            // Two items of one value each, as load reads them.
            WriteFloat(save, clip->startTime);
            WriteFloat(save, clip->duration);
            WriteColor(save, clip->foreColor);
            WriteColor(save, clip->backColor);
        }
    }
}

LWError LoadMemoBlock(MemoInstance &instance, const LWLoadState &load)
{
    BlockReading reading(load);
    std::string version;
    if (!reading.Text(version, kVersionLength) || version.size() < 2 || version.compare(0, 2, "01") != 0)
        return kMemoInvalidFormat;

    MemoTrackList tracks;
    int trackCount = 0;
    if (reading.Ints(&trackCount, 1))
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
