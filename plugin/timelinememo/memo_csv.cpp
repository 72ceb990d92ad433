// memo_csv.cpp: the memo as CSV (RFC 4180) for spreadsheets and review trackers: UTF-8 with a byte
// order mark (so that spreadsheets take it for UTF-8), CRLF, a header row, then one row a clip:
//
//   Track,Name,Comment,Start Frame,End Frame,Duration Frames,Start Timecode,End Timecode,Color,Hex
//   Animation notes,Arm pops,IK flips around frame 40,24,72,48,00:00:01:00,00:00:03:00,red,#E6331A
//
// Frames count from the scene's frame 0 at its rate; End Frame is the first frame after the clip.
// Timecodes add the start timecode (00:00:00:00 unless set); a rate without timecode leaves them
// empty. The colour is the box's: the nearest OpenTimelineIO name and the exact hexadecimal value.
// The reader finds its columns by their header (any order, letter case aside); it needs a start
// frame or a start timecode, and takes the hexadecimal colour over the name.
#include "memo_exchange_text.h"
#include "memo_formats.h"

#include <cmath>
#include <map>
#include <vector>

namespace {

enum Column { kTrack, kName, kComment, kStartFrame, kEndFrame, kDuration, kStartTimecode, kEndTimecode, kColor, kHex,
              kColumns };

const char *const kHeaders[kColumns] = {"Track",         "Name",          "Comment",      "Start Frame",
                                        "End Frame",     "Duration Frames", "Start Timecode", "End Timecode",
                                        "Color",         "Hex"};

// More columns than this in a row are not looked at.
constexpr size_t kMaxColumns = 64;

std::string Field(const std::string &text)
{
    const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return text;
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

// The timecode of a frame, or empty when it has none (a rate without timecode, before 00:00:00:00).
std::string TimecodeCell(const ExportMemo &memo, std::int64_t frame)
{
    const std::optional<Timecode> timecode = FramesTimecode(memo.startFrames + frame, memo.rate, memo.drop);
    return timecode ? FormatTimecode(*timecode) : std::string();
}

// Reads one record of RFC 4180 text: false at the end of the text. `line` follows the line breaks.
class CsvReader {
public:
    explicit CsvReader(std::string_view text) : text_(text) {}

    bool Next(std::vector<std::string> &fields, long &firstLine)
    {
        fields.clear();
        if (at_ >= text_.size())
            return false;
        firstLine = line_;
        std::string field;
        bool quoted = false, wasQuoted = false;
        for (;;) {
            if (at_ >= text_.size()) {
                if (quoted)
                    throw ExchangeError{ExchangeErrorId::Syntax, "unterminated quote", firstLine};
                Push(fields, field);
                return true;
            }
            const char c = text_[at_++];
            if (quoted) {
                if (c == '"') {
                    if (at_ < text_.size() && text_[at_] == '"') {
                        Append(field, '"');
                        ++at_;
                    } else {
                        quoted = false;
                    }
                } else {
                    if (c == '\n' || (c == '\r' && (at_ >= text_.size() || text_[at_] != '\n')))
                        ++line_;
                    Append(field, c);
                }
                continue;
            }
            if (c == '"' && field.empty() && !wasQuoted) {
                quoted = wasQuoted = true;
            } else if (c == ',') {
                Push(fields, field);
                wasQuoted = false;
            } else if (c == '\r' || c == '\n') {
                if (c == '\r' && at_ < text_.size() && text_[at_] == '\n')
                    ++at_;
                ++line_;
                Push(fields, field);
                return true;
            } else {
                Append(field, c);
            }
        }
    }

private:
    void Append(std::string &field, char c)
    {
        if (field.size() >= kMaxImportText)
            throw ExchangeError{ExchangeErrorId::TextTooLong, std::to_string(kMaxImportText), line_};
        field += c;
    }
    void Push(std::vector<std::string> &fields, std::string &field)
    {
        if (fields.size() < kMaxColumns)
            fields.push_back(std::move(field));
        field.clear();
    }

    std::string_view text_;
    size_t at_ = 0;
    long line_ = 1;
};

struct Row {
    std::vector<std::string> cells;
    long line;
};

} // namespace

ExportResult WriteCsv(const ExportMemo &memo)
{
    ExportResult result;
    std::string text = "\xEF\xBB\xBF";
    for (int c = 0; c < kColumns; ++c)
        text += std::string(c ? "," : "") + kHeaders[c];
    text += "\r\n";
    for (const ExportTrack &track : memo.tracks) {
        for (const ExportClip &clip : track.clips) {
            const Rgb8 rgb = Rgb8Of(clip.back);
            std::string color = NearestColor(Palette::Otio, rgb).name;
            for (char &c : color)
                c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            const std::int64_t end = clip.start + clip.duration;
            text += Field(track.name) + "," + Field(clip.name) + "," + Field(clip.comment) + "," +
                    std::to_string(clip.start) + "," + std::to_string(end) + "," + std::to_string(clip.duration) + "," +
                    TimecodeCell(memo, clip.start) + "," + TimecodeCell(memo, end) + "," + color + "," + HexOf(rgb) +
                    "\r\n";
            ++result.markers;
        }
    }
    result.text = std::move(text);
    return result;
}

namespace {

// Where each column of ours stands in the file (-1: absent), from the header row.
struct ColumnPositions {
    int at[kColumns];
};

ColumnPositions ReadHeader(CsvReader &reader, ImportedMemo &memo)
{
    std::vector<std::string> header;
    long line = 0;
    if (!reader.Next(header, line))
        throw ExchangeError{ExchangeErrorId::NoStartColumn, std::string()};
    ColumnPositions position;
    for (int &p : position.at)
        p = -1;
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string_view name = Trim(header[i]);
        int column = -1;
        for (int c = 0; c < kColumns && column < 0; ++c)
            if (SameText(name, kHeaders[c]))
                column = c;
        if (column < 0 && SameText(name, "Colour"))
            column = kColor;
        if (column < 0 && SameText(name, "Duration"))
            column = kDuration;
        if (column >= 0 && position.at[column] < 0)
            position.at[column] = static_cast<int>(i);
        else if (!name.empty())
            memo.Note(Unkept::OtherColumns);
    }
    if (position.at[kStartFrame] < 0 && position.at[kStartTimecode] < 0)
        throw ExchangeError{ExchangeErrorId::NoStartColumn, std::string(), line};
    return position;
}

// The rows that hold anything, and whether a timecode among them is written as drop frame.
std::vector<Row> ReadRows(CsvReader &reader, const ColumnPositions &position, bool &drop)
{
    std::vector<Row> rows;
    drop = false;
    long line = 0;
    for (std::vector<std::string> cells; reader.Next(cells, line);) {
        bool empty = true;
        for (const std::string &cell : cells)
            empty = empty && Trim(cell).empty();
        if (empty)
            continue;
        if (rows.size() >= kMaxImportMarkers)
            throw ExchangeError{ExchangeErrorId::TooManyMarkers, std::to_string(kMaxImportMarkers)};
        for (int c : {kStartTimecode, kEndTimecode})
            if (position.at[c] >= 0 && static_cast<size_t>(position.at[c]) < cells.size() &&
                cells[static_cast<size_t>(position.at[c])].find_first_of(";.,") != std::string::npos)
                drop = true;
        rows.push_back({std::move(cells), line});
    }
    return rows;
}

// The colour of a row: its hex cell, else a colour name of any palette we know.
Rgb8 RowColor(std::string_view hex, std::string_view name, ImportedMemo &memo)
{
    std::optional<Rgb8> rgb = ParseHex(std::string(hex.substr(0, 16)));
    if (!rgb) {
        const std::string label(name.substr(0, 64));
        const PaletteColor *color = FindColor(Palette::Otio, label);
        if (!color)
            color = FindColor(Palette::Resolve, label);
        if (!color)
            color = FindColor(Palette::Avid, label);
        if (color)
            rgb = color->rgb;
        else if (!label.empty() || !hex.empty())
            memo.Note(Unkept::UnknownColors);
    }
    return rgb.value_or(Rgb8{255, 0, 0});
}

// One row's cells read as numbers, timecodes and texts.
class RowCells {
public:
    RowCells(const Row &row, const ColumnPositions &position, const FrameRate &rate, std::int64_t startFrames)
        : row_(row), position_(position), rate_(rate), startFrames_(startFrames)
    {
    }

    std::string_view Cell(int column) const
    {
        const int at = position_.at[column];
        return at >= 0 && static_cast<size_t>(at) < row_.cells.size() ? Trim(row_.cells[static_cast<size_t>(at)])
                                                                      : std::string_view();
    }

    bool Integer(int column, std::int64_t &value) const
    {
        const std::string_view number = Cell(column);
        if (number.empty())
            return false;
        if (!ParseInteger(number, value) || std::abs(static_cast<double>(value)) > kMaxExchangeSeconds * kMaxFileRate)
            throw ExchangeError{ExchangeErrorId::BadNumber, MessageText(std::string(number)), row_.line};
        return true;
    }

    bool Timecode(int column, std::int64_t &value) const
    {
        const std::string_view label = Cell(column);
        if (label.empty())
            return false;
        value = ReadTimecodeFrames(std::string(label.substr(0, 40)), rate_, false, row_.line) - startFrames_;
        return true;
    }

private:
    const Row &row_;
    const ColumnPositions &position_;
    const FrameRate &rate_;
    std::int64_t startFrames_;
};

void ReadRow(const RowCells &cells, long line, const FrameRate &rate, const ExchangeSettings &settings,
             std::map<std::string, size_t> &trackOf, ImportedMemo &memo)
{
    std::int64_t start = 0, end = 0, duration = 0;
    const bool fromFrames = cells.Integer(kStartFrame, start);
    if (!fromFrames && !cells.Timecode(kStartTimecode, start))
        throw ExchangeError{ExchangeErrorId::NoStartColumn, std::string(), line};
    if (!cells.Integer(kDuration, duration)) {
        if ((fromFrames && cells.Integer(kEndFrame, end)) || (!fromFrames && cells.Timecode(kEndTimecode, end)) ||
            cells.Integer(kEndFrame, end) || cells.Timecode(kEndTimecode, end))
            duration = end - start;
    }
    const std::string track(cells.Cell(kTrack));
    auto found = trackOf.find(track);
    if (found == trackOf.end()) {
        found = trackOf.emplace(track, memo.tracks.size()).first;
        memo.tracks.emplace_back().name = track;
    }
    ImportClip &clip = memo.AddClip(memo.tracks[found->second]);
    clip.name = std::string(cells.Cell(kName));
    clip.comment = std::string(cells.Cell(kComment));
    clip.start = SecondsOfFrames(static_cast<double>(start), rate.Fps(), settings, line);
    clip.duration = duration > 1 ? SecondsOfFrames(static_cast<double>(duration), rate.Fps(), settings, line) : 0.0;
    clip.back = MemoRgbOf(RowColor(cells.Cell(kHex), cells.Cell(kColor), memo));
    if (start < 0 && !fromFrames)
        memo.Note(Unkept::BeforeStart);
}

} // namespace

ImportedMemo ReadCsv(const std::string &text, const ExchangeSettings &settings)
{
    const FrameRate rate = SceneRateOf(settings, false);
    ImportedMemo memo;
    CsvReader reader(text);
    const ColumnPositions position = ReadHeader(reader, memo);
    bool drop = false;
    const std::vector<Row> rows = ReadRows(reader, position, drop);

    ExchangeSettings fileSettings = settings;
    fileSettings.dropFrame = drop;
    std::int64_t startFrames = 0;
    if (TimecodeBase(rate) > 0)
        StartTimecodeOf(MarkerFormat::Csv, fileSettings, rate, startFrames);
    std::map<std::string, size_t> trackOf;
    for (const Row &row : rows)
        ReadRow(RowCells(row, position, rate, startFrames), row.line, rate, settings, trackOf, memo);
    return memo;
}
