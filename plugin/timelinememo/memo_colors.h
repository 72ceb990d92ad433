// memo_colors.h: the marker colour palettes of the editorial formats, nearest-colour matching and
// the colour texts (#RRGGBB) the files use.
#ifndef ZK_MEMO_COLORS_H
#define ZK_MEMO_COLORS_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using MemoRgb = std::array<float, 3>;

// A colour as the files store it, 0 to 255 a component.
struct Rgb8 {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb8 &other) const { return r == other.r && g == other.g && b == other.b; }
};

struct PaletteColor {
    const char *name; // as the format writes it
    Rgb8 rgb;
};

enum class Palette {
    Otio,     // OpenTimelineIO's marker colour names (RED ...), also the CSV's names (in lower case)
    Resolve,  // DaVinci Resolve's marker colours (ResolveColorRed ...)
    Avid,     // Avid's locator colours (red ...), also those of EDL locators (in upper case)
    Premiere, // Premiere's marker colours in xmeml (pproColor); green is its default and has no value
};

const std::vector<PaletteColor> &PaletteColors(Palette palette);

// The palette entry nearest to a colour (the first of equals).
const PaletteColor &NearestColor(Palette palette, const Rgb8 &rgb);

// The entry of that name, letter case aside; null when the palette has none.
const PaletteColor *FindColor(Palette palette, const std::string &name);

// A memo colour as the files store it: floor(component x 255) within 0 to 255.
Rgb8 Rgb8Of(const MemoRgb &color);
// And back: each component / 255.
MemoRgb MemoRgbOf(const Rgb8 &rgb);

// "#RRGGBB" in upper-case hexadecimal, and its reading (also without "#", either case).
std::string HexOf(const Rgb8 &rgb);
std::optional<Rgb8> ParseHex(const std::string &text);

// Premiere's colour value: 0xAABBGGRR as a decimal number, alpha 255.
std::uint32_t PremiereValueOf(const Rgb8 &rgb);
Rgb8 RgbOfPremiereValue(std::uint32_t value);

// The text colour given to a clip whose file holds none: black on a light box, light grey (as a
// new clip's text) on a dark one.
MemoRgb TextColorFor(const MemoRgb &back);

#endif
