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
        dir = fs::temp_directory_path() / ("zk-mixer-file-" + std::to_string(CurrentProcessId()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
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

TEST_F(MixerFile, EmptyExportBytes)
{
    ClipMixer mixer;
    WriteMixerFile(mixer, PathOf("empty.xml"));
    EXPECT_EQ(ReadFileBytes(PathOf("empty.xml")), "<?xml version=\"1.0\" encoding=\"Shist_JIS\"?>\n"
                                               "<chanClipMixer format=\"3.1\">\n"
                                               "    <clips/>\n"
                                               "    <tracks/>\n"
                                               "</chanClipMixer>\n");
    EXPECT_TRUE(host.commands.log.empty());
}

TEST_F(MixerFile, ExportBytesOfRecords)
{
    ClipMixer mixer;
    Clip &clip = AddClip(mixer);
    clip.name = "a&b<c>\"d'";
    clip.step = -4;
    Track &track = AddTrack(mixer);
    track.enable = false;
    track.in = -2147483647 - 1;
    track.repeat = false;
    track.sequence = "A:2, B";
    track.selected = true; // never written
    WriteMixerFile(mixer, PathOf("records.xml"));
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
}

TEST_F(MixerFile, RoundTripRestoresEveryField)
{
    ClipMixer source;
    Clip &a = AddClip(source);
    a.name = "Q&A <\"x\">";
    a.step = 7;
    a.sequence = "1, 2\t3 '&'";
    a.selected = true;
    Clip &b = AddClip(source);
    b.name = "日本語";
    b.step = 0; // invalid values are written as held
    b.sequence = "";
    Track &t = AddTrack(source);
    t.enable = false;
    t.in = -5;
    t.out = 2147483647;
    t.repeat = false;
    t.sequence = "Q&A:3 <x>";
    AddTrack(source);
    WriteMixerFile(source, PathOf("round.xml"));

    ClipMixer copy;
    ReadMixerFile(copy, PathOf("round.xml"));
    ASSERT_EQ(copy.clips.size(), 2u);
    ASSERT_EQ(copy.tracks.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(copy.clips[i]->name, source.clips[i]->name);
        EXPECT_EQ(copy.clips[i]->step, source.clips[i]->step);
        EXPECT_EQ(copy.clips[i]->sequence, source.clips[i]->sequence);
        EXPECT_FALSE(copy.clips[i]->selected);
        EXPECT_EQ(copy.tracks[i]->enable, source.tracks[i]->enable);
        EXPECT_EQ(copy.tracks[i]->in, source.tracks[i]->in);
        EXPECT_EQ(copy.tracks[i]->out, source.tracks[i]->out);
        EXPECT_EQ(copy.tracks[i]->repeat, source.tracks[i]->repeat);
        EXPECT_EQ(copy.tracks[i]->sequence, source.tracks[i]->sequence);
        EXPECT_TRUE(copy.tracks[i]->frameTable.empty());
    }
    // Into the same mixer: appended, so the lists double.
    ReadMixerFile(source, PathOf("round.xml"));
    EXPECT_EQ(source.clips.size(), 4u);
    EXPECT_EQ(source.tracks.size(), 4u);
    EXPECT_EQ(source.clips[2]->name, "Q&A <\"x\">");
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
    ASSERT_EQ(mixer.clips.size(), 4u);
    EXPECT_EQ(mixer.clips[1]->name, "B"); // the default letter of the second position
    EXPECT_EQ(mixer.clips[1]->step, 0);
    EXPECT_EQ(mixer.clips[1]->sequence, "1 2 3 4 5");
    EXPECT_EQ(mixer.clips[2]->name, "B");
    EXPECT_EQ(mixer.clips[2]->step, 12);
    EXPECT_EQ(mixer.clips[2]->sequence, "9");
    EXPECT_EQ(mixer.clips[3]->name, "D");
    EXPECT_EQ(mixer.clips[3]->step, 0); // does not fit in 32 bits: unreadable

    ASSERT_EQ(mixer.tracks.size(), 5u);
    const Track &only = *mixer.tracks[0];
    EXPECT_TRUE(only.enable);
    EXPECT_EQ(only.in, 1);
    EXPECT_EQ(only.out, 120);
    EXPECT_TRUE(only.repeat);
    EXPECT_EQ(only.sequence, "only");
    EXPECT_TRUE(mixer.tracks[1]->enable);
    EXPECT_EQ(mixer.tracks[1]->in, -3);
    EXPECT_EQ(mixer.tracks[1]->out, 40);
    EXPECT_FALSE(mixer.tracks[1]->repeat);
    EXPECT_FALSE(mixer.tracks[2]->enable);
    EXPECT_TRUE(mixer.tracks[2]->repeat);
    EXPECT_FALSE(mixer.tracks[3]->enable);
    EXPECT_FALSE(mixer.tracks[3]->repeat);
    EXPECT_FALSE(mixer.tracks[4]->enable);
    EXPECT_TRUE(mixer.tracks[4]->repeat);
    EXPECT_TRUE(host.commands.log.empty());
}

TEST_F(MixerFile, MissingPartsAreReadAsEmpty)
{
    ClipMixer mixer;
    ReadMixerFile(mixer, WriteText("tracks.xml", "<chanClipMixer><tracks><track/></tracks></chanClipMixer>"));
    EXPECT_TRUE(mixer.clips.empty());
    EXPECT_EQ(mixer.tracks.size(), 1u);
    ReadMixerFile(mixer, WriteText("clips.xml", "<chanClipMixer><clips><clip/></clips></chanClipMixer>"));
    EXPECT_EQ(mixer.clips.size(), 1u);
    EXPECT_EQ(mixer.tracks.size(), 1u);
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

TEST_F(MixerFile, ExportToAnUnwritablePath)
{
    ClipMixer mixer;
    WriteMixerFile(mixer, PathOf("no-such-folder/out.xml"));
    EXPECT_EQ(host.commands.log, (std::vector<std::string>{"StatusMsg {1.0} XML_ERROR_FILE_COULD_NOT_BE_OPENED"}));
    EXPECT_FALSE(fs::exists(PathOf("no-such-folder")));

    // An existing file is replaced.
    const std::string path = WriteText("old.xml", std::string(1000, 'x'));
    AddClip(mixer);
    host.commands.log.clear();
    WriteMixerFile(mixer, path);
    EXPECT_EQ(ReadFileBytes(path).substr(0, 5), "<?xml");
    EXPECT_EQ(ReadFileBytes(path).find("xxxx"), std::string::npos);
    EXPECT_TRUE(host.commands.log.empty());
}

TEST_F(MixerFile, AttributeConversions)
{
    EXPECT_EQ(ReadFileInt("42"), 42);
    EXPECT_EQ(ReadFileInt(" \t-7z"), -7);
    EXPECT_EQ(ReadFileInt("+3"), 3);
    EXPECT_EQ(ReadFileInt("abc"), 0);
    EXPECT_EQ(ReadFileInt(""), 0);
    EXPECT_EQ(ReadFileInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ReadFileInt("2147483648"), 0);
    EXPECT_TRUE(ReadFileBool("2"));
    EXPECT_TRUE(ReadFileBool(" -1"));
    EXPECT_TRUE(ReadFileBool("true"));
    EXPECT_TRUE(ReadFileBool("99999999999999999999"));
    EXPECT_FALSE(ReadFileBool("0"));
    EXPECT_FALSE(ReadFileBool("no"));
    EXPECT_FALSE(ReadFileBool("True"));
    EXPECT_FALSE(ReadFileBool(" true"));
    EXPECT_FALSE(ReadFileBool("false"));
    EXPECT_FALSE(ReadFileBool(""));
}

} // namespace
