// memo_timecode.h: frame rates, SMPTE timecodes (drop frame and non-drop frame) and the
// conversions between the memo's seconds and whole frames. Every marker format counts time through
// these.
#ifndef ZK_MEMO_TIMECODE_H
#define ZK_MEMO_TIMECODE_H

#include <cstdint>
#include <optional>
#include <string>

// An exact frame rate, num / den frames per second (24000 / 1001 for 23.976).
struct FrameRate {
    std::int64_t num = 24;
    std::int64_t den = 1;
    double Fps() const { return static_cast<double>(num) / static_cast<double>(den); }
    bool operator==(const FrameRate &other) const { return num * other.den == other.num * den; }
};

// The highest rate a file may give: audio sample rates pass, absurd ones (1e9) do not.
constexpr double kMaxFileRate = 1000000.0;
// Times beyond this many seconds from the scene's start are refused: they fit no timecode and no
// frame count of a scene (about 115 days).
constexpr double kMaxExchangeSeconds = 10000000.0;

// The exact rate of a frames-per-second value: whole rates as they are, the NTSC rates (N x
// 1000/1001: 23.976, 29.97, 47.952, 59.94 ...) when within 0.005 of one, others to a thousandth.
// None for a value that is not finite, not above 0 or above kMaxFileRate.
std::optional<FrameRate> RateOfFps(double fps);

// Whole frames per timecode second: the rate itself when whole, the nominal rate (24, 30, 60 ...)
// for an NTSC rate, 0 for a rate that has no timecode (12.5 fps).
int TimecodeBase(const FrameRate &rate);

// Drop-frame counting exists for 29.97 and 59.94 only.
bool DropFrameRate(const FrameRate &rate);

// A timecode label. drop: written with ";" before the frames (drop-frame counting).
struct Timecode {
    int hours = 0, minutes = 0, seconds = 0, frames = 0;
    bool drop = false;
};

// Reads "HH:MM:SS:FF" (one or two digits a field). A ";", "." or "," before the frames, or ";"
// between every field (Premiere's 00;00;10;02), marks drop frame. Only the syntax is checked here.
std::optional<Timecode> ParseTimecode(const std::string &text);

// "HH:MM:SS:FF", or "HH:MM:SS;FF" for drop frame.
std::string FormatTimecode(const Timecode &timecode);

// The frame count of a label at a rate: none when a field is out of range (minutes or seconds past
// 59, frames past the base), the rate has no timecode, drop frame is asked at a rate without it,
// or the label is one drop frame skips (00:01:00;00).
std::optional<std::int64_t> TimecodeFrames(const Timecode &timecode, const FrameRate &rate);

// The label of a frame count at a rate, drop frame when asked and the rate has it: none for a
// negative count, a rate without timecode, or a count past 99:59:59 and the last frame.
std::optional<Timecode> FramesTimecode(std::int64_t frames, const FrameRate &rate, bool drop);

// Whole frames of a time at fps, rounded to the nearest (halves away from zero); none for a time
// that is not finite or beyond kMaxExchangeSeconds.
std::optional<std::int64_t> FramesOfSeconds(double seconds, double fps);

#endif
