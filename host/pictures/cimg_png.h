// cimg_png.h: a CImg picture saved as a PNG file, with CImg's exception turned into false.
#ifndef ZK_HOST_CIMG_PNG_H
#define ZK_HOST_CIMG_PNG_H

#include <CImg.h>

#include <string>

namespace zkh {

template <typename T>
bool SavePng(const cimg_library::CImg<T> &image, const std::string &path)
{
    try {
        image.save_png(path.c_str());
    } catch (const cimg_library::CImgException &) {
        return false;
    }
    return true;
}

} // namespace zkh

#endif
