// picture_text.cpp: fitting texts to a width in the host's pictures.
#include "picture_text.h"

#include "drawing_raster.h"

#include <algorithm>
#include <vector>

namespace zkh {

std::string FitTextToWidth(const std::string &text, int width)
{
    // What can show at all: the bytes a picture paints (up to a zero byte, which ends the text
    // there), and on a single line no more bytes than the width has pixels for (plus one, to see
    // that the text goes on).
    const std::size_t painted = std::min({text.size(), kMaxPictureTextBytes, text.find('\0')});
    std::size_t reach = painted;
    const std::size_t singleLine = static_cast<std::size_t>(std::max(0, width / kMinPictureAdvance)) + 1;
    if (reach > singleLine && text.find('\n') >= singleLine)
        reach = singleLine;
    const std::string shown = text.substr(0, reach);
    if (reach == painted && text.size() <= kMaxPictureTextBytes && TextWidthInPicture(shown) <= width)
        return text;
    // Character boundaries within what shows; the longest start that fits with ".." after it.
    std::vector<std::size_t> cuts;
    for (std::size_t i = 0; i < reach; ++i)
        if ((static_cast<unsigned char>(shown[i]) & 0xC0) != 0x80)
            cuts.push_back(i);
    cuts.push_back(reach);
    std::size_t low = 0, high = cuts.size(); // cuts[low - 1] fits (none when low is 0); cuts[high] does not
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (TextWidthInPicture(shown.substr(0, cuts[middle]) + "..") <= width)
            low = middle + 1;
        else
            high = middle;
    }
    return (low == 0 ? std::string() : shown.substr(0, cuts[low - 1])) + "..";
}

} // namespace zkh
