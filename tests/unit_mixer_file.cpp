// Clip mixer XML file: exact bytes written, reading rules, appending, and refused files.
#include "chanclipmixer/chanclipmixer_servers.h"
#include "chanclipmixer/clipmixer_file.h"
#include "common/lwtool2.h"
#include "host.h"
#include "process_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class MixerFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_hostGlobals = HostGlobals{};
        AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
        g_clipMixerLanguage = UiLanguage::English;
        dir = TestTempDir("zk-mixer-file");
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        g_hostGlobals = HostGlobals{};
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    std::string PathOf(const std::string &name) const { return (dir / name).string(); }

    std::string WriteText(const std::string &name, const std::string &text) const
    {
        std::ofstream(PathOf(name), std::ios::binary) << text;
        return PathOf(name);
    }

    zkh::Host host;
    fs::path dir;
};

// "clip name step sequence" and "track enable in out repeat sequence" lines; tables must be empty.
std::string Describe(const ClipMixer &mixer)
{
    std::string text;
    for (const auto &clip : mixer.clips)
        text += "clip " + clip->name + " " + std::to_string(clip->step) + " " + clip->sequence +
                (clip->selected || !clip->values.empty() ? " (selected or built)\n" : "\n");
    for (const auto &track : mixer.tracks)
        text += "track " + std::to_string(track->enable) + " " + std::to_string(track->in) + " " +
                std::to_string(track->out) + " " + std::to_string(track->repeat) + " " + track->sequence +
                (track->selected || !track->frameTable.empty() ? " (selected or built)\n" : "\n");
    return text;
}

TEST_F(MixerFile, ExportBytes)
{
    ClipMixer mixer;
    WriteMixerFile(mixer, PathOf("no-such-folder/out.xml"));
    EXPECT_EQ(host.commands.log, (std::vector<std::string>{"StatusMsg {1.0} XML_ERROR_FILE_COULD_NOT_BE_OPENED"}));
    EXPECT_FALSE(fs::exists(PathOf("no-such-folder")));
    host.commands.log.clear();

    WriteMixerFile(mixer, PathOf("empty.xml"));
    EXPECT_EQ(ReadFileBytes(PathOf("empty.xml")), "<?xml version=\"1.0\" encoding=\"Shist_JIS\"?>\n"
                                                  "<chanClipMixer format=\"3.1\">\n"
                                                  "    <clips/>\n"
                                                  "    <tracks/>\n"
                                                  "</chanClipMixer>\n");
    Clip &clip = AddClip(mixer);
    clip.name = "a&b<c>\"d'";
    clip.step = -4;
    Track &track = AddTrack(mixer);
    track.enable = false;
    track.in = -2147483647 - 1;
    track.repeat = false;
    track.sequence = "A:2, B";
    track.selected = true; // never written
    WriteMixerFile(mixer, WriteText("records.xml", std::string(1000, 'x'))); // an existing file is replaced
    EXPECT_EQ(ReadFileBytes(PathOf("records.xml")),
              "<?xml version=\"1.0\" encoding=\"Shist_JIS\"?>\n"
              "<chanClipMixer format=\"3.1\">\n"
              "    <clips>\n"
              "        <clip name=\"a&amp;b&lt;c&gt;&quot;d&apos;\" step=\"-4\" seq=\"1 2 3 4 5\"/>\n"
              "    </clips>\n"
              "    <tracks>\n"
              "        <track enable=\"0\" in=\"-2147483648\" out=\"120\" repeat=\"0\" seq=\"A:2, B\"/>\n"
              "    </tracks>\n"
              "</chanClipMixer>\n");
    EXPECT_TRUE(host.commands.log.empty());
}

TEST_F(MixerFile, AttributeReadingRules)
{
    const std::string path = WriteText("rules.xml", R"(<?xml version="1.0"?>
<chanClipMixer>
  <clips>
    <clip step="abc"/>
    <other name="skipped"/>
    <clip name="B" step="  12x" seq="9"/>
    <clip step="99999999999"/>
  </clips>
  <clips><clip name="second clips element is not read"/></clips>
  <tracks>
    <track seq="only"/>
    <track enable="2" in="-3" out=" 40" repeat="no"/>
    <track enable="false" repeat="true"/>
    <track enable="True" repeat=" 0"/>
    <track enable="yes" repeat="-1"/>
  </tracks>
</chanClipMixer>)");
    ClipMixer mixer;
    AddClip(mixer); // already holds one clip: new default names follow the list position
    ReadMixerFile(mixer, path);
    // A step that does not fit in 32 bits is unreadable: 0.
    EXPECT_EQ(Describe(mixer), "clip A 3 1 2 3 4 5\nclip B 0 1 2 3 4 5\nclip B 12 9\nclip D 0 1 2 3 4 5\n"
                               "track 1 1 120 1 only\ntrack 1 -3 40 0 A\ntrack 0 1 120 1 A\ntrack 0 1 120 0 A\n"
                               "track 0 1 120 1 A\n");
    // Missing parts are read as empty.
    ReadMixerFile(mixer, WriteText("tracks.xml", "<chanClipMixer><tracks><track/></tracks></chanClipMixer>"));
    ReadMixerFile(mixer, WriteText("clips.xml", "<chanClipMixer><clips><clip/></clips></chanClipMixer>"));
    EXPECT_EQ(mixer.clips.size(), 5u);
    EXPECT_EQ(mixer.tracks.size(), 6u);
    EXPECT_TRUE(host.commands.log.empty());
}

TEST_F(MixerFile, RefusedFilesLeaveTheMixerUnchanged)
{
    ClipMixer mixer;
    AddClip(mixer);
    const std::vector<std::string> refused = {
        PathOf("missing.xml"),
        WriteText("case.xml", "<chanclipmixer><clips><clip/></clips></chanclipmixer>"),
        WriteText("other.xml", "<?xml version=\"1.0\"?><mixer/>"),
        WriteText("broken.xml", "<chanClipMixer><clips><clip name=\"A\"></clips>"),
        WriteText("empty.xml", ""),
        WriteText("binary.xml", std::string("\0\xff\xfe<", 4)),
        WriteText("deep.xml", std::string(5000, '<')),
    };
    for (const std::string &path : refused) {
        SCOPED_TRACE(path);
        host.commands.log.clear();
        ReadMixerFile(mixer, path);
        EXPECT_EQ(host.commands.log, (std::vector<std::string>{"StatusMsg {1.0} not data file!"}));
        EXPECT_EQ(mixer.clips.size(), 1u);
        EXPECT_TRUE(mixer.tracks.empty());
    }
    // The same text in Japanese.
    g_clipMixerLanguage = UiLanguage::Japanese;
    host.commands.log.clear();
    ReadMixerFile(mixer, refused[0]);
    EXPECT_EQ(host.commands.log, (std::vector<std::string>{"StatusMsg {1.0} not data file!"}));
}

TEST_F(MixerFile, AttributeConversions)
{
    const std::pair<const char *, int> ints[] = {{"42", 42}, {" \t-7z", -7}, {"+3", 3}, {"abc", 0}, {"", 0},
                                                 {"-2147483648", -2147483647 - 1}, {"2147483648", 0}};
    for (const auto &c : ints)
        EXPECT_EQ(ReadFileInt(c.first), c.second) << c.first;
    for (const char *yes : {"2", " -1", "true", "99999999999999999999"})
        EXPECT_TRUE(ReadFileBool(yes)) << yes;
    for (const char *no : {"0", "no", "True", " true", "false", ""})
        EXPECT_FALSE(ReadFileBool(no)) << no;
}

} // namespace
