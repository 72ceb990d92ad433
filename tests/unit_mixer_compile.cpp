// Clip mixer compilation: name, step and sequence checks, their messages, and the frame tables.
#include "chanclipmixer/chanclipmixer_servers.h"
#include "chanclipmixer/clipmixer.h"
#include "common/lwtool2.h"
#include "host.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

class MixerCompile : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_hostGlobals = HostGlobals{};
        AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
        g_clipMixerLanguage = UiLanguage::English;
    }
    void TearDown() override
    {
        g_hostGlobals = HostGlobals{};
        g_clipMixerLanguage = UiLanguage::English;
    }

    // The command lines sent since the last call.
    std::vector<std::string> TakeLines()
    {
        std::vector<std::string> lines = host.commands.log;
        host.commands.log.clear();
        return lines;
    }

    Clip &NewClip(const std::string &name, int step, const std::string &sequence)
    {
        Clip &clip = AddClip(mixer);
        clip.name = name;
        clip.step = step;
        clip.sequence = sequence;
        return clip;
    }
    Track &NewTrack(int in, int out, const std::string &sequence, bool repeat = true)
    {
        Track &track = AddTrack(mixer);
        track.in = in;
        track.out = out;
        track.sequence = sequence;
        track.repeat = repeat;
        return track;
    }

    // Compiles a lone clip; the one line it sent, or "" when it was accepted silently.
    std::string CheckClip(const std::string &name, int step, const std::string &sequence)
    {
        Clip clip;
        clip.name = name;
        clip.step = step;
        clip.sequence = sequence;
        const bool ok = BuildClipValues(clip);
        const std::vector<std::string> lines = TakeLines();
        EXPECT_EQ(ok, lines.empty()) << name << " / " << sequence;
        EXPECT_LE(lines.size(), 1u);
        return lines.empty() ? std::string() : lines[0];
    }

    std::string CheckTrack(int in, int out, const std::string &sequence, std::vector<double> *table = nullptr)
    {
        Track track;
        track.in = in;
        track.out = out;
        track.sequence = sequence;
        const bool ok = BuildTrackTable(track, mixer);
        const std::vector<std::string> lines = TakeLines();
        EXPECT_EQ(ok, lines.empty()) << sequence;
        if (table)
            *table = track.frameTable;
        return lines.empty() ? std::string() : lines[0];
    }

    zkh::Host host;
    ClipMixer mixer;
};

TEST_F(MixerCompile, DefaultsOfNewRecords)
{
    for (int i = 0; i < 27; ++i)
        AddClip(mixer);
    EXPECT_EQ(mixer.clips[0]->name, "A");
    EXPECT_EQ(mixer.clips[25]->name, "Z");
    EXPECT_EQ(mixer.clips[26]->name, "A"); // names are not made unique
    EXPECT_EQ(mixer.clips[0]->step, 3);
    EXPECT_EQ(mixer.clips[0]->sequence, "1 2 3 4 5");
    EXPECT_FALSE(mixer.clips[0]->selected);
    EXPECT_TRUE(mixer.clips[0]->values.empty());

    const Track &track = AddTrack(mixer);
    EXPECT_TRUE(track.enable);
    EXPECT_EQ(track.in, 1);
    EXPECT_EQ(track.out, 120);
    EXPECT_TRUE(track.repeat);
    EXPECT_EQ(track.sequence, "A");
    EXPECT_FALSE(track.selected);

    RemoveClip(mixer, 1);
    EXPECT_EQ(mixer.clips.size(), 26u);
    EXPECT_EQ(mixer.clips[1]->name, "C");
    RemoveClip(mixer, 99); // out of range: nothing
    EXPECT_EQ(mixer.clips.size(), 26u);
    RemoveTrack(mixer, 0);
    EXPECT_TRUE(mixer.tracks.empty());
}

TEST_F(MixerCompile, ClipNamesAndSteps)
{
    const std::string prefix = "StatusMsg {1.0} ";
    EXPECT_EQ(CheckClip("A B", 3, "1"), prefix + "Clip name is invalid!(name='A B')");
    EXPECT_EQ(CheckClip("A:1", 3, "1"), prefix + "Clip name is invalid!(name='A:1')");
    EXPECT_EQ(CheckClip("it's", 3, "1"), prefix + "Clip name is invalid!(name='it's')");
    EXPECT_EQ(CheckClip("", 3, "1"), prefix + "Clip name is invalid!(name='')");
    EXPECT_EQ(CheckClip("a\tb", 3, "1"), prefix + "Clip name is invalid!(name='a b')"); // tab shown as a space
    EXPECT_EQ(CheckClip("q\"", 3, "1"), prefix + "Clip name is invalid!(name='q\"')");
    EXPECT_EQ(CheckClip("a,b", 3, "1"), prefix + "Clip name is invalid!(name='a,b')");
    EXPECT_EQ(CheckClip("A-1", 3, "1"), "");
    EXPECT_EQ(CheckClip("x_y", 3, "1"), "");

    EXPECT_EQ(CheckClip("S", 0, "1"), prefix + "Step of clip is invalid!(name='S', step=0)");
    EXPECT_EQ(CheckClip("S", -5, "1"), prefix + "Step of clip is invalid!(name='S', step=-5)");
    EXPECT_EQ(CheckClip("S", 1000, "1"), prefix + "Step of clip is invalid!(name='S', step=1000)");
    EXPECT_EQ(CheckClip("S", INT_MIN, "1"), prefix + "Step of clip is invalid!(name='S', step=-2147483648)");
    EXPECT_EQ(CheckClip("S", 1, "1"), "");
    EXPECT_EQ(CheckClip("S", 999, "1"), "");
}

TEST_F(MixerCompile, ClipSequences)
{
    const std::string prefix = "StatusMsg {1.0} ";
    EXPECT_EQ(CheckClip("A", 1, "1 2 x"), prefix + "Sequence of clip is invalid!(name='A', value='x')");
    EXPECT_EQ(CheckClip("A", 1, "0x10"), prefix + "Sequence of clip is invalid!(name='A', value='0x10')");
    EXPECT_EQ(CheckClip("A", 1, "1.2.3"), prefix + "Sequence of clip is invalid!(name='A', value='1.2.3')");
    EXPECT_EQ(CheckClip("A", 1, "inf"), prefix + "Sequence of clip is invalid!(name='A', value='inf')");
    EXPECT_EQ(CheckClip("A", 1, "  ,  "), prefix + "Sequence of clip is invalid!(name='A', value='  ,  ')");
    EXPECT_EQ(CheckClip("A", 1, ""), prefix + "Sequence of clip is invalid!(name='A', value='')");
    // Out of the double range: refused like any bad token, nothing thrown.
    EXPECT_EQ(CheckClip("A", 1, "1 1e999"), prefix + "Sequence of clip is invalid!(name='A', value='1e999')");
    EXPECT_EQ(CheckClip("A", 1, "-1e999"), prefix + "Sequence of clip is invalid!(name='A', value='-1e999')");
    // Below it: the value as converted, zero here.
    EXPECT_EQ(CheckClip("A", 1, "1e-999"), "");

    Clip clip;
    clip.name = "A";
    clip.step = 1;
    clip.sequence = "+.5 -1e-2 7.";
    ASSERT_TRUE(BuildClipValues(clip));
    EXPECT_EQ(clip.values, (std::vector<double>{0.5, -0.01, 7.0}));
    clip.sequence = "1,2,,3";
    ASSERT_TRUE(BuildClipValues(clip));
    EXPECT_EQ(clip.values, (std::vector<double>{1, 2, 3}));
    clip.sequence = "1 2";
    clip.step = 3;
    ASSERT_TRUE(BuildClipValues(clip));
    EXPECT_EQ(clip.values, (std::vector<double>{1, 1, 1, 2, 2, 2}));
    clip.sequence = "2.5E-2 1e3";
    clip.step = 1;
    ASSERT_TRUE(BuildClipValues(clip));
    EXPECT_EQ(clip.values, (std::vector<double>{0.025, 1000}));
    EXPECT_TRUE(TakeLines().empty());
}

TEST_F(MixerCompile, MessagesInJapanese)
{
    g_clipMixerLanguage = UiLanguage::Japanese;
    EXPECT_EQ(CheckClip("A B", 3, "1"), "StatusMsg {1.0} クリップ名が異常です！(name='A B')");
    EXPECT_EQ(CheckClip("A", 0, "1"), "StatusMsg {1.0} クリップのステップが異常です！(name='A', step=0)");
    EXPECT_EQ(CheckClip("A", 1, "x"), "StatusMsg {1.0} クリップのシーケンスが異常です！(name='A', value='x')");
    NewClip("A", 1, "1");
    ASSERT_TRUE(BuildClipValues(*mixer.clips[0]));
    EXPECT_EQ(CheckTrack(5, 4, "A"), "StatusMsg {1.0} トラック インアウトが異常です！(track_in=5, track_out=4)");
    EXPECT_EQ(CheckTrack(1, 4, "D"), "StatusMsg {1.0} トラックで指定したクリップが存在しません！(target_clip=D)");
    EXPECT_EQ(CheckTrack(1, 4, "A:0"), "StatusMsg {1.0} トラックのシーケンスが異常です！");
}

TEST_F(MixerCompile, TrackChecks)
{
    const std::string prefix = "StatusMsg {1.0} ";
    NewClip("A", 1, "7");
    ASSERT_TRUE(BuildClipValues(*mixer.clips[0]));
    TakeLines();

    EXPECT_EQ(CheckTrack(10, 9, "A"), prefix + "Track in-out is invalid!(track_in=10, track_out=9)");
    EXPECT_EQ(CheckTrack(10, -3, "A"), prefix + "Track in-out is invalid!(track_in=10, track_out=-3)");
    EXPECT_EQ(CheckTrack(1, 8, "D"), prefix + "Not exist clip specified in  track!(target_clip=D)");
    EXPECT_EQ(CheckTrack(1, 8, "A A:"), prefix + "Not exist clip specified in  track!(target_clip=A:)");
    EXPECT_EQ(CheckTrack(1, 8, "a"), prefix + "Not exist clip specified in  track!(target_clip=a)"); // case-sensitive
    EXPECT_EQ(CheckTrack(1, 8, "A:0"), prefix + "Sequence of Track is invalid!");
    EXPECT_EQ(CheckTrack(1, 8, ""), prefix + "Sequence of Track is invalid!");
    EXPECT_EQ(CheckTrack(1, 8, " ,\t"), prefix + "Sequence of Track is invalid!");
    // A count that does not fit in 32 bits is refused; any other count is taken, never expanded.
    EXPECT_EQ(CheckTrack(1, 8, "A:99999999999"), prefix + "Sequence of Track is invalid!");
    EXPECT_EQ(CheckTrack(1, 8, "A:2147483648"), prefix + "Sequence of Track is invalid!");
    std::vector<double> table;
    EXPECT_EQ(CheckTrack(1, 3, "A:2147483647 A:2147483647", &table), "");
    EXPECT_EQ(table, (std::vector<double>{7, 7, 7}));

    // out = in: one value.
    EXPECT_EQ(CheckTrack(4, 4, "A", &table), "");
    EXPECT_EQ(table.size(), 1u);
}

TEST_F(MixerCompile, HugeRangesAreRefusedWithoutOverflow)
{
    const std::string prefix = "StatusMsg {1.0} ";
    NewClip("A", 1, "7");
    ASSERT_TRUE(BuildClipValues(*mixer.clips[0]));
    TakeLines();
    // out - in + 1 overflows 32 bits here; in 64 bits it is over four billion frames, refused.
    EXPECT_EQ(CheckTrack(INT_MIN, INT_MAX, "A"), prefix + "Track in-out is invalid!(track_in=-2147483648, track_out=2147483647)");
    EXPECT_EQ(CheckTrack(INT_MAX, INT_MIN, "A"), prefix + "Track in-out is invalid!(track_in=2147483647, track_out=-2147483648)");
    EXPECT_EQ(CheckTrack(1, 10000001, "A"), prefix + "Track in-out is invalid!(track_in=1, track_out=10000001)");
    std::vector<double> table;
    EXPECT_EQ(CheckTrack(INT_MAX - 2, INT_MAX, "A", &table), "");
    EXPECT_EQ(table.size(), 3u);
    EXPECT_EQ(CheckTrack(1, 10000000, "A", &table), "");
    EXPECT_EQ(table.size(), 10000000u);

    // Clip values over the bound: refused at the token that would pass it.
    std::string many;
    for (int i = 0; i < 10011; ++i)
        many += "1 ";
    EXPECT_EQ(CheckClip("B", 999, many), prefix + "Sequence of clip is invalid!(name='B', value='1')");
}

TEST_F(MixerCompile, LongTokensDoNotMatch)
{
    const std::string prefix = "StatusMsg {1.0} ";
    const std::string longName(kMaxPatternInput + 1, 'n');
    EXPECT_EQ(CheckClip(longName, 1, "1"), prefix + "Clip name is invalid!(name='" + longName.substr(0, 200) + "...')");
    EXPECT_EQ(CheckClip(std::string(kMaxPatternInput, 'n'), 1, "1"), "");
    const std::string longNumber(1000000, '1');
    EXPECT_EQ(CheckClip("A", 1, longNumber),
              prefix + "Sequence of clip is invalid!(name='A', value='" + longNumber.substr(0, 200) + "...')");
}

TEST_F(MixerCompile, WorkedExample)
{
    NewClip("A", 2, "0 10");
    NewClip("B", 1, "5");
    Track &hold = NewTrack(1, 8, "A B:2", false);
    Track &loop = NewTrack(1, 8, "A B:2", true);
    ASSERT_TRUE(RebuildAll(mixer));
    EXPECT_TRUE(TakeLines().empty());
    EXPECT_EQ(mixer.clips[0]->values, (std::vector<double>{0, 0, 10, 10}));
    EXPECT_EQ(mixer.clips[1]->values, (std::vector<double>{5}));
    EXPECT_EQ(hold.frameTable, (std::vector<double>{0, 0, 10, 10, 5, 5, 5, 5}));
    EXPECT_EQ(loop.frameTable, (std::vector<double>{0, 0, 10, 10, 5, 5, 0, 0}));

    // A chain longer than the range is cut, with and without repeat.
    hold.out = 3;
    loop.out = 3;
    ASSERT_TRUE(RebuildAll(mixer));
    EXPECT_EQ(hold.frameTable, (std::vector<double>{0, 0, 10}));
    EXPECT_EQ(loop.frameTable, (std::vector<double>{0, 0, 10}));
    // The sequence 'A B:2, D' names A, B, B, D.
    NewClip("D", 1, "-1");
    loop.sequence = "A B:2, D";
    loop.out = 10;
    ASSERT_TRUE(RebuildAll(mixer));
    EXPECT_EQ(loop.frameTable, (std::vector<double>{0, 0, 10, 10, 5, 5, -1, 0, 0, 10}));
}

TEST_F(MixerCompile, RebuildOrderAndFirstNameWins)
{
    NewClip("A", 1, "1");
    NewClip("A", 1, "2");
    Track &first = NewTrack(1, 2, "A");
    ASSERT_TRUE(RebuildAll(mixer));
    EXPECT_EQ(first.frameTable, (std::vector<double>{1, 1}));

    // A disabled track with an invalid sequence is silent and gets no table.
    Track &disabled = NewTrack(1, 2, "nothing:x");
    disabled.enable = false;
    disabled.frameTable = {9};
    ASSERT_TRUE(RebuildAll(mixer));
    EXPECT_TRUE(disabled.frameTable.empty());
    EXPECT_TRUE(TakeLines().empty());

    // The first failing track: earlier ones keep their new tables, later ones stay empty.
    Track &bad = NewTrack(5, 1, "A");
    Track &later = NewTrack(1, 3, "A");
    EXPECT_FALSE(RebuildAll(mixer));
    EXPECT_EQ(TakeLines(), (std::vector<std::string>{"StatusMsg {1.0} Track in-out is invalid!(track_in=5, track_out=1)"}));
    EXPECT_EQ(first.frameTable.size(), 2u);
    EXPECT_TRUE(bad.frameTable.empty());
    EXPECT_TRUE(later.frameTable.empty());

    // A failing clip: later clips and every track stay empty; records are unchanged.
    mixer.clips[1]->step = 0;
    EXPECT_FALSE(RebuildAll(mixer));
    EXPECT_EQ(TakeLines(), (std::vector<std::string>{"StatusMsg {1.0} Step of clip is invalid!(name='A', step=0)"}));
    EXPECT_EQ(mixer.clips[0]->values, (std::vector<double>{1}));
    EXPECT_TRUE(mixer.clips[1]->values.empty());
    EXPECT_TRUE(first.frameTable.empty());
    EXPECT_EQ(mixer.clips[1]->step, 0);
}

TEST_F(MixerCompile, NamesCannotInjectASecondCommand)
{
    NewClip("A B\nRefreshNow", 1, "1");
    EXPECT_FALSE(RebuildAll(mixer));
    EXPECT_EQ(TakeLines(), (std::vector<std::string>{"StatusMsg {1.0} Clip name is invalid!(name='A B RefreshNow')"}));
    mixer.clips[0]->name = "A";
    mixer.clips[0]->sequence = "1\r\nRefreshNow";
    EXPECT_FALSE(RebuildAll(mixer));
    EXPECT_EQ(TakeLines(), (std::vector<std::string>{"StatusMsg {1.0} Sequence of clip is invalid!(name='A', value='1  RefreshNow')"}));
    // A line break is a valid name character; the message of a track naming a missing one still
    // stays on one line.
    mixer.clips[0]->sequence = "1";
    NewTrack(1, 2, "X\nRefreshNow");
    EXPECT_FALSE(RebuildAll(mixer));
    EXPECT_EQ(TakeLines(), (std::vector<std::string>{"StatusMsg {1.0} Not exist clip specified in  track!(target_clip=X RefreshNow)"}));
    EXPECT_EQ(host.commands.refreshCount, 0);
}

TEST_F(MixerCompile, OffsetTakesTheFirstCoveringTrack)
{
    NewClip("A", 1, "1 2 3 4 5 6 7 8 9 10");
    NewClip("B", 1, "100");
    NewTrack(1, 10, "A");
    NewTrack(5, 20, "B");
    ASSERT_TRUE(RebuildAll(mixer));
    EXPECT_EQ(MixerOffset(mixer, 0), 0.0);
    EXPECT_EQ(MixerOffset(mixer, 1), 1.0);
    EXPECT_EQ(MixerOffset(mixer, 10), 10.0);
    EXPECT_EQ(MixerOffset(mixer, 11), 100.0);
    EXPECT_EQ(MixerOffset(mixer, 20), 100.0);
    EXPECT_EQ(MixerOffset(mixer, 21), 0.0);
    mixer.tracks[0]->enable = false;
    EXPECT_EQ(MixerOffset(mixer, 5), 100.0);
}

} // namespace
