// channel_plot.h: a picture of a channel over frames: its base curve and its modified curve.
#ifndef ZKH_CHANNEL_PLOT_H
#define ZKH_CHANNEL_PLOT_H

#include <string>
#include <vector>

namespace zkh {

struct ChannelSample {
    int frame = 0;
    double base = 0.0;  // from the keys alone
    double value = 0.0; // after the channel's modifiers
};

// Writes a PNG of the samples: the base curve in grey, the modified curve in red, on a white
// ground with the zero line; false when the file cannot be written.
bool WriteChannelPlot(const std::vector<ChannelSample> &samples, const std::string &path);

} // namespace zkh

#endif
