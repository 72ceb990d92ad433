// memo_otio.cpp: OpenTimelineIO JSON (.otio), read and written with nlohmann-json.
//
// Written as OpenTimelineIO 0.18 reads it: Marker.2 (0.18 refuses the whole file at a Marker.3),
// colours as the nearest of its names, the exact colours and the memo's track in the marker's
// metadata under "zktools". By default one OTIO track per memo track, each holding a gap of the
// scene's length and the clips as markers; with otioOnStack every marker sits on the timeline's
// stack (what Resolve and Premiere import as timeline markers) and the timeline's metadata lists
// the memo's tracks. Times are frames of the scene's rate; the start timecode is the timeline's
// global_start_time (markers count from the stack's start, not from it).
//
// Read: markers on the stack, on tracks and on the items of tracks (placed by the items' lengths
// before them), Marker.1 to Marker.3; schemas newer than those are refused, as OTIO does.
#include "memo_exchange_text.h"
#include "memo_formats.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using OutJson = nlohmann::ordered_json;
using Json = nlohmann::json;

const char kMetadataKey[] = "zktools";

// The shortest decimal that reads back as the same float, as a double: 0.9f is written 0.9.
double ShortFloat(float value)
{
    if (!std::isfinite(value))
        return 0.0;
    char text[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value)
            break;
    }
    return std::strtod(text, nullptr);
}

OutJson RgbJson(const MemoRgb &color)
{
    return OutJson::array({ShortFloat(color[0]), ShortFloat(color[1]), ShortFloat(color[2])});
}

OutJson RationalTime(std::int64_t value, double rate)
{
    return OutJson{{"OTIO_SCHEMA", "RationalTime.1"}, {"rate", rate}, {"value", static_cast<double>(value)}};
}

OutJson TimeRange(std::int64_t start, std::int64_t duration, double rate)
{
    return OutJson{{"OTIO_SCHEMA", "TimeRange.1"},
                   {"start_time", RationalTime(start, rate)},
                   {"duration", RationalTime(duration, rate)}};
}

// An item's fields in the order OpenTimelineIO writes them.
OutJson Item(const char *schema, const std::string &name, OutJson metadata)
{
    return OutJson{{"OTIO_SCHEMA", schema}, {"metadata", std::move(metadata)}, {"name", name},
                   {"source_range", nullptr}, {"effects", OutJson::array()}, {"markers", OutJson::array()},
                   {"enabled", true}};
}

OutJson Marker(const ExportClip &clip, double rate, OutJson memoData)
{
    memoData["rgb"] = RgbJson(clip.back);
    memoData["text_rgb"] = RgbJson(clip.fore);
    return OutJson{{"OTIO_SCHEMA", "Marker.2"},
                   {"metadata", {{kMetadataKey, std::move(memoData)}}},
                   {"name", clip.name},
                   {"color", NearestColor(Palette::Otio, Rgb8Of(clip.back)).name},
                   {"marked_range", TimeRange(clip.start, clip.duration > 1 ? clip.duration : 0, rate)},
                   {"comment", clip.comment}};
}

// A video track of the scene's length: a gap, and the markers given.
OutJson Track(const std::string &name, bool enabled, OutJson metadata, OutJson markers, const ExportMemo &memo)
{
    const double rate = memo.rate.Fps();
    OutJson gap = Item("Gap.1", "", OutJson::object());
    gap["source_range"] = TimeRange(0, memo.length, rate);
    OutJson track = Item("Track.1", name, std::move(metadata));
    track["enabled"] = enabled;
    track["markers"] = std::move(markers);
    track["children"] = OutJson::array({std::move(gap)});
    track["kind"] = "Video";
    return track;
}

// ---- reading

[[noreturn]] void NotOtio(const std::string &what) { throw ExchangeError{ExchangeErrorId::NotThisFormat, what}; }

// A member of an object that is present and not null, or null.
const Json *Member(const Json &object, const char *key)
{
    if (!object.is_object())
        return nullptr;
    const auto found = object.find(key);
    return found == object.end() || found->is_null() ? nullptr : &*found;
}

std::string Text(const Json &object, const char *key)
{
    const Json *value = Member(object, key);
    return value && value->is_string() ? KeptText(value->get_ref<const std::string &>(), 0) : std::string();
}

// "Marker" of "Marker.2", with the version; refuses a version newer than known.
std::string SchemaOf(const Json &object, int *versionOut = nullptr)
{
    const Json *schema = Member(object, "OTIO_SCHEMA");
    if (!schema || !schema->is_string())
        return std::string();
    const std::string &text = schema->get_ref<const std::string &>();
    const size_t dot = text.rfind('.');
    std::int64_t version = 0;
    if (dot == std::string::npos || !ParseInteger(std::string_view(text).substr(dot + 1), version))
        return text;
    const std::string family = text.substr(0, dot);
    static const struct {
        const char *family;
        int known;
    } kKnown[] = {{"Timeline", 1}, {"Stack", 1}, {"Track", 1}, {"Clip", 2}, {"Gap", 1}, {"Marker", 3},
                  {"RationalTime", 1}, {"TimeRange", 1}, {"Transition", 1}, {"Color", 1}};
    for (const auto &known : kKnown)
        if (family == known.family && version > known.known)
            throw ExchangeError{ExchangeErrorId::SchemaVersion, MessageText(text)};
    if (versionOut)
        *versionOut = static_cast<int>(version);
    return family;
}

// The frames per second of a RationalTime, checked.
double RateOf(const Json &time)
{
    const Json *rate = Member(time, "rate");
    const double value = rate && rate->is_number() ? rate->get<double>() : 0.0;
    if (!std::isfinite(value) || value <= 0.0 || value > kMaxFileRate) {
        char text[40];
        std::snprintf(text, sizeof text, "%g", value);
        throw ExchangeError{ExchangeErrorId::BadRate, text};
    }
    return value;
}

class OtioReader {
public:
    explicit OtioReader(const ExchangeSettings &settings) : settings_(settings) {}

    ImportedMemo Read(const Json &root)
    {
        if (SchemaOf(root) != "Timeline")
            NotOtio("OTIO Timeline");
        const Json *stack = Member(root, "tracks");
        if (!stack || SchemaOf(*stack) != "Stack")
            NotOtio("OTIO Timeline");
        timelineName_ = Text(root, "name");
        // The memo's tracks of a file written with every marker on the stack.
        if (const Json *listed = MemoData(root, "tracks"); listed && listed->is_array()) {
            for (const Json &entry : *listed) {
                ImportTrack &track = memo_.tracks.emplace_back();
                track.name = Text(entry, "name");
                const Json *active = Member(entry, "active");
                track.active = !active || !active->is_boolean() || active->get<bool>();
                listedTracks_.push_back(memo_.tracks.size() - 1);
            }
        }
        CountEffects(*stack);
        ReadStackMarkers(*stack);
        const Json *children = Member(*stack, "children");
        if (children && children->is_array())
            for (const Json &child : *children)
                ReadTrack(child);
        return std::move(memo_);
    }

private:
    // The memo's own data in an object's metadata: metadata.zktools.key, or null.
    static const Json *MemoData(const Json &object, const char *key)
    {
        const Json *metadata = Member(object, "metadata");
        const Json *data = metadata ? Member(*metadata, kMetadataKey) : nullptr;
        return data ? Member(*data, key) : nullptr;
    }

    double Seconds(const Json &time)
    {
        const Json *value = Member(time, "value");
        if (!value || !value->is_number())
            NotOtio("RationalTime");
        return SecondsOfFrames(value->get<double>(), RateOf(time), settings_, 0);
    }

    // The start of an item's source range, 0 without one.
    double SourceStart(const Json &item)
    {
        const Json *range = Member(item, "source_range");
        const Json *start = range ? Member(*range, "start_time") : nullptr;
        return start ? Seconds(*start) : 0.0;
    }

    // The length of an item on its track, or false when the file does not give it.
    bool Length(const Json &item, double &seconds)
    {
        const Json *range = Member(item, "source_range");
        if (!range) {
            // A clip without a range plays its media's available range.
            const Json *references = Member(item, "media_references");
            const Json *key = Member(item, "active_media_reference_key");
            const Json *reference =
                references && key && key->is_string() ? Member(*references, key->get_ref<const std::string &>().c_str()) : nullptr;
            range = reference ? Member(*reference, "available_range") : nullptr;
        }
        const Json *duration = range ? Member(*range, "duration") : nullptr;
        if (!duration)
            return false;
        seconds = Seconds(*duration);
        return true;
    }

    static std::optional<MemoRgb> RgbOf(const Json *value)
    {
        if (!value || !value->is_array() || value->size() != 3)
            return std::nullopt;
        MemoRgb rgb{};
        for (size_t i = 0; i < 3; ++i) {
            if (!(*value)[i].is_number())
                return std::nullopt;
            const double component = (*value)[i].get<double>();
            if (!std::isfinite(component) || component < 0.0 || component > 1.0)
                return std::nullopt;
            rgb[i] = static_cast<float>(component);
        }
        return rgb;
    }

    void ReadColor(const Json &marker, ImportClip &clip)
    {
        clip.back = RgbOf(MemoData(marker, "rgb"));
        clip.fore = RgbOf(MemoData(marker, "text_rgb"));
        if (clip.back)
            return;
        const Json *color = Member(marker, "color");
        if (color && color->is_object()) { // Marker.3's Color
            Json rgb = Json::array();
            for (const char *key : {"r", "g", "b"})
                if (const Json *component = Member(*color, key))
                    rgb.push_back(*component);
            if ((clip.back = RgbOf(&rgb)))
                return;
        }
        const std::string name = color && color->is_string() ? color->get<std::string>()
                                 : color && color->is_object() ? Text(*color, "name")
                                                               : std::string("GREEN"); // OTIO's default
        const PaletteColor *known = FindColor(Palette::Otio, name);
        if (!known)
            known = FindColor(Palette::Resolve, name);
        if (!known) {
            memo_.Note(Unkept::UnknownColors);
            known = FindColor(Palette::Otio, "GREEN");
        }
        clip.back = MemoRgbOf(known->rgb);
    }

    // Reads the markers of an item into a track: their times are in the item's own time, which
    // starts at sourceStart and sits at `at` seconds on the timeline.
    void ReadMarkers(const Json &item, double at, double sourceStart, ImportTrack *track)
    {
        const Json *markers = Member(item, "markers");
        if (!markers || !markers->is_array())
            return;
        for (const Json &marker : *markers) {
            int version = 0;
            if (SchemaOf(marker, &version) != "Marker")
                continue;
            ImportTrack &into = track ? *track : StackTrackFor(marker);
            const Json *range = Member(marker, version <= 1 ? "range" : "marked_range");
            const Json *start = range ? Member(*range, "start_time") : nullptr;
            if (!start)
                NotOtio("Marker marked_range");
            ImportClip &clip = memo_.AddClip(into);
            clip.start = at + Seconds(*start) - sourceStart;
            if (const Json *duration = Member(*range, "duration"))
                clip.duration = Seconds(*duration);
            clip.name = Text(marker, "name");
            clip.comment = Text(marker, "comment");
            ReadColor(marker, clip);
            const Json *metadata = Member(marker, "metadata");
            if (metadata && metadata->is_object() && metadata->size() > (Member(*metadata, kMetadataKey) ? 1u : 0u))
                memo_.Note(Unkept::MarkerMetadata);
        }
    }

    // The track of a marker on the stack: the memo track its metadata names, else one for the
    // timeline's own markers.
    ImportTrack &StackTrackFor(const Json &marker)
    {
        const Json *index = MemoData(marker, "track_index");
        if (index && index->is_number_integer()) {
            const std::int64_t i = index->get<std::int64_t>();
            if (i >= 0 && static_cast<size_t>(i) < listedTracks_.size())
                return memo_.tracks[listedTracks_[static_cast<size_t>(i)]];
        }
        const Json *name = MemoData(marker, "track");
        if (name && name->is_string()) {
            const std::string &text = name->get_ref<const std::string &>();
            for (size_t i : namedTracks_)
                if (memo_.tracks[i].name == text)
                    return memo_.tracks[i];
            memo_.tracks.emplace_back().name = KeptText(text, 0);
            namedTracks_.push_back(memo_.tracks.size() - 1);
            return memo_.tracks.back();
        }
        if (!timelineTrack_) {
            memo_.tracks.emplace_back().name = timelineName_;
            timelineTrack_ = memo_.tracks.size();
        }
        return memo_.tracks[*timelineTrack_ - 1];
    }

    void CountEffects(const Json &item)
    {
        const Json *effects = Member(item, "effects");
        if (effects && effects->is_array() && !effects->empty())
            memo_.Note(Unkept::Effects, static_cast<long>(effects->size()));
    }

    void ReadStackMarkers(const Json &stack) { ReadMarkers(stack, 0.0, SourceStart(stack), nullptr); }

    void ReadTrack(const Json &track)
    {
        const std::string schema = SchemaOf(track);
        if (schema != "Track") {
            if (schema == "Clip" || schema == "Stack")
                memo_.Note(Unkept::MediaClips);
            return;
        }
        ImportTrack read;
        read.name = Text(track, "name");
        const Json *enabled = Member(track, "enabled");
        read.active = !enabled || !enabled->is_boolean() || enabled->get<bool>();
        const bool ours = MemoData(track, "active") != nullptr;
        CountEffects(track);
        // The tracks read so far are left alone: the markers go into `read` first.
        ImportedMemo &memo = memo_;
        const size_t before = memo.markers;
        const double trackStart = SourceStart(track);
        ReadMarkers(track, 0.0, trackStart, &read);
        const Json *children = Member(track, "children");
        double at = -trackStart;
        bool placed = true;
        if (children && children->is_array()) {
            for (const Json &item : *children) {
                const std::string kind = SchemaOf(item);
                if (kind == "Transition") {
                    memo.Note(Unkept::Transitions);
                    continue;
                }
                if (kind == "Clip" || kind == "Stack" || kind == "Track")
                    memo.Note(Unkept::MediaClips);
                CountEffects(item);
                double length = 0.0;
                const bool known = placed && Length(item, length);
                if (known) {
                    ReadMarkers(item, at, SourceStart(item), &read);
                    at += length;
                } else {
                    placed = false;
                    const Json *markers = Member(item, "markers");
                    if (markers && markers->is_array() && !markers->empty())
                        memo.Note(Unkept::UnplacedMarkers, static_cast<long>(markers->size()));
                }
            }
        }
        if (ours || memo.markers > before)
            memo.tracks.push_back(std::move(read));
    }

    const ExchangeSettings &settings_;
    ImportedMemo memo_;
    std::string timelineName_;
    std::vector<size_t> listedTracks_; // indexes in memo_.tracks of the tracks the timeline lists
    std::vector<size_t> namedTracks_;  // of tracks made for markers naming their memo track
    std::optional<size_t> timelineTrack_; // index + 1 of the track of the timeline's own markers
};

} // namespace

ExportResult WriteOtio(const ExportMemo &memo)
{
    const double rate = memo.rate.Fps();
    ExportResult result;
    OutJson stack = Item("Stack.1", "tracks", OutJson::object());
    OutJson children = OutJson::array();
    OutJson timelineData = OutJson::object();
    if (memo.otioOnStack) {
        OutJson listed = OutJson::array();
        OutJson markers = OutJson::array();
        for (size_t t = 0; t < memo.tracks.size(); ++t) {
            const ExportTrack &track = memo.tracks[t];
            listed.push_back(OutJson{{"name", track.name}, {"active", track.active}});
            for (const ExportClip &clip : track.clips) {
                markers.push_back(Marker(clip, rate, OutJson{{"track", track.name}, {"track_index", t}}));
                ++result.markers;
            }
        }
        timelineData[kMetadataKey] = OutJson{{"tracks", std::move(listed)}};
        stack["markers"] = std::move(markers);
        children.push_back(Track("", true, OutJson::object(), OutJson::array(), memo));
    } else {
        for (const ExportTrack &track : memo.tracks) {
            OutJson markers = OutJson::array();
            for (const ExportClip &clip : track.clips) {
                markers.push_back(Marker(clip, rate, OutJson::object()));
                ++result.markers;
            }
            children.push_back(Track(track.name, track.active, OutJson{{kMetadataKey, {{"active", track.active}}}},
                                     std::move(markers), memo));
        }
    }
    stack["children"] = std::move(children);
    OutJson timeline{{"OTIO_SCHEMA", "Timeline.1"},
                     {"metadata", std::move(timelineData)},
                     {"name", memo.title},
                     {"global_start_time", RationalTime(memo.startFrames, rate)},
                     {"tracks", std::move(stack)}};
    result.text = timeline.dump(4) + "\n";
    return result;
}

ImportedMemo ReadOtio(const std::string &text, const ExchangeSettings &settings)
{
    Json root;
    try {
        root = Json::parse(text);
    } catch (const Json::exception &error) { // a syntax error, a number beyond a double (99e21200)
        throw ExchangeError{ExchangeErrorId::Syntax, MessageText(error.what())};
    }
    return OtioReader(settings).Read(root);
}
