// image_files_exr.h: OpenEXR plates of red, green, blue (and alpha) alone, read and written
// through OpenEXR's frame buffers straight between the file's scanlines and the renderer's
// buffers. OpenEXR converts each sample to float (and back to the file's type) as it copies it
// into (or out of) its plane: no interleaved copy of the image is made on the way.
#ifndef ZKH_IMAGE_FILES_EXR_H
#define ZKH_IMAGE_FILES_EXR_H

#include "filter_image.h"

#include <Imath/half.h>
#include <OpenEXR/ImfHeader.h>

#include <memory>
#include <string>

namespace zkh {

// Reads the file's R, G, B and A channels (those it has) into the planes of `image`, already
// sized to the file's data window; the file's header, or null with a message.
std::shared_ptr<const Imf::Header> ReadExrBuffers(const std::string &path, FilterImage &image, std::string &error);

// Writes the planes in the layout of `plate` (channels, their types, compression and the rest of
// its header), the data window and display window both the image from the origin; false with a
// message.
bool WriteExrBuffers(const std::string &path, const Imf::Header &plate, const FilterImage &image, std::string &error);

// Floats to halves, rounded to the nearest (ties to even), as Imath's half does it; eight at a
// time by the processor's own conversion where it has one (F16C).
void FloatsToHalves(const float *from, Imath::half *to, size_t count);

// True when the path names an OpenEXR file by its extension (as the writer chooses its format).
bool NamesExrFile(const std::string &path);

} // namespace zkh

#endif
