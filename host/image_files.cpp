// image_files.cpp: plates as the renderer's buffers and back; channels added to a plate.
#include "image_files.h"

#include <algorithm>

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

namespace {

// The plate's channels that the planes hold, side by side: K of them, known to the compiler so
// that each pixel is a fixed sequence of copies.
struct PlaneChannels {
    int count = 0;
    size_t at[4] = {};  // channel index in the plate's pixel
    int plane[4] = {};  // red, green, blue or alpha
};

PlaneChannels ChannelsOf(const PlateImage &plate)
{
    PlaneChannels channels;
    const int index[4] = {plate.red, plate.green, plate.blue, plate.alpha};
    for (int c = 0; c < 4; ++c)
        if (index[c] >= 0) {
            channels.at[channels.count] = static_cast<size_t>(index[c]);
            channels.plane[channels.count++] = c;
        }
    return channels;
}

template <int K> void ToPlanes(const PlaneChannels &ch, const float *from, size_t stride, float *const planes[4], size_t n)
{
    float *to[K];
    for (int k = 0; k < K; ++k)
        to[k] = planes[ch.plane[k]];
    for (size_t p = 0; p < n; ++p, from += stride)
        for (int k = 0; k < K; ++k)
            to[k][p] = from[ch.at[k]];
}

template <int K> void FromPlanes(const PlaneChannels &ch, const float *const planes[4], float *to, size_t stride, size_t n)
{
    const float *from[K];
    for (int k = 0; k < K; ++k)
        from[k] = planes[ch.plane[k]];
    for (size_t p = 0; p < n; ++p, to += stride)
        for (int k = 0; k < K; ++k)
            to[ch.at[k]] = from[k][p];
}

} // namespace

// The planes are filled and emptied in one walk over the interleaved pixels: a walk per channel
// would bring every line of a plate of four channels through the cache four times.
void SizeFilterImage(const PlateImage &plate, FilterImage &image)
{
    const PlaneChannels channels = ChannelsOf(plate);
    // Each plane is written once: from the plate, or with its default (opaque where the plate has
    // no alpha), in memory used again.
    image.width = std::max(0, plate.width);
    image.height = std::max(0, plate.height);
    const size_t size = static_cast<size_t>(image.width) * image.height;
    bool fromPlate[4] = {};
    for (int k = 0; k < channels.count; ++k)
        fromPlate[channels.plane[k]] = true;
    for (int c = 0; c < 4; ++c) {
        image.planes[c].resize(size);
        if (!fromPlate[c])
            std::fill(image.planes[c].begin(), image.planes[c].end(), c == 3 ? 1.0f : 0.0f);
    }
}

void FillFilterRows(const float *rows, const PlateImage &plate, FilterImage &image, int y0, int y1)
{
    const PlaneChannels channels = ChannelsOf(plate);
    const size_t first = static_cast<size_t>(y0) * image.width, count = static_cast<size_t>(y1 - y0) * image.width;
    const size_t stride = static_cast<size_t>(plate.channels);
    float *planes[4];
    for (int c = 0; c < 4; ++c)
        planes[c] = image.planes[c].data() + first;
    switch (channels.count) {
    case 4: ToPlanes<4>(channels, rows, stride, planes, count); break;
    case 3: ToPlanes<3>(channels, rows, stride, planes, count); break;
    case 2: ToPlanes<2>(channels, rows, stride, planes, count); break;
    case 1: ToPlanes<1>(channels, rows, stride, planes, count); break;
    default: break;
    }
}

void StoreFilterRows(const FilterImage &image, const PlateImage &plate, float *rows, int y0, int y1)
{
    const PlaneChannels channels = ChannelsOf(plate);
    const size_t first = static_cast<size_t>(y0) * image.width, count = static_cast<size_t>(y1 - y0) * image.width;
    const size_t stride = static_cast<size_t>(plate.channels);
    const float *planes[4];
    for (int c = 0; c < 4; ++c)
        planes[c] = image.planes[c].data() + first;
    switch (channels.count) {
    case 4: FromPlanes<4>(channels, planes, rows, stride, count); break;
    case 3: FromPlanes<3>(channels, planes, rows, stride, count); break;
    case 2: FromPlanes<2>(channels, planes, rows, stride, count); break;
    case 1: FromPlanes<1>(channels, planes, rows, stride, count); break;
    default: break;
    }
}

bool ChannelsAreBuffers(const PlateImage &plate) { return ChannelsOf(plate).count == plate.channels; }

void FillFilterImage(const PlateImage &plate, FilterImage &image)
{
    SizeFilterImage(plate, image);
    FillFilterRows(plate.pixels.data(), plate, image, 0, image.height);
}

FilterImage FilterImageOf(const PlateImage &plate)
{
    FilterImage image;
    FillFilterImage(plate, image);
    return image;
}

void StoreFilterImage(const FilterImage &image, PlateImage &plate)
{
    StoreFilterRows(image, plate, plate.pixels.data(), 0, image.height);
}

} // namespace zkh
