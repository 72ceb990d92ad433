// memo_edl.cpp: CMX 3600 EDLs: header and event lines, and the reader of both marker dialects.
//
// An EDL has no frame rate: it is read at the scene's. An event line is a number, reel, channel,
// edit type (with a transition length for D, W and K) and four timecodes; every other line that
// follows an event belongs to it. Drop frame comes from the "FCM:" line or from a ";" in a
// timecode. Markers are placed by their record timecode (a Resolve marker by its event's record
// in) less the start timecode.
#include "memo_edl.h"

#include "memo_exchange_text.h"
#include "memo_formats.h"

#include <cstdio>
#include <vector>

namespace {

// Up to ten words of a line.
std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t at = 0;
    while (words.size() < 10) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos)
            break;
        const size_t end = line.find_first_of(" \t", at);
        words.push_back(line.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        if (end == std::string_view::npos)
            break;
        at = end;
    }
    return words;
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && text.size() <= 6 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// An event line: a number, then 8 or 9 words whose last four are timecodes.
bool IsEventLine(const std::vector<std::string_view> &words)
{
    if ((words.size() != 8 && words.size() != 9) || !AllDigits(words[0]))
        return false;
    for (size_t i = words.size() - 4; i < words.size(); ++i)
        if (!ParseTimecode(std::string(words[i])))
            return false;
    return true;
}

struct RawMarker {
    EdlMarker marker;
    std::int64_t at = 0; // record frames, timecode counted from 00:00:00:00
    long line = 0;
};

} // namespace

std::string EdlHeader(const ExportMemo &memo, const char *lineEnd)
{
    int replaced = 0;
    return "TITLE: " + OneLineText(memo.title, replaced) + lineEnd + "FCM: " +
           (memo.drop ? "DROP FRAME" : "NON-DROP FRAME") + lineEnd + lineEnd;
}

std::string EdlEventLine(int number, const char *reel, const std::string &in, const std::string &out)
{
    char text[160];
    std::snprintf(text, sizeof text, "%03d  %-8s V     C        %s %s %s %s", number, reel, in.c_str(), out.c_str(),
                  in.c_str(), out.c_str());
    return text;
}

namespace {

// The markers as clips of the track, placed from the file's start timecode.
void AddMarkerClips(const std::vector<RawMarker> &markers, std::int64_t start, const FrameRate &rate,
                    const ExchangeSettings &settings, ImportTrack &track, ImportedMemo &memo)
{
    for (const RawMarker &raw : markers) {
        ImportClip &clip = memo.AddClip(track);
        clip.name = raw.marker.name;
        clip.comment = raw.marker.comment;
        clip.start = SecondsOfFrames(static_cast<double>(raw.at - start), rate.Fps(), settings, raw.line);
        clip.duration = raw.marker.duration > 1
                            ? SecondsOfFrames(static_cast<double>(raw.marker.duration), rate.Fps(), settings, raw.line)
                            : 0.0;
        clip.back = raw.marker.back;
        if (raw.marker.unknownColor)
            memo.Note(Unkept::UnknownColors);
        if (raw.at < start)
            memo.Note(Unkept::BeforeStart);
    }
}

} // namespace

ImportedMemo ReadEdl(const std::string &text, MarkerFormat format, const ExchangeSettings &settings)
{
    const FrameRate rate = SceneRateOf(settings, true);
    ImportedMemo memo;
    std::string title;
    bool fileDrop = false, titled = false;
    std::vector<RawMarker> markers;
    bool inEvent = false, eventHasMarker = false;
    std::int64_t eventIn = 0, eventOut = 0;
    long eventsWithout = 0;
    LineReader lines(text);
    for (std::string_view line; lines.Next(line);) {
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty())
            continue;
        const long number = lines.Number();
        if (!inEvent && StartsWith(trimmed, "TITLE:")) {
            title = KeptText(Trim(trimmed.substr(6)), number);
            titled = true;
            continue;
        }
        if (!inEvent && StartsWith(trimmed, "FCM:")) {
            const std::string_view mode = Trim(trimmed.substr(4));
            fileDrop = SameText(mode.substr(0, 4), "DROP");
            continue;
        }
        const std::vector<std::string_view> words = Words(trimmed);
        if (IsEventLine(words)) {
            if (inEvent && !eventHasMarker)
                ++eventsWithout;
            inEvent = true;
            eventHasMarker = false;
            for (size_t i = words.size() - 4; i < words.size(); ++i)
                if (words[i].find_first_of(";.,") != std::string_view::npos)
                    fileDrop = fileDrop || DropFrameRate(rate);
            eventIn = ReadTimecodeFrames(std::string(words[words.size() - 2]), rate, fileDrop, number);
            eventOut = ReadTimecodeFrames(std::string(words[words.size() - 1]), rate, fileDrop, number);
            continue;
        }
        RawMarker raw;
        raw.line = number;
        if (ParseLocator(trimmed, number, raw.marker)) {
            raw.at = ReadTimecodeFrames(raw.marker.timecode, rate, fileDrop, number);
        } else if (inEvent && ParseResolveMarker(line, number, raw.marker)) {
            raw.at = eventIn;
            if (raw.marker.duration < 0)
                raw.marker.duration = eventOut > eventIn ? eventOut - eventIn : 0;
        } else {
            continue; // a remark (* FROM CLIP NAME: ...), a note of a tool
        }
        eventHasMarker = true;
        if (markers.size() >= kMaxImportMarkers)
            throw ExchangeError{ExchangeErrorId::TooManyMarkers, std::to_string(kMaxImportMarkers)};
        markers.push_back(std::move(raw));
    }
    if (inEvent && !eventHasMarker)
        ++eventsWithout;
    if (eventsWithout > 0)
        memo.Note(Unkept::MediaClips, eventsWithout);

    ExchangeSettings fileSettings = settings;
    fileSettings.dropFrame = fileDrop;
    std::int64_t start = 0;
    StartTimecodeOf(format, fileSettings, rate, start);
    ImportTrack &track = memo.tracks.emplace_back();
    track.name = titled ? title : settings.sourceName;
    AddMarkerClips(markers, start, rate, settings, track, memo);
    return memo;
}