// memo_edl_resolve.cpp: DaVinci Resolve's timeline-marker EDL (Timelines > Export > Timeline
// Markers to EDL, and Import > Timeline Markers from EDL).
//
//   001  001      V     C        01:00:01:00 01:00:03:00 01:00:01:00 01:00:03:00
//   IK flips around frame 40 |C:ResolveColorRed |M:Arm pops |D:48
//
// One event per marker at its record timecode (source timecode the same, out = in + length), then
// "comment |C:colour |M:name |D:length in frames"; |D:1 is a point. Lines end with CRLF, as
// Resolve's own files. Resolve keeps one marker a frame: markers starting on one frame are merged
// (names and comments joined with " / ", the first one's colour, the longest length). A "|" in a
// name or comment becomes "/", a line break a space.
#include "memo_edl.h"
#include "memo_exchange_text.h"
#include "memo_formats.h"

#include <algorithm>

namespace {

const char kLineEnd[] = "\r\n";

// The value after "X:" in a "|X:value" part, blanks around it taken off.
std::string_view PartValue(std::string_view part) { return Trim(part.substr(2)); }

} // namespace

bool ParseResolveMarker(std::string_view line, long number, EdlMarker &marker)
{
    const size_t first = line.find('|');
    if (first == std::string_view::npos)
        return false;
    bool any = false, hasDuration = false;
    const PaletteColor *color = FindColor(Palette::Resolve, "ResolveColorBlue"); // Resolve's default
    std::string name;
    for (size_t at = first; at != std::string_view::npos;) {
        const size_t next = line.find('|', at + 1);
        const std::string_view part = line.substr(at + 1, next == std::string_view::npos ? std::string_view::npos : next - at - 1);
        at = next;
        if (part.size() < 2 || part[1] != ':')
            continue;
        if (part[0] == 'C') {
            const std::string word(PartValue(part).substr(0, 64));
            const PaletteColor *known = FindColor(Palette::Resolve, word);
            if (!known)
                known = FindColor(Palette::Resolve, "ResolveColor" + word);
            marker.unknownColor = !known;
            if (known)
                color = known;
            any = true;
        } else if (part[0] == 'M') {
            name = KeptText(PartValue(part), number);
            any = true;
        } else if (part[0] == 'D') {
            std::int64_t frames = 0;
            const std::string_view value = PartValue(part);
            if (!ParseInteger(value, frames))
                throw ExchangeError{ExchangeErrorId::BadNumber, MessageText(std::string(value)), number};
            if (frames < 0 || static_cast<double>(frames) > kMaxExchangeSeconds * kMaxFileRate)
                throw ExchangeError{ExchangeErrorId::TimeOutOfRange, std::string(), number};
            marker.duration = frames;
            hasDuration = any = true;
        }
    }
    if (!any)
        return false;
    marker.name = name;
    marker.comment = KeptText(Trim(line.substr(0, first)), number);
    marker.back = MemoRgbOf(color->rgb);
    if (!hasDuration)
        marker.duration = -1; // the event's length
    return true;
}

ExportResult WriteResolveEdl(const ExportMemo &memo)
{
    ExportResult result;
    int replaced = 0;
    std::string text = EdlHeader(memo, kLineEnd);
    const std::vector<TimedClip> clips = ClipsInTimeOrder(memo);
    int event = 0;
    for (size_t i = 0; i < clips.size();) {
        const ExportClip &first = *clips[i].clip;
        std::string name = first.name, comment = first.comment;
        std::int64_t length = first.duration;
        size_t j = i + 1;
        for (; j < clips.size() && clips[j].clip->start == first.start; ++j) {
            const ExportClip &same = *clips[j].clip;
            name += " / " + same.name;
            if (!same.comment.empty())
                comment += (comment.empty() ? "" : " / ") + same.comment;
            length = std::max(length, same.duration);
        }
        if (j - i > 1)
            result.notes[ExportNote::MergedSameFrame] += static_cast<int>(j - i - 1);
        if (++event > kMaxEdlEvents)
            throw ExchangeError{ExchangeErrorId::TooManyEvents, std::to_string(kMaxEdlEvents)};
        const std::string in = TimecodeText(memo, first.start, first);
        const std::string out = TimecodeText(memo, first.start + length, first);
        text += EdlEventLine(event, "001", in, out) + "  " + kLineEnd;
        const std::string note = OneLineText(comment, replaced, "|", '/');
        text += note + " |C:" +
                NearestColor(Palette::Resolve, Rgb8Of(first.back)).name + " |M:" + OneLineText(name, replaced, "|", '/') +
                " |D:" + std::to_string(length) + kLineEnd + kLineEnd;
        result.markers += j - i;
        i = j;
    }
    if (replaced > 0)
        result.notes[ExportNote::ReplacedText] += replaced;
    result.text = std::move(text);
    return result;
}
