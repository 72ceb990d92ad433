// ring_peer.h: another plug-in in the host process that asks the camera frames for their frames
// over the communication ring topic "TessikComRing".
//
// The reply records are the requester's own declarations of the shared layout; they must stay
// byte for byte the same as the answering side's.
#ifndef ZKH_RING_PEER_H
#define ZKH_RING_PEER_H

#include "lwhost/lwhost.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zkh {

struct PeerFrameEntry {
    std::string name;
    LWItemID camera = nullptr;
    std::int32_t innerX[4] = {}, innerY[4] = {}, outerX[4] = {}, outerY[4] = {};
    double marginMax = 0, marginW = 0, marginH = 0, marginWPx = 0, marginHPx = 0;
    std::int32_t red = 0, green = 0, blue = 0, opacity = 0;
    std::string memo;
    std::string focalLength;
};

struct PeerFrameReply {
    std::uint8_t answered = 0;
    std::int32_t count = 0;
    std::uint8_t combined = 0;
    std::int32_t red = 0, green = 0, blue = 0, opacity = 0;
    std::string extraText;
    std::uint8_t extraFlag = 0;
    PeerFrameEntry *entries = nullptr;
};

static_assert(sizeof(PeerFrameEntry) == 224 && offsetof(PeerFrameEntry, camera) == 32 &&
                  offsetof(PeerFrameEntry, innerX) == 40 && offsetof(PeerFrameEntry, outerY) == 88 &&
                  offsetof(PeerFrameEntry, marginMax) == 104 && offsetof(PeerFrameEntry, marginHPx) == 136 &&
                  offsetof(PeerFrameEntry, red) == 144 && offsetof(PeerFrameEntry, opacity) == 156 &&
                  offsetof(PeerFrameEntry, memo) == 160 && offsetof(PeerFrameEntry, focalLength) == 192,
              "the camera frames' entry layout");
static_assert(sizeof(PeerFrameReply) == 80 && offsetof(PeerFrameReply, count) == 4 &&
                  offsetof(PeerFrameReply, combined) == 8 && offsetof(PeerFrameReply, red) == 12 &&
                  offsetof(PeerFrameReply, opacity) == 24 && offsetof(PeerFrameReply, extraText) == 32 &&
                  offsetof(PeerFrameReply, extraFlag) == 64 && offsetof(PeerFrameReply, entries) == 72,
              "the camera frames' reply layout");

// What a query brought back.
struct PeerFrameQuery {
    PeerFrameReply reply;             // entries is null again after the query
    std::vector<PeerFrameEntry> frames;
};

class Host;

// Posts event 0, sizes an array from the count, posts event 1.
PeerFrameQuery QueryCameraFrames(Host &host);

// The reply as text, one field per line (the runner prints it).
std::string DescribeFrameQuery(const PeerFrameQuery &query);

} // namespace zkh

#endif
