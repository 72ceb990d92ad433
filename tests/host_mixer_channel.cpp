// The clip mixer on a channel, through the module file: instances, evaluation over frames, and
// what is kept (nothing) across copies and scenes.
#include "mixer_panel_steps.h"

#include <cstdlib>

namespace {

// Clip A of the one value 10 on frames 1 to 3.
const char kTenOnFramesOneToThree[] = R"(<chanClipMixer><clips><clip name="A" step="1" seq="10"/></clips>
    <tracks><track in="1" out="3" seq="A"/></tracks></chanClipMixer>)";

class MixerChannel : public MixerTest {
protected:
    void SetUp() override
    {
        MixerTest::SetUp();
        // Keys 0 at frame 0 and 24 at frame 24: one unit per frame.
        host.scene.FindChannel(channel)->envelope = zkh::LinearEnvelope({{0.0, 0.0}, {1.0, 24.0}});
    }

    std::vector<double> Values(int first, int last)
    {
        std::vector<double> values;
        for (int frame = first; frame <= last; ++frame)
            values.push_back(host.channelHandlers.Evaluate(channel, frame));
        return values;
    }
};

TEST_F(MixerChannel, FreshInstanceKeepsTheBase)
{
    zkh::ChannelModifier *modifier = AddMixer();
    ASSERT_NE(modifier, nullptr);
    EXPECT_EQ(Values(-2, 3), (std::vector<double>{0, 0, 0, 1, 2, 3}));
    EXPECT_EQ(modifier->handler.flags(modifier->instance), 0u);
    ASSERT_NE(modifier->itemFuncs.useItems, nullptr);
    EXPECT_EQ(modifier->itemFuncs.useItems(modifier->instance), nullptr);
    LWChannelAccess empty{}; // an access record without functions is passed over
    modifier->handler.evaluate(modifier->instance, &empty);
    EXPECT_TRUE(host.commands.log.empty());

    // The interface has options only.
    LWInterface ui{};
    ASSERT_EQ(host.Activate("ChannelInterface", "ZK:ChanClipMixer", &ui), AFUNC_OK);
    EXPECT_TRUE(ui.panel == nullptr && ui.command == nullptr);
    ASSERT_NE(ui.options, nullptr);
    EXPECT_EQ(ui.options(nullptr), nullptr);
}

TEST_F(MixerChannel, OverlappingTracksEarlierWins)
{
    zkh::ChannelModifier *modifier = AddMixer();
    ASSERT_NE(modifier, nullptr);
    Import(*modifier, R"(<chanClipMixer format="3.1"><clips>
        <clip name="A" step="1" seq="100 200"/>
        <clip name="B" step="2" seq="-1 -2"/>
      </clips><tracks>
        <track in="1" out="10" repeat="1" seq="A"/>
        <track in="5" out="20" repeat="0" seq="B"/>
      </tracks></chanClipMixer>)");
    EXPECT_TRUE(host.commands.status.empty());
    // Frame 0 is before both tracks: the base. Frames 1..10 take A (looping), 11..20 take B from
    // its own in frame 5 (held at -2 after frame 8), 21 on the base again.
    const std::vector<double> expected = {0,   101, 202, 103, 204, 105, 206, 107, 208, 109, 210,
                                          9,   10,  11,  12,  13,  14,  15,  16,  17,  18,  21};
    EXPECT_EQ(Values(0, 21), expected);

    // A disabled first track lets the second show on the same frames.
    ASSERT_TRUE(RunOptions(host, *modifier, [&](zkh::Panel &panel) {
        SelectOnly(panel, kTrackList, {0});
        SetAndFire(panel, kTrackEnable, 0);
        EXPECT_EQ(host.channelHandlers.Evaluate(channel, 5), 4.0); // at once, while the panel is open
    }));
    EXPECT_EQ(Values(4, 9), (std::vector<double>{4, 4, 5, 5, 6, 7}));
    EXPECT_EQ(host.channelHandlers.Evaluate(channel, 20), 18.0); // frame = out: the last entry
}

// Numbers too small for a double are taken as converted (subnormal), and a NAME:COUNT repeat of
// any 32-bit count is taken: it is never expanded into memory.
TEST_F(MixerChannel, TinyNumbersAndLargeRepeatCounts)
{
    zkh::ChannelModifier *modifier = AddMixer();
    ASSERT_NE(modifier, nullptr);
    Import(*modifier, R"(<chanClipMixer format="3.1"><clips>
        <clip name="A" step="1" seq="1e-310 1e-320 0.0000000001e-300"/>
        <clip name="B" step="1" seq="5 6"/>
      </clips><tracks>
        <track in="-2" out="0" seq="A"/>
        <track in="1" out="3" seq="B:20000000 A:2147483647"/>
      </tracks></chanClipMixer>)");
    EXPECT_TRUE(host.commands.status.empty()) << host.commands.status[0];
    // The base is 0 up to frame 0, then one unit per frame.
    EXPECT_EQ(Values(-2, 3), (std::vector<double>{1e-310, std::strtod("1e-320", nullptr), 1e-310, 6, 8, 8}));
}

TEST_F(MixerChannel, ModifiersRunInOrderOnTheValueSoFar)
{
    zkh::ChannelModifier *first = AddMixer(), *second = AddMixer();
    ASSERT_TRUE(first && second);
    Import(*first, kTenOnFramesOneToThree);
    Import(*second, R"(<chanClipMixer><clips><clip name="A" step="1" seq="0.5"/></clips>
        <tracks><track in="2" out="2" seq="A"/></tracks></chanClipMixer>)");
    EXPECT_EQ(Values(0, 4), (std::vector<double>{0, 11, 12.5, 13, 4}));
}

// A saved scene brings the mixer back on its channel, empty; loading destroys the mixers it had.
TEST_F(MixerChannel, SceneFileKeepsTheMixerOnItsChannel)
{
    zkh::ChannelModifier *modifier = AddMixer();
    ASSERT_NE(modifier, nullptr);
    Import(*modifier, kTenOnFramesOneToThree);
    ASSERT_EQ(host.channelHandlers.Evaluate(channel, 1), 11.0);
    const std::string text = host.SceneText();
    // Inside the channel's envelope, after its keys, as Layout keeps a channel's modifiers.
    EXPECT_NE(text.find("\nChannel 1\n{ Envelope\n  2\n  Key 0 0 3 0 0 0 0 0 0\n  Key 24 1 3 0 0 0 0 0 0\n"
                        "  Behaviors 1 1\n  { ChannelHandler\n    \"ZK:ChanClipMixer\"\n  }\n}\n"),
              std::string::npos)
        << text;

    ASSERT_TRUE(host.LoadSceneText(text, "mixer.lws")) << host.messages.back();
    const zkh::ChannelKey reloaded = host.scene.Channels()[1].id; // the Controller's Position.Y again
    ASSERT_EQ(host.channelHandlers.Of(reloaded).size(), 1u);
    EXPECT_EQ(host.channelHandlers.Of(reloaded)[0]->server, "ZK:ChanClipMixer");
    // The keys drive the channel again; the mixer adds nothing until clips are imported.
    EXPECT_EQ(host.channelHandlers.Evaluate(reloaded, 1), 1.0);
    EXPECT_EQ(host.SceneText(), text);
}

// Layout copies a modifier when it clones an item or pastes a modifier: the copy is a new, empty
// mixer (nothing is copied) on its channel, and the original keeps its clips.
TEST_F(MixerChannel, CopiesThroughTheHostAreEmptyMixers)
{
    zkh::ChannelModifier *modifier = AddMixer();
    ASSERT_NE(modifier, nullptr);
    Import(*modifier, kTenOnFramesOneToThree);
    const zkh::ChannelKey other = host.scene.Channels()[0].id; // Position.X, no keys
    zkh::ChannelModifier *copy = host.channelHandlers.Copy(*modifier, other);
    ASSERT_NE(copy, nullptr) << host.messages.back();
    EXPECT_STREQ(copy->instFuncs.descln(copy->instance), "ZK:ChanClipMixer(1.00) build 250619");
    EXPECT_EQ(host.channelHandlers.Evaluate(other, 1), 0.0);
    EXPECT_EQ(host.channelHandlers.Evaluate(channel, 1), 11.0);

    // A copy onto the same channel runs after the original and adds nothing.
    ASSERT_NE(host.channelHandlers.Copy(*modifier, channel), nullptr);
    EXPECT_EQ(host.channelHandlers.Of(channel).size(), 2u);
    EXPECT_EQ(host.channelHandlers.Evaluate(channel, 2), 12.0);
    EXPECT_TRUE(host.commands.log.empty());
}

} // namespace
