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

// Track and clip operations out of range do nothing (the panel never asks for them).
TEST_F(MemoRecords, OperationsOutOfRangeDoNothing)
{
    auto *instance = static_cast<MemoInstance *>(CreateMemoInstance(nullptr, nullptr, nullptr));
    ASSERT_NE(instance, nullptr);
    AddMemoTrack(*instance)->name = "Named";
    AddMemoClip(*instance->tracks[0])->name = "x";
    RemoveMemoTrack(*instance, 2);
    RemoveMemoTrack(*instance, -1);
    RemoveMemoClip(*instance->tracks[0], 1);
    RemoveMemoClip(*instance->tracks[0], -1);
    EXPECT_FALSE(MoveMemoTrackUp(*instance, 0));
    EXPECT_FALSE(MoveMemoTrackDown(*instance, 1));
    EXPECT_FALSE(MoveMemoTrackUp(*instance, 5));
    EXPECT_EQ(Labels(*instance), (std::vector<std::string>{"Track1", "Named"}));
    ASSERT_EQ(instance->tracks[0]->clips.size(), 1u);
    EXPECT_EQ(ClipDisplayName(*instance->tracks[0]->clips[0]), "x");
}

TEST_F(MemoRecords, ColourComponentsRoundDownWithinInt)
{
    const std::pair<float, int> cases[] = {{0.5f, 127}, {1.0f, 255}, {-0.001f, -1}, {1e30f, INT_MAX},
                                           {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto &c : cases)
        EXPECT_EQ(ColorComponentToInt(c.first), c.second) << c.first;
}

} // namespace
