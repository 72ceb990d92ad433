// channel_plot.h: a picture of a channel over frames: its keyed base curve and its mixed curve,
// on frame and value axes with numbered ticks, a legend, and the frame spans of the tracks that
// drive it shaded.
#ifndef ZKH_CHANNEL_PLOT_H
#define ZKH_CHANNEL_PLOT_H

#include "drawing_raster.h"

#include <string>
#include <vector>

namespace zkh {

struct ChannelSample {
    int frame = 0;
    double base = 0.0;  // from the keys alone
    double value = 0.0; // after the channel's modifiers
};

// Frames first to last, both included, shaded behind the curves.
struct FrameSpan {
    int first = 0;
    int last = 0;
};

constexpr int kChannelPlotWidth = 800;
constexpr int kChannelPlotHeight = 400;

// Where the plot puts frames and values: the plot area in picture pixels, the frames and values
// it spans (widened to whole ticks) and the ticks on each axis.
struct PlotAxes {
    int left = 0, top = 0, right = 0, bottom = 0;
    int first = 0, last = 1;
    double low = 0.0, high = 1.0;
    std::vector<int> frameTicks;
    std::vector<double> valueTicks;
    double valueStep = 1.0;

    double ColumnOf(double frame) const; // the picture column of a frame
    double RowOf(double value) const;     // the picture row of a value
};

PlotAxes ChannelPlotAxes(const std::vector<ChannelSample> &samples);

// The plot as drawing calls on a kChannelPlotWidth x kChannelPlotHeight white picture.
std::vector<DrawCall> ChannelPlotCalls(const std::vector<ChannelSample> &samples, const std::vector<FrameSpan> &spans);

// Writes the plot as PNG; false when the file cannot be written.
bool WriteChannelPlot(const std::vector<ChannelSample> &samples, const std::vector<FrameSpan> &spans,
                      const std::string &path);

} // namespace zkh

#endif
