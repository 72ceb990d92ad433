// memo_colors.cpp: the marker palettes of the editorial formats.
//
// OpenTimelineIO: the eleven Marker.2 names, with the values its Color constants give them (pink
// and magenta share one). Resolve: its sixteen marker colours as one viewer shows them. Avid: the
// classic locator colours, taken as pure colours. Premiere: the pproColor values of a real export;
// its default green has no value, and takes Final Cut Pro 7's green here.
#include "memo_colors.h"

#include "memo_records.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

const std::vector<PaletteColor> kOtio = {
    {"PINK", {255, 0, 255}},   {"RED", {255, 0, 0}},       {"ORANGE", {255, 127, 0}}, {"YELLOW", {255, 255, 0}},
    {"GREEN", {0, 255, 0}},    {"CYAN", {0, 255, 255}},    {"BLUE", {0, 0, 255}},     {"PURPLE", {127, 0, 127}},
    {"MAGENTA", {255, 0, 255}}, {"BLACK", {0, 0, 0}},      {"WHITE", {255, 255, 255}},
};

const std::vector<PaletteColor> kResolve = {
    {"ResolveColorBlue", {0x00, 0x7F, 0xE3}},     {"ResolveColorCyan", {0x00, 0xCE, 0xD0}},
    {"ResolveColorGreen", {0x00, 0xAD, 0x00}},    {"ResolveColorYellow", {0xF0, 0x9D, 0x00}},
    {"ResolveColorRed", {0xE1, 0x24, 0x01}},      {"ResolveColorPink", {0xFF, 0x44, 0xC8}},
    {"ResolveColorPurple", {0x90, 0x13, 0xFE}},   {"ResolveColorFuchsia", {0xC0, 0x2E, 0x6F}},
    {"ResolveColorRose", {0xFF, 0xA1, 0xB9}},     {"ResolveColorLavender", {0xA1, 0x93, 0xC8}},
    {"ResolveColorSky", {0x92, 0xE2, 0xFD}},      {"ResolveColorMint", {0x72, 0xDB, 0x00}},
    {"ResolveColorLemon", {0xDC, 0xE9, 0x5A}},    {"ResolveColorSand", {0xC4, 0x91, 0x5E}},
    {"ResolveColorCocoa", {0x6E, 0x51, 0x43}},    {"ResolveColorCream", {0xF5, 0xEB, 0xE1}},
};

const std::vector<PaletteColor> kAvid = {
    {"red", {255, 0, 0}},     {"green", {0, 255, 0}},     {"blue", {0, 0, 255}},   {"cyan", {0, 255, 255}},
    {"magenta", {255, 0, 255}}, {"yellow", {255, 255, 0}}, {"black", {0, 0, 0}},    {"white", {255, 255, 255}},
};

const std::vector<PaletteColor> kPremiere = {
    {"red", {0xD2, 0x2C, 0x36}},    {"orange", {0xE9, 0x6F, 0x24}}, {"yellow", {0xD0, 0xA1, 0x2B}},
    {"green", {48, 191, 72}},       {"cyan", {0x19, 0xF4, 0xD6}},   {"blue", {0x42, 0x8D, 0xFC}},
    {"purple", {0xAF, 0x8B, 0xB1}}, {"white", {0xFF, 0xFF, 0xFF}},
};

int Distance(const Rgb8 &a, const Rgb8 &b)
{
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

bool SameLetters(const std::string &a, const char *b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

const std::vector<PaletteColor> &PaletteColors(Palette palette)
{
    switch (palette) {
    case Palette::Resolve: return kResolve;
    case Palette::Avid: return kAvid;
    case Palette::Premiere: return kPremiere;
    case Palette::Otio: break;
    }
    return kOtio;
}

const PaletteColor &NearestColor(Palette palette, const Rgb8 &rgb)
{
    const auto &colors = PaletteColors(palette);
    return *std::min_element(colors.begin(), colors.end(), [&](const PaletteColor &a, const PaletteColor &b) {
        return Distance(a.rgb, rgb) < Distance(b.rgb, rgb);
    });
}

const PaletteColor *FindColor(Palette palette, const std::string &name)
{
    for (const PaletteColor &color : PaletteColors(palette))
        if (SameLetters(name, color.name))
            return &color;
    return nullptr;
}

Rgb8 Rgb8Of(const MemoRgb &color)
{
    auto component = [](float value) { return std::clamp(ColorComponentToInt(value), 0, 255); };
    return {component(color[0]), component(color[1]), component(color[2])};
}

MemoRgb MemoRgbOf(const Rgb8 &rgb)
{
    return {ColorComponentFromInt(rgb.r), ColorComponentFromInt(rgb.g), ColorComponentFromInt(rgb.b)};
}

std::string HexOf(const Rgb8 &rgb)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb.r & 0xFF, rgb.g & 0xFF, rgb.b & 0xFF);
    return text;
}

std::optional<Rgb8> ParseHex(const std::string &text)
{
    const size_t start = !text.empty() && text[0] == '#' ? 1 : 0;
    if (text.size() != start + 6)
        return std::nullopt;
    int values[3];
    for (int i = 0; i < 3; ++i) {
        const int high = HexDigit(text[start + 2 * i]), low = HexDigit(text[start + 2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        values[i] = high * 16 + low;
    }
    return Rgb8{values[0], values[1], values[2]};
}

std::uint32_t PremiereValueOf(const Rgb8 &rgb)
{
    return 0xFF000000u | static_cast<std::uint32_t>(rgb.b) << 16 | static_cast<std::uint32_t>(rgb.g) << 8 |
           static_cast<std::uint32_t>(rgb.r);
}

Rgb8 RgbOfPremiereValue(std::uint32_t value)
{
    return {static_cast<int>(value & 0xFF), static_cast<int>(value >> 8 & 0xFF), static_cast<int>(value >> 16 & 0xFF)};
}

MemoRgb TextColorFor(const MemoRgb &back)
{
    const double luminance = 0.2126 * back[0] + 0.7152 * back[1] + 0.0722 * back[2];
    return luminance > 0.5 ? MemoRgb{0.0f, 0.0f, 0.0f} : MemoRgb{0.8f, 0.8f, 0.8f};
}
