// Clip times shown as whole frames: every whole frame comes back after the scene block keeps its
// time as a float, also through a scene file that prints floats with 8 significant digits; other
// times show the frame they fall in.
#include "timelinememo/memo_time.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <tuple>

namespace {

TEST(MemoTime, WholeFramesReadBackAfterASaveAndOtherTimesRoundDown)
{
    char text[32];
    for (double fps : {23.976, 24000.0 / 1001.0, 24.0, 25.0, 29.97, 30000.0 / 1001.0, 30.0, 50.0, 60.0, 7.5, 1000.0})
        for (int frame = -100000; frame <= 100000; ++frame) {
            const float stored = static_cast<float>(frame / fps);
            std::snprintf(text, sizeof text, "%.8g", stored);
            ASSERT_EQ(WholeFramesOf(fps, frame / fps), frame) << fps;
            ASSERT_EQ(WholeFramesOf(fps, stored), frame) << fps;
            ASSERT_EQ(WholeFramesOf(fps, std::strtof(text, nullptr)), frame) << fps;
        }
    for (const auto &[fps, seconds, frame] :
         {std::tuple{25.0, 1.159, 28}, {25.0, 0.079, 1}, {25.0, -1.159, -29}, {24.0, 5 / 24.0 - 1e-6, 4}, {24.0, 5 / 24.0 + 1e-6, 5},
          {1000.0, 99.9995, 99999}, {24.0, -1e-20, 0}, {24.0, 1e300, INT_MAX}, {24.0, -1e300, INT_MIN}, {24.0, 0.0 / 0.0, 0}})
        EXPECT_EQ(WholeFramesOf(fps, seconds), frame) << fps << " " << seconds;
}

} // namespace
