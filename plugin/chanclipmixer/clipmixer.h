// clipmixer.h: clips, tracks and the clip mixer of one channel, and their compilation.
//
// A clip is a named number sequence, each number held for `step` frames. A track chains clips
// ("A B:2, D") over the frames in..out, looping or holding the last value. RebuildAll compiles
// every clip into its values and every track into one value per frame; the channel handler only
// reads those tables.
#ifndef ZK_CLIPMIXER_H
#define ZK_CLIPMIXER_H

#include <cstdint>
#include <memory>
#include <string>
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

struct ClipMixer {
    std::vector<std::unique_ptr<Clip>> clips;
    std::vector<std::unique_ptr<Track>> tracks;
    std::string description;
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
Track &AddTrack(ClipMixer &mixer);
// Out-of-range indexes are ignored.
void RemoveClip(ClipMixer &mixer, std::size_t index);
void RemoveTrack(ClipMixer &mixer, std::size_t index);

// Compile one clip; false after reporting the first problem on the status line. With `budget`,
// the table must also fit in the entries it has left, which it then takes.
bool BuildClipValues(Clip &clip, std::int64_t *budget = nullptr);
// Compile one track against the mixer's (already compiled) clips; false after reporting.
bool BuildTrackTable(Track &track, const ClipMixer &mixer, std::int64_t *budget = nullptr);
// Empty every table, then compile the clips and the tracks in list order, stopping at the first
// problem (the only one reported); all the tables together hold at most kMaxMixerEntries.
bool RebuildAll(ClipMixer &mixer);

// The offset the mixer adds at a frame: the entry of the first enabled, compiled track covering it.
double MixerOffset(const ClipMixer &mixer, int frame);

// The text-syntax checks, full matches of the three shared patterns.
bool IsClipName(const std::string &name);
bool IsNumberToken(const std::string &token);
// A "NAME:COUNT" token: its name and its count text.
bool SplitClipReference(const std::string &token, std::string &name, std::string &count);

#endif
