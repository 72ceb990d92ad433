// frame_scene_block.h: the camera frames' block in the scene file, version "0305" and older.
#ifndef ZK_CAMERAFRAME_FRAME_SCENE_BLOCK_H
#define ZK_CAMERAFRAME_FRAME_SCENE_BLOCK_H

#include "frame_list.h"

// The scene-level settings the block holds after the frames.
struct FrameSceneSettings {
    bool combined = false;
    double combinedColor[3] = {0.0, 0.0, 0.0};
    double combinedTransparency = 0.0;
    std::string extraText;
    bool extraFlag = false;
};

// Writes the version, the frames, the settings and the frames' guides.
void WriteFrameBlock(const FrameRecords &frames, const FrameSceneSettings &settings, const LWSaveState *save);

// Reads a block: its frames, each made by makeRecord and appended to frames, and, when the block's
// version holds them, its settings (withSettings is then true; the items read replace those in
// settings, reading stops at the first missing one) and its guides. Null, or "Invalid format!"
// when the version is not of format "03" (nothing is read then). Reading stops at the first item
// the block does not hold: the frames read whole are kept, a partly read one is dropped.
using MakeFrameRecord = std::unique_ptr<FrameRecord> (*)();
const char *ReadFrameBlock(const LWLoadState *load, MakeFrameRecord makeRecord, FrameRecords &frames,
                           FrameSceneSettings &settings, bool &withSettings);

// Writes the master's frames and settings with WriteFrameBlock.
void SaveFrameBlock(const CameraFrameState &state, const LWSaveState *save);

// Reads a block with ReadFrameBlock, appends its frames to the list and takes its settings.
const char *LoadFrameBlock(CameraFrameState &state, const LWLoadState *load);

#endif
