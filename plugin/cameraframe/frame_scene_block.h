// frame_scene_block.h: the camera frames' block in the scene file, version "0305" and older.
#ifndef ZK_CAMERAFRAME_FRAME_SCENE_BLOCK_H
#define ZK_CAMERAFRAME_FRAME_SCENE_BLOCK_H

#include "frame_list.h"

// Writes the version, every frame of the list and the scene-level settings.
void SaveFrameBlock(const CameraFrameState &state, const LWSaveState *save);

// Reads a block and appends its frames to the list; null, or "Invalid format!" when the version is
// not of format "03" (nothing is read into the scene then). Reading stops at the first item the
// block does not hold: the frames read whole are kept, a partly read one is dropped.
const char *LoadFrameBlock(CameraFrameState &state, const LWLoadState *load);

#endif
