// frame_ring.h: the frame query over the communication ring "TessikComRing".
//
// A requesting plug-in posts event 0 (count) and then event 1 (frames) with the address of a
// FrameQueryReply; the records are shared byte for byte with the requester, whose text objects are
// those of its own library (ring_text.h).
#ifndef ZK_CAMERAFRAME_FRAME_RING_H
#define ZK_CAMERAFRAME_FRAME_RING_H

#include "ring_text.h"

#include "lwhost/lwhost.h"

#include <cstddef>
#include <cstdint>

struct FrameQueryEntry {
    RingText name;
    LWItemID camera;
    std::int32_t innerX[4];
    std::int32_t innerY[4];
    std::int32_t outerX[4];
    std::int32_t outerY[4];
    double marginMax;
    double marginW;
    double marginH;
    double marginWPx;
    double marginHPx;
    std::int32_t red, green, blue;
    std::int32_t opacity;
    RingText memo;
    RingText focalLength;
};

struct FrameQueryReply {
    std::uint8_t answered;
    std::int32_t count;
    std::uint8_t combined;
    std::int32_t red, green, blue;
    std::int32_t opacity;
    RingText extraText;
    std::uint8_t extraFlag;
    FrameQueryEntry *entries;
};

static_assert(offsetof(FrameQueryEntry, name) == 0 && offsetof(FrameQueryEntry, camera) == 32 &&
                  offsetof(FrameQueryEntry, innerX) == 40 && offsetof(FrameQueryEntry, innerY) == 56 &&
                  offsetof(FrameQueryEntry, outerX) == 72 && offsetof(FrameQueryEntry, outerY) == 88 &&
                  offsetof(FrameQueryEntry, marginMax) == 104 && offsetof(FrameQueryEntry, marginW) == 112 &&
                  offsetof(FrameQueryEntry, marginH) == 120 && offsetof(FrameQueryEntry, marginWPx) == 128 &&
                  offsetof(FrameQueryEntry, marginHPx) == 136 && offsetof(FrameQueryEntry, red) == 144 &&
                  offsetof(FrameQueryEntry, green) == 148 && offsetof(FrameQueryEntry, blue) == 152 &&
                  offsetof(FrameQueryEntry, opacity) == 156 && offsetof(FrameQueryEntry, memo) == 160 &&
                  offsetof(FrameQueryEntry, focalLength) == 192 && sizeof(FrameQueryEntry) == 224,
              "FrameQueryEntry layout");
static_assert(offsetof(FrameQueryReply, answered) == 0 && offsetof(FrameQueryReply, count) == 4 &&
                  offsetof(FrameQueryReply, combined) == 8 && offsetof(FrameQueryReply, red) == 12 &&
                  offsetof(FrameQueryReply, green) == 16 && offsetof(FrameQueryReply, blue) == 20 &&
                  offsetof(FrameQueryReply, opacity) == 24 && offsetof(FrameQueryReply, extraText) == 32 &&
                  offsetof(FrameQueryReply, extraFlag) == 64 && offsetof(FrameQueryReply, entries) == 72 &&
                  sizeof(FrameQueryReply) == 80,
              "FrameQueryReply layout");

// The ring callback: client data is the master instance, event data the reply record.
void AnswerFrameQuery(void *clientData, void *portData, int eventCode, void *eventData);

#endif
