// bench_ratio.h: the counter through which a benchmark that times ours and its baseline in turns,
// in one loop, reports their ratio; zkbench's reporter lists it with the pairs' ratios.
#pragma once

inline constexpr char kAlternatingRatio[] = "ours/baseline";
