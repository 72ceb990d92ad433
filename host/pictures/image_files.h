// image_files.h: the image files of plate sequences: read into floats, written back as they came.
//
// Where OpenImageIO is built (Linux), PNG (8 and 16 bits, palettes read as RGB), TIFF, TGA and
// OpenEXR (half and float) are read and written through it; elsewhere PNG alone, through libpng.
// Integer samples read as 0..1, float samples as they are stored (linear), with no colour
// conversion. A file is written with the bit depth, sample type, channels and (OpenEXR)
// compression of the plate it came from; grey plates become RGB, as frames are drawn in colour.
#ifndef ZKH_IMAGE_FILES_H
#define ZKH_IMAGE_FILES_H

#include "filter_image.h"

#include <memory>
#include <string>
#include <vector>

namespace zkh {

// The largest plate side taken (as render plates are bounded).
constexpr int kMaxPlateSide = 16384;
// The most channels a plate may have (colours, alpha and any others, which pass through).
constexpr int kMaxPlateChannels = 64;
// Rows of a scanline file read or written at a time, so that a library's own copy of the samples
// stays a band, in cache: a whole number of OpenEXR's largest scanline blocks (32 rows).
constexpr int kPlateBandRows = 64;

struct ImageLayout; // how the file was stored, kept to write the result the same way

struct PlateImage {
    int width = 0, height = 0, channels = 0;
    std::vector<float> pixels;                 // interleaved, row by row, every channel of the file
    bool band = false;                         // read by bands into buffers (ReadPlateBuffers): pixels hold
                                               // one band of rows, or none where OpenEXR reads straight in
    int red = 0, green = 1, blue = 2, alpha = -1; // channel indexes; alpha -1: none
    std::shared_ptr<ImageLayout> layout;
};

// Reads a plate into `plate`, whose pixel memory is used again when it is large enough: a job
// reading one 4K plate after another then touches no new pages.
bool ReadPlate(const std::string &path, PlateImage &plate, std::string &error);
// Writes the plate in its layout, in the format the path's extension names.
bool WritePlate(const std::string &path, const PlateImage &plate, std::string &error);

// A plate read straight into the renderer's buffers (as FillFilterImage fills them), and written
// back from them: where the file is a scanline file whose channels the buffers all hold (RGB or
// RGBA), its samples pass through one band of rows in `plate.pixels` on their way to and from the
// buffers, rather than through a whole interleaved image. `plate` keeps what writing needs.
bool ReadPlateBuffers(const std::string &path, PlateImage &plate, FilterImage &image, std::string &error);
bool WritePlateBuffers(const std::string &path, const FilterImage &image, PlateImage &plate, std::string &error);

// Empties a plate for the next file, keeping its pixel memory.
void ClearPlate(PlateImage &plate);

// Adds an alpha channel (of the value given) to a plate without one.
void AddAlpha(PlateImage &plate, float value);

// Red, green, blue and alpha (1 where the plate has none) as the renderer's buffers, and back.
FilterImage FilterImageOf(const PlateImage &plate);
// The same into the planes of `image`, using their memory again.
void FillFilterImage(const PlateImage &plate, FilterImage &image);
void StoreFilterImage(const FilterImage &image, PlateImage &plate);
// The same by bands: the planes sized (those the plate has no channel for set to their
// defaults), then rows [y0, y1) copied from or to `rows`, the plate's samples of row y0 onwards.
void SizeFilterImage(const PlateImage &plate, FilterImage &image);
void FillFilterRows(const float *rows, const PlateImage &plate, FilterImage &image, int y0, int y1);
void StoreFilterRows(const FilterImage &image, const PlateImage &plate, float *rows, int y0, int y1);
// True when the buffers hold every channel of the plate (nothing else would pass through).
bool ChannelsAreBuffers(const PlateImage &plate);

// The formats this build reads and writes, and what it lacks and why (for --help).
std::string ImageFormatsNote();

} // namespace zkh

#endif
