// ring_peer.h: another plug-in in the host process that asks the camera frames for their frames
// over the communication ring topic "TessikComRing".
//
// The peer lays the reply records out as such a plug-in does: on 64-bit Windows one built with
// Microsoft's library (ring_peer_text.h, in C), elsewhere one built with the toolchain's own.
// What it read comes back as plain values.
#ifndef ZKH_RING_PEER_H
#define ZKH_RING_PEER_H

#include "lwhost/lwhost.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zkh {

struct PeerFrame {
    std::string name;
    LWItemID camera = nullptr;
    std::int32_t innerX[4] = {}, innerY[4] = {}, outerX[4] = {}, outerY[4] = {};
    double marginMax = 0, marginW = 0, marginH = 0, marginWPx = 0, marginHPx = 0;
    std::int32_t red = 0, green = 0, blue = 0, opacity = 0;
    std::string memo;
    std::string focalLength;
};

struct PeerFrameQuery {
    std::uint8_t answered = 0;
    std::int32_t count = 0;
    std::uint8_t combined = 0;
    std::int32_t red = 0, green = 0, blue = 0, opacity = 0;
    std::string extraText;
    std::uint8_t extraFlag = 0;
    std::vector<PeerFrame> frames;
};

class Host;

// Posts event 0, sizes an array from the count, posts event 1. A text the peer's library could not
// free is a message of the host.
PeerFrameQuery QueryCameraFrames(Host &host);

// Event 0 alone on a new record: whether a plug-in answered, and the count it gave.
bool AskFrameCount(Host &host, std::int32_t &count);

// Event 1 alone on a new record whose count field holds `count`, with an array of `entries`
// entries whose names hold `before`: the names afterwards.
std::vector<std::string> AskFrameNames(Host &host, int entries, std::int32_t count, const std::string &before);

// The reply as text, one field per line (the runner prints it).
std::string DescribeFrameQuery(const PeerFrameQuery &query);

} // namespace zkh

#endif
