// frame_crop.h: a camera frame's inner rectangle cut out of a plate, upright.
#ifndef ZKH_FRAME_CROP_H
#define ZKH_FRAME_CROP_H

#include "image_files.h"

#include <string>

namespace zkh {

// A frame as the scene stores it (camera pixels, offset from the image centre, radians) and the
// camera's resolution.
struct CropFrame {
    double posX = 0, posY = 0, width = 0, height = 0, rotation = 0;
    int resW = 0, resH = 0;
};

// Where the crop lies on a plate of plateW x plateH: the frame's sizes and offsets scaled by the
// plate's size over the camera's (as the render filter scales them), its corner 0 (the first
// column and row before turning) at the output's top left.
struct CropGeometry {
    double centreX = 0, centreY = 0; // plate pixels, from the plate's top left corner
    double width = 0, height = 0;    // plate pixels
    double rotation = 0;
    int outW = 0, outH = 0;          // the output's size: width and height rounded, at least 1

    // The plate point under the centre of output pixel (i, j).
    void Source(int i, int j, double &x, double &y) const;
};

// False with a message when the crop would be empty or larger than kMaxPlateSide either way.
bool PlaceCrop(const CropFrame &frame, int plateW, int plateH, CropGeometry &geometry, std::string &error);

// Every channel of the plate resampled bilinearly under the crop's pixel centres; what lies
// outside the plate is transparent black (an alpha channel is added to a plate without one).
PlateImage CropPlate(const PlateImage &plate, const CropGeometry &geometry);

} // namespace zkh

#endif
