// picture_font.cpp: choosing the face picture texts are drawn in: FreeType's where the build has it
// and its font file opens, unless ZKHOST_BUILTIN_FONT asks for CImg's built-in one.
#include "picture_font.h"

#include "drawing_raster.h"
#include "picture_font_faces.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace zkh {

#if defined(ZK_PICTURE_FONT_FILE)
namespace {

bool BuiltinFontAsked()
{
    const char *value = std::getenv("ZKHOST_BUILTIN_FONT");
    return value && *value && std::strcmp(value, "0") != 0;
}

// Whether FreeType draws the texts; decided once per process, the reason for not given on stderr.
bool UseFreeType()
{
    static const bool use = [] {
        if (BuiltinFontAsked())
            return false;
        std::string reason;
        if (OpenFreeTypeFont(reason))
            return true;
        std::cerr << "zkhost: " << reason << ": pictures draw their texts in CImg's Latin-1 font\n";
        return false;
    }();
    return use;
}

} // namespace
#endif

TextCoverage LayOutPictureText(const std::string &utf8)
{
    // What a picture paints: up to the first zero byte, at most kMaxPictureTextBytes.
    const std::size_t end = std::min({utf8.size(), kMaxPictureTextBytes, utf8.find('\0')});
#if defined(ZK_PICTURE_FONT_FILE)
    if (UseFreeType())
        return LayOutInFreeTypeFont(utf8, end);
#endif
    return LayOutInBuiltinFont(utf8, end);
}

PictureTextMetrics PictureFontMetrics()
{
#if defined(ZK_PICTURE_FONT_FILE)
    if (UseFreeType())
        return FreeTypeFontMetrics();
#endif
    return BuiltinFontMetrics();
}

std::string PictureFontDescription()
{
    const std::string builtin = "CImg's built-in font (Latin-1 only: other characters show as '?')";
#if defined(ZK_PICTURE_FONT_FILE)
    if (UseFreeType())
        return std::string("Pictures draw their texts with FreeType in ") + ZK_PICTURE_FONT_FILE +
               ",\nor in " + builtin + " with ZKHOST_BUILTIN_FONT=1.";
    return "Pictures draw their texts in " + builtin + ".";
#else
    return "Pictures draw their texts in " + builtin + ":\nthis build has no FreeType.";
#endif
}

} // namespace zkh
