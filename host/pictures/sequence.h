// sequence.h: numbered image sequences: file name patterns and frame ranges.
#ifndef ZKH_SEQUENCE_H
#define ZKH_SEQUENCE_H

#include <cstdint>
#include <string>
#include <vector>

namespace zkh {

// A file name with a place for the frame number: "shot.####.exr" (as many digits as #s, at least)
// or "shot.%04d.exr" (printf's %d, %Nd or %0Nd). Exactly one place.
struct SequencePattern {
    std::string head, tail;
    int digits = 1;
    bool zeroPad = true; // "%4d" pads with spaces, as printf does
};

bool ParseSequencePattern(const std::string &text, SequencePattern &pattern, std::string &error);
std::string SequencePath(const SequencePattern &pattern, std::int64_t frame);

// The most frames one run takes: a farm splits longer sequences with --frames.
constexpr std::int64_t kMaxSequenceFrames = 1000000;
// Frame numbers stay within what a scene's frame fields hold.
constexpr std::int64_t kMaxFrameNumber = 999999999;

// "A-B", "A-BxSTEP" or "A" (negative numbers allowed: "-10--1"): the frames A, A + STEP, ... up to B.
struct FrameRange {
    std::int64_t first = 0, last = 0, step = 1;
    std::vector<int> Frames() const;
};

bool ParseFrameRange(const std::string &text, FrameRange &range, std::string &error);
// The range from a scene's first to last frame; false with a message when it is empty or too long.
bool CheckFrameRange(const FrameRange &range, std::string &error);

} // namespace zkh

#endif
