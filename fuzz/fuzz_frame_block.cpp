// fuzz_frame_block.cpp: the camera frames' scene block loader on arbitrary blocks.
//
// The input is read as a block by BlockFromBytes. The loader must neither crash nor hang, and what
// it accepted must save and load back to the same block.
#include "cameraframe/frame_list.h"
#include "cameraframe/frame_scene_block.h"
#include "fuzz_block_input.h"
#include "scene_block.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

zkh::Block SaveAll(const CameraFrameState &state)
{
    zkh::Block block;
    zkh::BlockWriter writer(block);
    SaveFrameBlock(state, writer.State());
    return block;
}

bool Same(const zkh::Block &a, const zkh::Block &b) { return zkh::FormatBlock(a, "") == zkh::FormatBlock(b, ""); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const zkh::Block block = BlockFromBytes(data, size);
    CameraFrameState state;
    {
        zkh::BlockReader reader(block);
        LoadFrameBlock(state, reader.State());
    }
    const zkh::Block saved = SaveAll(state);
    ClearFrames();

    CameraFrameState again;
    {
        zkh::BlockReader reader(saved);
        if (LoadFrameBlock(again, reader.State()) != nullptr) {
            std::fprintf(stderr, "a saved block was refused\n");
            std::abort();
        }
    }
    const zkh::Block resaved = SaveAll(again);
    ClearFrames();
    if (!Same(saved, resaved)) {
        std::fprintf(stderr, "a saved block does not load back to itself\n");
        std::abort();
    }
    return 0;
}
