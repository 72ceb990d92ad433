// clipmixer_index.cpp: the track index (which track answers each frame) and the evaluation of a
// frame from it.
#include "clipmixer.h"

#include <algorithm>
#include <functional>
#include <queue>

namespace {

// The frames a track answers: enabled, with a table, from in to the last frame its table covers.
struct Coverage {
    std::int64_t first, last;
};

bool CoverageOf(const Track &track, Coverage &coverage)
{
    if (!track.enable || track.frameTable.empty())
        return false;
    coverage.first = track.in;
    coverage.last = std::min<std::int64_t>(track.out, coverage.first + static_cast<std::int64_t>(track.frameTable.size()) - 1);
    return coverage.last >= coverage.first;
}

// A track's coverage starting (at its first frame) or ending (after its last).
struct Edge {
    std::int64_t frame;
    std::uint32_t track;
    bool opens;
};

// The first match of a walk over the tracks in list order: the rule the index answers by.
double WalkOffset(const ClipMixer &mixer, int frame)
{
    for (const auto &track : mixer.tracks) {
        Coverage coverage{};
        if (CoverageOf(*track, coverage) && frame >= coverage.first && frame <= coverage.last)
            return track->frameTable[static_cast<std::size_t>(frame - coverage.first)];
    }
    return 0.0;
}

} // namespace

void SetTrackIndexAside(ClipMixer &mixer)
{
    mixer.index.current = false;
    std::vector<std::int32_t>().swap(mixer.index.firsts);
    std::vector<TrackSpan>().swap(mixer.index.spans);
}

// A sweep over the tracks' start and end frames in frame order, holding the tracks that cover the
// frames between two of them; the first of those in list order wins there. Adjacent stretches won
// by the same track make one span.
void BuildTrackIndex(ClipMixer &mixer)
{
    SetTrackIndexAside(mixer);
    std::vector<Edge> edges;
    for (std::uint32_t i = 0; i < mixer.tracks.size(); ++i) {
        Coverage coverage{};
        if (CoverageOf(*mixer.tracks[i], coverage)) {
            edges.push_back({coverage.first, i, true});
            edges.push_back({coverage.last + 1, i, false});
        }
    }
    std::sort(edges.begin(), edges.end(), [](const Edge &a, const Edge &b) { return a.frame < b.frame; });

    TrackIndex &index = mixer.index;
    std::priority_queue<std::uint32_t, std::vector<std::uint32_t>, std::greater<>> covering;
    std::vector<bool> ended(mixer.tracks.size(), false);
    std::uint32_t lastWinner = 0;
    for (size_t e = 0; e < edges.size();) {
        const std::int64_t frame = edges[e].frame;
        for (; e < edges.size() && edges[e].frame == frame; ++e) {
            if (edges[e].opens)
                covering.push(edges[e].track);
            else
                ended[edges[e].track] = true;
        }
        while (!covering.empty() && ended[covering.top()])
            covering.pop();
        if (covering.empty())
            continue;
        // A covering track ends at a later edge, so there is one.
        const std::uint32_t winner = covering.top();
        const auto last = static_cast<std::int32_t>(edges[e].frame - 1);
        if (!index.spans.empty() && lastWinner == winner && index.spans.back().last + std::int64_t{1} == frame) {
            index.spans.back().last = last;
            continue;
        }
        const Track &track = *mixer.tracks[winner];
        index.firsts.push_back(static_cast<std::int32_t>(frame));
        index.spans.push_back({last, track.frameTable.data() + (frame - track.in)});
        lastWinner = winner;
    }
    index.current = true;
}

double MixerOffset(const ClipMixer &mixer, int frame)
{
    const TrackIndex &index = mixer.index;
    if (!index.current)
        return WalkOffset(mixer, frame);
    const std::vector<std::int32_t> &firsts = index.firsts;
    if (firsts.empty() || frame < firsts.front())
        return 0.0;
    // The last span is taken without a search (a lone track's frames all land there).
    std::size_t span = firsts.size() - 1;
    if (frame < firsts[span])
        span = static_cast<std::size_t>(std::upper_bound(firsts.begin(), firsts.end(), frame) - firsts.begin() - 1);
    if (frame > index.spans[span].last)
        return 0.0;
    return index.spans[span].values[frame - firsts[span]];
}
