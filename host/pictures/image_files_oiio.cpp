// image_files_oiio.cpp: plate files through OpenImageIO (PNG, TIFF, TGA, OpenEXR).
#include "image_files.h"
#include "image_files_exr.h"

#include <OpenImageIO/imageio.h>

#include <algorithm>
#include <memory>

namespace zkh {

// The file's own description: format, sample type, bits, channel names, compression and the rest
// of its metadata, given back unchanged to the writer.
struct ImageLayout {
    OIIO::ImageSpec spec;
    // An OpenEXR plate read straight into the buffers: its header, to write it back the same way.
    std::shared_ptr<const Imf::Header> exr;
};

namespace {

int ChannelNamed(const OIIO::ImageSpec &spec, const char *name)
{
    for (int c = 0; c < spec.nchannels; ++c)
        if (spec.channel_name(c) == name)
            return c;
    return -1;
}

// Grey (and grey with alpha) as RGB (and RGBA): the value copied to the three colours.
void GreyToColour(PlateImage &plate, OIIO::ImageSpec &spec)
{
    const bool alpha = plate.channels == 2;
    const int to = alpha ? 4 : 3;
    std::vector<float> pixels(static_cast<size_t>(plate.width) * plate.height * to);
    for (size_t p = 0, n = static_cast<size_t>(plate.width) * plate.height; p < n; ++p) {
        const float *from = &plate.pixels[p * plate.channels];
        pixels[p * to] = pixels[p * to + 1] = pixels[p * to + 2] = from[0];
        if (alpha)
            pixels[p * to + 3] = from[1];
    }
    plate.pixels.swap(pixels);
    plate.channels = to;
    plate.red = 0, plate.green = 1, plate.blue = 2, plate.alpha = alpha ? 3 : -1;
    spec.nchannels = to;
    spec.channelnames = alpha ? std::vector<std::string>{"R", "G", "B", "A"} : std::vector<std::string>{"R", "G", "B"};
    spec.alpha_channel = plate.alpha;
    spec.channelformats.clear();
}

// Each file is read and written on the thread that asks: parallel work comes from the jobs of
// zkhost's sequence commands, one frame each, and stays in proportion to them. OpenEXR gets no
// pool of its own (-1): a pool of one thread would be shared by every job, and the jobs would
// wait in turn for it to compress and decompress their files.
void OneThreadPerFile()
{
    static const bool set = OIIO::attribute("threads", 1) && OIIO::attribute("exr_threads", -1);
    (void)set;
}

// Scanline files are read and written a band of rows at a time (kPlateBandRows): the library's
// own copy of the file's samples then stays a band instead of a second image in fresh memory.
// Each band is read into the memory `into(row)` gives, then `done(row, end)` is called for rows
// [row, end).
template <typename Into, typename Done>
bool ReadBands(OIIO::ImageInput &in, Into into, Done done)
{
    const OIIO::ImageSpec &spec = in.spec();
    for (int row = 0; row < spec.height; row += kPlateBandRows) {
        const int end = std::min(spec.height, row + kPlateBandRows);
        if (!in.read_scanlines(0, 0, spec.y + row, spec.y + end, 0, 0, spec.nchannels, OIIO::TypeDesc::FLOAT,
                               into(row)))
            return false;
        done(row, end);
    }
    return true;
}

// Writes the file's scanlines a band at a time, each from the memory `from(row, end)` gives.
template <typename From>
bool WriteBands(OIIO::ImageOutput &out, From from)
{
    const int height = out.spec().height;
    for (int row = 0; row < height; row += kPlateBandRows) {
        const int end = std::min(height, row + kPlateBandRows);
        if (!out.write_scanlines(row, end, 0, OIIO::TypeDesc::FLOAT, from(row, end)))
            return false;
    }
    return true;
}

bool ReadPixels(OIIO::ImageInput &in, float *pixels)
{
    const OIIO::ImageSpec &spec = in.spec();
    if (spec.tile_width > 0)
        return in.read_image(0, 0, 0, spec.nchannels, OIIO::TypeDesc::FLOAT, pixels);
    const size_t rowFloats = static_cast<size_t>(spec.width) * spec.nchannels;
    return ReadBands(in, [&](int row) { return pixels + rowFloats * row; }, [](int, int) {});
}

bool WritePixels(OIIO::ImageOutput &out, const float *pixels)
{
    const size_t rowFloats = static_cast<size_t>(out.spec().width) * out.spec().nchannels;
    return WriteBands(out, [&](int row, int) { return pixels + rowFloats * row; });
}

// An OpenEXR file whose samples are half or float: OpenEXR reads them straight into the buffers
// and writes them back from them.
bool GoesStraightThroughOpenExr(const OIIO::ImageInput &in)
{
    const OIIO::ImageSpec &spec = in.spec();
    const auto straight = [](OIIO::TypeDesc type) { return type == OIIO::TypeDesc::HALF || type == OIIO::TypeDesc::FLOAT; };
    return std::string(in.format_name()) == "openexr" &&
           (spec.channelformats.empty() ? straight(spec.format)
                                        : std::all_of(spec.channelformats.begin(), spec.channelformats.end(), straight));
}

// A plate file opened for reading, its size and channels checked; null with a message otherwise.
std::unique_ptr<OIIO::ImageInput> OpenPlate(const std::string &path, std::string &error)
{
    OneThreadPerFile();
    // Samples as stored: PNG, TGA and TIFF alpha is not multiplied into the colours on the way in
    // (nor divided out on the way back), as the renderer's buffers hold what the file holds.
    OIIO::ImageSpec config;
    config.attribute("oiio:UnassociatedAlpha", 1);
    auto in = OIIO::ImageInput::open(path, &config);
    if (!in) {
        const std::string reason = OIIO::geterror();
        error = path + ": cannot read" + (reason.empty() ? std::string() : ": " + reason);
        return nullptr;
    }
    const OIIO::ImageSpec &spec = in->spec();
    if (spec.width < 1 || spec.height < 1 || spec.width > kMaxPlateSide || spec.height > kMaxPlateSide ||
        spec.depth != 1) {
        error = path + ": " + std::to_string(spec.width) + " x " + std::to_string(spec.height) +
                " pixels; plates are taken from 1 to 16384 pixels each way";
        return nullptr;
    }
    if (spec.nchannels < 1 || spec.nchannels > kMaxPlateChannels) {
        error = path + ": " + std::to_string(spec.nchannels) + " channels; plates have 1 to 64";
        return nullptr;
    }
    return in;
}

// The plate's size, channels and layout from an opened file, its pixels not yet read.
void StartPlate(const OIIO::ImageSpec &spec, PlateImage &plate)
{
    ClearPlate(plate);
    plate.width = spec.width;
    plate.height = spec.height;
    plate.channels = spec.nchannels;
    if (plate.channels >= 3) {
        const int r = ChannelNamed(spec, "R"), g = ChannelNamed(spec, "G"), b = ChannelNamed(spec, "B");
        if (r >= 0 && g >= 0 && b >= 0)
            plate.red = r, plate.green = g, plate.blue = b;
        plate.alpha = spec.alpha_channel >= 0 ? spec.alpha_channel : ChannelNamed(spec, "A");
    }
    plate.layout = std::make_shared<ImageLayout>();
    plate.layout->spec = spec;
}

// An output file opened in the plate's layout; null with a message otherwise.
std::unique_ptr<OIIO::ImageOutput> OpenOutput(const std::string &path, const PlateImage &plate, std::string &error)
{
    OneThreadPerFile();
    auto out = OIIO::ImageOutput::create(path);
    if (!out) {
        error = path + ": cannot write this kind of file: " + OIIO::geterror();
        return nullptr;
    }
    OIIO::ImageSpec spec = plate.layout ? plate.layout->spec : OIIO::ImageSpec(plate.width, plate.height, plate.channels, OIIO::TypeDesc::UINT8);
    if (spec.nchannels != plate.channels) { // an alpha channel added after reading (crops)
        spec.nchannels = plate.channels;
        spec.channelnames.resize(static_cast<size_t>(plate.channels));
        spec.channelnames.back() = "A";
        spec.alpha_channel = plate.alpha;
        spec.channelformats.clear();
    }
    spec.width = spec.full_width = plate.width;
    spec.height = spec.full_height = plate.height;
    spec.x = spec.y = spec.full_x = spec.full_y = 0;
    spec.tile_width = spec.tile_height = 0; // scanline files whatever the plate was
    spec.attribute("oiio:UnassociatedAlpha", 1);
    if (!out->open(path, spec)) {
        error = path + ": cannot write: " + out->geterror();
        return nullptr;
    }
    return out;
}

// Every pixel of an opened plate, StartPlate done.
bool ReadWholePlate(OIIO::ImageInput &in, const std::string &path, PlateImage &plate, std::string &error)
{
    plate.pixels.resize(static_cast<size_t>(plate.width) * plate.height * plate.channels);
    if (!ReadPixels(in, plate.pixels.data())) {
        error = path + ": cannot read: " + in.geterror();
        return false;
    }
    in.close();
    if (plate.channels < 3)
        GreyToColour(plate, plate.layout->spec);
    return true;
}

} // namespace

bool ReadPlate(const std::string &path, PlateImage &plate, std::string &error)
{
    auto in = OpenPlate(path, error);
    if (!in)
        return false;
    StartPlate(in->spec(), plate);
    return ReadWholePlate(*in, path, plate, error);
}

bool WritePlate(const std::string &path, const PlateImage &plate, std::string &error)
{
    auto out = OpenOutput(path, plate, error);
    if (!out)
        return false;
    if (!WritePixels(*out, plate.pixels.data()) || !out->close()) {
        error = path + ": cannot write: " + out->geterror();
        return false;
    }
    return true;
}

bool ReadPlateBuffers(const std::string &path, PlateImage &plate, FilterImage &image, std::string &error)
{
    auto in = OpenPlate(path, error);
    if (!in)
        return false;
    const OIIO::ImageSpec &spec = in->spec();
    StartPlate(spec, plate);
    if (spec.tile_width > 0 || !ChannelsAreBuffers(plate)) {
        if (!ReadWholePlate(*in, path, plate, error))
            return false;
        FillFilterImage(plate, image);
        return true;
    }
    plate.band = true;
    SizeFilterImage(plate, image);
    if (GoesStraightThroughOpenExr(*in)) {
        in.reset();
        plate.layout->exr = ReadExrBuffers(path, image, error);
        return plate.layout->exr != nullptr;
    }
    // One band of rows is held, and each band goes to the buffers as soon as it is read.
    plate.pixels.resize(static_cast<size_t>(kPlateBandRows) * plate.width * plate.channels);
    float *band = plate.pixels.data();
    if (!ReadBands(*in, [&](int) { return band; }, [&](int row, int end) { FillFilterRows(band, plate, image, row, end); })) {
        error = path + ": cannot read: " + in->geterror();
        return false;
    }
    in->close();
    return true;
}

bool WritePlateBuffers(const std::string &path, const FilterImage &image, PlateImage &plate, std::string &error)
{
    if (!plate.band) {
        StoreFilterImage(image, plate);
        return WritePlate(path, plate, error);
    }
    if (plate.layout && plate.layout->exr && NamesExrFile(path))
        return WriteExrBuffers(path, *plate.layout->exr, image, error);
    auto out = OpenOutput(path, plate, error);
    if (!out)
        return false;
    plate.pixels.resize(static_cast<size_t>(kPlateBandRows) * plate.width * plate.channels);
    float *band = plate.pixels.data();
    const bool written = WriteBands(*out, [&](int row, int end) {
        StoreFilterRows(image, plate, band, row, end);
        return band;
    });
    if (!written || !out->close()) {
        error = path + ": cannot write: " + out->geterror();
        return false;
    }
    return true;
}

std::string ImageFormatsNote()
{
    return "Image files: PNG (8 and 16 bit), TIFF, TGA and OpenEXR (half and float), through OpenImageIO\n"
           "(OpenEXR files of R, G, B and A alone through OpenEXR itself).\n";
}

} // namespace zkh
