// memo_edl_loc.cpp: locators in a CMX 3600 EDL, the form Avid, Premiere and OpenTimelineIO's EDL
// adapter read:
//
//   001  AX       V     C        01:00:00:00 01:00:10:00 01:00:00:00 01:00:10:00
//   * LOC: 01:00:01:00 RED     Arm pops - IK flips around frame 40
//
// One event covers the whole memo with source timecode equal to record timecode, so that readers
// taking a locator's time as record time (Avid, Premiere) and those taking it as the clip's source
// time (OpenTimelineIO) agree. Locators are points: their clips' lengths are not kept. The colour
// is one of Avid's words, padded to seven characters as Avid writes it; the text is the clip's, on
// one line. Drop-frame timecodes are written with ";" here too (OpenTimelineIO's reader skips such
// locators: export without drop frame for it).
#include "memo_edl.h"
#include "memo_exchange_text.h"
#include "memo_formats.h"

#include <algorithm>
#include <cstdio>

bool ParseLocator(std::string_view line, long number, EdlMarker &marker)
{
    std::string_view rest = line;
    if (!rest.empty() && rest[0] == '*')
        rest = Trim(rest.substr(1));
    if (!StartsWith(rest, "LOC"))
        return false;
    rest = rest.substr(3);
    if (!rest.empty() && rest[0] == ':')
        rest = rest.substr(1);
    rest = Trim(rest);
    const size_t timecodeEnd = rest.find_first_of(" \t");
    marker.timecode = std::string(rest.substr(0, std::min<size_t>(timecodeEnd, 40)));
    rest = timecodeEnd == std::string_view::npos ? std::string_view() : Trim(rest.substr(timecodeEnd));
    const size_t wordEnd = rest.find_first_of(" \t");
    const std::string word(rest.substr(0, std::min<size_t>(wordEnd, 64)));
    const std::string_view text = wordEnd == std::string_view::npos ? std::string_view() : Trim(rest.substr(wordEnd));
    const PaletteColor *color = FindColor(Palette::Avid, word);
    if (!color)
        color = FindColor(Palette::Otio, word);
    marker.unknownColor = !color && !word.empty();
    if (!color)
        color = FindColor(Palette::Avid, "red"); // the colour OpenTimelineIO gives unknown words
    marker.back = MemoRgbOf(color->rgb);
    marker.name = KeptText(text, number);
    marker.comment.clear();
    marker.duration = 0;
    return true;
}

ExportResult WriteLocatorEdl(const ExportMemo &memo)
{
    ExportResult result;
    int replaced = 0;
    const std::vector<TimedClip> clips = ClipsInTimeOrder(memo);
    // The covering event: from frame 0 (or the first clip) to the memo's end.
    std::int64_t first = 0;
    if (!clips.empty())
        first = std::min(first, clips.front().clip->start);
    const ExportClip span{"", "", first, memo.length - first, {}, {}};
    std::string text = EdlHeader(memo, "\n") +
                       EdlEventLine(1, "AX", TimecodeText(memo, first, span), TimecodeText(memo, memo.length, span)) +
                       "\n";
    for (const TimedClip &timed : clips) {
        const ExportClip &clip = *timed.clip;
        char color[16];
        std::snprintf(color, sizeof color, "%-7s", NearestColor(Palette::Avid, Rgb8Of(clip.back)).name);
        for (char *c = color; *c; ++c)
            *c = static_cast<char>(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : *c);
        std::string line = "* LOC: " + TimecodeText(memo, clip.start, clip) + " " + color + " " +
                           OneLineText(JoinNameComment(clip.name, clip.comment), replaced);
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
        ++result.markers;
    }
    if (replaced > 0)
        result.notes[ExportNote::ReplacedText] += replaced;
    result.text = std::move(text);
    return result;
}
