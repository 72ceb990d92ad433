// picture_text.h: texts fitted to the width of a field in the host's pictures.
#ifndef ZKH_PICTURE_TEXT_H
#define ZKH_PICTURE_TEXT_H

#include <string>

namespace zkh {

// The text when it fits in width pixels (as TextWidthInPicture measures it); otherwise its
// longest start, cut at a character boundary, that fits followed by "..", or ".." alone. Only as
// much of the text as can fit is measured, and the cut is found by halving: a long text costs a
// dozen measures of a short one.
std::string FitTextToWidth(const std::string &text, int width);

} // namespace zkh

#endif
