// memo_yaml.cpp: writing and reading the memo's YAML document with yaml-cpp.
#include "memo_yaml.h"

#include <yaml-cpp/yaml.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

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
    out << YAML::Key << "DateTime" << YAML::Value << "0000-00-00 00:00:00";
    out << YAML::Key << "Comment" << YAML::Value << "";
    out << YAML::Key << "Format" << YAML::Value << "TimeLineMemo";
    out << YAML::Key << "Revision" << YAML::Value << "1.00";
    out << YAML::EndMap;
    out << YAML::Key << "View" << YAML::Value << YAML::BeginMap;
    out << YAML::Key << "Tracks" << YAML::Value << YAML::BeginSeq;
    for (const auto &track : tracks) {
        out << YAML::BeginMap;
        out << YAML::Key << "Name" << YAML::Value << track->name;
        out << YAML::Key << "Active" << YAML::Value << track->active;
        out << YAML::Key << "Clips" << YAML::Value << YAML::BeginSeq;
        for (const auto &clip : track->clips) {
            out << YAML::BeginMap;
            out << YAML::Key << "Name" << YAML::Value << clip->name;
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

// Records read from one document. Aliases let a short text name the same list many times over,
// so the number of records is bounded by the length of the text.
class Reading {
public:
    explicit Reading(size_t textLength) : budget_(textLength + 16) {}

    void Spend()
    {
        if (budget_ == 0)
            throw StopReading{};
        --budget_;
    }

private:
    size_t budget_;
};

void ReadClip(const YAML::Node &node, MemoClip &clip)
{
    if (IsScalar(node))
        throw StopReading{}; // a plain scalar cannot be asked for keys: the clip stays at its defaults
    if (!IsMap(node))
        return;
    static const char *const kKeys[] = {"Name", "StartTime", "Duration", "ForeColor", "BackColor"};
    YAML::Node values[5];
    FindKeys(node, kKeys, values);
    if (IsScalar(values[0]))
        clip.name = values[0].Scalar();
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
        track.name = values[0].Scalar();
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
        ReadClip(element, *AddMemoClip(track));
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

bool ExportMemoFile(const std::string &path, const MemoTrackList &tracks)
{
    YAML::Emitter out;
    try {
        EmitDocument(out, tracks);
    } catch (const YAML::Exception &) {
        return false;
    }
    if (!out.good())
        return false;
    // Binary: the same bytes (line ends "\n") on every platform.
    std::ofstream file(path, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!file)
        return false;
    file.write(out.c_str(), static_cast<std::streamsize>(out.size()));
    file.close();
    return static_cast<bool>(file);
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
    bool complete = true;
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
        complete = false;
    } catch (const YAML::Exception &) {
        complete = false;
    }
    ReplaceMemoTracks(tracks, std::move(read));
    return complete ? MemoImportResult::Replaced : MemoImportResult::Partial;
}

MemoImportResult ImportMemoFile(const std::string &path, MemoTrackList &tracks)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return MemoImportResult::NotOpened;
    std::ifstream file(path, std::ios::in | std::ios::binary);
    if (!file)
        return MemoImportResult::NotOpened;
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
        return MemoImportResult::NotOpened;
    return ImportMemoText(text.str(), tracks);
}
