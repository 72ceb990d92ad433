// image_files.cpp: plates as the renderer's buffers and back; channels added to a plate.
#include "image_files.h"

namespace zkh {

void AddAlpha(PlateImage &plate, float value)
{
    if (plate.alpha >= 0)
        return;
    const int from = plate.channels, to = plate.channels + 1;
    std::vector<float> pixels(static_cast<size_t>(plate.width) * plate.height * to);
    for (size_t p = 0, n = static_cast<size_t>(plate.width) * plate.height; p < n; ++p) {
        for (int c = 0; c < from; ++c)
            pixels[p * to + c] = plate.pixels[p * from + c];
        pixels[p * to + from] = value;
    }
    plate.pixels.swap(pixels);
    plate.channels = to;
    plate.alpha = from;
}

FilterImage FilterImageOf(const PlateImage &plate)
{
    FilterImage image;
    image.Assign(plate.width, plate.height, 0, 0, 0, 1);
    const int index[4] = {plate.red, plate.green, plate.blue, plate.alpha};
    for (int c = 0; c < 4; ++c) {
        if (index[c] < 0)
            continue;
        float *to = image.planes[c].data();
        const float *from = plate.pixels.data() + index[c];
        for (size_t p = 0, n = image.planes[c].size(); p < n; ++p)
            to[p] = from[p * static_cast<size_t>(plate.channels)];
    }
    return image;
}

void StoreFilterImage(const FilterImage &image, PlateImage &plate)
{
    const int index[4] = {plate.red, plate.green, plate.blue, plate.alpha};
    for (int c = 0; c < 4; ++c) {
        if (index[c] < 0)
            continue;
        const float *from = image.planes[c].data();
        float *to = plate.pixels.data() + index[c];
        for (size_t p = 0, n = image.planes[c].size(); p < n; ++p)
            to[p * static_cast<size_t>(plate.channels)] = from[p];
    }
}

} // namespace zkh
