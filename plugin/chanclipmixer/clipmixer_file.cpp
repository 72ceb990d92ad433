// clipmixer_file.cpp: writing and reading the clip mixer's XML file with tinyxml2.
#include "clipmixer_file.h"

#include "../common/lwfile.h"
#include "../common/lwtool2.h"
#include "clipmixer_file_text.h"
#include "clipmixer_messages.h"

#include <tinyxml2.h>

#include <charconv>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <memory>

namespace {

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

const char kRootName[] = "chanClipMixer";
const char kNotDataFile[] = "not data file!";

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The library's printer writes control characters of attribute values as they are, and XML
// readers normalise them (a carriage return or tab comes back as a line feed or a space). This
// printer writes them as character references (only TAB, LF and CR reach it: the export refuses
// texts with others), so each name and sequence reads back byte for byte; everything else is
// printed as the library does.
class AttributePrinter : public tinyxml2::XMLPrinter {
public:
    explicit AttributePrinter(std::FILE *file) : XMLPrinter(file, false) {}

    bool VisitEnter(const XMLElement &element, const tinyxml2::XMLAttribute *attribute) override
    {
        const XMLElement *parent = element.Parent() ? element.Parent()->ToElement() : nullptr;
        OpenElement(element.Name(), parent ? CompactMode(*parent) : false);
        for (; attribute; attribute = attribute->Next()) {
            Putc(' ');
            Write(attribute->Name());
            Write("=\"");
            WriteEscaped(attribute->Value());
            Putc('"');
        }
        return true;
    }

private:
    void WriteEscaped(const char *text)
    {
        for (const char *p = text; *p; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            switch (c) {
            case '&': Write("&amp;"); break;
            case '<': Write("&lt;"); break;
            case '>': Write("&gt;"); break;
            case '"': Write("&quot;"); break;
            case '\'': Write("&apos;"); break;
            default:
                if (c < 0x20)
                    Write(FormatString("&#%u;", static_cast<unsigned>(c)).c_str());
                else
                    Putc(*p);
            }
        }
    }
};

} // namespace

int ReadFileInt(const char *text)
{
    if (!text)
        return 0;
    // Plain decimal numbers, as the mixer writes them, without the C library's locale and errno.
    if ((*text >= '0' && *text <= '9') || (*text == '-' && text[1] >= '0' && text[1] <= '9')) {
        std::int32_t value = 0;
        const auto [end, status] = std::from_chars(text, text + std::strlen(text), value);
        (void)end;
        return status == std::errc() ? value : 0;
    }
    errno = 0;
    char *end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return 0;
    return static_cast<int>(value);
}

bool ReadFileBool(const char *text)
{
    if (!text)
        return false;
    char *end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end != text)
        return value != 0; // an overflowing number is still not 0
    return std::strcmp(text, "true") == 0;
}

// The first record whose texts an XML file cannot hold, as the outcome.
static MixerOutcome CheckWritableRecords(const ClipMixer &mixer)
{
    for (const auto &clip : mixer.clips)
        if (!IsWritableText(clip->name) || !IsWritableText(clip->sequence))
            return MixerOutcome::Message(kMsgClipUnwritable, MessageArgument(clip->name).c_str());
    for (const auto &track : mixer.tracks)
        if (!IsWritableText(track->sequence))
            return MixerOutcome::Message(kMsgTrackUnwritable, static_cast<int>(track->in), static_cast<int>(track->out));
    return MixerOutcome::Done();
}

MixerOutcome WriteMixerFile(const ClipMixer &mixer, const std::string &path)
{
    if (MixerOutcome unwritable = CheckWritableRecords(mixer); !unwritable)
        return unwritable; // nothing written, an existing file kept
    XMLDocument doc;
    doc.InsertEndChild(doc.NewDeclaration(kMixerDeclaration));
    XMLElement *root = doc.NewElement(kRootName);
    doc.InsertEndChild(root);
    root->SetAttribute("format", "3.1");

    XMLElement *clips = doc.NewElement("clips");
    root->InsertEndChild(clips);
    for (const auto &clip : mixer.clips) {
        XMLElement *element = doc.NewElement("clip");
        element->SetAttribute("name", clip->name.c_str());
        element->SetAttribute("step", FormatString("%d", static_cast<int>(clip->step)).c_str());
        element->SetAttribute("seq", clip->sequence.c_str());
        clips->InsertEndChild(element);
    }
    XMLElement *tracks = doc.NewElement("tracks");
    root->InsertEndChild(tracks);
    for (const auto &track : mixer.tracks) {
        XMLElement *element = doc.NewElement("track");
        element->SetAttribute("enable", track->enable ? "1" : "0");
        element->SetAttribute("in", FormatString("%d", static_cast<int>(track->in)).c_str());
        element->SetAttribute("out", FormatString("%d", static_cast<int>(track->out)).c_str());
        element->SetAttribute("repeat", track->repeat ? "1" : "0");
        element->SetAttribute("seq", track->sequence.c_str());
        tracks->InsertEndChild(element);
    }

    FilePtr file(OpenUtf8File(path, "wb"));
    if (!file)
        return MixerOutcome::Problem(XMLDocument::ErrorIDToName(tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED));
    AttributePrinter printer(file.get());
    doc.Print(&printer);
    bool writeFailed = std::fflush(file.get()) != 0 || std::ferror(file.get()) != 0;
    writeFailed = std::fclose(file.release()) != 0 || writeFailed;
    if (doc.ErrorID() != tinyxml2::XML_SUCCESS)
        return MixerOutcome::Problem(doc.ErrorName());
    if (writeFailed) // a full disk: the printer itself does not notice
        return MixerOutcome::Message(kMsgFileWrite, MessageArgument(path).c_str());
    return MixerOutcome::Done();
}

namespace {

// The attributes of one element that a record reads: each the first of its name, or null. The
// names of one record differ in their first two letters, so each attribute is compared with one
// name at most.
template <size_t N> void FindAttributes(const XMLElement &element, const char *const (&names)[N], const char *(&values)[N])
{
    for (const char *&value : values)
        value = nullptr;
    for (const tinyxml2::XMLAttribute *a = element.FirstAttribute(); a; a = a->Next()) {
        const char *name = a->Name();
        for (size_t i = 0; i < N; ++i) {
            if (names[i][0] == name[0] && names[i][1] == name[1]) {
                if (!values[i] && std::strcmp(name + 2, names[i] + 2) == 0)
                    values[i] = a->Value();
                break;
            }
        }
    }
}

// The child elements of `parent` named `name`, in document order, to `each`. (The library's own
// search by name compares every sibling's name to the end of the longer, byte by byte.)
template <typename Each> void ForEachChild(const XMLElement *parent, const char *name, Each each)
{
    if (!parent)
        return;
    for (const XMLElement *element = parent->FirstChildElement(); element; element = element->NextSiblingElement())
        if (std::strcmp(element->Name(), name) == 0)
            each(*element);
}

// The clip elements of a root, appended in document order.
void AppendClips(ClipMixer &mixer, const XMLElement *clips)
{
    static const char *const kNames[] = {"name", "step", "seq"};
    const char *values[3];
    ForEachChild(clips, "clip", [&](const XMLElement &element) {
        FindAttributes(element, kNames, values);
        Clip &clip = AddClip(mixer);
        if (values[0])
            clip.name = values[0];
        if (values[1])
            clip.step = ReadFileInt(values[1]);
        if (values[2])
            clip.sequence = values[2];
    });
}

// The track elements of a root, appended in document order.
void AppendTracks(ClipMixer &mixer, const XMLElement *tracks)
{
    static const char *const kNames[] = {"enable", "in", "out", "repeat", "seq"};
    const char *values[5];
    ForEachChild(tracks, "track", [&](const XMLElement &element) {
        FindAttributes(element, kNames, values);
        Track &track = AddTrack(mixer);
        if (values[0])
            track.enable = ReadFileBool(values[0]);
        if (values[1])
            track.in = ReadFileInt(values[1]);
        if (values[2])
            track.out = ReadFileInt(values[2]);
        if (values[3])
            track.repeat = ReadFileBool(values[3]);
        if (values[4])
            track.sequence = values[4];
    });
}

// The clip and track elements of a root, appended in document order.
void AppendRecords(ClipMixer &mixer, const XMLElement &root)
{
    AppendClips(mixer, root.FirstChildElement("clips"));
    AppendTracks(mixer, root.FirstChildElement("tracks"));
}

// Each block of the rest of the file to `each(data, size)`; false when the file cannot be read.
template <typename Each> bool ForEachBlock(std::FILE *file, Each each)
{
    char buffer[1 << 16];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        each(buffer, read);
    return !std::ferror(file);
}

// True when the file can be read again from its start (a regular file, not a pipe).
bool Rewindable(std::FILE *file)
{
    return std::fseek(file, 0, SEEK_END) == 0 && std::ftell(file) >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
}

// The file, checked for references the library would cut the text at, parsed into `doc`. A UTF-8
// file is checked a block at a time and then parsed by the library straight from the file, so
// that its text is held once; a file that may be in code page 932 (or that cannot be read twice)
// is read whole, converted and parsed from memory.
void LoadMixerText(std::FILE *file, XMLDocument &doc, std::string &reference)
{
    std::string text;
    if (Rewindable(file)) {
        text.resize(1 << 16);
        text.resize(std::fread(text.data(), 1, text.size(), file));
        if (std::ferror(file))
            return;
        if (!DeclaresCodePage932(text)) {
            ReferenceScanner scanner;
            scanner.Feed(text.data(), text.size());
            if (!ForEachBlock(file, [&](const char *data, size_t size) { scanner.Feed(data, size); }) ||
                std::fseek(file, 0, SEEK_SET) != 0)
                return;
            reference = scanner.Found();
            doc.LoadFile(file);
            return;
        }
    }
    if (!ForEachBlock(file, [&](const char *data, size_t size) { text.append(data, size); }))
        return;
    DecodeMixerText(text);
    reference = FindForbiddenReference(text);
    doc.Parse(text.data(), text.size());
}

} // namespace

MixerOutcome ReadMixerFile(ClipMixer &mixer, const std::string &path)
{
    XMLDocument doc;
    // A reference the library would turn into a NUL byte (cutting the text) or into bytes that are
    // no UTF-8 refuses the file, as no XML reader takes it.
    std::string reference;
    if (FilePtr file{OpenUtf8File(path, "rb")})
        LoadMixerText(file.get(), doc, reference);
    const XMLElement *root = doc.FirstChildElement();
    if (!root || std::strcmp(root->Name(), kRootName) != 0)
        return MixerOutcome::Problem(kNotDataFile);
    if (!reference.empty())
        return MixerOutcome::Message(kMsgFileReference, MessageArgument(reference).c_str());
    // Appended in place; should memory run out half way, the records added so far go again and
    // the mixer is left as it was.
    const size_t clipsBefore = mixer.clips.size();
    const size_t tracksBefore = mixer.tracks.size();
    try {
        AppendRecords(mixer, *root);
    } catch (...) {
        mixer.clips.resize(clipsBefore);
        mixer.tracks.resize(tracksBefore);
        throw;
    }
    return MixerOutcome::Done();
}
