// image_files_exr.cpp: OpenEXR plates straight between the file and the renderer's buffers.
#include "image_files_exr.h"

#include "image_files.h"

#include <OpenEXR/ImfChannelList.h>
#include <OpenEXR/ImfFrameBuffer.h>
#include <OpenEXR/ImfInputFile.h>
#include <OpenEXR/ImfOutputFile.h>

#include <cpuid.h>
#include <immintrin.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <vector>

namespace zkh {

namespace {

// The channels the buffers hold, each with its plane.
constexpr struct {
    const char *name;
    int plane;
} kBufferChannels[] = {{"R", 0}, {"G", 1}, {"B", 2}, {"A", 3}};

// Frames are read and written on the thread that asks (each job of zkhost's sequence commands
// one frame): OpenEXR is given no threads of its own.
constexpr int kNoThreads = 0;

// A frame buffer over the image's planes for those of the buffers' channels the header has
// (`Image` is FilterImage to read into, const FilterImage to write from).
template <typename Image>
Imf::FrameBuffer PlanesOf(const Imf::Header &header, Image &image, const Imath::Box2i &window)
{
    Imf::FrameBuffer buffer;
    const size_t row = static_cast<size_t>(image.width) * sizeof(float);
    for (const auto &channel : kBufferChannels)
        if (header.channels().findChannel(channel.name))
            buffer.insert(channel.name, Imf::Slice::Make(Imf::FLOAT, image.planes[channel.plane].data(), window,
                                                         sizeof(float), row));
    return buffer;
}

__attribute__((target("avx,f16c"))) void FloatsToHalvesF16c(const float *from, Imath::half *to, size_t count)
{
    size_t i = 0;
    for (; i + 8 <= count; i += 8)
        _mm_storeu_si128(reinterpret_cast<__m128i *>(to + i),
                         _mm256_cvtps_ph(_mm256_loadu_ps(from + i), _MM_FROUND_TO_NEAREST_INT));
    std::copy(from + i, from + count, to + i);
}

} // namespace

void FloatsToHalves(const float *from, Imath::half *to, size_t count)
{
    static const bool f16c = [] {
        unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
        return __builtin_cpu_supports("avx") && __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (ecx & bit_F16C) != 0;
    }();
    if (f16c)
        FloatsToHalvesF16c(from, to, count);
    else
        std::copy(from, from + count, to);
}

std::shared_ptr<const Imf::Header> ReadExrBuffers(const std::string &path, FilterImage &image, std::string &error)
{
    try {
        Imf::InputFile file(path.c_str(), kNoThreads);
        const Imath::Box2i window = file.header().dataWindow();
        if (window.max.x - window.min.x + 1 != image.width || window.max.y - window.min.y + 1 != image.height) {
            error = path + ": cannot read: its data window is not the size it was opened with";
            return nullptr;
        }
        file.setFrameBuffer(PlanesOf(file.header(), image, window));
        file.readPixels(window.min.y, window.max.y);
        return std::make_shared<const Imf::Header>(file.header());
    } catch (const std::exception &e) {
        error = path + ": cannot read: " + e.what();
        return nullptr;
    }
}

bool WriteExrBuffers(const std::string &path, const Imf::Header &plate, const FilterImage &image, std::string &error)
{
    try {
        Imf::Header header = plate;
        const Imath::Box2i window(Imath::V2i(0, 0), Imath::V2i(image.width - 1, image.height - 1));
        header.dataWindow() = header.displayWindow() = window;
        Imf::OutputFile file(path.c_str(), header, kNoThreads);
        // OpenEXR writes each channel from samples of its own type: float channels straight from
        // their planes, half channels from a band of rows converted to half, band by band in the
        // order the file's lines are stored.
        const size_t width = static_cast<size_t>(image.width);
        std::vector<Imath::half> halves(static_cast<size_t>(kPlateBandRows) * width * 4);
        const int bands = (image.height + kPlateBandRows - 1) / kPlateBandRows;
        const bool upward = header.lineOrder() == Imf::DECREASING_Y;
        for (int n = 0; n < bands; ++n) {
            const int row = (upward ? bands - 1 - n : n) * kPlateBandRows, end = std::min(image.height, row + kPlateBandRows);
            const size_t first = static_cast<size_t>(row) * width, count = static_cast<size_t>(end - row) * width;
            Imf::FrameBuffer buffer;
            for (const auto &channel : kBufferChannels) {
                const Imf::Channel *stored = header.channels().findChannel(channel.name);
                if (!stored)
                    continue;
                const float *plane = image.planes[channel.plane].data();
                if (stored->type == Imf::FLOAT) {
                    buffer.insert(channel.name, Imf::Slice::Make(Imf::FLOAT, plane, window, sizeof(float),
                                                                 width * sizeof(float)));
                    continue;
                }
                Imath::half *band = halves.data() + static_cast<size_t>(kPlateBandRows) * width * static_cast<size_t>(channel.plane);
                FloatsToHalves(plane + first, band, count);
                buffer.insert(channel.name, Imf::Slice::Make(Imf::HALF, band, Imath::V2i(0, row), image.width,
                                                             end - row, sizeof(Imath::half),
                                                             width * sizeof(Imath::half)));
            }
            file.setFrameBuffer(buffer);
            file.writePixels(end - row);
        }
        return true;
    } catch (const std::exception &e) {
        error = path + ": cannot write: " + e.what();
        return false;
    }
}

bool NamesExrFile(const std::string &path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".exr";
}

} // namespace zkh
