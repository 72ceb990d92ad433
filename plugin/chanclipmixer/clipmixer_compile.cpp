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

#include <algorithm>
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

// Writes the first values of the chain into the table, up to its size (or the whole chain when
// shorter, without building the rest); returns how many were written.
size_t WriteChainHead(const std::vector<ChainPart> &parts, std::vector<double> &table)
{
    size_t written = 0;
    for (const ChainPart &part : parts) {
        if (part.clip->values.empty())
            continue;
        for (std::int64_t n = 0; n < part.count; ++n) {
            for (double value : part.clip->values) {
                if (written == table.size())
                    return written;
                table[written++] = value;
            }
        }
    }
    return written;
}

// The entries a table may have: the bound of one table, and what is left of the mixer's.
std::int64_t TableLimit(const std::int64_t *budget)
{
    return budget ? std::min(kMaxTableEntries, *budget) : kMaxTableEntries;
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

bool BuildClipValues(Clip &clip, std::int64_t *budget)
{
    if (clip.name.empty() || !IsClipName(clip.name)) {
        ShowMixerMessage(kMsgClipName, MessageArgument(clip.name).c_str());
        return false;
    }
    if (clip.step < 1 || clip.step > 999) {
        ShowMixerMessage(kMsgClipStep, MessageArgument(clip.name).c_str(), static_cast<int>(clip.step));
        return false;
    }
    // Checked first, converted once the size of the table is known to fit.
    const std::vector<std::string> tokens = SplitTokens(clip.sequence);
    const std::int64_t limit = TableLimit(budget);
    std::int64_t numbers = 0;
    for (const std::string &token : tokens) {
        double value = 0.0;
        // A token over the table bound is refused like a malformed one.
        const bool tooMany = (numbers + 1) * clip.step > limit;
        if (tooMany || !IsNumberToken(token) || !ConvertNumber(token, value)) {
            ShowMixerMessage(kMsgClipSequence, MessageArgument(clip.name).c_str(), MessageArgument(token).c_str());
            return false;
        }
        ++numbers;
    }
    if (numbers == 0) {
        ShowMixerMessage(kMsgClipSequence, MessageArgument(clip.name).c_str(),
                         MessageArgument(clip.sequence).c_str());
        return false;
    }
    std::vector<double> values;
    values.reserve(static_cast<size_t>(numbers * clip.step));
    for (const std::string &token : tokens) {
        double value = 0.0;
        ConvertNumber(token, value);
        values.insert(values.end(), static_cast<size_t>(clip.step), value);
    }
    if (budget)
        *budget -= static_cast<std::int64_t>(values.size());
    clip.values = std::move(values);
    return true;
}

bool BuildTrackTable(Track &track, const ClipMixer &mixer, std::int64_t *budget)
{
    if (!track.enable)
        return true;
    // Computed in 64 bits: in and out may span the whole 32-bit range.
    const std::int64_t count = static_cast<std::int64_t>(track.out) - track.in + 1;
    if (count < 1 || count > TableLimit(budget)) {
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
            ShowMixerMessage(kMsgTrackClip, MessageArgument(name).c_str());
            return false;
        }
        parts.push_back({clip, repeat});
        chainHasValues = chainHasValues || !clip->values.empty();
    }
    if (parts.empty() || !chainHasValues) {
        ShowMixerMessage(kMsgTrackSequence);
        return false;
    }

    // Only the part of the chain that reaches a frame is built: the first `count` values. When
    // the chain is shorter, the table goes on with the whole chain repeated, or held on its last
    // value.
    std::vector<double> table(static_cast<size_t>(count));
    const size_t headSize = WriteChainHead(parts, table);
    for (size_t k = headSize; k < table.size(); ++k)
        table[k] = track.repeat ? table[k % headSize] : table[headSize - 1];
    if (budget)
        *budget -= count;
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
    std::int64_t budget = kMaxMixerEntries;
    for (auto &clip : mixer.clips)
        if (!BuildClipValues(*clip, &budget))
            return false;
    for (auto &track : mixer.tracks)
        if (!BuildTrackTable(*track, mixer, &budget))
            return false;
    return true;
}
