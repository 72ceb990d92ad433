// fuzz_guide_block.cpp: the camera frames' guide sub-block on arbitrary contents.
//
// A valid block of three frames is followed by the guide sub-block, whose lines are the input read
// by DataFromBytes. The loader must neither crash nor hang nor lose the frames, and what it
// accepted must save and load back to the same block.
#include "cameraframe/frame_guides_block.h"
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

// Three default frames and the scene-level settings, as this build saves them, without guides.
DataLines FrameData()
{
    static DataLines data;
    if (data.empty()) {
        CameraFrameState state;
        for (int i = 0; i < 3; ++i)
            CreateFrame(state);
        data = SaveAll(state);
        ClearFrames();
        for (std::size_t i = 0; i < data.size(); ++i)
            if (zkh::lwsc::OpensBlock(data[i])) {
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
    DataLines block = FrameData();
    block.push_back(std::string("{ ") + kGuidesBlockToken);
    for (std::string &line : DataFromBytes(data, size))
        block.push_back("  " + line);
    block.push_back("}");

    CameraFrameState state;
    {
        auto reader = ReaderOf(block);
        if (LoadFrameBlock(state, reader.State()) != nullptr)
            Fail("a block with valid frame data was refused");
    }
    if (FrameCount() != 3)
        Fail("frames were lost to the guide sub-block");
    const DataLines saved = SaveAll(state);
    ClearFrames();

    CameraFrameState again;
    {
        auto reader = ReaderOf(saved);
        if (LoadFrameBlock(again, reader.State()) != nullptr)
            Fail("a saved block was refused");
    }
    const DataLines resaved = SaveAll(again);
    ClearFrames();
    if (saved != resaved)
        Fail("a saved block does not load back to itself");
    return 0;
}
