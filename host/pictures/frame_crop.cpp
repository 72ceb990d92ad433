// frame_crop.cpp: the crop's place on the plate and its bilinear resampling.
//
// Bilinear: a crop keeps the plate's scale (one output pixel per plate pixel, turned), so no
// minification filter is needed; bilinear weights never overshoot (alpha stays within 0..1 and
// hard frame edges do not ring, unlike cubic filters), and an unturned crop on whole pixels copies
// the plate's pixels exactly.
#include "frame_crop.h"

#include <cmath>

namespace zkh {

void CropGeometry::Source(int i, int j, double &x, double &y) const
{
    const double ox = ((i + 0.5) / outW - 0.5) * width;
    const double oy = ((j + 0.5) / outH - 0.5) * height;
    const double c = std::cos(rotation), s = std::sin(rotation);
    // The frames' turn: an offset (x, y) goes to (x cos + y sin, -x sin + y cos).
    x = centreX + ox * c + oy * s;
    y = centreY - ox * s + oy * c;
}

bool PlaceCrop(const CropFrame &frame, int plateW, int plateH, CropGeometry &geometry, std::string &error)
{
    const double sx = frame.resW > 0 ? static_cast<double>(plateW) / frame.resW : 1.0;
    const double sy = frame.resH > 0 ? static_cast<double>(plateH) / frame.resH : 1.0;
    geometry = CropGeometry();
    geometry.centreX = plateW / 2.0 + frame.posX * sx;
    geometry.centreY = plateH / 2.0 + frame.posY * sy;
    geometry.width = frame.width * sx;
    geometry.height = frame.height * sy;
    geometry.rotation = frame.rotation;
    const double w = std::round(geometry.width), h = std::round(geometry.height);
    if (!std::isfinite(geometry.centreX + geometry.centreY + geometry.rotation) || !(w >= 1.0 && h >= 1.0) ||
        w > kMaxPlateSide || h > kMaxPlateSide) {
        error = "the frame's crop would be " + std::to_string(geometry.width) + " x " +
                std::to_string(geometry.height) + " pixels; crops are taken from 1 to 16384 pixels each way";
        return false;
    }
    geometry.outW = static_cast<int>(w);
    geometry.outH = static_cast<int>(h);
    return true;
}

PlateImage CropPlate(const PlateImage &source, const CropGeometry &geometry)
{
    PlateImage withAlpha;
    if (source.alpha < 0) {
        withAlpha = source;
        AddAlpha(withAlpha, 1.0f);
    }
    const PlateImage &plate = source.alpha < 0 ? withAlpha : source;
    PlateImage out;
    out.width = geometry.outW;
    out.height = geometry.outH;
    out.channels = plate.channels;
    out.red = plate.red, out.green = plate.green, out.blue = plate.blue, out.alpha = plate.alpha;
    out.layout = plate.layout;
    const size_t channels = static_cast<size_t>(plate.channels);
    out.pixels.assign(static_cast<size_t>(out.width) * out.height * channels, 0.0f);
    for (int j = 0; j < out.height; ++j)
        for (int i = 0; i < out.width; ++i) {
            double x = 0, y = 0;
            geometry.Source(i, j, x, y);
            const double fx = x - 0.5, fy = y - 0.5;
            const double x0 = std::floor(fx), y0 = std::floor(fy);
            if (!(x0 >= -1.0 && y0 >= -1.0 && x0 < plate.width && y0 < plate.height))
                continue; // wholly outside: transparent black
            const double tx = fx - x0, ty = fy - y0;
            float *to = &out.pixels[(static_cast<size_t>(j) * out.width + i) * channels];
            const int px = static_cast<int>(x0), py = static_cast<int>(y0);
            const double weights[4] = {(1 - tx) * (1 - ty), tx * (1 - ty), (1 - tx) * ty, tx * ty};
            const int taps[4][2] = {{px, py}, {px + 1, py}, {px, py + 1}, {px + 1, py + 1}};
            double sum[kMaxPlateChannels + 1] = {};
            for (int k = 0; k < 4; ++k) {
                const int tapX = taps[k][0], tapY = taps[k][1];
                if (tapX < 0 || tapY < 0 || tapX >= plate.width || tapY >= plate.height || weights[k] == 0.0)
                    continue;
                const float *from = &plate.pixels[(static_cast<size_t>(tapY) * plate.width + tapX) * channels];
                for (size_t c = 0; c < channels; ++c)
                    sum[c] += weights[k] * from[c];
            }
            for (size_t c = 0; c < channels; ++c)
                to[c] = static_cast<float>(sum[c]);
        }
    return out;
}

} // namespace zkh
