// frame_guides_block.h: the frames' guide settings in a named sub-block of the scene block.
//
// The sub-block follows the frame data, so that a build that reads only the frame data never asks
// for it (the host skips a sub-block nobody asks for), and a scene without it loads with no guides.
#ifndef ZK_CAMERAFRAME_FRAME_GUIDES_BLOCK_H
#define ZK_CAMERAFRAME_FRAME_GUIDES_BLOCK_H

#include "frame_list.h"

// The sub-block's identifier and token.
constexpr LWID kGuidesBlockId = LWID_('G', 'U', 'I', 'D');
constexpr char kGuidesBlockToken[] = "FrameGuides";

// Writes the guides of every frame, in list order; nothing when the host offers no sub-blocks.
void SaveGuideBlock(const FrameRecords &frames, const LWSaveState *save);
// Reads the sub-block when it is next, into the frames just loaded (in order); the frames keep no
// guides when it is missing or when the host offers no sub-blocks.
void LoadGuideBlock(FrameRecords &frames, const LWLoadState *load);

#endif
