// memo_avid.cpp: Avid Media Composer's marker list (Markers window > Export Markers), a text of one
// marker a line, tab-separated, no header:
//
//   name <TAB> timecode <TAB> track <TAB> colour <TAB> comment <TAB> length in frames
//   Animation notes	01:00:01:00	V1	red	Arm pops - IK flips around frame 40	48
//
// Avid fills the name column with the user's name; the memo writes its track's name there and the
// clip's whole text in the comment, and reads the name column back as the track. The track column
// is V1. Older lists have no length column (the markers are points); readers take 5 columns or more.
// Timecodes count from the start timecode (01:00:00:00 unless set), as Avid sequences do.
#include "memo_exchange_text.h"
#include "memo_formats.h"

#include <map>
#include <vector>

namespace {

// Up to seven tab-separated fields of a line.
std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t at = 0;
    while (fields.size() < 7) {
        const size_t tab = line.find('\t', at);
        fields.push_back(line.substr(at, tab == std::string_view::npos ? std::string_view::npos : tab - at));
        if (tab == std::string_view::npos)
            break;
        at = tab + 1;
    }
    return fields;
}

} // namespace

ExportResult WriteAvidMarkers(const ExportMemo &memo)
{
    ExportResult result;
    int replaced = 0;
    for (const ExportTrack &track : memo.tracks) {
        const std::string name = OneLineText(track.name, replaced);
        for (const ExportClip &clip : track.clips) {
            result.text += name + "\t" + TimecodeText(memo, clip.start, clip) + "\tV1\t" +
                           NearestColor(Palette::Avid, Rgb8Of(clip.back)).name + "\t" +
                           OneLineText(JoinNameComment(clip.name, clip.comment), replaced) + "\t" +
                           std::to_string(clip.duration) + "\n";
            ++result.markers;
        }
    }
    if (replaced > 0)
        result.notes[ExportNote::ReplacedText] += replaced;
    return result;
}

ImportedMemo ReadAvidMarkers(const std::string &text, const ExchangeSettings &settings)
{
    const FrameRate rate = SceneRateOf(settings, true);
    // The file's timecodes tell drop frame by their ";": the start timecode counts alike.
    ExchangeSettings fileSettings = settings;
    fileSettings.dropFrame = false;
    ImportedMemo memo;
    std::map<std::string, size_t> trackOf;
    struct Row {
        size_t track;
        std::int64_t at, duration;
        std::string text;
        MemoRgb back;
        long line;
    };
    std::vector<Row> rows;
    LineReader lines(text);
    for (std::string_view line; lines.Next(line);) {
        if (Trim(line).empty())
            continue;
        const long number = lines.Number();
        const std::vector<std::string_view> fields = Fields(line);
        if (fields.size() < 5)
            throw ExchangeError{ExchangeErrorId::NotThisFormat, "Avid marker list", number};
        const std::string timecode(Trim(fields[1]).substr(0, 40));
        if (timecode.find_first_of(";.,") != std::string::npos)
            fileSettings.dropFrame = true;
        Row row{0, ReadTimecodeFrames(timecode, rate, false, number), 0, KeptText(fields[4], number), {}, number};
        if (fields.size() > 5 && !Trim(fields[5]).empty()) {
            const std::string_view length = Trim(fields[5]);
            if (!ParseInteger(length, row.duration) || row.duration < 0 ||
                static_cast<double>(row.duration) > kMaxExchangeSeconds * kMaxFileRate)
                throw ExchangeError{ExchangeErrorId::BadNumber, MessageText(std::string(length)), number};
        }
        const std::string track = KeptText(fields[0], number);
        const auto found = trackOf.find(track);
        if (found == trackOf.end()) {
            row.track = memo.tracks.size();
            trackOf.emplace(track, row.track);
            memo.tracks.emplace_back().name = track;
        } else {
            row.track = found->second;
        }
        const std::string_view column = Trim(fields[2]);
        if (!column.empty() && column != "V1")
            memo.Note(Unkept::AvidTracks);
        const std::string word(Trim(fields[3]).substr(0, 64));
        const PaletteColor *color = FindColor(Palette::Avid, word);
        if (!color)
            color = FindColor(Palette::Otio, word);
        if (!color) {
            memo.Note(Unkept::UnknownColors);
            color = FindColor(Palette::Avid, "red"); // Avid's first locator colour
        }
        row.back = MemoRgbOf(color->rgb);
        if (rows.size() >= kMaxImportMarkers)
            throw ExchangeError{ExchangeErrorId::TooManyMarkers, std::to_string(kMaxImportMarkers)};
        rows.push_back(std::move(row));
    }
    std::int64_t start = 0;
    StartTimecodeOf(MarkerFormat::Avid, fileSettings, rate, start);
    for (const Row &row : rows) {
        ImportClip &clip = memo.AddClip(memo.tracks[row.track]);
        SplitNameComment(row.text, clip.name, clip.comment);
        clip.start = SecondsOfFrames(static_cast<double>(row.at - start), rate.Fps(), settings, row.line);
        clip.duration = row.duration > 1 ? SecondsOfFrames(static_cast<double>(row.duration), rate.Fps(), settings, row.line) : 0.0;
        clip.back = row.back;
        if (row.at < start)
            memo.Note(Unkept::BeforeStart);
    }
    return memo;
}
