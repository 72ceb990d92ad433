// lwfloat.h: narrowing numbers to the 32-bit floats that scene blocks hold.
//
// A scene block keeps only finite floats (the host refuses a scene holding an infinity or a NaN,
// with everything else in it), so values beyond the float range are clamped to it before they are
// narrowed, and a NaN is written as the value a loader takes in its place.
#ifndef ZK_COMMON_LWFLOAT_H
#define ZK_COMMON_LWFLOAT_H

#include <algorithm>
#include <cfloat>
#include <cmath>

inline float BlockFloat(double value, float fallback = 0.0f)
{
    if (std::isnan(value))
        return std::isfinite(fallback) ? fallback : 0.0f;
    return static_cast<float>(std::clamp(value, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

#endif
