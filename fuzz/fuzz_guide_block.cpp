// fuzz_guide_block.cpp: the camera frames' guide sub-block on arbitrary contents.
//
// A valid block of three frames is followed by the guide sub-block, whose items are the input read
// by BlockFromBytes. The loader must neither crash nor hang nor lose the frames, and what it
// accepted must save and load back to the same block.
#include "cameraframe/frame_guides_block.h"
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

// Three default frames and the scene-level settings, as this build saves them, without guides.
zkh::Block FrameData()
{
    static zkh::Block data;
    if (data.empty()) {
        CameraFrameState state;
        for (int i = 0; i < 3; ++i)
            CreateFrame(state);
        data = SaveAll(state);
        ClearFrames();
        for (std::size_t i = 0; i < data.size(); ++i)
            if (data[i].type == zkh::BlockItem::Type::Begin) {
                data.resize(i);
                break;
            }
    }
    return data;
}

void Fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    zkh::Block block = FrameData();
    block.push_back({zkh::BlockItem::Type::Begin, kGuidesBlockToken, static_cast<double>(kGuidesBlockId)});
    for (zkh::BlockItem &item : BlockFromBytes(data, size))
        block.push_back(std::move(item));
    block.push_back({zkh::BlockItem::Type::End, std::string(), 0.0});

    CameraFrameState state;
    {
        zkh::BlockReader reader(block);
        if (LoadFrameBlock(state, reader.State()) != nullptr)
            Fail("a block with valid frame data was refused");
    }
    if (FrameCount() != 3)
        Fail("frames were lost to the guide sub-block");
    const zkh::Block saved = SaveAll(state);
    ClearFrames();

    CameraFrameState again;
    {
        zkh::BlockReader reader(saved);
        if (LoadFrameBlock(again, reader.State()) != nullptr)
            Fail("a saved block was refused");
    }
    const zkh::Block resaved = SaveAll(again);
    ClearFrames();
    if (zkh::FormatBlock(saved, "") != zkh::FormatBlock(resaved, ""))
        Fail("a saved block does not load back to itself");
    return 0;
}
