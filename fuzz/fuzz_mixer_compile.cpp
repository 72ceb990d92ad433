// fuzz_mixer_compile.cpp: RebuildAll on arbitrary clip and track texts.
//
// The input is lines: "C<name>|<step>|<sequence>" adds a clip, "T<enable>|<in>|<out>|<repeat>|<sequence>"
// a track (numbers read like the XML file's attributes); other lines are passed over.
// Checked: a rebuild reports exactly one status line when it fails and none when it succeeds,
// never with a control character in it; after a success every clip holds its numbers times its
// step and every enabled track exactly out - in + 1 entries; evaluation reads only those tables.
#include "chanclipmixer/clipmixer.h"
#include "chanclipmixer/clipmixer_file.h"
#include "common/lwglobals.h"
#include "common/lwtool2.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int g_statusLines = 0;

int CheckCommand(const char *line)
{
    for (const char *p = line; *p; ++p)
        if (static_cast<unsigned char>(*p) < 0x20 || *p == 0x7f) {
            std::fprintf(stderr, "status line with a control character: %s\n", line);
            std::abort();
        }
    ++g_statusLines;
    return 1;
}

[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "RebuildAll: %s\n", what);
    std::abort();
}

std::vector<std::string> Split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    g_hostGlobals.commandFunc = CheckCommand;
    ClipMixer mixer;
    for (const std::string &line : Split(std::string(reinterpret_cast<const char *>(data), size), '\n')) {
        if (line.empty())
            continue;
        const std::vector<std::string> f = Split(line.substr(1), '|');
        if (line[0] == 'C' && f.size() >= 3) {
            Clip &clip = AddClip(mixer);
            clip.name = f[0];
            clip.step = ReadFileInt(f[1].c_str());
            clip.sequence = f[2];
        } else if (line[0] == 'T' && f.size() >= 5) {
            Track &track = AddTrack(mixer);
            track.enable = ReadFileBool(f[0].c_str());
            track.in = ReadFileInt(f[1].c_str());
            track.out = ReadFileInt(f[2].c_str());
            track.repeat = ReadFileBool(f[3].c_str());
            track.sequence = f[4];
            // Tables of more than a million frames are legal but slow to fill: not worth the runs.
            const std::int64_t count = static_cast<std::int64_t>(track.out) - track.in + 1;
            if (track.enable && count > 1000000 && count <= kMaxTableEntries)
                return 0;
        }
    }
    // Clip value lists are bounded the same way.
    for (const auto &clip : mixer.clips)
        if (static_cast<std::int64_t>(SplitTokens(clip->sequence).size()) * clip->step > 1000000)
            return 0;

    g_statusLines = 0;
    const MixerOutcome outcome = RebuildAll(mixer);
    if (g_statusLines != 0)
        Fail("the compile posted a status line itself");
    ShowMixerOutcome(outcome);
    const bool ok = outcome.ok();
    if (g_statusLines != (ok ? 0 : 1))
        Fail("status lines do not match the result");
    if (ok) {
        for (const auto &clip : mixer.clips)
            if (clip->values.size() != SplitTokens(clip->sequence).size() * static_cast<size_t>(clip->step))
                Fail("clip values of the wrong length");
        for (const auto &track : mixer.tracks) {
            const std::int64_t count = static_cast<std::int64_t>(track->out) - track->in + 1;
            if (track->enable ? static_cast<std::int64_t>(track->frameTable.size()) != count : !track->frameTable.empty())
                Fail("frame table of the wrong length");
        }
    }
    for (const auto &track : mixer.tracks) {
        const std::int64_t in = track->in, out = track->out;
        for (std::int64_t frame : {in - 1, in, out, out + 1}) {
            if (frame < INT32_MIN || frame > INT32_MAX)
                continue;
            const double offset = MixerOffset(mixer, static_cast<int>(frame));
            (void)offset;
        }
    }
    return 0;
}
