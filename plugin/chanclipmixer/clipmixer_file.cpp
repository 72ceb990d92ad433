// clipmixer_file.cpp: writing and reading the clip mixer's XML file with tinyxml2.
#include "clipmixer_file.h"

#include "../common/lwfile.h"
#include "../common/lwtool2.h"
#include "clipmixer_messages.h"

#include <tinyxml2.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

// Files already written carry this declaration, misspelt encoding name included.
const char kDeclaration[] = "xml version=\"1.0\" encoding=\"Shist_JIS\"";
const char kRootName[] = "chanClipMixer";
const char kNotDataFile[] = "not data file!";

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The library's printer writes control characters of attribute values as they are, and XML
// readers normalise them (a carriage return or tab comes back as a line feed or a space) or
// refuse them. This printer writes every character below 0x20 as a character reference, so each
// name and sequence reads back byte for byte; everything else is printed as the library does.
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

void WriteMixerFile(const ClipMixer &mixer, const std::string &path)
{
    XMLDocument doc;
    doc.InsertEndChild(doc.NewDeclaration(kDeclaration));
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
    if (!file) {
        PostStatus(XMLDocument::ErrorIDToName(tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED));
        return;
    }
    AttributePrinter printer(file.get());
    doc.Print(&printer);
    const bool writeFailed = std::fflush(file.get()) != 0 || std::ferror(file.get()) != 0;
    file.reset();
    if (doc.ErrorID() != tinyxml2::XML_SUCCESS)
        PostStatus(doc.ErrorName());
    else if (writeFailed) // a full disk: the printer itself does not notice
        PostStatus(MixerWriteError());
}

// The clip and track elements of a root, appended in document order.
static void AppendRecords(ClipMixer &mixer, const XMLElement &root)
{
    if (const XMLElement *clips = root.FirstChildElement("clips")) {
        for (const XMLElement *element = clips->FirstChildElement("clip"); element;
             element = element->NextSiblingElement("clip")) {
            Clip &clip = AddClip(mixer);
            if (const char *name = element->Attribute("name"))
                clip.name = name;
            if (const char *step = element->Attribute("step"))
                clip.step = ReadFileInt(step);
            if (const char *sequence = element->Attribute("seq"))
                clip.sequence = sequence;
        }
    }
    if (const XMLElement *tracks = root.FirstChildElement("tracks")) {
        for (const XMLElement *element = tracks->FirstChildElement("track"); element;
             element = element->NextSiblingElement("track")) {
            Track &track = AddTrack(mixer);
            if (const char *enable = element->Attribute("enable"))
                track.enable = ReadFileBool(enable);
            if (const char *in = element->Attribute("in"))
                track.in = ReadFileInt(in);
            if (const char *out = element->Attribute("out"))
                track.out = ReadFileInt(out);
            if (const char *repeat = element->Attribute("repeat"))
                track.repeat = ReadFileBool(repeat);
            if (const char *sequence = element->Attribute("seq"))
                track.sequence = sequence;
        }
    }
}

void ReadMixerFile(ClipMixer &mixer, const std::string &path)
{
    XMLDocument doc;
    {
        FilePtr file(OpenUtf8File(path, "rb"));
        if (file)
            doc.LoadFile(file.get());
    }
    const XMLElement *root = doc.FirstChildElement();
    if (!root || std::strcmp(root->Name(), kRootName) != 0) {
        PostStatus(kNotDataFile);
        return;
    }
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
}
