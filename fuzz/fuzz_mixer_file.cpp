// fuzz_mixer_file.cpp: ReadMixerFile on arbitrary bytes.
//
// Checked: a refused file leaves the mixer unchanged and says "not data file!" or names the
// character reference it refuses, once; an accepted one only appends; what was read either
// survives an export and an import into a fresh mixer unchanged (values with a carriage return
// excepted: XML reading turns them into line feeds), or its export is refused with the message of
// a record XML cannot hold and writes nothing; no status line carries a control character.
#include "chanclipmixer/clipmixer_file.h"
#include "common/lwglobals.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

int g_statusLines = 0;
std::string g_lastLine;

int CheckCommand(const char *line)
{
    for (const char *p = line; *p; ++p) {
        if (static_cast<unsigned char>(*p) < 0x20) {
            std::fprintf(stderr, "status line with a control character: %s\n", line);
            std::abort();
        }
    }
    ++g_statusLines;
    g_lastLine = line;
    return 1;
}

[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "ReadMixerFile: %s\n", what);
    std::abort();
}

const std::string &TempPath(const char *name)
{
    static const std::string base = "/tmp/fuzz_mixer_file-" + std::to_string(getpid()) + "-";
    static std::string paths[2] = {base + "in.xml", base + "out.xml"};
    return paths[name[0] == 'o' ? 1 : 0];
}

bool HasCarriageReturn(const std::string &text) { return text.find('\r') != std::string::npos; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    g_hostGlobals.commandFunc = CheckCommand;
    {
        std::ofstream file(TempPath("in"), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    ClipMixer mixer;
    AddClip(mixer);
    AddTrack(mixer);
    g_statusLines = 0;
    ShowMixerOutcome(ReadMixerFile(mixer, TempPath("in")));
    if (g_statusLines > 1)
        Fail("more than one status line");
    if (g_statusLines == 1) {
        if (g_lastLine != "StatusMsg {1.0} not data file!" &&
            g_lastLine.rfind("StatusMsg {1.0} Character reference of file is invalid!(ref='&#", 0) != 0)
            Fail("unexpected status line");
        if (mixer.clips.size() != 1 || mixer.tracks.size() != 1)
            Fail("a refused file changed the mixer");
        return 0;
    }
    if (mixer.clips[0]->name != "A" || mixer.tracks[0]->sequence != "A")
        Fail("reading changed a record that was already there");

    std::remove(TempPath("out").c_str());
    ShowMixerOutcome(WriteMixerFile(mixer, TempPath("out")));
    if (g_statusLines == 1) {
        if (g_lastLine.rfind("StatusMsg {1.0} Clip has a character that cannot be written!(name='", 0) != 0 &&
            g_lastLine.rfind("StatusMsg {1.0} Track has a character that cannot be written!(track_in=", 0) != 0)
            Fail("unexpected status line of the export");
        if (std::FILE *written = std::fopen(TempPath("out").c_str(), "rb")) {
            std::fclose(written);
            Fail("a refused export wrote a file");
        }
        return 0;
    }
    ClipMixer copy;
    ShowMixerOutcome(ReadMixerFile(copy, TempPath("out")));
    if (g_statusLines != 0)
        Fail("the exported file was not read back silently");
    if (copy.clips.size() != mixer.clips.size() || copy.tracks.size() != mixer.tracks.size())
        Fail("the round trip changed the record counts");
    for (size_t i = 0; i < copy.clips.size(); ++i) {
        const Clip &a = *mixer.clips[i], &b = *copy.clips[i];
        if (a.step != b.step)
            Fail("the round trip changed a step");
        if (!HasCarriageReturn(a.name) && a.name != b.name)
            Fail("the round trip changed a clip name");
        if (!HasCarriageReturn(a.sequence) && a.sequence != b.sequence)
            Fail("the round trip changed a clip sequence");
    }
    for (size_t i = 0; i < copy.tracks.size(); ++i) {
        const Track &a = *mixer.tracks[i], &b = *copy.tracks[i];
        if (a.enable != b.enable || a.in != b.in || a.out != b.out || a.repeat != b.repeat)
            Fail("the round trip changed a track field");
        if (!HasCarriageReturn(a.sequence) && a.sequence != b.sequence)
            Fail("the round trip changed a track sequence");
    }
    return 0;
}
