// Clip times shown as whole frames: every whole frame comes back after the scene block keeps its
// time as a float, also through a scene file that prints floats with 8 significant digits.
#include "timelinememo/memo_time.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

float PrintedWith8Digits(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.8g", value);
    return std::strtof(text, nullptr);
}

TEST(MemoTime, EveryWholeFrameReadsBackAfterASave)
{
    for (double fps : {23.976, 24000.0 / 1001.0, 24.0, 25.0, 29.97, 30000.0 / 1001.0, 30.0, 50.0, 60.0, 7.5, 1000.0}) {
        for (int frame = -100000; frame <= 100000; ++frame) {
            const double seconds = frame / fps;
            const float stored = static_cast<float>(seconds);
            ASSERT_EQ(WholeFramesOf(fps, seconds), frame) << fps;
            ASSERT_EQ(WholeFramesOf(fps, stored), frame) << fps;
            ASSERT_EQ(WholeFramesOf(fps, PrintedWith8Digits(stored)), frame) << fps;
        }
    }
}

// Beyond float precision a time shows the frame it falls in; what cannot be a frame shows 0 or
// the int range's end.
TEST(MemoTime, TimesBetweenFramesRoundDown)
{
    const struct {
        double fps, seconds;
        int frame;
    } cases[] = {{25, 1.159, 28},          {25, 0.079, 1},       {25, -1.159, -29},         {24, 5 / 24.0 - 1e-6, 4},
                 {24, 5 / 24.0 + 1e-6, 5}, {24, 1e300, INT_MAX}, {24, -1e300, INT_MIN},     {24, 0.0 / 0.0, 0},
                 {24, -1e-20, 0},          {1000, 99.9995, 99999}};
    for (const auto &c : cases)
        EXPECT_EQ(WholeFramesOf(c.fps, c.seconds), c.frame) << c.fps << " " << c.seconds;
}

} // namespace
