// filter_image.cpp: the filter image, its accessors and PNG reading and writing (libpng).
#include "filter_image.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zkh {

namespace {

thread_local FilterAccessScope *t_scope = nullptr;

// The buffers of a render: "Final_Render" with one layer per colour component, "Alpha" with one.
// Layout hands a filter the buffers it named in its flags list; the colour is the image being
// filtered and is taken to be there for every filter (the SDK does not say that Layout withholds
// it from a filter that does not name it).
int Layers(const char *name)
{
    const FilterAccessScope *scope = t_scope;
    if (!scope || !name)
        return 0;
    if (std::strcmp(name, LWBUFFER_FINAL_RENDER_RGBA) == 0)
        return 3;
    return std::strcmp(name, LWBUFFER_ALPHA) == 0 && scope->alphaServed ? 1 : 0;
}

// The SDK's order: the buffer, its layer, the row. The image holds each layer's rows one after
// another, as the SDK's buffers are addressed.
float *GetLine(const char *name, int layer, int y)
{
    FilterAccessScope *scope = t_scope;
    if (!scope || y < 0 || y >= scope->height || layer < 0 || layer >= Layers(name))
        return nullptr;
    const int plane = std::strcmp(name, LWBUFFER_ALPHA) == 0 ? 3 : layer;
    return scope->planes[plane] + static_cast<size_t>(y) * scope->width;
}

// The current access and the index of pixel (x, y) in its planes; null when there is no access or
// the pixel lies outside the image. Filters call this once for each pixel they write.
FilterAccessScope *PixelOf(int x, int y, size_t &index)
{
    FilterAccessScope *scope = t_scope;
    if (!scope || x < 0 || y < 0 || x >= scope->width || y >= scope->height)
        return nullptr;
    index = static_cast<size_t>(y) * static_cast<size_t>(scope->width) + static_cast<size_t>(x);
    return scope;
}

void SetRGB(int x, int y, const float rgb[3])
{
    size_t i = 0;
    FilterAccessScope *scope = PixelOf(x, y, i);
    if (!scope || !rgb)
        return;
    scope->planes[0][i] = rgb[0];
    scope->planes[1][i] = rgb[1];
    scope->planes[2][i] = rgb[2];
}

void SetAlpha(int x, int y, float alpha)
{
    size_t i = 0;
    if (FilterAccessScope *scope = PixelOf(x, y, i))
        scope->planes[3][i] = alpha;
}

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

} // namespace

void FilterImage::Assign(int w, int h, float r, float g, float b, float a)
{
    width = std::max(0, w);
    height = std::max(0, h);
    const float values[4] = {r, g, b, a};
    for (int c = 0; c < 4; ++c)
        planes[c].assign(static_cast<size_t>(width) * height, values[c]);
}

FilterImage TestPlate(int width, int height)
{
    FilterImage image;
    image.Assign(width, height, 0, 0, 0, 1);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const bool grid = x % 64 == 0 || y % 64 == 0;
            const float ramp = 0.15f + 0.5f * static_cast<float>(x) / std::max(1, image.width - 1);
            image.At(0, x, y) = grid ? 0.9f : ramp;
            image.At(1, x, y) = grid ? 0.9f : ramp * 0.9f;
            image.At(2, x, y) = grid ? 0.9f : 0.35f + 0.3f * static_cast<float>(y) / std::max(1, image.height - 1);
        }
    return image;
}

bool ReadPng(const std::string &path, FilterImage &image, std::string &error, int *bits)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = path + ": cannot open";
        return false;
    }
    png_structp reader = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = reader ? png_create_info_struct(reader) : nullptr;
    if (!reader || !info) {
        png_destroy_read_struct(&reader, &info, nullptr);
        error = "out of memory";
        return false;
    }
    // Declared before setjmp: a libpng error jumps back here with them alive, and they are freed
    // on return as usual.
    std::vector<png_byte> data;
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(reader))) {
        png_destroy_read_struct(&reader, &info, nullptr);
        error = path + ": not a readable PNG file";
        return false;
    }
    png_init_io(reader, file.get());
    png_read_info(reader, info);
    const png_uint_32 w = png_get_image_width(reader, info);
    const png_uint_32 h = png_get_image_height(reader, info);
    const int depth = png_get_bit_depth(reader, info);
    const int type = png_get_color_type(reader, info);
    if (w > 16384 || h > 16384) {
        png_destroy_read_struct(&reader, &info, nullptr);
        error = path + ": " + std::to_string(w) + " x " + std::to_string(h) +
                " pixels; plates are taken from 1 to 16384 pixels each way";
        return false;
    }
    if (type == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(reader);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(reader);
    if (depth < 8)
        png_set_packing(reader);
    if (png_get_valid(reader, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(reader);
    if (depth == 16)
        png_set_swap(reader); // little-endian samples in memory
    png_set_filler(reader, depth == 16 ? 0xFFFF : 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(reader, info);
    const size_t rowBytes = png_get_rowbytes(reader, info);
    data.resize(rowBytes * h);
    rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y)
        rows[y] = data.data() + y * rowBytes;
    png_read_image(reader, rows.data());
    if (bits)
        *bits = depth == 16 ? 16 : 8;
    png_destroy_read_struct(&reader, &info, nullptr);

    image.Assign(static_cast<int>(w), static_cast<int>(h), 0, 0, 0, 1);
    for (png_uint_32 y = 0; y < h; ++y)
        for (png_uint_32 x = 0; x < w; ++x)
            for (int c = 0; c < 4; ++c) {
                float value;
                if (depth == 16) {
                    png_uint_16 sample;
                    std::memcpy(&sample, rows[y] + (x * 4 + c) * 2, 2);
                    value = sample / 65535.0f;
                } else {
                    value = rows[y][x * 4 + c] / 255.0f;
                }
                image.At(c, static_cast<int>(x), static_cast<int>(y)) = value;
            }
    return true;
}

bool WritePng(const std::string &path, const FilterImage &image, int bits, std::string &error)
{
    if (bits != 8 && bits != 16) {
        error = "PNG files are written with 8 or 16 bits per channel";
        return false;
    }
    if (image.width < 1 || image.height < 1) {
        error = "the image is empty";
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        error = path + ": cannot write";
        return false;
    }
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = writer ? png_create_info_struct(writer) : nullptr;
    if (!writer || !info) {
        png_destroy_write_struct(&writer, &info);
        error = "out of memory";
        return false;
    }
    const size_t bytes = bits / 8;
    std::vector<png_byte> row(static_cast<size_t>(image.width) * 4 * bytes);
    if (setjmp(png_jmpbuf(writer))) {
        png_destroy_write_struct(&writer, &info);
        error = path + ": write error";
        return false;
    }
    png_init_io(writer, file.get());
    png_set_IHDR(writer, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), bits,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(writer, info);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x)
            for (int c = 0; c < 4; ++c) {
                const float v = std::clamp(image.At(c, x, y), 0.0f, 1.0f);
                const size_t at = (static_cast<size_t>(x) * 4 + c) * bytes;
                if (bits == 8) {
                    row[at] = static_cast<png_byte>(v * 255.0f + 0.5f);
                } else {
                    const unsigned value = static_cast<unsigned>(v * 65535.0f + 0.5f);
                    row[at] = static_cast<png_byte>(value >> 8); // PNG samples are big-endian
                    row[at + 1] = static_cast<png_byte>(value & 0xFF);
                }
            }
        png_write_row(writer, row.data());
    }
    png_write_end(writer, nullptr);
    png_destroy_write_struct(&writer, &info);
    return true;
}

FilterAccessScope::FilterAccessScope(FilterImage &target, int frame, const char *const *buffers)
    : image(target), planes{}, width(0), height(0), previous_(t_scope)
{
    for (const char *const *name = buffers; name && *name; ++name)
        alphaServed = alphaServed || std::strcmp(*name, LWBUFFER_ALPHA) == 0;
    for (int c = 0; c < 4; ++c)
        planes[c] = image.planes[c].data();
    width = image.width;
    height = image.height;
    t_scope = this;
    access_.width = image.width;
    access_.height = image.height;
    access_.frame = frame;
    access_.layers = Layers;
    access_.getLine = GetLine;
    access_.setRGB = SetRGB;
    access_.setAlpha = SetAlpha;
    access_.monitor = nullptr;
}

FilterAccessScope::~FilterAccessScope() { t_scope = previous_; }

} // namespace zkh
