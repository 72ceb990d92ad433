// frame_door.cpp: the camera frames' block read into plain records and written from them, by the
// reader and writer the master loads and saves with. Nothing here touches the master's frames.
#include "frame_door.h"

#include "frame_scene_block.h"

#include "../common/lwguard.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr char kNoMemory[] = "Not enough memory";

// Records read for a host, with the texts they point to.
struct DoorRecords : ZkDoorFrames {
    std::vector<ZkDoorFrame> records;
    std::deque<std::string> texts;
    const char *Keep(const std::string &text) { return texts.emplace_back(text).c_str(); }
};

std::string CopyIn(const char *text) { return text ? std::string(text) : std::string(); }

void ToDoor(const FrameRecord &f, DoorRecords &kept, ZkDoorFrame &d)
{
    d.name = kept.Keep(f.name);
    d.active = f.active ? 1 : 0;
    d.camera = static_cast<unsigned int>(reinterpret_cast<std::uintptr_t>(f.camera));
    d.posX = f.posX;
    d.posY = f.posY;
    d.width = f.width;
    d.aspect = f.aspect;
    d.marginW = f.marginW;
    d.marginH = f.marginH;
    std::copy(std::begin(f.color), std::end(f.color), std::begin(d.color));
    d.transparency = f.transparency;
    d.memo = kept.Keep(f.memo);
    d.focalLength = f.showFocalLength ? 1 : 0;
    d.rotation = f.rotation;
    d.guides = {f.guides.kinds,      f.guides.opacity,           f.guides.titleSafe ? 1 : 0, f.guides.titleSafePercent,
                f.guides.actionSafe ? 1 : 0, f.guides.actionSafePercent, f.guides.burnIn ? 1 : 0};
}

void FromDoor(const ZkDoorFrame &d, FrameRecord &f)
{
    f.name = CopyIn(d.name);
    f.active = d.active != 0;
    f.camera = reinterpret_cast<LWItemID>(static_cast<std::uintptr_t>(d.camera));
    f.posX = d.posX;
    f.posY = d.posY;
    f.width = d.width;
    f.aspect = d.aspect;
    f.marginW = d.marginW;
    f.marginH = d.marginH;
    std::copy(std::begin(d.color), std::end(d.color), std::begin(f.color));
    f.transparency = d.transparency;
    f.memo = CopyIn(d.memo);
    f.showFocalLength = d.focalLength != 0;
    f.rotation = d.rotation;
    f.guides.kinds = d.guides.kinds;
    f.guides.opacity = d.guides.opacity;
    f.guides.titleSafe = d.guides.titleSafe != 0;
    f.guides.titleSafePercent = d.guides.titleSafePercent;
    f.guides.actionSafe = d.guides.actionSafe != 0;
    f.guides.actionSafePercent = d.guides.actionSafePercent;
    f.guides.burnIn = d.guides.burnIn != 0;
}

void Release(ZkDoorFrames *frames) { delete static_cast<DoorRecords *>(frames); }

ZkDoorFrames *Read(const LWLoadState *load, const char **error)
{
    const char *failure = kNoMemory; // until the records are made
    ZkDoorFrames *result = GuardedOr(static_cast<ZkDoorFrames *>(nullptr), [&]() -> ZkDoorFrames * {
        FrameRecords records;
        FrameSceneSettings settings;
        bool withSettings = false;
        // Records named as read: reading for a host makes no default name.
        if (const char *refused = ReadFrameBlock(load, [] { return std::make_unique<FrameRecord>(std::string()); },
                                                 records, settings, withSettings)) {
            failure = refused;
            return nullptr;
        }
        auto out = std::make_unique<DoorRecords>();
        out->records.resize(records.size());
        for (size_t i = 0; i < records.size(); ++i)
            ToDoor(*records[i], *out, out->records[i]);
        out->count = static_cast<int>(out->records.size());
        out->frames = out->records.data();
        out->combined = settings.combined ? 1 : 0;
        std::copy(std::begin(settings.combinedColor), std::end(settings.combinedColor), std::begin(out->combinedColor));
        out->combinedTransparency = settings.combinedTransparency;
        out->extraText = out->Keep(settings.extraText);
        out->extraFlag = settings.extraFlag ? 1 : 0;
        return out.release();
    });
    if (error)
        *error = result ? nullptr : failure;
    return result;
}

void Write(const ZkDoorFrames *frames, const LWSaveState *save)
{
    Guarded([&] {
        if (!frames || frames->count < 0 || (frames->count > 0 && !frames->frames))
            return;
        FrameRecords records;
        for (int i = 0; i < frames->count; ++i) {
            auto record = std::make_unique<FrameRecord>(std::string());
            FromDoor(frames->frames[i], *record);
            records.push_back(std::move(record));
        }
        FrameSceneSettings settings;
        settings.combined = frames->combined != 0;
        std::copy(std::begin(frames->combinedColor), std::end(frames->combinedColor), std::begin(settings.combinedColor));
        settings.combinedTransparency = frames->combinedTransparency;
        settings.extraText = CopyIn(frames->extraText);
        settings.extraFlag = frames->extraFlag != 0;
        WriteFrameBlock(records, settings, save);
    });
}

const ZkFrameDoor kDoor = {ZK_CAMERA_FRAME_DOOR_VERSION, Read, Write, Release};

} // namespace

const ZkFrameDoor *CameraFrameDoor() { return &kDoor; }
