// memo_xmeml.cpp: Final Cut Pro 7 XML (xmeml) sequence markers, Premiere's way of importing
// markers from a file, read and written with tinyxml2.
//
// One sequence of the memo's length at the scene's rate (<timebase> and <ntsc>), its start
// timecode in <timecode>, and the clips as sequence markers: <in> and <out> are frames from the
// sequence's first frame, <out>-1</out> a point. The colour goes twice: Premiere's nearest in
// <pproColor> (0xAABBGGRR as a decimal; green, Premiere's default, has none) and the exact one in
// Final Cut Pro 7's <color> (0 to 255, alpha 0), which the reader prefers. Sequence markers have
// no track: the memo's tracks and text colours are not kept.
#include "memo_exchange_text.h"
#include "memo_formats.h"

#include <tinyxml2.h>

#include <vector>

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

namespace {

XMLElement *Add(XMLElement *parent, const char *name)
{
    XMLElement *child = parent->GetDocument()->NewElement(name);
    parent->InsertEndChild(child);
    return child;
}

template <class T>
XMLElement *Add(XMLElement *parent, const char *name, const T &value)
{
    XMLElement *child = Add(parent, name);
    child->SetText(value);
    return child;
}

// A text XML 1.0 can hold, on one line: control characters (line breaks and tabs too) become spaces.
std::string XmlText(const std::string &text, int &replaced)
{
    std::string out = text;
    bool changed = false;
    for (char &c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') {
            c = ' ';
            changed = true;
        }
    replaced += changed ? 1 : 0;
    return out;
}

void AddRate(XMLElement *parent, const FrameRate &rate)
{
    XMLElement *element = Add(parent, "rate");
    Add(element, "timebase", TimecodeBase(rate));
    Add(element, "ntsc", rate.den == 1001 ? "TRUE" : "FALSE");
}

// ---- reading

const char *TextOf(const XMLElement *parent, const char *name)
{
    const XMLElement *child = parent->FirstChildElement(name);
    const char *text = child ? child->GetText() : nullptr;
    return text ? text : "";
}

bool IntegerOf(const XMLElement *parent, const char *name, std::int64_t &value)
{
    return ParseInteger(Trim(TextOf(parent, name)), value);
}

// The frames per second of a <rate> element, checked.
double RateOf(const XMLElement *sequence)
{
    const XMLElement *rate = sequence->FirstChildElement("rate");
    std::int64_t timebase = 0;
    if (!rate || !IntegerOf(rate, "timebase", timebase) || timebase <= 0 || timebase > 1000)
        throw ExchangeError{ExchangeErrorId::BadRate, MessageText(rate ? TextOf(rate, "timebase") : ""),
                            sequence->GetLineNum()};
    const bool ntsc = SameText(Trim(TextOf(rate, "ntsc")), "TRUE");
    return ntsc ? static_cast<double>(timebase) * 1000.0 / 1001.0 : static_cast<double>(timebase);
}

std::optional<Rgb8> ColorOf(const XMLElement *marker)
{
    const XMLElement *color = marker->FirstChildElement("color");
    if (color) {
        std::int64_t parts[3];
        const char *names[3] = {"red", "green", "blue"};
        bool whole = true;
        for (int i = 0; i < 3; ++i)
            whole = whole && IntegerOf(color, names[i], parts[i]) && parts[i] >= 0 && parts[i] <= 255;
        if (whole)
            return Rgb8{static_cast<int>(parts[0]), static_cast<int>(parts[1]), static_cast<int>(parts[2])};
    }
    std::int64_t premiere = 0;
    if (IntegerOf(marker, "pproColor", premiere) && premiere >= 0 && premiere <= 0xFFFFFFFFll)
        return RgbOfPremiereValue(static_cast<std::uint32_t>(premiere));
    return std::nullopt;
}

// Elements named `name` below `from`, not below another such element, depth first, in order.
std::vector<const XMLElement *> Outermost(const XMLElement *from, const char *name)
{
    std::vector<const XMLElement *> found, stack;
    for (const XMLElement *child = from->LastChildElement(); child; child = child->PreviousSiblingElement())
        stack.push_back(child);
    while (!stack.empty()) {
        const XMLElement *element = stack.back();
        stack.pop_back();
        if (std::string_view(element->Name()) == name) {
            found.push_back(element);
            continue;
        }
        for (const XMLElement *child = element->LastChildElement(); child; child = child->PreviousSiblingElement())
            stack.push_back(child);
    }
    return found;
}

void ReadSequence(const XMLElement *sequence, const ExchangeSettings &settings, ImportedMemo &memo)
{
    const double fps = RateOf(sequence);
    ImportTrack track;
    track.name = KeptText(TextOf(sequence, "name"), sequence->GetLineNum());
    if (track.name.empty())
        track.name = settings.sourceName;
    for (const XMLElement *marker = sequence->FirstChildElement("marker"); marker;
         marker = marker->NextSiblingElement("marker")) {
        const long line = marker->GetLineNum();
        std::int64_t in = 0, out = -1;
        if (!IntegerOf(marker, "in", in))
            throw ExchangeError{ExchangeErrorId::BadNumber, MessageText(TextOf(marker, "in")), line};
        if (marker->FirstChildElement("out") && !IntegerOf(marker, "out", out))
            throw ExchangeError{ExchangeErrorId::BadNumber, MessageText(TextOf(marker, "out")), line};
        ImportClip &clip = memo.AddClip(track);
        clip.start = SecondsOfFrames(static_cast<double>(in), fps, settings, line);
        clip.duration = out > in + 1 ? SecondsOfFrames(static_cast<double>(out - in), fps, settings, line) : 0.0;
        clip.name = KeptText(TextOf(marker, "name"), line);
        clip.comment = KeptText(TextOf(marker, "comment"), line);
        const std::optional<Rgb8> color = ColorOf(marker);
        clip.back = MemoRgbOf(color ? *color : FindColor(Palette::Premiere, "green")->rgb);
    }
    const std::vector<const XMLElement *> items = Outermost(sequence, "clipitem");
    if (!items.empty())
        memo.Note(Unkept::MediaClips, static_cast<long>(items.size()));
    for (const XMLElement *item : items)
        for (const XMLElement *marker = item->FirstChildElement("marker"); marker; marker = marker->NextSiblingElement("marker"))
            memo.Note(Unkept::ClipMarkers);
    if (!track.clips.empty())
        memo.tracks.push_back(std::move(track));
}

} // namespace

ExportResult WriteXmeml(const ExportMemo &memo)
{
    ExportResult result;
    int replaced = 0;
    XMLDocument doc;
    doc.InsertEndChild(doc.NewDeclaration());
    doc.InsertEndChild(doc.NewUnknown("DOCTYPE xmeml"));
    XMLElement *root = doc.NewElement("xmeml");
    root->SetAttribute("version", "4");
    doc.InsertEndChild(root);
    XMLElement *sequence = Add(root, "sequence");
    sequence->SetAttribute("id", "sequence-1");
    Add(sequence, "name", XmlText(memo.title, replaced).c_str());
    Add(sequence, "duration", static_cast<std::int64_t>(memo.length));
    AddRate(sequence, memo.rate);
    XMLElement *timecode = Add(sequence, "timecode");
    AddRate(timecode, memo.rate);
    Add(timecode, "string", FormatTimecode(memo.start).c_str());
    Add(timecode, "frame", static_cast<std::int64_t>(memo.startFrames));
    Add(timecode, "displayformat", memo.drop ? "DF" : "NDF");
    Add(Add(Add(sequence, "media"), "video"), "track");
    for (const TimedClip &timed : ClipsInTimeOrder(memo)) {
        const ExportClip &clip = *timed.clip;
        XMLElement *marker = Add(sequence, "marker");
        Add(marker, "comment", XmlText(clip.comment, replaced).c_str());
        Add(marker, "name", XmlText(clip.name, replaced).c_str());
        Add(marker, "in", static_cast<std::int64_t>(clip.start));
        Add(marker, "out", static_cast<std::int64_t>(clip.duration > 1 ? clip.start + clip.duration : -1));
        const Rgb8 rgb = Rgb8Of(clip.back);
        const PaletteColor &premiere = NearestColor(Palette::Premiere, rgb);
        if (std::string_view(premiere.name) != "green")
            Add(marker, "pproColor", static_cast<unsigned>(PremiereValueOf(premiere.rgb)));
        XMLElement *color = Add(marker, "color");
        Add(color, "alpha", 0);
        Add(color, "red", rgb.r);
        Add(color, "green", rgb.g);
        Add(color, "blue", rgb.b);
        ++result.markers;
    }
    tinyxml2::XMLPrinter printer;
    doc.Print(&printer);
    result.text = printer.CStr();
    if (replaced > 0)
        result.notes[ExportNote::ReplacedText] += replaced;
    return result;
}

ImportedMemo ReadXmeml(const std::string &text, const ExchangeSettings &settings)
{
    XMLDocument doc;
    if (doc.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS)
        throw ExchangeError{ExchangeErrorId::Syntax, MessageText(doc.ErrorStr() ? doc.ErrorStr() : ""),
                            doc.ErrorLineNum()};
    const XMLElement *root = doc.RootElement();
    if (!root || std::string_view(root->Name()) != "xmeml")
        throw ExchangeError{ExchangeErrorId::NotThisFormat, "xmeml"};
    ImportedMemo memo;
    for (const XMLElement *sequence : Outermost(root, "sequence"))
        ReadSequence(sequence, settings, memo);
    return memo;
}
