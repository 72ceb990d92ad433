// fuzz_picture_fit.cpp: texts fitted to a field of the host's pictures, on arbitrary text and widths.
//
// The input's first two bytes give the width (0 to 1023 pixels), the rest is the text. The text
// comes back whole when it fits; otherwise a start of it, cut at a character boundary, that fits
// with ".." after it (or ".." alone), and on a single line no longer start would fit.
#include "drawing_raster.h"
#include "picture_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The empty start is a boundary too, also before a stray continuation byte.
bool StartsCharacter(const std::string &text, std::size_t at)
{
    return at == 0 || at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int width = (data[0] | data[1] << 8) % 1024;
    const std::string text(reinterpret_cast<const char *>(data + 2), size - 2);
    const std::string fitted = zkh::FitTextToWidth(text, width);
    const bool fits = text.size() <= zkh::kMaxPictureTextBytes && zkh::TextWidthInPicture(text) <= width;
    if (fits) {
        if (fitted != text)
            Fail("a text that fits was cut");
        return 0;
    }
    if (fitted.size() < 2 || fitted.compare(fitted.size() - 2, 2, "..") != 0)
        Fail("a cut text does not end with ..");
    const std::size_t kept = fitted.size() - 2;
    if (text.compare(0, kept, fitted, 0, kept) != 0 || !StartsCharacter(text, kept))
        Fail("a cut text is not a start of the text cut at a character boundary");
    if (kept > 0 && zkh::TextWidthInPicture(fitted) > width)
        Fail("a cut text does not fit");
    // One character more does not fit either (for a single line, whose width grows with its text;
    // a zero byte ends what is painted).
    std::size_t next = kept + 1;
    while (next < text.size() && !StartsCharacter(text, next))
        ++next;
    const std::string longer = text.substr(0, next);
    if (next <= text.size() && next <= zkh::kMaxPictureTextBytes && longer.find_first_of(std::string("\n\0", 2)) == std::string::npos &&
        zkh::TextWidthInPicture(longer + "..") <= width)
        Fail("a longer start of the text would fit");
    return 0;
}
