// picture_font_builtin.cpp: picture texts in CImg's built-in font, 13 pixels high, whose glyphs are
// those of Latin-1: the Windows build's font (its libraries have no FreeType).
#include "picture_font_faces.h"

#include "printable_text.h"

#include <CImg.h>

namespace zkh {

namespace {

// A UTF-8 text in the built-in font's characters: each character below U+0100 is itself, any
// other one (and a byte that starts none) is '?'.
std::string FontText(const std::string &utf8, std::size_t end)
{
    std::string out;
    for (std::size_t i = 0; i < end;) {
        const std::size_t length = Utf8CharacterLength(utf8, i);
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (length == 1)
            out += utf8[i];
        else if (length == 2 && lead <= 0xC3)
            out += static_cast<char>(((lead & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
        else
            out += '?';
        i += length == 0 ? 1 : length;
    }
    return out;
}

// The font's glyphs reach this far above and below a line's baseline.
constexpr PictureTextMetrics kBuiltinMetrics{10, 3};

} // namespace

TextCoverage LayOutInBuiltinFont(const std::string &text, std::size_t end)
{
    TextCoverage laid;
    const std::string drawn = FontText(text, end);
    if (drawn.empty())
        return laid;
    cimg_library::CImg<unsigned char> glyphs;
    const unsigned char white[] = {255};
    const unsigned char *noBackground = nullptr;
    glyphs.draw_text(0, 0, "%s", white, noBackground, 1.0f, 13, drawn.c_str());
    if (glyphs.is_empty())
        return laid;
    laid.width = glyphs.width();
    laid.height = glyphs.height();
    laid.baseline = kBuiltinMetrics.ascent;
    laid.coverage.resize(static_cast<std::size_t>(laid.width) * laid.height);
    cimg_forXY(glyphs, x, y) laid.coverage[static_cast<std::size_t>(y) * laid.width + x] = glyphs(x, y, 0, 0);
    return laid;
}

PictureTextMetrics BuiltinFontMetrics()
{
    return kBuiltinMetrics;
}

} // namespace zkh
