// fuzz_frame_input.h: fuzzer bytes read as the camera frames' scene block, the frames tied to one camera.
#ifndef ZK_FUZZ_FRAME_INPUT_H
#define ZK_FUZZ_FRAME_INPUT_H

#include "cameraframe/frame_list.h"
#include "cameraframe/frame_scene_block.h"
#include "fuzz_data_input.h"
#include "scene.h"

#include <cstddef>
#include <cstdint>

// Loads the bytes (read by DataFromBytes) into the frame list and ties every frame to the camera,
// so that whatever the block holds is drawn or rendered.
inline void LoadFramesFromBytes(const std::uint8_t *data, std::size_t size, CameraFrameState &state,
                                std::uint32_t camera)
{
    const DataLines lines = DataFromBytes(data, size);
    {
        auto reader = ReaderOf(lines);
        LoadFrameBlock(state, reader.State());
    }
    auto edit = EditFrames();
    for (auto &frame : Frames())
        frame->camera = zkh::ToItemID(camera);
}

#endif
