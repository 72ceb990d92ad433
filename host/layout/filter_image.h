// filter_image.h: the renderer's float RGBA image handed to image filters, and its PNG files.
#ifndef ZKH_FILTER_IMAGE_H
#define ZKH_FILTER_IMAGE_H

#include "lwhost/lwhost.h"

#include <string>
#include <vector>

namespace zkh {

// Four planes of floats (red, green, blue, alpha), row by row.
struct FilterImage {
    int width = 0, height = 0;
    std::vector<float> planes[4];

    void Assign(int w, int h, float r, float g, float b, float a);
    float &At(int channel, int x, int y) { return planes[channel][static_cast<size_t>(y) * width + x]; }
    float At(int channel, int x, int y) const { return planes[channel][static_cast<size_t>(y) * width + x]; }
};

// A test plate: a grey ramp with a grid every 64 pixels, opaque.
FilterImage TestPlate(int width, int height);

// Reads an 8- or 16-bit PNG (grey, grey+alpha, RGB or RGBA; no alpha means opaque).
// bits (when given) receives the file's bit depth per sample.
bool ReadPng(const std::string &path, FilterImage &image, std::string &error, int *bits = nullptr);
// Writes RGBA with 8 or 16 bits per channel; values are clamped to 0..1.
bool WritePng(const std::string &path, const FilterImage &image, int bits, std::string &error);

// The filter access record over one image, as the renderer hands it to a filter: getLine serves
// "Final_Render" (layers 0..2, red, green and blue) always and "Alpha" (layer 0) only when the
// filter named it in its buffer list (NULL-terminated, as its flags callback returns it; null for
// none); setRGB and setAlpha write into the image. One access may be in use per thread at a time.
// Every buffer the renderer has, as a filter that reads them all names them.
inline const char *const kRenderBuffers[] = {LWBUFFER_FINAL_RENDER_RGBA, LWBUFFER_ALPHA, nullptr};

class FilterAccessScope {
public:
    FilterAccessScope(FilterImage &image, int frame, const char *const *buffers);
    ~FilterAccessScope();
    FilterAccessScope(const FilterAccessScope &) = delete;
    FilterAccessScope &operator=(const FilterAccessScope &) = delete;
    const LWFilterAccess *Access() const { return &access_; }

    FilterImage &image;
    bool alphaServed = false;
    // The image's planes and size as the access began: a filter's calls write through these (the
    // image keeps its size while a filter runs).
    float *planes[4];
    int width, height;

private:
    LWFilterAccess access_{};
    FilterAccessScope *previous_;
};

} // namespace zkh

#endif
