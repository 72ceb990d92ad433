// channel_plot.cpp: channel curves drawn into a PNG picture (CImg).
#include "channel_plot.h"

#include "cimg_png.h"

#include <algorithm>
#include <cmath>

namespace zkh {

bool WriteChannelPlot(const std::vector<ChannelSample> &samples, const std::string &path)
{
    constexpr int kWidth = 800, kHeight = 400, kMargin = 20;
    cimg_library::CImg<unsigned char> image(kWidth, kHeight, 1, 3, 255);
    if (!samples.empty()) {
        double low = 0.0, high = 0.0;
        for (const ChannelSample &s : samples) {
            for (double v : {s.base, s.value}) {
                if (std::isfinite(v)) {
                    low = std::min(low, v);
                    high = std::max(high, v);
                }
            }
        }
        if (high - low < 1e-12)
            high = low + 1.0;
        const int first = samples.front().frame;
        const int span = std::max(1, samples.back().frame - first);
        auto px = [&](int frame) {
            return kMargin + static_cast<int>(std::lround(double(frame - first) / span * (kWidth - 2 * kMargin)));
        };
        auto py = [&](double v) {
            if (!std::isfinite(v))
                v = 0.0;
            return kHeight - kMargin - static_cast<int>(std::lround((v - low) / (high - low) * (kHeight - 2 * kMargin)));
        };
        const unsigned char axis[3] = {200, 200, 200};
        const unsigned char grey[3] = {120, 120, 120};
        const unsigned char red[3] = {220, 30, 30};
        image.draw_line(kMargin, py(0.0), kWidth - kMargin, py(0.0), axis);
        for (size_t i = 1; i < samples.size(); ++i) {
            const ChannelSample &a = samples[i - 1], &b = samples[i];
            image.draw_line(px(a.frame), py(a.base), px(b.frame), py(b.base), grey);
            image.draw_line(px(a.frame), py(a.value), px(b.frame), py(b.value), red);
        }
        if (samples.size() == 1) {
            image.draw_point(px(samples[0].frame), py(samples[0].base), grey);
            image.draw_point(px(samples[0].frame), py(samples[0].value), red);
        }
    }
    return SavePng(image, path);
}

} // namespace zkh
