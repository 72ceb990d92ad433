// picture_font_faces.h: the two faces the picture font chooses between (picture_font.cpp):
// FreeType's, where the build has FreeType and its font file opens, and CImg's built-in one.
#ifndef ZKH_PICTURE_FONT_FACES_H
#define ZKH_PICTURE_FONT_FACES_H

#include "picture_font.h"

#include <string>

namespace zkh {

// Each lays out text[0, end) as LayOutPictureText describes.
TextCoverage LayOutInBuiltinFont(const std::string &text, std::size_t end);
PictureTextMetrics BuiltinFontMetrics();

#if defined(ZK_PICTURE_FONT_FILE)
// False, with the reason, when the font file cannot be opened; asked once.
bool OpenFreeTypeFont(std::string &reason);
TextCoverage LayOutInFreeTypeFont(const std::string &text, std::size_t end);
PictureTextMetrics FreeTypeFontMetrics();
#endif

} // namespace zkh

#endif
