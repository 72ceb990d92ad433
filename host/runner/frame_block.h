// frame_block.h: the camera frames' scene block (version "0305") as the runner reads and writes it.
#ifndef ZKH_FRAME_BLOCK_H
#define ZKH_FRAME_BLOCK_H

#include "host.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zkh {

struct StoredFrame {
    std::string name;
    bool active = true;
    std::uint32_t camera = 0;
    double posX = 0, posY = 0, width = 320, aspect = 16.0 / 9.0, marginW = 0.1;
    double color[3] = {0, 0, 0};
    double transparency = 0;
    std::string memo;
    bool focal = false;
    double rotation = 0, marginH = 0.1;
};

struct StoredFrames {
    std::vector<StoredFrame> frames;
    bool combined = false;
    double combinedColor[3] = {0, 0, 0};
    double combinedTransparency = 0;
    std::string extraText;
    bool extraFlag = false;
    std::vector<std::string> rest; // the lines after the scene settings
};

// The frame data at the start of the block's lines (the plug-in data as the scene file holds it);
// a block of another layout ends the session with a SessionError (line and column 0).
StoredFrames Decode(const std::vector<std::string> &lines);
std::vector<std::string> Encode(const StoredFrames &s);

// The frames as the ZK:CameraFrame master of the host saves them; false with a message when there
// is no master or its block cannot be read.
bool SavedFrames(Host &host, StoredFrames &frames, std::string &error);

} // namespace zkh

#endif
