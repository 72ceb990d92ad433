// The timeline memo's records: defaults, fallback labels, reordering, the registry.
#include "timelinememo/memo_master.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace {

// Each test starts without a live memo and leaves none behind.
class MemoRecords : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CurrentMemo(), nullptr); }
    void TearDown() override
    {
        while (MemoInstance *instance = CurrentMemo())
            DestroyMemoInstance(instance);
    }
};

std::vector<std::string> Labels(const MemoInstance &instance)
{
    std::vector<std::string> labels;
    for (const auto &track : instance.tracks)
        labels.push_back(TrackDisplayName(*track));
    return labels;
}

// Track and clip operations out of range do nothing; inactive tracks keep their place and
// clips, and are only left out of ActiveTracks.
TEST_F(MemoRecords, OperationsOutOfRangeAndInactiveTracks)
{
    auto *instance = static_cast<MemoInstance *>(CreateMemoInstance(nullptr, nullptr, nullptr));
    ASSERT_NE(instance, nullptr);
    AddMemoTrack(*instance)->name = "Named";
    AddMemoTrack(*instance);
    RemoveMemoTrack(*instance, 3);
    RemoveMemoTrack(*instance, -1);
    EXPECT_FALSE(MoveMemoTrackUp(*instance, 0));
    EXPECT_FALSE(MoveMemoTrackDown(*instance, 2));
    EXPECT_EQ(Labels(*instance), (std::vector<std::string>{"Track1", "Named", "Track3"}));

    MemoTrack &first = *instance->tracks[0];
    first.active = false;
    AddMemoClip(first);
    MemoClip *second = AddMemoClip(first);
    second->name = "x";
    const std::vector<MemoTrack *> active = ActiveTracks(*instance);
    ASSERT_EQ(active.size(), 2u);
    EXPECT_EQ(active[0]->name, "Named");
    RemoveMemoClip(first, 0);
    RemoveMemoClip(first, 5);
    ASSERT_EQ(first.clips.size(), 1u);
    EXPECT_EQ(ClipDisplayName(*first.clips[0]), "x");

    ClearMemoTracks(*instance);
    EXPECT_TRUE(instance->tracks.empty());
    EXPECT_FALSE(MoveMemoTrackUp(*instance, 0));
    EXPECT_FALSE(MoveMemoTrackDown(*instance, 0));
}

TEST_F(MemoRecords, ColourComponentsRoundDownWithinInt)
{
    const std::pair<float, int> cases[] = {{0.5f, 127}, {1.0f, 255}, {-0.001f, -1}, {1e30f, INT_MAX},
                                           {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto &c : cases)
        EXPECT_EQ(ColorComponentToInt(c.first), c.second) << c.first;
}

} // namespace
