// The clip mixer's track index: every frame gets the answer of the first-match walk over the
// tracks that it replaces, over random track sets.
#include "chanclipmixer/chanclipmixer_servers.h"
#include "chanclipmixer/clipmixer.h"
#include "common/lwtool2.h"
#include "host.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace {

// The walk that answered every frame before the index: the first enabled track in list order
// whose table covers the frame.
double FirstMatch(const ClipMixer &mixer, int frame)
{
    for (const auto &track : mixer.tracks) {
        if (!track->enable || track->frameTable.empty() || frame < track->in || frame > track->out)
            continue;
        const std::int64_t index = static_cast<std::int64_t>(frame) - track->in;
        if (index < static_cast<std::int64_t>(track->frameTable.size()))
            return track->frameTable[static_cast<std::size_t>(index)];
    }
    return 0.0;
}

// Sets of 1 to 40 tracks over frames -60..110, overlapping, some disabled, some failing (out
// before in, or a missing clip) so that the tracks after them stay uncompiled. Each track has
// its own clip of values t * 1000 + 1, + 2, + 3, so an answer names the track and the entry.
TEST(MixerIndex, AnswersAsTheFirstMatchingTrack)
{
    zkh::Host host;
    g_hostGlobals = HostGlobals{};
    AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
    std::mt19937 random(27);
    const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    int disabled = 0, uncompiled = 0, frames = 0;
    for (int set = 0; set < 400; ++set) {
        ClipMixer mixer;
        const int tracks = 1 + below(40);
        for (int t = 0; t < tracks; ++t) {
            Clip &clip = AddClip(mixer);
            clip.name = "T" + std::to_string(t);
            clip.step = 1 + below(3);
            clip.sequence = std::to_string(t * 1000 + 1) + " " + std::to_string(t * 1000 + 2) + " " +
                            std::to_string(t * 1000 + 3);
            Track &track = AddTrack(mixer);
            track.in = below(120) - 60;
            track.out = track.in + below(60) - (below(60) == 0 ? 70 : 0);
            track.enable = below(5) != 0;
            track.repeat = below(2) == 0;
            track.sequence = below(80) == 0 ? "missing" : clip.name;
        }
        if (set == 0) { // the ends of the frame range
            mixer.tracks[0]->in = INT_MAX - 2, mixer.tracks[0]->out = INT_MAX, mixer.tracks[0]->enable = true;
            AddTrack(mixer) = Track{false, true, INT_MIN, INT_MIN + 1, true, "T0", {}};
        }
        RebuildAll(mixer);
        ASSERT_TRUE(mixer.index.current);
        for (const auto &track : mixer.tracks) {
            disabled += !track->enable;
            uncompiled += track->enable && track->frameTable.empty();
        }
        std::vector<int> checked = {INT_MIN, INT_MIN + 1, INT_MIN + 2, INT_MAX - 3, INT_MAX - 2, INT_MAX};
        for (int frame = -75; frame <= 125; ++frame)
            checked.push_back(frame);
        for (int frame : checked) {
            ++frames;
            ASSERT_EQ(MixerOffset(mixer, frame), FirstMatch(mixer, frame)) << "set " << set << ", frame " << frame;
        }
    }
    EXPECT_GT(disabled, 100);
    EXPECT_GT(uncompiled, 100);
    EXPECT_EQ(frames, 400 * 207);
    g_hostGlobals = HostGlobals{};
}

} // namespace
