// clipmixer_compile.cpp: checking and compiling clips and tracks into their value tables.

// GCC's flow analysis reports a false "may be used uninitialized" inside the standard library's
// regular expression automaton when it is built with the sanitizers; it must be silenced before
// the library headers are read.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include "clipmixer.h"

#include "../common/lwtool2.h"
#include "clipmixer_messages.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <regex>

namespace {

// The three patterns, built once when the module is loaded and shared by every instance. The
// first two hold a real tab character.
const std::regex kClipNamePattern("[^ \t:,'\"]+", std::regex::ECMAScript);
const std::regex kClipReferencePattern("([^ \t:,'\"]+):(\\d+)", std::regex::ECMAScript);
const std::regex kNumberPattern("[-+]?(?:\\d+(?:\\.\\d*)?|\\.\\d+)(?:[eE][-+]?\\d+)?", std::regex::ECMAScript);

// The regular expression engine recurses once per character: longer texts never match, so a
// huge token cannot exhaust the stack.
bool FullMatch(const std::string &text, const std::regex &pattern)
{
    return text.size() <= kMaxPatternInput && std::regex_match(text, pattern);
}

// The decimal conversion of a number token; false when it overflows the double range. A value
// too small for a double (underflow, also reported as a range error) is taken as converted: a
// subnormal number or zero.
bool ConvertNumber(const std::string &token, double &value)
{
    char *end = nullptr;
    value = std::strtod(token.c_str(), &end);
    return end != token.c_str() && std::isfinite(value);
}

// The decimal conversion of a repeat count; false when it does not fit in 32 bits.
bool ConvertCount(const std::string &digits, std::int32_t &count)
{
    errno = 0;
    char *end = nullptr;
    const long long value = std::strtoll(digits.c_str(), &end, 10);
    if (errno == ERANGE || end == digits.c_str() || value < INT32_MIN || value > INT32_MAX)
        return false;
    count = static_cast<std::int32_t>(value);
    return true;
}

// One clip of a track's chain, used count times in a row.
struct ChainPart {
    const Clip *clip;
    std::int64_t count;
};

const Clip *FindClip(const ClipMixer &mixer, const std::string &name)
{
    for (const auto &clip : mixer.clips)
        if (clip->name == name)
            return clip.get();
    return nullptr;
}

// The first `limit` values of the chain (or all of it when shorter), without building the rest.
std::vector<double> ChainHead(const std::vector<ChainPart> &parts, std::int64_t limit)
{
    std::vector<double> head;
    for (const ChainPart &part : parts) {
        if (part.clip->values.empty())
            continue;
        for (std::int64_t n = 0; n < part.count; ++n) {
            for (double value : part.clip->values) {
                if (static_cast<std::int64_t>(head.size()) >= limit)
                    return head;
                head.push_back(value);
            }
        }
    }
    return head;
}

} // namespace

bool IsClipName(const std::string &name) { return FullMatch(name, kClipNamePattern); }

bool IsNumberToken(const std::string &token) { return FullMatch(token, kNumberPattern); }

bool SplitClipReference(const std::string &token, std::string &name, std::string &count)
{
    std::smatch match;
    if (token.size() > kMaxPatternInput || !std::regex_match(token, match, kClipReferencePattern))
        return false;
    name = match[1].str();
    count = match[2].str();
    return true;
}

bool BuildClipValues(Clip &clip)
{
    if (clip.name.empty() || !IsClipName(clip.name)) {
        ShowMixerMessage(kMsgClipName, clip.name.c_str());
        return false;
    }
    if (clip.step < 1 || clip.step > 999) {
        ShowMixerMessage(kMsgClipStep, clip.name.c_str(), static_cast<int>(clip.step));
        return false;
    }
    std::vector<double> numbers;
    for (const std::string &token : SplitTokens(clip.sequence)) {
        double value = 0.0;
        // A token over the table bound is refused like a malformed one.
        const bool tooMany = static_cast<std::int64_t>(numbers.size() + 1) * clip.step > kMaxTableEntries;
        if (tooMany || !IsNumberToken(token) || !ConvertNumber(token, value)) {
            ShowMixerMessage(kMsgClipSequence, clip.name.c_str(), token.c_str());
            return false;
        }
        numbers.push_back(value);
    }
    if (numbers.empty()) {
        ShowMixerMessage(kMsgClipSequence, clip.name.c_str(), clip.sequence.c_str());
        return false;
    }
    std::vector<double> values;
    values.reserve(numbers.size() * static_cast<size_t>(clip.step));
    for (double value : numbers)
        values.insert(values.end(), static_cast<size_t>(clip.step), value);
    clip.values = std::move(values);
    return true;
}

bool BuildTrackTable(Track &track, const ClipMixer &mixer)
{
    if (!track.enable)
        return true;
    // Computed in 64 bits: in and out may span the whole 32-bit range.
    const std::int64_t count = static_cast<std::int64_t>(track.out) - track.in + 1;
    if (count < 1 || count > kMaxTableEntries) {
        ShowMixerMessage(kMsgTrackInOut, static_cast<int>(track.in), static_cast<int>(track.out));
        return false;
    }

    // A NAME:COUNT token is never expanded: the chain is held as (clip, count) parts, and only its
    // first `count` values are built below, so any 32-bit count is taken.
    std::vector<ChainPart> parts;
    bool chainHasValues = false;
    for (const std::string &token : SplitTokens(track.sequence)) {
        std::string name = token;
        std::string countText;
        std::int64_t repeat = 1;
        if (SplitClipReference(token, name, countText)) {
            std::int32_t parsed = 0;
            if (!ConvertCount(countText, parsed)) {
                ShowMixerMessage(kMsgTrackSequence);
                return false;
            }
            repeat = parsed;
        }
        if (repeat == 0)
            continue;
        const Clip *clip = FindClip(mixer, name);
        if (!clip) {
            ShowMixerMessage(kMsgTrackClip, name.c_str());
            return false;
        }
        parts.push_back({clip, repeat});
        chainHasValues = chainHasValues || !clip->values.empty();
    }
    if (parts.empty() || !chainHasValues) {
        ShowMixerMessage(kMsgTrackSequence);
        return false;
    }

    // Only the part of the chain that reaches a frame is built: the first `count` values.
    // A head of `count` values is the table itself; a shorter one is the whole chain, repeated or
    // held on its last value.
    std::vector<double> head = ChainHead(parts, count);
    const size_t headSize = head.size();
    if (headSize == static_cast<size_t>(count)) {
        track.frameTable = std::move(head);
        return true;
    }
    std::vector<double> table(static_cast<size_t>(count));
    for (size_t k = 0; k < table.size(); ++k)
        table[k] = track.repeat ? head[k % headSize] : head[std::min(k, headSize - 1)];
    track.frameTable = std::move(table);
    return true;
}

bool RebuildAll(ClipMixer &mixer)
{
    // Swapped out rather than cleared, so that a large table gives its memory back.
    for (auto &clip : mixer.clips)
        std::vector<double>().swap(clip->values);
    for (auto &track : mixer.tracks)
        std::vector<double>().swap(track->frameTable);
    for (auto &clip : mixer.clips)
        if (!BuildClipValues(*clip))
            return false;
    for (auto &track : mixer.tracks)
        if (!BuildTrackTable(*track, mixer))
            return false;
    return true;
}
