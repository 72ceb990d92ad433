// memo_ffmetadata.cpp: ffmpeg's FFMETADATA1 chapters (ffmpeg -i in.mp4 -i FILE -map_metadata 1
// -map_chapters 1 -codec copy out.mp4):
//
//   ;FFMETADATA1
//   title=Scene
//   [CHAPTER]
//   TIMEBASE=1001/24000
//   START=24
//   END=72
//   title=Arm pops
//   comment=IK flips around frame 40
//
// One chapter a clip, in time order, in frames of the scene's rate as the time base (so no time is
// rounded); END is the first frame after the clip. Times are media time from the scene's frame 0:
// no start timecode. "=", ";", "#", "\" and line breaks in values are escaped with "\" as ffmpeg
// does. Chapters have no track and no colour: the memo's tracks and colours are not kept.
//
// Read as ffmpeg's demuxer reads it: a missing TIMEBASE is 1/1000000000, a missing START the
// previous chapter's END; comment lines (";", "#") and [STREAM] sections are skipped.
#include "memo_exchange_text.h"
#include "memo_formats.h"

#include <vector>

namespace {

std::string Escaped(const std::string &text, int &replaced)
{
    std::string out;
    bool changed = false;
    for (char c : text) {
        if (c == '\r') {
            out += ' ';
            changed = true;
            continue;
        }
        if (c == '=' || c == ';' || c == '#' || c == '\\' || c == '\n')
            out += '\\';
        out += c;
    }
    replaced += changed ? 1 : 0;
    return out;
}

// One line of the file: key and value with escapes taken off, split at the first "=" not escaped.
struct MetadataLine {
    std::string key, value;
    bool hasValue = false;
    long number = 0;
};

class MetadataReader {
public:
    explicit MetadataReader(std::string_view text) : text_(text) {}

    bool Next(MetadataLine &line)
    {
        if (at_ >= text_.size())
            return false;
        line = MetadataLine{};
        line.number = number_;
        std::string *part = &line.key;
        while (at_ < text_.size()) {
            char c = text_[at_++];
            if (c == '\\' && at_ < text_.size()) {
                c = text_[at_++];
                if (c == '\n')
                    ++number_;
            } else if (c == '\n') {
                break;
            } else if (c == '=' && !line.hasValue) {
                line.hasValue = true;
                part = &line.value;
                continue;
            }
            if (part->size() >= kMaxImportText)
                throw ExchangeError{ExchangeErrorId::TextTooLong, std::to_string(kMaxImportText), line.number};
            *part += c;
        }
        ++number_;
        std::string &last = line.hasValue ? line.value : line.key;
        if (!last.empty() && last.back() == '\r')
            last.pop_back();
        return true;
    }

private:
    std::string_view text_;
    size_t at_ = 0;
    long number_ = 1;
};

struct Chapter {
    std::int64_t num = 1, den = 1000000000; // the time base
    std::optional<std::int64_t> start, end;
    std::string title, comment;
    long line = 0;
};

std::int64_t Integer(const MetadataLine &line)
{
    std::int64_t value = 0;
    if (!ParseInteger(Trim(line.value), value))
        throw ExchangeError{ExchangeErrorId::BadNumber, MessageText(line.value), line.number};
    return value;
}

} // namespace

ExportResult WriteFfmetadata(const ExportMemo &memo)
{
    ExportResult result;
    int replaced = 0;
    std::string text = ";FFMETADATA1\ntitle=" + Escaped(memo.title, replaced) + "\n";
    const std::string timebase = "TIMEBASE=" + std::to_string(memo.rate.den) + "/" + std::to_string(memo.rate.num) + "\n";
    for (const TimedClip &timed : ClipsInTimeOrder(memo)) {
        const ExportClip &clip = *timed.clip;
        text += "[CHAPTER]\n" + timebase + "START=" + std::to_string(clip.start) + "\nEND=" +
                std::to_string(clip.start + clip.duration) + "\ntitle=" + Escaped(clip.name, replaced) + "\n";
        if (!clip.comment.empty())
            text += "comment=" + Escaped(clip.comment, replaced) + "\n";
        ++result.markers;
    }
    if (replaced > 0)
        result.notes[ExportNote::ReplacedText] += replaced;
    result.text = std::move(text);
    return result;
}

namespace {

// A chapter's tag; false for one a chapter does not have.
bool ReadChapterTag(const MetadataLine &line, Chapter &chapter)
{
    if (line.key == "TIMEBASE") {
        const std::string_view value = Trim(line.value);
        const size_t slash = value.find('/');
        if (slash == std::string_view::npos || !ParseInteger(value.substr(0, slash), chapter.num) ||
            !ParseInteger(value.substr(slash + 1), chapter.den) || chapter.num <= 0 || chapter.den <= 0 ||
            chapter.num > 0x7FFFFFFF || chapter.den > 0x7FFFFFFF)
            throw ExchangeError{ExchangeErrorId::BadRate, MessageText(line.value), line.number};
    } else if (line.key == "START") {
        chapter.start = Integer(line);
    } else if (line.key == "END") {
        chapter.end = Integer(line);
    } else if (SameText(line.key, "title")) {
        chapter.title = line.value;
    } else if (SameText(line.key, "comment")) {
        chapter.comment = line.value;
    } else {
        return false;
    }
    return true;
}

// The chapters as clips; a chapter without a start begins where the one before ended.
void AddChapterClips(const std::vector<Chapter> &chapters, const ExchangeSettings &settings, ImportTrack &track,
                     ImportedMemo &memo)
{
    std::int64_t previousEnd = 0;
    double previousTicks = 1.0;
    for (const Chapter &chapter : chapters) {
        const double ticks = static_cast<double>(chapter.den) / static_cast<double>(chapter.num); // a second
        const std::int64_t start = chapter.start.value_or(0);
        ImportClip &clip = memo.AddClip(track);
        clip.start = chapter.start ? SecondsOfFrames(static_cast<double>(start), ticks, settings, chapter.line)
                                   : SecondsOfFrames(static_cast<double>(previousEnd), previousTicks, settings, chapter.line);
        if (chapter.end && chapter.start && *chapter.end - start > 0)
            clip.duration = SecondsOfFrames(static_cast<double>(*chapter.end - start), ticks, settings, chapter.line);
        // One frame of the scene or less is a point.
        if (clip.duration * settings.fps < 1.5)
            clip.duration = 0.0;
        clip.name = chapter.title;
        clip.comment = chapter.comment;
        clip.back = MemoRgbOf(Rgb8{255, 0, 0});
        previousEnd = chapter.end.value_or(start);
        previousTicks = ticks;
    }
}

} // namespace

ImportedMemo ReadFfmetadata(const std::string &text, const ExchangeSettings &settings)
{
    if (!StartsWith(text, ";FFMETADATA"))
        throw ExchangeError{ExchangeErrorId::NotThisFormat, ";FFMETADATA1", 1};
    ImportedMemo memo;
    std::string title;
    bool titled = false;
    std::vector<Chapter> chapters;
    enum class Section { Global, Chapter, Stream } section = Section::Global;
    MetadataReader reader(text);
    MetadataLine line;
    reader.Next(line); // the ";FFMETADATA1" line
    while (reader.Next(line)) {
        if (!line.hasValue) {
            const std::string_view word = Trim(line.key);
            if (word.empty() || word[0] == ';' || word[0] == '#')
                continue;
            if (word == "[CHAPTER]") {
                if (chapters.size() >= kMaxImportMarkers)
                    throw ExchangeError{ExchangeErrorId::TooManyMarkers, std::to_string(kMaxImportMarkers)};
                section = Section::Chapter;
                chapters.emplace_back().line = line.number;
            } else if (word == "[STREAM]") {
                section = Section::Stream;
                memo.Note(Unkept::Streams);
            }
            continue;
        }
        if (!line.key.empty() && (line.key[0] == ';' || line.key[0] == '#'))
            continue;
        if (section == Section::Stream)
            continue;
        if (section == Section::Global) {
            if (SameText(line.key, "title")) {
                title = line.value;
                titled = true;
            } else {
                memo.Note(Unkept::OtherTags);
            }
            continue;
        }
        if (!ReadChapterTag(line, chapters.back()))
            memo.Note(Unkept::OtherTags);
    }
    ImportTrack &track = memo.tracks.emplace_back();
    track.name = titled ? title : settings.sourceName;
    AddChapterClips(chapters, settings, track, memo);
    return memo;
}
