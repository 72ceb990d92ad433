// memo_time.cpp: clip times shown as whole frames.
#include "memo_time.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

int WholeFramesOf(double fps, double seconds)
{
    const double product = fps * seconds;
    if (std::isnan(product))
        return 0;
    const double nearest = std::round(product);
    double frames = std::floor(product);
    // A product a few units in the last place short of a whole number (29 / 25 x 25 =
    // 28.999999999999996) is that number.
    if (std::fabs(product - nearest) <= 1e-12 * std::max(1.0, std::fabs(nearest)))
        frames = nearest;
    if (std::isfinite(nearest) && frames != nearest) {
        // Two steps of a float at the frame's time: the float the block stores lies within half
        // a step of it, and a scene file that prints 8 significant digits adds up to about one.
        const float at = static_cast<float>(std::fabs(nearest / fps));
        const double step = static_cast<double>(std::nextafter(at, std::numeric_limits<float>::infinity())) - at;
        if (std::fabs(seconds - nearest / fps) <= 2.0 * step)
            frames = nearest;
    }
    return static_cast<int>(frames < INT_MIN ? INT_MIN : frames > INT_MAX ? INT_MAX : frames);
}
