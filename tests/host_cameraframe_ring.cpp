// The frame query over "TessikComRing" through the module file, field by field.
#include "cameraframe_blocks.h"
#include "ring_peer.h"

namespace {

using CameraFrameRing = CameraFrameTest;

TEST_F(CameraFrameRing, FramesFieldByField)
{
    const TestFrame a =
        TestFrame().Named("A").On(camera).Size(1000, 2).Margins(0.25, 0.125).Rgb(1, 0.5, 0).Clear(0.25).Memo("memo A, past an inline buffer", 1);
    const TestFrame b = TestFrame().Named("B").On(camera).At(100.7, -50.2).Size(320, 2).Margins(0, 0);
    Load(FrameBlock({a, b}, TestScene{1, 1, 0.5, 0, 0.25, "scene text", 1}));
    zkh::SetFocalKeys(*host.scene.Find(camera), {{0.0, 35.0}, {10.0, 85.0}});
    host.scene.time = 5.0; // the ring reports the focal length at time 0

    // A: 1000 x 500 centred in 1920 x 1080, margins 25 % and 12.5 %. B: corners truncated toward
    // zero (inner x 960 + 100.7 - 160 = 900.7, y 540 - 50.2 - 80 = 409.8), effective margins of
    // 2 / width and 2 / height (outer x 899.7, bottom 540 - 50.2 + 81 = 570.8).
    EXPECT_EQ(zkh::DescribeFrameQuery(zkh::QueryCameraFrames(host)),
              "answered 1\ncount 2\ncombined 1 color 255 127 0 opacity 75\nextra \"scene text\" flag 1\n"
              "frame 0 \"A\" camera 0x30000001\n"
              "  inner (460,290) (1460,290) (1460,790) (460,790)\n"
              "  outer (335,258) (1585,258) (1585,821) (335,821)\n"
              "  margin 0.25 0.25 0.125 px 250 62\n  color 255 127 0 opacity 75\n"
              "  memo \"memo A, past an inline buffer\" focal \"  35.0mm\"\n"
              "frame 1 \"B\" camera 0x30000001\n"
              "  inner (900,409) (1220,409) (1220,569) (900,569)\n"
              "  outer (899,408) (1221,408) (1221,570) (899,570)\n"
              "  margin 0 0 0 px 0 0\n  color 0 0 0 opacity 100\n  memo \"\" focal \"\"\n");

    // A frame without a camera has no pixel margins.
    Load(FrameBlock({TestFrame()}));
    const zkh::PeerFrame loose = zkh::QueryCameraFrames(host).frames.at(2);
    EXPECT_EQ(std::make_pair(loose.marginWPx, loose.marginHPx), std::make_pair(0.0, 0.0));
    EXPECT_TRUE(host.messages.empty()) << host.messages.front(); // the peer freed every text block
}

// A peer counts (event 0), allocates that many entries, and asks (event 1), possibly on a new,
// zeroed record: it gets as many entries as it was told, of the frames there are now. Other events
// and a missing record are ignored.
TEST_F(CameraFrameRing, EntriesFilledLastToFirstWithinTheRequestersArray)
{
    const auto ask = [&](std::int32_t count = 0) { return zkh::AskFrameNames(host, 3, count, "untouched"); };
    const auto count = [&] {
        std::int32_t counted = -1;
        zkh::AskFrameCount(host, counted);
        return counted;
    };

    Master();
    ASSERT_EQ(count(), 0);
    EXPECT_EQ(ask(1), (std::vector<std::string>{"untouched", "untouched", "untouched"}));
    host.ring.Post("TessikComRing", 7, nullptr);
    host.ring.Post("TessikComRing", 1, nullptr);
    Load(FrameBlock({TestFrame().Named("one").On(camera)})); // loads append
    ASSERT_EQ(count(), 1);
    // The list grew after the count: only the one entry counted is written.
    Load(FrameBlock({TestFrame().Named("two").On(camera)}));
    EXPECT_EQ(ask(), (std::vector<std::string>{"one", "untouched", "untouched"}));
    ASSERT_EQ(count(), 2);
    Load(FrameBlock({TestFrame().Named("three").On(camera)}));
    EXPECT_EQ(ask(), (std::vector<std::string>{"one", "two", "untouched"}));
    ASSERT_EQ(count(), 3);
    EXPECT_EQ(ask(), (std::vector<std::string>{"one", "two", "three"}));
    // A count in the record lowers the number further.
    EXPECT_EQ(ask(2), (std::vector<std::string>{"one", "two", "untouched"}));
    EXPECT_EQ(ask(-1), (std::vector<std::string>{"untouched", "untouched", "untouched"}));
}

} // namespace
