// sequence.cpp: sequence patterns and frame ranges.
#include "sequence.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace zkh {

namespace {

const char kPatternHelp[] = ": write #### or %04d where the frame number goes";

// A whole number at text[at...]; false when there is none or it is too large.
bool ReadNumber(const std::string &text, size_t &at, std::int64_t &value)
{
    const size_t start = at;
    if (at < text.size() && text[at] == '-')
        ++at;
    const size_t digits = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9')
        ++at;
    if (at == digits || at - digits > 12)
        return false;
    value = std::strtoll(text.c_str() + start, nullptr, 10);
    return true;
}

} // namespace

bool ParseSequencePattern(const std::string &text, SequencePattern &pattern, std::string &error)
{
    pattern = SequencePattern();
    int places = 0;
    size_t begin = 0, end = 0;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '#') {
            size_t j = i;
            while (j < text.size() && text[j] == '#')
                ++j;
            ++places;
            begin = i, end = j;
            pattern.digits = static_cast<int>(j - i);
            pattern.zeroPad = true;
            i = j;
        } else if (text[i] == '%') {
            size_t j = i + 1;
            const bool zero = j < text.size() && text[j] == '0';
            while (j < text.size() && text[j] >= '0' && text[j] <= '9')
                ++j;
            if (j < text.size() && text[j] == '%' && j == i + 1) { // "%%" is a percent sign
                i = j + 1;
                continue;
            }
            if (j >= text.size() || text[j] != 'd' || j - i > 3) {
                error = "the sequence pattern '" + text + "' holds a % that is not %d, %Nd or %0Nd (N up to 2 digits)";
                return false;
            }
            ++places;
            begin = i, end = j + 1;
            pattern.digits = j > i + 1 ? std::atoi(text.substr(i + 1, j - i - 1).c_str()) : 1;
            pattern.zeroPad = zero;
            i = j + 1;
        } else {
            ++i;
        }
    }
    if (places != 1) {
        error = "the sequence pattern '" + text + (places ? "' has more than one frame number" : "' has no frame number") +
                kPatternHelp;
        return false;
    }
    if (pattern.digits < 1 || pattern.digits > 12) {
        error = "the sequence pattern '" + text + "' asks for " + std::to_string(pattern.digits) +
                " digits; 1 to 12 are taken";
        return false;
    }
    pattern.head = text.substr(0, begin);
    pattern.tail = text.substr(end);
    for (std::string *part : {&pattern.head, &pattern.tail}) { // "%%" stands for "%" outside the place
        std::string plain;
        for (size_t i = 0; i < part->size(); ++i) {
            plain += (*part)[i];
            if ((*part)[i] == '%' && i + 1 < part->size() && (*part)[i + 1] == '%')
                ++i;
        }
        *part = plain;
    }
    return true;
}

std::string SequencePath(const SequencePattern &pattern, std::int64_t frame)
{
    char number[32];
    std::snprintf(number, sizeof number, pattern.zeroPad ? "%0*lld" : "%*lld", pattern.digits,
                  static_cast<long long>(frame));
    return pattern.head + number + pattern.tail;
}

std::vector<int> FrameRange::Frames() const
{
    std::vector<int> frames;
    for (std::int64_t f = first; f <= last; f += step)
        frames.push_back(static_cast<int>(f));
    return frames;
}

bool ParseFrameRange(const std::string &text, FrameRange &range, std::string &error)
{
    const std::string what = "--frames " + text + ": ";
    size_t at = 0;
    range = FrameRange();
    bool ok = ReadNumber(text, at, range.first);
    range.last = range.first;
    if (ok && at < text.size() && text[at] == '-') {
        ++at;
        ok = ReadNumber(text, at, range.last);
    }
    if (ok && at < text.size() && text[at] == 'x') {
        ++at;
        ok = ReadNumber(text, at, range.step);
    }
    if (!ok || at != text.size()) {
        error = what + "expected FIRST-LAST or FIRST-LASTxSTEP (for example 1001-1100 or 1-99x2)";
        return false;
    }
    if (!CheckFrameRange(range, error)) {
        error = what + error;
        return false;
    }
    return true;
}

bool CheckFrameRange(const FrameRange &range, std::string &error)
{
    if (range.step < 1) {
        error = "the step must be at least 1";
        return false;
    }
    if (range.last < range.first) {
        error = "the last frame " + std::to_string(range.last) + " comes before the first " +
                std::to_string(range.first);
        return false;
    }
    const std::int64_t count = (range.last - range.first) / range.step + 1;
    if (count > kMaxSequenceFrames) {
        error = std::to_string(count) + " frames; one run takes at most 1000000 (split the range with --frames)";
        return false;
    }
    if (range.first < -kMaxFrameNumber || range.last > kMaxFrameNumber) {
        error = "frame numbers are taken from -999999999 to 999999999";
        return false;
    }
    return true;
}

} // namespace zkh
