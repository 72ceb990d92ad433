// fuzz_frame_block.cpp: the camera frames' scene block loader on arbitrary blocks.
//
// The input is read as plug-in data by DataFromBytes. The loader must neither crash nor hang, and what
// it accepted must save and load back to the same block.
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
    {
        auto reader = ReaderOf(lines);
        LoadFrameBlock(state, reader.State());
    }
    const DataLines saved = SaveAll(state);
    ClearFrames();

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
