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

TEST_F(MemoRecords, NewMemoHasOneDefaultTrack)
{
    LWError error = nullptr;
    auto *instance = static_cast<MemoInstance *>(CreateMemoInstance(nullptr, nullptr, &error));
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(error, nullptr);
    EXPECT_TRUE(instance->redrawPending);
    EXPECT_EQ(instance->panel, nullptr);
    EXPECT_EQ(instance->selectedTrack, 0);
    EXPECT_EQ(instance->selectedClip, 0);
    EXPECT_EQ(Labels(*instance), (std::vector<std::string>{"Track1"}));
    EXPECT_TRUE(instance->tracks[0]->active);
    EXPECT_TRUE(instance->tracks[0]->clips.empty());

    MemoClip *clip = AddMemoClip(*instance->tracks[0]);
    EXPECT_EQ(clip->startTime, 0.0);
    EXPECT_EQ(clip->duration, 1.0);
    EXPECT_EQ(clip->foreColor, (std::array<float, 3>{0, 0, 0}));
    EXPECT_EQ(clip->backColor, (std::array<float, 3>{0, 0, 0}));

    EXPECT_EQ(CreateMemoInstance(nullptr, nullptr, &error), nullptr);
    EXPECT_STREQ(error, "Already exists!");
    EXPECT_EQ(MemoRegistry().size(), 1u);
}

TEST_F(MemoRecords, FallbackLabelsFollowPositions)
{
    auto *instance = static_cast<MemoInstance *>(CreateMemoInstance(nullptr, nullptr, nullptr));
    ASSERT_NE(instance, nullptr);
    AddMemoTrack(*instance);
    AddMemoTrack(*instance)->name = "Named";
    AddMemoTrack(*instance);
    EXPECT_EQ(Labels(*instance), (std::vector<std::string>{"Track1", "Track2", "Named", "Track4"}));
    RemoveMemoTrack(*instance, 0);
    EXPECT_EQ(Labels(*instance), (std::vector<std::string>{"Track1", "Named", "Track3"}));
    RemoveMemoTrack(*instance, 3);
    RemoveMemoTrack(*instance, -1);
    EXPECT_EQ(instance->tracks.size(), 3u);

    EXPECT_TRUE(MoveMemoTrackUp(*instance, 1));
    EXPECT_EQ(instance->selectedTrack, 0);
    EXPECT_EQ(Labels(*instance), (std::vector<std::string>{"Named", "Track2", "Track3"}));
    EXPECT_FALSE(MoveMemoTrackUp(*instance, 0));
    EXPECT_FALSE(MoveMemoTrackDown(*instance, 2));
    EXPECT_TRUE(MoveMemoTrackDown(*instance, 0));
    EXPECT_EQ(instance->selectedTrack, 1);
    EXPECT_EQ(Labels(*instance), (std::vector<std::string>{"Track1", "Named", "Track3"}));

    // Inactive tracks keep their place and clips; they are only left out of ActiveTracks.
    MemoTrack &first = *instance->tracks[0];
    first.active = false;
    AddMemoClip(first);
    MemoClip *third = (AddMemoClip(first), AddMemoClip(first));
    EXPECT_EQ(ClipDisplayName(*third), "Clip3");
    third->name = "x";
    EXPECT_EQ(ClipDisplayName(*third), "x");
    const std::vector<MemoTrack *> active = ActiveTracks(*instance);
    ASSERT_EQ(active.size(), 2u);
    EXPECT_EQ(active[0]->name, "Named");
    EXPECT_EQ(first.clips.size(), 3u);
    RemoveMemoClip(first, 0);
    EXPECT_EQ(ClipDisplayName(*first.clips[0]), "Clip1");

    ClearMemoTracks(*instance);
    EXPECT_TRUE(instance->tracks.empty());
    EXPECT_FALSE(MoveMemoTrackUp(*instance, 0));
    EXPECT_FALSE(MoveMemoTrackDown(*instance, 0));
}

TEST_F(MemoRecords, ColourComponentsRoundDownWithinInt)
{
    EXPECT_EQ(ColorComponentToInt(0.5f), 127);
    EXPECT_EQ(ColorComponentToInt(1.0f), 255);
    EXPECT_EQ(ColorComponentToInt(-0.001f), -1);
    EXPECT_EQ(ColorComponentToInt(1e30f), INT_MAX);
    EXPECT_EQ(ColorComponentToInt(std::numeric_limits<float>::quiet_NaN()), 0);
}

} // namespace
