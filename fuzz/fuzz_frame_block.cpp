// fuzz_frame_block.cpp: the camera frames' scene block loader on arbitrary blocks.
//
// The input is read as plug-in data by DataFromBytes. The loader must neither crash nor hang, and what
// it accepted must save and load back to the same block. The module's door reads the same input: a
// block the master refuses it refuses too, and what it writes is what the master saves.
#include "cameraframe/frame_door.h"
#include "cameraframe/frame_list.h"
#include "cameraframe/frame_scene_block.h"
#include "fuzz_data_input.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

DataLines SaveAll(const CameraFrameState &state)
{
    return Written([&](const LWSaveState *save) { SaveFrameBlock(state, save); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const DataLines lines = DataFromBytes(data, size);
    CameraFrameState state;
    const char *refused = nullptr;
    {
        auto reader = ReaderOf(lines);
        refused = LoadFrameBlock(state, reader.State());
    }
    const DataLines saved = SaveAll(state);
    ClearFrames();

    const ZkFrameDoor &door = *CameraFrameDoor();
    const char *doorRefused = nullptr;
    ZkDoorFrames *read = nullptr;
    {
        auto reader = ReaderOf(lines);
        read = door.read(reader.State(), &doorRefused);
    }
    if ((read == nullptr) != (refused != nullptr)) {
        std::fprintf(stderr, "the door and the master disagree on a block\n");
        std::abort();
    }
    // A block of an older revision keeps the state's settings in the master; the door's read from
    // scratch writes the same when the block had none.
    const DataLines doorWritten = read ? Written([&](const LWSaveState *save) { door.write(read, save); }) : saved;
    door.release(read);
    if (doorWritten != saved) {
        std::fprintf(stderr, "the door writes another block than the master saves\n");
        std::abort();
    }

    CameraFrameState again;
    {
        auto reader = ReaderOf(saved);
        if (LoadFrameBlock(again, reader.State()) != nullptr) {
            std::fprintf(stderr, "a saved block was refused\n");
            std::abort();
        }
    }
    const DataLines resaved = SaveAll(again);
    ClearFrames();
    if (saved != resaved) {
        std::fprintf(stderr, "a saved block does not load back to itself\n");
        std::abort();
    }
    return 0;
}
