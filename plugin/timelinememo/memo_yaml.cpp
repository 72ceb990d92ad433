// memo_yaml.cpp: writing and reading the memo's YAML document with yaml-cpp.
#include "memo_yaml.h"

#include "../common/lwfile.h"
#include "../common/utf8_text.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Plain texts that some YAML reader takes for a null, a boolean, a merge or value key, in any
// letter case (YAML 1.1 knows yes/no/on/off/y/n, YAML 1.2 only true/false and null).
bool IsReservedWord(const std::string &text)
{
    static const char *const kWords[] = {"~", "null", "true", "false", "yes", "no", "on", "off", "y", "n", "<<", "="};
    std::string lower = text;
    for (char &c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (const char *word : kWords)
        if (lower == word)
            return true;
    return false;
}

// Plain texts that a YAML 1.1 or 1.2 reader may take for a number or a timestamp: after an
// optional sign, a digit or a dot, then only characters that numbers (binary, octal, hexadecimal,
// sexagesimal, exponents, underscores, .inf, .nan) and timestamps use. This covers more than the
// readers resolve ("12 Feb" is quoted too), which costs two quotes and changes no value.
bool MayReadAsNumber(const std::string &text)
{
    size_t start = text[0] == '+' || text[0] == '-' ? 1 : 0;
    if (start >= text.size() || !(IsAsciiDigit(text[start]) || text[start] == '.'))
        return false;
    return text.find_first_not_of("0123456789_.:+-eExXoObBaAcCdDfFtTzZ iInN", start) == std::string::npos;
}

// A line or paragraph separator (U+2028, U+2029): a line break to YAML 1.1 readers, also inside
// quotes, and written as it is by the library's double-quoted style.
bool HasUnicodeLineBreak(const std::string &text)
{
    for (size_t at = text.find("\xe2\x80"); at != std::string::npos; at = text.find("\xe2\x80", at + 1))
        if (at + 2 < text.size() && (text[at + 2] == '\xa8' || text[at + 2] == '\xa9'))
            return true;
    return false;
}

// Characters a plain scalar cannot hold as they are, for YAML 1.1 or 1.2 readers: C0 controls
// (tab included), DEL, C1 controls (NEL, U+0085, is a line break in YAML 1.1) and the byte order
// mark U+FEFF. The library's double-quoted style escapes them all except DEL.
bool HasControlCharacter(const std::string &text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c < 0x20 || c == 0x7F || (c == 0xC2 && next >= 0x80 && next <= 0x9F))
            return true;
        if (c == 0xEF && text.compare(i, 3, "\xef\xbb\xbf") == 0)
            return true;
    }
    return false;
}

// A string value, written so that YAML 1.1 and 1.2 readers both read back the same text: plain
// where the library would write it plain and no reader takes it for another type; otherwise
// double-quoted, with the library's escapes. The library escapes DEL and the Unicode line breaks
// only when it escapes every character past ASCII, so a text holding one is written that way
// (for this value only).
void EmitText(YAML::Emitter &out, const std::string &text)
{
    if (text.find('\x7f') != std::string::npos || HasUnicodeLineBreak(text))
        out << YAML::EscapeNonAscii << YAML::DoubleQuoted << text;
    else if (!text.empty() && (IsReservedWord(text) || MayReadAsNumber(text) || HasControlCharacter(text)))
        out << YAML::DoubleQuoted << text;
    else
        out << text;
}

void EmitColor(YAML::Emitter &out, const std::array<float, 3> &color)
{
    out << YAML::BeginSeq << ColorComponentToInt(color[0]) << ColorComponentToInt(color[1])
        << ColorComponentToInt(color[2]) << YAML::EndSeq;
}

void EmitDocument(YAML::Emitter &out, const MemoTrackList &tracks)
{
    out << YAML::BeginMap;
    out << YAML::Key << "_General" << YAML::Value << YAML::BeginMap;
    out << YAML::Key << "User" << YAML::Value << "undefined";
    out << YAML::Key << "Host" << YAML::Value << "undefined";
    out << YAML::Key << "DateTime" << YAML::Value;
    EmitText(out, "0000-00-00 00:00:00");
    out << YAML::Key << "Comment" << YAML::Value << "";
    out << YAML::Key << "Format" << YAML::Value << "TimeLineMemo";
    out << YAML::Key << "Revision" << YAML::Value;
    EmitText(out, "1.00");
    out << YAML::EndMap;
    out << YAML::Key << "View" << YAML::Value << YAML::BeginMap;
    out << YAML::Key << "Tracks" << YAML::Value << YAML::BeginSeq;
    for (const auto &track : tracks) {
        out << YAML::BeginMap;
        out << YAML::Key << "Name" << YAML::Value;
        EmitText(out, track->name);
        out << YAML::Key << "Active" << YAML::Value << track->active;
        out << YAML::Key << "Clips" << YAML::Value << YAML::BeginSeq;
        for (const auto &clip : track->clips) {
            out << YAML::BeginMap;
            out << YAML::Key << "Name" << YAML::Value;
            EmitText(out, clip->name);
            out << YAML::Key << "StartTime" << YAML::Value << clip->startTime;
            out << YAML::Key << "Duration" << YAML::Value << clip->duration;
            out << YAML::Key << "ForeColor" << YAML::Value;
            EmitColor(out, clip->foreColor);
            out << YAML::Key << "BackColor" << YAML::Value;
            EmitColor(out, clip->backColor);
            out << YAML::EndMap;
        }
        out << YAML::EndSeq;
        out << YAML::EndMap;
    }
    out << YAML::EndSeq;
    out << YAML::EndMap;
    out << YAML::EndMap;
}

// Kind checks that also hold for the invalid nodes that subscripts give for missing keys (asking
// those for their kind raises an exception).
bool IsScalar(const YAML::Node &node) { return node.IsDefined() && node.IsScalar(); }
bool IsMap(const YAML::Node &node) { return node.IsDefined() && node.IsMap(); }
bool IsSequence(const YAML::Node &node) { return node.IsDefined() && node.IsSequence(); }

// Raised when a value cannot be read; the records read so far stay.
struct StopReading {};

// Plain decimal numbers are converted here; anything else (and anything out of range) goes
// through the library's own conversion, which gives the verdict for every form it knows.
bool FastDouble(const std::string &text, double &value)
{
    if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string::npos)
        return false;
    errno = 0;
    char *end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size())
        return false;
    value = parsed;
    return true;
}

// Decimal integers without leading zeros (the library reads those as octal) are converted here.
bool FastInt(const std::string &text, int &value)
{
    const size_t digits = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (text.size() <= digits || text.size() > digits + 9 ||
        text.find_first_not_of("0123456789", digits) != std::string::npos || (text[digits] == '0' && text.size() > digits + 1))
        return false;
    value = static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
    return true;
}

double ReadDouble(const YAML::Node &node)
{
    double value = 0.0;
    if (!FastDouble(node.Scalar(), value) && !YAML::convert<double>::decode(node, value))
        throw StopReading{};
    return value;
}

bool ReadInt(const YAML::Node &node, int &value)
{
    return FastInt(node.Scalar(), value) || YAML::convert<int>::decode(node, value);
}

// The values of the given keys in a map, in one pass: the first scalar key equal to each name
// wins, as with subscripting; a missing key gives a null node.
template <size_t N>
void FindKeys(const YAML::Node &map, const char *const (&names)[N], YAML::Node (&values)[N])
{
    bool found[N] = {};
    size_t left = N;
    for (auto it = map.begin(); it != map.end() && left > 0; ++it) {
        if (!IsScalar(it->first))
            continue;
        const std::string &key = it->first.Scalar();
        for (size_t i = 0; i < N; ++i) {
            if (!found[i] && key == names[i]) {
                values[i].reset(it->second);
                found[i] = true;
                --left;
                break;
            }
        }
    }
}

// Elements 2, 1 and 0 are converted first; the colour changes only when all three could be.
void ReadColor(const YAML::Node &node, std::array<float, 3> &color)
{
    if (!IsSequence(node))
        return;
    int values[3] = {0, 0, 0};
    for (int i = 2; i >= 0; --i) {
        const YAML::Node element = node[static_cast<size_t>(i)];
        if (!IsScalar(element) || !ReadInt(element, values[i]))
            throw StopReading{};
    }
    for (int i = 0; i < 3; ++i)
        color[i] = ColorComponentFromInt(values[i]);
}

// Raised when the next record or name would pass the import's bounds; the records read so far stay.
struct PastBound {};

// What one import may produce from a document: kMaxMemoRecords records, and names of
// MemoImportTextBound(document size) bytes.
class Reading {
public:
    explicit Reading(size_t documentBytes) : textBudget_(MemoImportTextBound(documentBytes)) {}

    void Spend()
    {
        if (budget_ == 0)
            throw PastBound{};
        --budget_;
    }

    // A name as kept (cut to kMemoNameBytes), counted against the bound before it is copied.
    std::string Name(const std::string &text)
    {
        const size_t kept = std::min(text.size(), static_cast<size_t>(kMemoNameBytes));
        if (kept > textBudget_)
            throw PastBound{};
        textBudget_ -= kept;
        return CutAtCharacter(text, kept);
    }

private:
    size_t budget_ = kMaxMemoRecords;
    size_t textBudget_;
};

void ReadClip(const YAML::Node &node, MemoClip &clip, Reading &reading)
{
    if (IsScalar(node))
        throw StopReading{}; // a plain scalar cannot be asked for keys: the clip stays at its defaults
    if (!IsMap(node))
        return;
    static const char *const kKeys[] = {"Name", "StartTime", "Duration", "ForeColor", "BackColor"};
    YAML::Node values[5];
    FindKeys(node, kKeys, values);
    if (IsScalar(values[0]))
        clip.name = reading.Name(values[0].Scalar());
    if (IsScalar(values[1]))
        clip.startTime = ReadDouble(values[1]);
    if (IsScalar(values[2]))
        clip.duration = ReadDouble(values[2]);
    ReadColor(values[3], clip.foreColor);
    ReadColor(values[4], clip.backColor);
}

void ReadTrack(const YAML::Node &node, MemoTrack &track, Reading &reading)
{
    static const char *const kKeys[] = {"Name", "Active", "Clips"};
    YAML::Node values[3];
    FindKeys(node, kKeys, values);
    if (IsScalar(values[0]))
        track.name = reading.Name(values[0].Scalar());
    const YAML::Node &active = values[1];
    if (IsScalar(active)) {
        bool value = true;
        if (!YAML::convert<bool>::decode(active, value))
            throw StopReading{};
        track.active = value;
    }
    const YAML::Node &clips = values[2];
    if (!IsSequence(clips))
        return;
    for (const YAML::Node &element : clips) {
        reading.Spend();
        ReadClip(element, *AddMemoClip(track), reading);
    }
}

// The "Tracks" sequence of a memo document, or an undefined node.
YAML::Node MemoTracksOf(const YAML::Node &root)
{
    if (!IsMap(root))
        return YAML::Node(YAML::NodeType::Undefined);
    const YAML::Node view = root["View"];
    if (!IsMap(view))
        return YAML::Node(YAML::NodeType::Undefined);
    const YAML::Node tracks = view["Tracks"];
    return IsSequence(tracks) ? tracks : YAML::Node(YAML::NodeType::Undefined);
}

} // namespace

std::string MemoYamlText(const MemoTrackList &tracks)
{
    YAML::Emitter out;
    EmitDocument(out, tracks);
    return out.good() ? std::string(out.c_str(), out.size()) : std::string();
}

bool FindUnwritableName(const MemoTrackList &tracks, MemoNamePlace &place)
{
    for (size_t t = 0; t < tracks.size(); ++t) {
        const MemoTrack &track = *tracks[t];
        place.track = static_cast<int>(t) + 1;
        place.clip = 0;
        if (!IsInterchangeText(track.name))
            return true;
        for (size_t c = 0; c < track.clips.size(); ++c) {
            place.clip = static_cast<int>(c) + 1;
            if (!IsInterchangeText(track.clips[c]->name))
                return true;
        }
    }
    place = MemoNamePlace{};
    return false;
}

MemoExportResult ExportMemoFile(const std::string &path, const MemoTrackList &tracks, MemoNamePlace *unwritable)
{
    MemoNamePlace place;
    if (FindUnwritableName(tracks, place)) {
        if (unwritable)
            *unwritable = place;
        return MemoExportResult::NameNotWritable;
    }
    YAML::Emitter out;
    try {
        EmitDocument(out, tracks);
    } catch (const YAML::Exception &) {
        return MemoExportResult::NotWritten;
    }
    if (!out.good())
        return MemoExportResult::NotWritten;
    // Binary: the same bytes (line ends "\n") on every platform.
    return WriteUtf8File(path, std::string(out.c_str(), out.size())) ? MemoExportResult::Written
                                                                     : MemoExportResult::NotWritten;
}

MemoImportResult ImportMemoText(const std::string &text, MemoTrackList &tracks)
{
    YAML::Node root;
    try {
        root = YAML::Load(text);
    } catch (const YAML::Exception &) {
        return MemoImportResult::NotParsed;
    }
    MemoTrackList read;
    MemoImportResult result = MemoImportResult::Replaced;
    try {
        const YAML::Node list = MemoTracksOf(root);
        if (!list.IsDefined())
            return MemoImportResult::NotMemo;
        Reading reading(text.size());
        for (const YAML::Node &element : list) {
            reading.Spend();
            if (IsMap(element))
                ReadTrack(element, *AddMemoTrackTo(read), reading);
        }
    } catch (const StopReading &) {
        result = MemoImportResult::Partial;
    } catch (const YAML::Exception &) {
        result = MemoImportResult::Partial;
    } catch (const PastBound &) {
        result = MemoImportResult::Bounded;
    }
    ReplaceMemoTracks(tracks, std::move(read));
    return result;
}

MemoImportResult ImportMemoFile(const std::string &path, MemoTrackList &tracks)
{
    std::string text;
    if (!ReadUtf8File(path, text)) // a folder cannot be read either
        return MemoImportResult::NotOpened;
    return ImportMemoText(text, tracks);
}
