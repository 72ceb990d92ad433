// clipmixer.h: clips, tracks and the clip mixer of one channel, and their compilation.
//
// A clip is a named number sequence, each number held for `step` frames. A track chains clips
// ("A B:2, D") over the frames in..out, looping or holding the last value. RebuildAll compiles
// every clip into its values and every track into one value per frame; the channel handler only
// reads those tables.
#ifndef ZK_CLIPMIXER_H
#define ZK_CLIPMIXER_H

#include "clipmixer_messages.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct Clip {
    bool selected = false;
    std::string name;
    std::int32_t step = 3;
    std::string sequence;
    std::vector<double> values; // compiled: each number repeated step times
};

struct Track {
    bool selected = false;
    bool enable = true;
    std::int32_t in = 1;
    std::int32_t out = 120;
    bool repeat = true;
    std::string sequence;
    std::vector<double> frameTable; // compiled: entry k is frame in + k
};

// Which track answers each frame, made from the compiled tables at every rebuild so that a frame
// is answered by a binary search instead of a walk over the tracks. Its spans are disjoint, in
// increasing frame order; each takes its values from the table of the track that wins there.
struct TrackSpan {
    std::int32_t last;    // last frame of the span
    const double *values; // the table entry of the span's first frame
};
struct TrackIndex {
    bool current = false;             // false while the tracks may differ from what it was made of
    std::vector<std::int32_t> firsts; // first frame of each span, increasing
    std::vector<TrackSpan> spans;
};

struct ClipMixer {
    std::vector<std::unique_ptr<Clip>> clips;
    std::vector<std::unique_ptr<Track>> tracks;
    std::string description;
    TrackIndex index;
};

// The mixer behind the host's opaque instance pointer.
inline ClipMixer *MixerOf(void *instance) { return static_cast<ClipMixer *>(instance); }

// Largest frame table or clip value list a rebuild builds; anything larger is refused with the
// clip's or track's message instead of exhausting the host's memory. NAME:COUNT repeats are not
// bound by it: they are never expanded.
constexpr std::int64_t kMaxTableEntries = 10000000;

// Most entries all the tables of one mixer hold together (160 MB of values): the clip or track
// whose table would pass it is refused with its message, before its table is allocated, so no
// file of any size makes a rebuild allocate more.
constexpr std::int64_t kMaxMixerEntries = 20000000;

// Longest name or token the patterns are applied to; a longer one does not match.
constexpr std::size_t kMaxPatternInput = 4096;

Clip &AddClip(ClipMixer &mixer);
// Adding or removing a track sets the track index aside until the next rebuild.
Track &AddTrack(ClipMixer &mixer);
// Out-of-range indexes are ignored.
void RemoveClip(ClipMixer &mixer, std::size_t index);
void RemoveTrack(ClipMixer &mixer, std::size_t index);

// The first clip of each name in list order, as the rebuild looks names up (views of the clips'
// names: valid while the clips are unchanged).
using ClipsByName = std::unordered_map<std::string_view, const Clip *>;
ClipsByName IndexClipsByName(const ClipMixer &mixer);

// Compile one clip; the first problem as the outcome. With `budget`, the table must also fit in
// the entries it has left, which it then takes.
MixerOutcome BuildClipValues(Clip &clip, std::int64_t *budget = nullptr);
// Compile one track against the (already compiled) clips; the first problem as the outcome.
MixerOutcome BuildTrackTable(Track &track, const ClipsByName &clips, std::int64_t *budget = nullptr);
MixerOutcome BuildTrackTable(Track &track, const ClipMixer &mixer, std::int64_t *budget = nullptr);
// Empty every table, then compile the clips and the tracks in list order, stopping at the first
// problem (the outcome); all the tables together hold at most kMaxMixerEntries. The track index
// is made again from the tables built.
MixerOutcome RebuildAll(ClipMixer &mixer);

// Makes the track index from the tracks' tables as they are; SetTrackIndexAside marks it out of
// date (the panel does so while it edits tracks in place).
void BuildTrackIndex(ClipMixer &mixer);
void SetTrackIndexAside(ClipMixer &mixer);

// The offset the mixer adds at a frame: the entry of the first enabled, compiled track covering
// it. Answered from the track index when it is current, by walking the tracks otherwise.
double MixerOffset(const ClipMixer &mixer, int frame);

// The text-syntax checks, full matches of the three shared patterns.
bool IsClipName(std::string_view name);
bool IsNumberToken(std::string_view token);
// A "NAME:COUNT" token: its name and its count text.
bool SplitClipReference(std::string_view token, std::string_view &name, std::string_view &count);

#endif
