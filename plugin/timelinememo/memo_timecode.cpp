// memo_timecode.cpp: frame rates, SMPTE timecode counting and the seconds-to-frames rule.
//
// Drop frame skips the labels 00 and 01 (29.97) or 00 to 03 (59.94) at the start of every minute
// but each tenth; no frame is dropped, only labels. With D labels skipped a minute and base N:
//   label to count: total minutes M = 60 h + m; count = (60 M + s) N + f - D (M - M div 10)
//   count to label: per10 = 600 N - 9 D, per1 = 60 N - D; q, r = divmod(count, per10);
//                   count += 9 D q + (r > D ? D ((r - D) div per1) : 0), then split as non-drop.
#include "memo_timecode.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace {

constexpr int kMaxHours = 99;

// Labels skipped at the start of a minute: 2 at 30000/1001, 4 at 60000/1001.
int DroppedLabels(const FrameRate &rate) { return TimecodeBase(rate) / 15; }

bool IsSeparator(char c) { return c == ':' || c == ';' || c == '.' || c == ','; }

} // namespace

std::optional<FrameRate> RateOfFps(double fps)
{
    if (!std::isfinite(fps) || fps <= 0.0 || fps > kMaxFileRate)
        return std::nullopt;
    const double whole = std::round(fps);
    if (whole >= 1.0 && std::fabs(fps - whole) <= 1e-6 * whole)
        return FrameRate{static_cast<std::int64_t>(whole), 1};
    const double nominal = std::round(fps * 1001.0 / 1000.0);
    if (nominal >= 1.0 && std::fabs(fps - nominal * 1000.0 / 1001.0) <= 0.005)
        return FrameRate{static_cast<std::int64_t>(nominal) * 1000, 1001};
    const std::int64_t thousandths = static_cast<std::int64_t>(std::llround(fps * 1000.0));
    if (thousandths <= 0)
        return std::nullopt;
    const std::int64_t common = std::gcd(thousandths, static_cast<std::int64_t>(1000));
    return FrameRate{thousandths / common, 1000 / common};
}

int TimecodeBase(const FrameRate &rate)
{
    if (rate.num <= 0 || rate.den <= 0 || rate.num > static_cast<std::int64_t>(kMaxFileRate) * rate.den)
        return 0;
    if (rate.num % rate.den == 0)
        return static_cast<int>(rate.num / rate.den);
    if (rate.den == 1001 && rate.num % 1000 == 0)
        return static_cast<int>(rate.num / 1000);
    return 0;
}

bool DropFrameRate(const FrameRate &rate)
{
    return rate.den == 1001 && (rate.num == 30000 || rate.num == 60000);
}

std::optional<Timecode> ParseTimecode(const std::string &text)
{
    int fields[4] = {0, 0, 0, 0};
    char separators[3] = {0, 0, 0};
    size_t at = 0;
    for (int field = 0; field < 4; ++field) {
        int digits = 0;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && digits < 3) {
            fields[field] = fields[field] * 10 + (text[at] - '0');
            ++at;
            ++digits;
        }
        if (digits == 0 || digits > 2)
            return std::nullopt;
        if (field == 3)
            break;
        if (at >= text.size() || !IsSeparator(text[at]))
            return std::nullopt;
        separators[field] = text[at++];
    }
    if (at != text.size())
        return std::nullopt;
    // Only the frames may follow a "." or ",".
    if (separators[0] == '.' || separators[0] == ',' || separators[1] == '.' || separators[1] == ',')
        return std::nullopt;
    Timecode timecode;
    timecode.hours = fields[0];
    timecode.minutes = fields[1];
    timecode.seconds = fields[2];
    timecode.frames = fields[3];
    timecode.drop = separators[2] != ':';
    return timecode;
}

std::string FormatTimecode(const Timecode &timecode)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d%c%02d", timecode.hours, timecode.minutes, timecode.seconds,
                  timecode.drop ? ';' : ':', timecode.frames);
    return text;
}

std::optional<std::int64_t> TimecodeFrames(const Timecode &timecode, const FrameRate &rate)
{
    const int base = TimecodeBase(rate);
    if (base <= 0 || timecode.hours < 0 || timecode.hours > kMaxHours || timecode.minutes < 0 ||
        timecode.minutes > 59 || timecode.seconds < 0 || timecode.seconds > 59 || timecode.frames < 0 ||
        timecode.frames >= base)
        return std::nullopt;
    const std::int64_t minutes = 60 * static_cast<std::int64_t>(timecode.hours) + timecode.minutes;
    const std::int64_t nominal = (minutes * 60 + timecode.seconds) * base + timecode.frames;
    if (!timecode.drop)
        return nominal;
    if (!DropFrameRate(rate))
        return std::nullopt;
    const int dropped = DroppedLabels(rate);
    if (timecode.seconds == 0 && timecode.frames < dropped && timecode.minutes % 10 != 0)
        return std::nullopt; // a label drop frame skips
    return nominal - dropped * (minutes - minutes / 10);
}

std::optional<Timecode> FramesTimecode(std::int64_t frames, const FrameRate &rate, bool drop)
{
    const int base = TimecodeBase(rate);
    if (base <= 0 || frames < 0)
        return std::nullopt;
    drop = drop && DropFrameRate(rate);
    std::int64_t label = frames;
    if (drop) {
        const std::int64_t dropped = DroppedLabels(rate);
        const std::int64_t perTen = 600 * static_cast<std::int64_t>(base) - 9 * dropped;
        const std::int64_t perMinute = 60 * static_cast<std::int64_t>(base) - dropped;
        const std::int64_t tens = frames / perTen, rest = frames % perTen;
        label += 9 * dropped * tens + (rest > dropped ? dropped * ((rest - dropped) / perMinute) : 0);
    }
    const std::int64_t perHour = 3600 * static_cast<std::int64_t>(base);
    if (label / perHour > kMaxHours)
        return std::nullopt;
    Timecode timecode;
    timecode.hours = static_cast<int>(label / perHour);
    timecode.minutes = static_cast<int>(label / (60 * base) % 60);
    timecode.seconds = static_cast<int>(label / base % 60);
    timecode.frames = static_cast<int>(label % base);
    timecode.drop = drop;
    return timecode;
}

std::optional<std::int64_t> FramesOfSeconds(double seconds, double fps)
{
    if (!std::isfinite(seconds) || std::fabs(seconds) > kMaxExchangeSeconds || !std::isfinite(fps) || fps <= 0.0 ||
        fps > kMaxFileRate)
        return std::nullopt;
    return static_cast<std::int64_t>(std::llround(seconds * fps));
}
