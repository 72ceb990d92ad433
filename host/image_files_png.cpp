// image_files_png.cpp: plate files where OpenImageIO is not built: PNG alone, through libpng.
#include "image_files.h"

#include <cstdio>
#include <memory>

namespace zkh {

struct ImageLayout {
    int bits = 8;
};

bool ReadPlate(const std::string &path, PlateImage &plate, std::string &error)
{
    // A file that cannot be opened is named as the OpenImageIO build names it.
    if (std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"), std::fclose); !file) {
        error = path + ": cannot read: the file cannot be opened";
        return false;
    }
    FilterImage image;
    int bits = 8;
    if (!ReadPng(path, image, error, &bits))
        return false;
    ClearPlate(plate);
    plate.width = image.width;
    plate.height = image.height;
    plate.channels = 4;
    plate.alpha = 3;
    plate.pixels.resize(static_cast<size_t>(image.width) * image.height * 4);
    StoreFilterImage(image, plate);
    plate.layout = std::make_shared<ImageLayout>();
    plate.layout->bits = bits;
    return true;
}

bool WritePlate(const std::string &path, const PlateImage &plate, std::string &error)
{
    const std::string::size_type dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    for (char &c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (extension != "png") {
        error = path + ": this build writes PNG files only";
        return false;
    }
    return WritePng(path, FilterImageOf(plate), plate.layout ? plate.layout->bits : 8, error);
}

std::string ImageFormatsNote()
{
    return "Image files: PNG only (8 and 16 bit, written as RGBA), through libpng. This build has no\n"
           "OpenImageIO: TIFF, TGA and OpenEXR plates need the Linux zkhost.\n";
}

// PNG files are read and written whole: the buffers are filled from the plate and stored back.
bool ReadPlateBuffers(const std::string &path, PlateImage &plate, FilterImage &image, std::string &error)
{
    if (!ReadPlate(path, plate, error))
        return false;
    FillFilterImage(plate, image);
    return true;
}

bool WritePlateBuffers(const std::string &path, const FilterImage &image, PlateImage &plate, std::string &error)
{
    StoreFilterImage(image, plate);
    return WritePlate(path, plate, error);
}

} // namespace zkh
