// channel_plot.cpp: channel curves drawn as picture calls and painted into a PNG.
#include "channel_plot.h"

#include "picture_calls.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace zkh {

namespace {

constexpr int kLeft = 64, kTop = 40, kRight = kChannelPlotWidth - 24, kBottom = kChannelPlotHeight - 44;
constexpr int kTickLength = 5;

const Rgba kInk{0.15f, 0.15f, 0.15f, 1.0f};
const Rgba kGrid{0.9f, 0.9f, 0.9f, 1.0f};
const Rgba kZero{0.7f, 0.7f, 0.7f, 1.0f};
const Rgba kBase{0.47f, 0.47f, 0.47f, 1.0f};
const Rgba kMixed{0.86f, 0.12f, 0.12f, 1.0f};
const Rgba kSpan{0.84f, 0.9f, 1.0f, 1.0f};

// A step of 1, 2 or 5 times a power of ten that cuts the range into at most `count` parts.
double TickStep(double range, int count)
{
    const double raw = range / count;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * magnitude >= raw * (1 - 1e-9))
            return m * magnitude;
    return 10 * magnitude;
}

std::string ValueText(double value, double step)
{
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, std::fabs(value) < step * 1e-6 ? 0.0 : value);
    return text;
}

void Legend(std::vector<DrawCall> &calls, bool spans)
{
    double x = kLeft;
    const int baseline = TextBaseline(8, 20);
    auto entry = [&](const char *text, const Rgba &rgba, bool box) {
        if (box)
            AddRect(calls, x, 12, 24, 12, rgba);
        else
            AddRect(calls, x, 17, 24, 2, rgba);
        AddText(calls, x + 30, baseline, text, kInk);
        x += 30 + TextWidthInPicture(text) + 24;
    };
    entry("keyed base", kBase, false);
    entry("mixed result", kMixed, false);
    if (spans)
        entry("track frames", kSpan, true);
}

// One curve: segments between neighbouring samples. Samples that fall into one pixel column make
// one vertical stroke over their range, so that a long run of frames costs a few segments per
// column rather than one per frame.
void AddCurve(std::vector<DrawCall> &calls, const PlotAxes &axes, const std::vector<ChannelSample> &samples,
              bool mixed)
{
    struct Column {
        int index;
        double lastX, lastY, low, high;
    };
    bool open = false;
    Column column{};
    auto stroke = [&] {
        if (column.low < column.high)
            AddSegment(calls, column.lastX, column.low, column.lastX, column.high);
    };
    for (const ChannelSample &sample : samples) {
        const double x = axes.ColumnOf(sample.frame);
        const double y = axes.RowOf(mixed ? sample.value : sample.base);
        const int index = static_cast<int>(std::floor(x));
        if (open && index == column.index) {
            column.low = std::min(column.low, y);
            column.high = std::max(column.high, y);
            column.lastX = x;
            column.lastY = y;
            continue;
        }
        if (open) {
            stroke();
            AddSegment(calls, column.lastX, column.lastY, x, y);
        }
        column = {index, x, y, y, y};
        open = true;
    }
    if (open)
        stroke();
}

// The spans' shading: one rectangle per run of shaded pixel columns, whatever the number of spans
// (a clip mixer may drive a channel with thousands of tracks). A column is shaded when its centre
// lies in a span's rectangle, as it would be painted on its own.
void AddSpans(std::vector<DrawCall> &calls, const PlotAxes &axes, const std::vector<FrameSpan> &spans)
{
    std::vector<int> change(kChannelPlotWidth + 1, 0); // +1 where a span starts, -1 where it ends
    for (const FrameSpan &span : spans) {
        const double x0 = std::max<double>(axes.left, axes.ColumnOf(span.first));
        const double x1 = std::min<double>(axes.right, axes.ColumnOf(span.last));
        if (!(x1 >= x0))
            continue;
        const double end = x0 + std::max(1.0, x1 - x0);
        const auto column = [](double x) {
            return static_cast<int>(std::clamp(std::ceil(x - 0.5), 0.0, static_cast<double>(kChannelPlotWidth)));
        };
        ++change[static_cast<size_t>(column(x0))];
        --change[static_cast<size_t>(column(end))];
    }
    int depth = 0, runStart = -1;
    for (int x = 0; x <= kChannelPlotWidth; ++x) {
        depth += change[static_cast<size_t>(x)];
        if (depth > 0 && runStart < 0)
            runStart = x;
        else if (depth <= 0 && runStart >= 0) {
            AddRect(calls, runStart, axes.top, x - runStart, axes.bottom - axes.top, kSpan);
            runStart = -1;
        }
    }
}

} // namespace

double PlotAxes::ColumnOf(double frame) const
{
    return left + (frame - first) / std::max(1.0, static_cast<double>(last) - first) * (right - left);
}

double PlotAxes::RowOf(double value) const
{
    if (!std::isfinite(value))
        value = 0.0;
    return bottom - (value - low) / (high - low) * (bottom - top);
}

PlotAxes ChannelPlotAxes(const std::vector<ChannelSample> &samples)
{
    PlotAxes axes;
    axes.left = kLeft;
    axes.top = kTop;
    axes.right = kRight;
    axes.bottom = kBottom;
    if (samples.empty())
        return axes;
    // At least one frame apart; a plot of the last frame there is ends there.
    axes.first = samples.front().frame;
    axes.last = std::max(axes.first, samples.back().frame);
    if (axes.last == axes.first) {
        if (axes.first < INT_MAX)
            axes.last = axes.first + 1;
        else
            axes.first = axes.last - 1;
    }
    double low = 0.0, high = 0.0;
    for (const ChannelSample &s : samples)
        for (double v : {s.base, s.value})
            if (std::isfinite(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
    if (high - low < 1e-12)
        high = low + 1.0;
    axes.valueStep = TickStep(high - low, 8);
    axes.low = std::floor(low / axes.valueStep + 1e-9) * axes.valueStep;
    axes.high = std::ceil(high / axes.valueStep - 1e-9) * axes.valueStep;
    for (int i = 0; axes.low + i * axes.valueStep <= axes.high + axes.valueStep * 1e-6; ++i)
        axes.valueTicks.push_back(axes.low + i * axes.valueStep);
    const long long frameStep = std::max(1LL, std::llround(TickStep(axes.last - axes.first, 10)));
    long long tick = static_cast<long long>(std::ceil(static_cast<double>(axes.first) / frameStep)) * frameStep;
    for (; tick <= axes.last; tick += frameStep)
        axes.frameTicks.push_back(static_cast<int>(tick));
    return axes;
}

std::vector<DrawCall> ChannelPlotCalls(const std::vector<ChannelSample> &samples, const std::vector<FrameSpan> &spans)
{
    std::vector<DrawCall> calls;
    if (samples.empty())
        return calls;
    const PlotAxes axes = ChannelPlotAxes(samples);
    AddSpans(calls, axes, spans);
    for (double value : axes.valueTicks) {
        const double y = std::round(axes.RowOf(value));
        AddLine(calls, axes.left, y, axes.right, y, std::fabs(value) < axes.valueStep * 1e-6 ? kZero : kGrid);
        AddLine(calls, axes.left - kTickLength, y, axes.left - 1, y, kInk);
        AddText(calls, axes.left - kTickLength - 3, y + 4, ValueText(value, axes.valueStep), kInk, LWJUST_RIGHT);
    }
    for (int frame : axes.frameTicks) {
        const double x = std::round(axes.ColumnOf(frame));
        AddLine(calls, x, axes.bottom + 1, x, axes.bottom + kTickLength, kInk);
        AddText(calls, x, axes.bottom + kTickLength + 14, std::to_string(frame), kInk, LWJUST_CENTER);
    }
    AddLine(calls, axes.left, axes.bottom, axes.right, axes.bottom, kInk);
    AddLine(calls, axes.left, axes.top, axes.left, axes.bottom, kInk);
    AddText(calls, axes.right, kChannelPlotHeight - 6, "frame", kInk, LWJUST_RIGHT);
    Legend(calls, !spans.empty());
    for (const auto &[rgba, mixed] : {std::pair<Rgba, bool>{kBase, false}, {kMixed, true}}) {
        AddColor(calls, rgba);
        AddCurve(calls, axes, samples, mixed);
        if (samples.size() == 1) {
            const ChannelSample &only = samples[0];
            AddRect(calls, axes.ColumnOf(only.frame) - 1, axes.RowOf(mixed ? only.value : only.base) - 1, 3, 3, rgba);
        }
    }
    return calls;
}

bool WriteChannelPlot(const std::vector<ChannelSample> &samples, const std::vector<FrameSpan> &spans,
                      const std::string &path)
{
    return RasterizeToPng(ChannelPlotCalls(samples, spans), kChannelPlotWidth, kChannelPlotHeight, path,
                          {255, 255, 255});
}

} // namespace zkh
