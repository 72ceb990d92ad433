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
bool FullMatch(std::string_view text, const std::regex &pattern)
{
    return text.size() <= kMaxPatternInput && std::regex_match(text.begin(), text.end(), pattern);
}

// The decimal conversion of a number token; false when it overflows the double range. A value
// too small for a double (underflow, also reported as a range error) is taken as converted: a
// subnormal number or zero.
bool ConvertNumber(std::string_view token, double &value)
{
    const std::string text(token);
    char *end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && std::isfinite(value);
}

// The decimal conversion of a repeat count; false when it does not fit in 32 bits.
bool ConvertCount(std::string_view digits, std::int32_t &count)
{
    const std::string text(digits);
    errno = 0;
    char *end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno == ERANGE || end == text.c_str() || value < INT32_MIN || value > INT32_MAX)
        return false;
    count = static_cast<std::int32_t>(value);
    return true;
}

// One clip of a track's chain, used count times in a row.
struct ChainPart {
    const Clip *clip;
    std::int64_t count;
};

const Clip *FindClip(const ClipsByName &clips, std::string_view name)
{
    const auto found = clips.find(name);
    return found == clips.end() ? nullptr : found->second;
}

// Writes the first values of the chain into the table, up to its size (or the whole chain when
// shorter, without building the rest); returns how many were written.
size_t WriteChainHead(const std::vector<ChainPart> &parts, std::vector<double> &table)
{
    size_t written = 0;
    for (const ChainPart &part : parts) {
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

bool IsClipName(std::string_view name) { return FullMatch(name, kClipNamePattern); }

bool IsNumberToken(std::string_view token) { return FullMatch(token, kNumberPattern); }

bool SplitClipReference(std::string_view token, std::string_view &name, std::string_view &count)
{
    std::cmatch match;
    if (token.find(':') == std::string_view::npos || token.size() > kMaxPatternInput ||
        !std::regex_match(token.data(), token.data() + token.size(), match, kClipReferencePattern))
        return false;
    name = token.substr(static_cast<size_t>(match.position(1)), static_cast<size_t>(match.length(1)));
    count = token.substr(static_cast<size_t>(match.position(2)), static_cast<size_t>(match.length(2)));
    return true;
}

ClipsByName IndexClipsByName(const ClipMixer &mixer)
{
    ClipsByName clips;
    clips.reserve(mixer.clips.size());
    for (const auto &clip : mixer.clips)
        clips.emplace(clip->name, clip.get()); // a later clip of the same name does not replace it
    return clips;
}

MixerOutcome BuildClipValues(Clip &clip, std::int64_t *budget)
{
    if (clip.name.empty() || !IsClipName(clip.name)) {
        return MixerOutcome::Message(kMsgClipName, MessageArgument(clip.name).c_str());
    }
    if (clip.step < 1 || clip.step > 999) {
        return MixerOutcome::Message(kMsgClipStep, MessageArgument(clip.name).c_str(), static_cast<int>(clip.step));
    }
    // Checked first, token by token as they are split (the token that would pass the table bound
    // is refused like a malformed one, before the rest is even split), then converted once the
    // table is known to fit.
    const std::int64_t limit = TableLimit(budget);
    std::int64_t numbers = 0;
    size_t pos = 0;
    std::string_view token;
    while (NextToken(clip.sequence, pos, token)) {
        double value = 0.0;
        const bool tooMany = (numbers + 1) * clip.step > limit;
        if (tooMany || !IsNumberToken(token) || !ConvertNumber(token, value)) {
            return MixerOutcome::Message(kMsgClipSequence, MessageArgument(clip.name).c_str(),
                             MessageArgument(std::string(token)).c_str());
        }
        ++numbers;
    }
    if (numbers == 0) {
        return MixerOutcome::Message(kMsgClipSequence, MessageArgument(clip.name).c_str(),
                         MessageArgument(clip.sequence).c_str());
    }
    std::vector<double> values;
    values.reserve(static_cast<size_t>(numbers * clip.step));
    for (pos = 0; NextToken(clip.sequence, pos, token);) {
        double value = 0.0;
        ConvertNumber(token, value);
        values.insert(values.end(), static_cast<size_t>(clip.step), value);
    }
    if (budget)
        *budget -= static_cast<std::int64_t>(values.size());
    clip.values = std::move(values);
    return MixerOutcome::Done();
}

MixerOutcome BuildTrackTable(Track &track, const ClipMixer &mixer, std::int64_t *budget)
{
    return BuildTrackTable(track, IndexClipsByName(mixer), budget);
}

MixerOutcome BuildTrackTable(Track &track, const ClipsByName &clips, std::int64_t *budget)
{
    if (!track.enable)
        return MixerOutcome::Done();
    // Computed in 64 bits: in and out may span the whole 32-bit range.
    const std::int64_t count = static_cast<std::int64_t>(track.out) - track.in + 1;
    if (count < 1 || count > TableLimit(budget)) {
        return MixerOutcome::Message(kMsgTrackInOut, static_cast<int>(track.in), static_cast<int>(track.out));
    }

    // A NAME:COUNT token is never expanded: the chain is held as (clip, count) parts, and only its
    // first `count` values are built below, so any 32-bit count is taken. Every token is checked,
    // but parts are kept only until they hold `count` values: no sequence makes the chain larger
    // than the table.
    std::vector<ChainPart> parts;
    std::int64_t chainValues = 0;
    size_t pos = 0;
    std::string_view token;
    while (NextToken(track.sequence, pos, token)) {
        std::string_view name = token;
        std::string_view countText;
        std::int64_t repeat = 1;
        if (SplitClipReference(token, name, countText)) {
            std::int32_t parsed = 0;
            if (!ConvertCount(countText, parsed)) {
                return MixerOutcome::Message(kMsgTrackSequence);
            }
            repeat = parsed;
        }
        if (repeat == 0)
            continue;
        const Clip *clip = FindClip(clips, name);
        if (!clip) {
            return MixerOutcome::Message(kMsgTrackClip, MessageArgument(std::string(name)).c_str());
        }
        if (chainValues < count && !clip->values.empty()) {
            parts.push_back({clip, repeat});
            const std::int64_t added = repeat * static_cast<std::int64_t>(clip->values.size());
            chainValues = added >= count - chainValues ? count : chainValues + added;
        }
    }
    if (chainValues == 0) { // no tokens, only zero counts, or only clips without values
        return MixerOutcome::Message(kMsgTrackSequence);
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
    return MixerOutcome::Done();
}

MixerOutcome RebuildAll(ClipMixer &mixer)
{
    // Swapped out rather than cleared, so that a large table gives its memory back; the index
    // points into the tables and goes first.
    SetTrackIndexAside(mixer);
    for (auto &clip : mixer.clips)
        std::vector<double>().swap(clip->values);
    for (auto &track : mixer.tracks)
        std::vector<double>().swap(track->frameTable);
    std::int64_t budget = kMaxMixerEntries;
    MixerOutcome outcome = MixerOutcome::Done();
    for (auto &clip : mixer.clips) {
        outcome = BuildClipValues(*clip, &budget);
        if (!outcome)
            break;
    }
    if (outcome) {
        const ClipsByName clips = IndexClipsByName(mixer);
        for (auto &track : mixer.tracks) {
            outcome = BuildTrackTable(*track, clips, &budget);
            if (!outcome)
                break;
        }
    }
    BuildTrackIndex(mixer); // from the tables built, also when a track failed
    return outcome;
}
