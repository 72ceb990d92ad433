// picture_font.h: the font the host's pictures draw their texts in (viewports, panels, plots).
//
// On Linux texts are drawn with FreeType in IPAex Gothic, a font Debian ships with Latin and Japanese
// glyphs (fonts-ipaexfont-gothic), anti-aliased, 11 pixels to the em: about as wide as CImg's
// 13-pixel font, lines 13 pixels apart. The Windows build has no FreeType among its libraries and
// keeps CImg's built-in font, whose glyphs are those of Latin-1 (any other character shows as '?');
// so does a Linux zkhost run with ZKHOST_BUILTIN_FONT=1 (the test that compares the Windows and
// Linux sessions byte for byte sets it) or one that cannot open its font file (it says so once on
// stderr).
#ifndef ZKH_PICTURE_FONT_H
#define ZKH_PICTURE_FONT_H

#include <string>
#include <vector>

namespace zkh {

// A text laid out on its lines ('\n' starts the next one): how much each pixel of its box is
// covered (0..255), the box's size, and where the first line's baseline lies in it.
struct TextCoverage {
    int width = 0, height = 0;
    int baseline = 0;                    // rows from the box's top to the first line's baseline
    std::vector<unsigned char> coverage; // width x height, row after row
    unsigned char At(int x, int y) const { return coverage[static_cast<std::size_t>(y) * width + x]; }
};

// Lays out and draws a UTF-8 text in the picture font: the one function both measuring and painting
// use, so that a text takes on a picture exactly the width it was measured at. The text ends at a
// zero byte; a byte that starts no character counts as a character of its own the font has not.
// Every character other than a line break advances the pen by at least as many pixels as it has
// bytes. An empty text has an empty box.
TextCoverage LayOutPictureText(const std::string &utf8);

// How far the picture font's lines reach above and below their baseline, in pixels.
struct PictureTextMetrics {
    int ascent = 0, descent = 0;
};
PictureTextMetrics PictureFontMetrics();

// Which font pictures draw their texts in, for zkhost's usage text (lines without a last line break).
std::string PictureFontDescription();

} // namespace zkh

#endif
