// image_files.cpp: plates as the renderer's buffers and back; channels added to a plate.
#include "image_files.h"

namespace zkh {

void ClearPlate(PlateImage &plate)
{
    std::vector<float> pixels = std::move(plate.pixels);
    plate = PlateImage();
    plate.pixels = std::move(pixels);
}

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

// The planes are filled and emptied in one walk over the interleaved pixels: a walk per channel
// would bring every line of a plate of four channels through the cache four times.
void FillFilterImage(const PlateImage &plate, FilterImage &image)
{
    image.Assign(plate.width, plate.height, 0, 0, 0, 1);
    const int index[4] = {plate.red, plate.green, plate.blue, plate.alpha};
    const size_t stride = static_cast<size_t>(plate.channels);
    float *to[4] = {image.planes[0].data(), image.planes[1].data(), image.planes[2].data(), image.planes[3].data()};
    const float *from = plate.pixels.data();
    for (size_t p = 0, n = image.planes[0].size(); p < n; ++p, from += stride)
        for (int c = 0; c < 4; ++c)
            if (index[c] >= 0)
                to[c][p] = from[index[c]];
}

FilterImage FilterImageOf(const PlateImage &plate)
{
    FilterImage image;
    FillFilterImage(plate, image);
    return image;
}

void StoreFilterImage(const FilterImage &image, PlateImage &plate)
{
    const int index[4] = {plate.red, plate.green, plate.blue, plate.alpha};
    const size_t stride = static_cast<size_t>(plate.channels);
    const float *from[4] = {image.planes[0].data(), image.planes[1].data(), image.planes[2].data(),
                            image.planes[3].data()};
    float *to = plate.pixels.data();
    for (size_t p = 0, n = image.planes[0].size(); p < n; ++p, to += stride)
        for (int c = 0; c < 4; ++c)
            if (index[c] >= 0)
                to[index[c]] = from[c][p];
}

} // namespace zkh
