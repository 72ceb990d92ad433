// picture_font_freetype.cpp: picture texts drawn with FreeType in the font file the build found
// (ZK_PICTURE_FONT_FILE, IPAex Gothic: see the top CMakeLists.txt).
//
// Glyphs are hinted lightly (vertically only, by FreeType's auto-hinter, whatever the font's own
// instructions) and rendered anti-aliased from their outlines, never from embedded bitmaps; pens
// stand on whole pixels and kerning is left out. The same FreeType and the same font file give the
// same pixels on every machine.
#include "picture_font_faces.h"

#include "printable_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace zkh {

namespace {

// Pixels to the em: a line reaches 10 pixels above its baseline and 2 below, and Latin texts take
// about the widths of CImg's 13-pixel font, with which the host's panels are measured: a label of
// a module's panel fits its field ("Frame Edit OFF" takes 80 pixels on a button 84 wide).
constexpr int kPixelsPerEm = 11;

struct Glyph {
    int left = 0, top = 0; // the bitmap's corner from the pen on the baseline (top: upward)
    int width = 0, rows = 0;
    int advance = 0;
    std::vector<unsigned char> bitmap; // width x rows
};

class FreeTypeFont {
public:
    FreeTypeFont()
    {
        FT_Error error = FT_Init_FreeType(&library_);
        if (error) {
            reason_ = "FreeType does not start (error " + std::to_string(error) + ")";
            library_ = nullptr;
            return;
        }
        error = FT_New_Face(library_, ZK_PICTURE_FONT_FILE, 0, &face_);
        if (!error)
            error = FT_Set_Pixel_Sizes(face_, 0, kPixelsPerEm);
        if (error) {
            reason_ = std::string("cannot open the font ") + ZK_PICTURE_FONT_FILE + " (FreeType error " +
                      std::to_string(error) + ")";
            if (face_)
                FT_Done_Face(face_);
            face_ = nullptr;
            return;
        }
        const FT_Size_Metrics &size = face_->size->metrics;
        metrics_.ascent = static_cast<int>((size.ascender + 63) >> 6);
        metrics_.descent = static_cast<int>((-size.descender + 63) >> 6);
        // Lines apart by the font's line height, and at least so far that they do not touch.
        lineHeight_ = std::max(static_cast<int>((size.height + 32) >> 6), metrics_.ascent + metrics_.descent + 1);
    }
    ~FreeTypeFont()
    {
        if (face_)
            FT_Done_Face(face_);
        if (library_)
            FT_Done_FreeType(library_);
    }
    FreeTypeFont(const FreeTypeFont &) = delete;
    FreeTypeFont &operator=(const FreeTypeFont &) = delete;

    bool Ready() const { return face_ != nullptr; }
    const std::string &Reason() const { return reason_; }
    PictureTextMetrics Metrics() const { return metrics_; }
    TextCoverage LayOut(const std::string &text, std::size_t end);

private:
    const Glyph &GlyphOf(std::uint32_t codePoint);

    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    std::string reason_;
    PictureTextMetrics metrics_;
    int lineHeight_ = kPixelsPerEm;
    std::mutex mutex_; // the face and the glyphs: pictures are painted from several threads
    std::unordered_map<FT_UInt, Glyph> glyphs_;
};

FreeTypeFont &Font()
{
    static FreeTypeFont font;
    return font;
}

// The code point of the character at text[i] and its length in bytes; a byte that starts no
// character is one character the font has not (U+FFFD).
std::uint32_t CodePointAt(const std::string &text, std::size_t i, std::size_t &length)
{
    length = Utf8CharacterLength(text, i);
    const auto byte = [&](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(text[i + k])); };
    switch (length) {
    case 1: return byte(0);
    case 2: return (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F);
    case 3: return (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
    case 4: return (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 | (byte(3) & 0x3F);
    default: length = 1; return 0xFFFD;
    }
}

const Glyph &FreeTypeFont::GlyphOf(std::uint32_t codePoint)
{
    // Characters the font has not show as its missing-glyph shape (index 0).
    const FT_UInt index = FT_Get_Char_Index(face_, codePoint);
    const auto found = glyphs_.find(index);
    if (found != glyphs_.end())
        return found->second;
    Glyph &glyph = glyphs_[index];
    if (FT_Load_Glyph(face_, index, FT_LOAD_TARGET_LIGHT | FT_LOAD_FORCE_AUTOHINT | FT_LOAD_NO_BITMAP) != 0)
        return glyph; // nothing drawn; the pen still moves (LayOut)
    const FT_GlyphSlot slot = face_->glyph;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0 || slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return glyph;
    const FT_Bitmap &bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.bitmap.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
    for (int y = 0; y < glyph.rows; ++y)
        std::copy_n(bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch, glyph.width,
                    glyph.bitmap.begin() + static_cast<std::ptrdiff_t>(y) * glyph.width);
    return glyph;
}

TextCoverage FreeTypeFont::LayOut(const std::string &text, std::size_t end)
{
    struct Placed {
        const Glyph *glyph;
        int x, baseline; // the pen, the first line's baseline at 0
    };
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Placed> placed;
    int pen = 0, line = 0, right = 0;
    int left = 0, top = -metrics_.ascent, bottom = metrics_.descent; // the ink and the lines
    for (std::size_t i = 0; i < end;) {
        std::size_t length = 0;
        const std::uint32_t codePoint = CodePointAt(text, i, length);
        i += length;
        if (codePoint == '\n') {
            pen = 0;
            ++line;
            bottom = std::max(bottom, line * lineHeight_ + metrics_.descent);
            continue;
        }
        const Glyph &glyph = GlyphOf(codePoint);
        const int baseline = line * lineHeight_;
        placed.push_back({&glyph, pen, baseline});
        if (glyph.width > 0 && glyph.rows > 0) {
            left = std::min(left, pen + glyph.left);
            right = std::max(right, pen + glyph.left + glyph.width);
            top = std::min(top, baseline - glyph.top);
            bottom = std::max(bottom, baseline - glyph.top + glyph.rows);
        }
        pen += std::max(glyph.advance, static_cast<int>(length));
        right = std::max(right, pen);
    }
    TextCoverage laid;
    if (right <= left)
        return laid;
    // The box starts at the text's position: ink left of the first pen moves the text right.
    const int shift = -left;
    laid.width = right + shift;
    laid.height = bottom - top;
    laid.baseline = -top;
    laid.coverage.assign(static_cast<std::size_t>(laid.width) * laid.height, 0);
    for (const Placed &p : placed) {
        const Glyph &g = *p.glyph;
        const int x0 = p.x + g.left + shift;
        const int y0 = p.baseline - g.top - top;
        for (int y = 0; y < g.rows; ++y)
            for (int x = 0; x < g.width; ++x) {
                unsigned char &pixel = laid.coverage[static_cast<std::size_t>(y0 + y) * laid.width + (x0 + x)];
                pixel = std::max(pixel, g.bitmap[static_cast<std::size_t>(y) * g.width + x]);
            }
    }
    return laid;
}

} // namespace

bool OpenFreeTypeFont(std::string &reason)
{
    reason = Font().Reason();
    return Font().Ready();
}

TextCoverage LayOutInFreeTypeFont(const std::string &text, std::size_t end)
{
    return Font().LayOut(text, end);
}

PictureTextMetrics FreeTypeFontMetrics()
{
    return Font().Metrics();
}

} // namespace zkh
