// Clip mixer compilation (name, step and sequence checks, their messages, the frame tables) and
// its XML file (exact bytes written, reading rules, refused files).
#include "chanclipmixer/chanclipmixer_servers.h"
#include "chanclipmixer/clipmixer.h"
#include "chanclipmixer/clipmixer_file.h"
#include "chanclipmixer/clipmixer_file_text.h"
#include "common/lwtool2.h"
#include "host.h"
#include "process_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <utility>

#if !defined(_WIN32)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// The file calls as the panel makes them: their outcome shown on the status line.
void Export(const ClipMixer &mixer, const std::string &path) { ShowMixerOutcome(WriteMixerFile(mixer, path)); }
void Import(ClipMixer &mixer, const std::string &path) { ShowMixerOutcome(ReadMixerFile(mixer, path)); }

// The host's globals, English messages, and a folder for mixer files.
class MixerCompile : public ::testing::Test {
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
        g_clipMixerLanguage = UiLanguage::English;
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // The command lines sent since the last call.
    Lines TakeLines() { return std::exchange(host.commands.log, {}); }

    static Clip MakeClip(const std::string &name, int step, const std::string &sequence)
    {
        return Clip{false, name, step, sequence, {}};
    }
    Clip &NewClip(const std::string &name, int step, const std::string &sequence)
    {
        return AddClip(mixer) = MakeClip(name, step, sequence);
    }
    Track &NewTrack(int in, int out, const std::string &sequence, bool repeat = true)
    {
        return AddTrack(mixer) = Track{false, true, in, out, repeat, sequence, {}};
    }

    // Compiles a lone clip or track: the one line it sent, or "" when it was accepted silently.
    std::string CheckClip(const std::string &name, int step, const std::string &sequence)
    {
        Clip clip = MakeClip(name, step, sequence);
        return Result(BuildClipValues(clip));
    }
    std::string CheckTrack(int in, int out, const std::string &sequence, std::vector<double> *table = nullptr)
    {
        Track track{false, true, in, out, true, sequence, {}};
        const std::string line = Result(BuildTrackTable(track, mixer));
        if (table)
            *table = track.frameTable;
        return line;
    }
    // The outcome as the panel shows it: nothing posted by the compile itself.
    std::string Result(const MixerOutcome &outcome)
    {
        EXPECT_EQ(TakeLines(), Lines{});
        ShowMixerOutcome(outcome);
        const Lines lines = TakeLines();
        EXPECT_EQ(outcome.ok(), lines.empty());
        EXPECT_LE(lines.size(), 1u);
        return lines.empty() ? std::string() : lines[0];
    }

    std::string PathOf(const std::string &name) const { return (dir / name).string(); }
    std::string WriteText(const std::string &name, const std::string &text) const
    {
        std::ofstream(PathOf(name), std::ios::binary) << text;
        return PathOf(name);
    }

    zkh::Host host;
    ClipMixer mixer;
    fs::path dir;
};
using MixerFile = MixerCompile;

TEST_F(MixerCompile, DefaultNamesWrapAfterZ)
{
    for (int i = 0; i < 27; ++i)
        AddClip(mixer);
    EXPECT_EQ(mixer.clips[25]->name + mixer.clips[26]->name, "ZA"); // names are not made unique
}

TEST_F(MixerCompile, ClipChecksAndTheirMessages)
{
    struct Case {
        std::string name;
        int step;
        std::string sequence, message; // "" when accepted
    };
    const std::string bad = "Clip name is invalid!(name='", step = "Step of clip is invalid!(name='S', step=";
    const std::string sequence = "Sequence of clip is invalid!(name='A', value='";
    const std::string longName(kMaxPatternInput + 1, 'n'), longNumber(1000000, '1');
    std::string many; // clip values over the bound: refused at the token that would pass it
    for (int i = 0; i < 10011; ++i)
        many += "1 ";
    const Case cases[] = {
        {"A B", 3, "1", bad + "A B')"}, {"A:1", 3, "1", bad + "A:1')"}, {"it's", 3, "1", bad + "it's')"},
        {"", 3, "1", bad + "')"}, {"a\tb", 3, "1", bad + "a b')"}, // a tab shown as a space
        {"q\"", 3, "1", bad + "q\"')"}, {"a,b", 3, "1", bad + "a,b')"}, {"A-1", 3, "1", ""}, {"x_y", 3, "1", ""},
        {longName, 1, "1", bad + longName.substr(0, 200) + "...')"}, {std::string(kMaxPatternInput, 'n'), 1, "1", ""},
        {"S", 0, "1", step + "0)"}, {"S", -5, "1", step + "-5)"}, {"S", 1000, "1", step + "1000)"},
        {"S", INT_MIN, "1", step + "-2147483648)"}, {"S", 1, "1", ""}, {"S", 999, "1", ""},
        {"A", 1, "1 2 x", sequence + "x')"}, {"A", 1, "0x10", sequence + "0x10')"},
        {"A", 1, "1.2.3", sequence + "1.2.3')"}, {"A", 1, "inf", sequence + "inf')"},
        {"A", 1, "  ,  ", sequence + "  ,  ')"}, {"A", 1, "", sequence + "')"},
        // Out of the double range: refused like any bad token, nothing thrown; below it: zero.
        {"A", 1, "1 1e999", sequence + "1e999')"}, {"A", 1, "-1e999", sequence + "-1e999')"}, {"A", 1, "1e-999", ""},
        {"A", 1, longNumber, sequence + longNumber.substr(0, 200) + "...')"},
        {"B", 999, many, "Sequence of clip is invalid!(name='B', value='1')"},
        // Line breaks cannot inject a second command.
        {"A B\nRefreshNow", 1, "1", bad + "A B RefreshNow')"}, {"A", 1, "1\r\nRefreshNow", sequence + "1  RefreshNow')"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.substr(0, 20) + " " + std::to_string(c.step) + " " + c.sequence.substr(0, 20));
        EXPECT_EQ(CheckClip(c.name, c.step, c.sequence), c.message.empty() ? "" : "StatusMsg {1.0} " + c.message);
    }
}

// Numbers in every form strtod reads, separated by spaces or commas, each repeated step times.
TEST_F(MixerCompile, ClipValues)
{
    Clip clip = MakeClip("A", 2, "+.5 -1e-2,7.,, 2.5E-2 1e3");
    ASSERT_TRUE(BuildClipValues(clip));
    EXPECT_EQ(clip.values, (std::vector<double>{0.5, 0.5, -0.01, -0.01, 7, 7, 0.025, 0.025, 1000, 1000}));
}

TEST_F(MixerCompile, MessagesInJapanese)
{
    g_clipMixerLanguage = UiLanguage::Japanese;
    EXPECT_EQ(CheckClip("A B", 3, "1"), "StatusMsg {1.0} クリップ名が異常です！(name='A B')");
    EXPECT_EQ(CheckClip("A", 0, "1"), "StatusMsg {1.0} クリップのステップが異常です！(name='A', step=0)");
    EXPECT_EQ(CheckClip("A", 1, "x"), "StatusMsg {1.0} クリップのシーケンスが異常です！(name='A', value='x')");
    ASSERT_TRUE(BuildClipValues(NewClip("A", 1, "1")));
    EXPECT_EQ(CheckTrack(5, 4, "A"), "StatusMsg {1.0} トラック インアウトが異常です！(track_in=5, track_out=4)");
    EXPECT_EQ(CheckTrack(1, 4, "D"), "StatusMsg {1.0} トラックで指定したクリップが存在しません！(target_clip=D)");
    EXPECT_EQ(CheckTrack(1, 4, "A:0"), "StatusMsg {1.0} トラックのシーケンスが異常です！");
}

// Track ranges and sequences, with the table sizes of those accepted; ranges whose length
// overflows 32 bits are refused without overflow.
TEST_F(MixerCompile, TrackChecks)
{
    ASSERT_TRUE(BuildClipValues(NewClip("A", 1, "7")));
    struct Case {
        int in, out;
        std::string sequence, message; // "" when accepted
        size_t tableSize;
    };
    const std::string range = "Track in-out is invalid!(track_in=", missing = "Not exist clip specified in  track!(target_clip=";
    const std::string sequence = "Sequence of Track is invalid!";
    const Case cases[] = {
        {10, 9, "A", range + "10, track_out=9)", 0}, {10, -3, "A", range + "10, track_out=-3)", 0},
        {INT_MIN, INT_MAX, "A", range + "-2147483648, track_out=2147483647)", 0},
        {INT_MAX, INT_MIN, "A", range + "2147483647, track_out=-2147483648)", 0},
        {1, 10000001, "A", range + "1, track_out=10000001)", 0},
        {1, 8, "D", missing + "D)", 0}, {1, 8, "A A:", missing + "A:)", 0}, {1, 8, "a", missing + "a)", 0}, // case-sensitive
        {1, 2, "X\nRefreshNow", missing + "X RefreshNow)", 0}, // a line break is a name character, shown as a space
        {1, 8, "A:0", sequence, 0}, {1, 8, "", sequence, 0}, {1, 8, " ,\t", sequence, 0},
        // A count that does not fit in 32 bits is refused; any other count is taken, never expanded.
        {1, 8, "A:99999999999", sequence, 0}, {1, 8, "A:2147483648", sequence, 0},
        {1, 3, "A:2147483647 A:2147483647", "", 3}, {4, 4, "A", "", 1}, {INT_MAX - 2, INT_MAX, "A", "", 3},
        {1, 10000000, "A", "", 10000000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.in) + ".." + std::to_string(c.out) + " " + c.sequence);
        std::vector<double> table;
        EXPECT_EQ(CheckTrack(c.in, c.out, c.sequence, &table), c.message.empty() ? "" : "StatusMsg {1.0} " + c.message);
        EXPECT_EQ(table.size(), c.tableSize);
        if (c.tableSize == 3) {
            EXPECT_EQ(table, (std::vector<double>{7, 7, 7}));
        }
    }
    EXPECT_EQ(host.commands.refreshCount, 0);
}

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
// Sequences of five million tokens (10 MB) are checked within 100 MB more than the process holds:
// the tokens are checked as they are split, not gathered first, and a clip is refused at the
// token that passes the table bound. (The address sanitizer reserves more address space than the limit allows.)
TEST_F(MixerCompile, LongSequencesAreRefusedWithinMemory)
{
    std::string numbers, names;
    for (int i = 0; i < 5000000; ++i)
        numbers += "1,", names += "A ";
    Clip clip = MakeClip("A", 999, numbers);
    ASSERT_TRUE(BuildClipValues(NewClip("A", 1, "5")));
    Track track{false, true, 1, 10, true, names, {}};
    const auto compileWithin100MB = [&] {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (100 << 20);
        const rlimit bound{limit, limit};
        setrlimit(RLIMIT_AS, &bound);
        std::exit(!BuildClipValues(clip) && BuildTrackTable(track, mixer) ? 0 : 1);
    };
    EXPECT_EXIT(compileWithin100MB(), ::testing::ExitedWithCode(0), "");
}
#endif

// A chain longer than the range is cut, with and without repeat; 'A B:2, D' names A, B, B, D.
TEST_F(MixerCompile, ChainsAreCutAtTheRange)
{
    NewClip("A", 2, "0 10");
    NewClip("B", 1, "5");
    NewClip("D", 1, "-1");
    Track &hold = NewTrack(1, 3, "A B:2", false);
    Track &loop = NewTrack(1, 10, "A B:2, D", true);
    ASSERT_TRUE(RebuildAll(mixer));
    EXPECT_TRUE(TakeLines().empty());
    EXPECT_EQ(hold.frameTable, (std::vector<double>{0, 0, 10}));
    EXPECT_EQ(loop.frameTable, (std::vector<double>{0, 0, 10, 10, 5, 5, -1, 0, 0, 10}));
}

TEST_F(MixerCompile, RebuildOrderAndFirstNameWins)
{
    NewClip("A", 1, "1");
    NewClip("A", 1, "2");
    Track &first = NewTrack(1, 2, "A");
    // A disabled track with an invalid sequence is silent and gets no table.
    Track &disabled = NewTrack(1, 2, "nothing:x");
    disabled.enable = false;
    disabled.frameTable = {9};
    ASSERT_TRUE(RebuildAll(mixer));
    EXPECT_EQ(first.frameTable, (std::vector<double>{1, 1}));
    EXPECT_TRUE(disabled.frameTable.empty());
    EXPECT_TRUE(TakeLines().empty());

    // The first failing track: earlier ones keep their new tables, later ones stay empty.
    Track &bad = NewTrack(5, 1, "A");
    Track &later = NewTrack(1, 3, "A");
    EXPECT_EQ(Result(RebuildAll(mixer)), "StatusMsg {1.0} Track in-out is invalid!(track_in=5, track_out=1)");
    EXPECT_EQ(first.frameTable.size(), 2u);
    EXPECT_TRUE(bad.frameTable.empty());
    EXPECT_TRUE(later.frameTable.empty());
}

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
    Export(mixer, PathOf("no-such-folder/out.xml"));
    EXPECT_EQ(TakeLines(), Lines{"StatusMsg {1.0} XML_ERROR_FILE_COULD_NOT_BE_OPENED"});
    EXPECT_FALSE(fs::exists(PathOf("no-such-folder")));

    Export(mixer, PathOf("empty.xml"));
    EXPECT_EQ(ReadFileBytes(PathOf("empty.xml")), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                  "<chanClipMixer format=\"3.1\">\n"
                                                  "    <clips/>\n"
                                                  "    <tracks/>\n"
                                                  "</chanClipMixer>\n");
    NewClip("a&b<c>\"d'", -4, "1 2 3 4 5");
    Track &track = NewTrack(INT_MIN, 120, "A:2, B", false);
    track.enable = false;
    track.selected = true; // never written
    Export(mixer, WriteText("records.xml", std::string(1000, 'x'))); // an existing file is replaced
    EXPECT_EQ(ReadFileBytes(PathOf("records.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
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
    <track enable="2" in="-2147483648" out=" 40" repeat="no"/>
    <track enable="false" repeat="true"/>
    <track enable="True" repeat=" 0"/>
    <track enable="yes" repeat="-1"/>
  </tracks>
</chanClipMixer>)");
    AddClip(mixer); // already holds one clip: new default names follow the list position
    Import(mixer, path);
    // A step that does not fit in 32 bits is unreadable: 0.
    EXPECT_EQ(Describe(mixer), "clip A 3 1 2 3 4 5\nclip B 0 1 2 3 4 5\nclip B 12 9\nclip D 0 1 2 3 4 5\n"
                               "track 1 1 120 1 only\ntrack 1 -2147483648 40 0 A\ntrack 0 1 120 1 A\n"
                               "track 0 1 120 0 A\ntrack 0 1 120 1 A\n");
    // A missing part is read as empty.
    Import(mixer, WriteText("tracks.xml", "<chanClipMixer><tracks><track/></tracks></chanClipMixer>"));
    EXPECT_EQ(mixer.clips.size(), 4u);
    EXPECT_EQ(mixer.tracks.size(), 6u);
    EXPECT_TRUE(host.commands.log.empty());
}

TEST_F(MixerFile, RefusedFilesLeaveTheMixerUnchanged)
{
    g_clipMixerLanguage = UiLanguage::Japanese; // the same text in both languages (English: the panel's test)
    AddClip(mixer);
    const std::vector<std::string> refused = {
        PathOf("missing.xml"), dir.string(), // a folder
        WriteText("case.xml", "<chanclipmixer><clips><clip/></clips></chanclipmixer>"),
        WriteText("other.xml", "<?xml version=\"1.0\"?><mixer/>"),
        WriteText("broken.xml", "<chanClipMixer><clips><clip name=\"A\"></clips>"),
        WriteText("empty.xml", ""),
        WriteText("binary.xml", std::string("\0\xff\xfe<", 4)),
        WriteText("deep.xml", std::string(5000, '<')),
    };
    for (const std::string &path : refused) {
        SCOPED_TRACE(path);
        Import(mixer, path);
        EXPECT_EQ(TakeLines(), Lines{"StatusMsg {1.0} not data file!"});
        EXPECT_EQ(Describe(mixer), "clip A 3 1 2 3 4 5\n");
    }
}

// References the library would turn into a NUL byte, a surrogate or a code point past U+10FFFF
// refuse the file; those it reads as characters, and texts that are no reference to it, are read.
TEST_F(MixerFile, CharacterReferences)
{
    const std::pair<std::string, std::string> cases[] = {
        {"&#0;", ""}, {"&#x0;", ""}, {"&#;", ""}, {"&#x;", ""}, {"&#xD800;", ""}, {"&#xdfff;", ""}, {"&#55296;", ""},
        {"&#x110000;", ""}, {"&#1114112;", ""}, {"&#99999999999999999999;", ""},
        {"&#x10FFFF;", "\xF4\x8F\xBF\xBF"}, {"&#xD7FF;", "\xED\x9F\xBF"}, {"&#57344;", "\xEE\x80\x80"},
        {"&#1;", "\x01"}, {"&#X0;", "&#X0;"}, {"&#12a;", "&#12a;"}}; // earlier builds wrote &#1;
    for (const auto &[reference, read] : cases) {
        SCOPED_TRACE(reference);
        ClipMixer fresh;
        Import(fresh, WriteText("ref.xml", "<chanClipMixer><clips><clip name=\"a" + reference +
                                                      "\"/></clips></chanClipMixer>"));
        EXPECT_EQ(TakeLines(), read.empty() ? Lines{"StatusMsg {1.0} Character reference of file is invalid!(ref='" +
                                                    reference + "')"}
                                            : Lines{});
        EXPECT_EQ(fresh.clips.empty() ? "(none)" : fresh.clips[0]->name, read.empty() ? "(none)" : "a" + read);
    }
    g_clipMixerLanguage = UiLanguage::Japanese;
    Import(mixer, WriteText("ref.xml", "<chanClipMixer><tracks><track seq=\"&#0;\"/></tracks></chanClipMixer>"));
    EXPECT_EQ(TakeLines(), Lines{"StatusMsg {1.0} ファイルの文字参照が異常です！(ref='&#0;')"});
}

// References found however the text comes: whole, a byte at a time, or with the reference cut
// where a file's 64 KB blocks meet.
TEST_F(MixerFile, ReferencesCutBetweenPieces)
{
    const std::pair<std::string, std::string> cases[] = {
        {"a&#0;b", "&#0;"},          {"&&#0;", "&#0;"},       {"&#12&#0;", "&#0;"}, {"&#x&#x0;", "&#x0;"},
        {"&#x;&#0;", "&#x;"},        {"&#1;&#xD800;", "&#xD800;"}, {"&#12a;&#;", "&#;"}, {"&#0", ""},
        {"&#", ""},                  {"&#X0;", ""},           {"&#1; &#65;", ""},   {"&#00000000000000000000001;", ""},
        {"&#x0000000000000110000;", "&#x0000000000000110000;"}};
    for (const auto &[text, found] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FindForbiddenReference(text), found);
        ReferenceScanner bytes;
        for (char c : text)
            bytes.Feed(&c, 1);
        EXPECT_EQ(bytes.Found(), found);
    }
    const std::string head = "<chanClipMixer><clips><clip name=\"";
    for (size_t cut = 0; cut <= 4; ++cut) {
        SCOPED_TRACE(cut);
        const std::string padding(65536 - head.size() - cut, 'p');
        ClipMixer read;
        Import(read, WriteText("cut.xml", head + padding + "&#0;\"/></clips></chanClipMixer>"));
        EXPECT_EQ(TakeLines(), Lines{"StatusMsg {1.0} Character reference of file is invalid!(ref='&#0;')"});
        EXPECT_TRUE(read.clips.empty());
    }
}

// A file of more than a megabyte, read a block at a time: every record comes back as written, in
// order; a large file declared Shift_JIS is converted whole.
TEST_F(MixerFile, LargeFilesReadBackRecordForRecord)
{
    for (int i = 0; i < 9000; ++i) {
        NewClip("Clip" + std::to_string(i) + "名", i % 7 - 2, std::to_string(i) + " 1.5 -2 3 4.25");
        NewTrack(i - 4500, i, "Clip" + std::to_string(i) + ":3 Clip" + std::to_string(i + 1), i % 3 == 0).enable =
            i % 5 != 0;
    }
    Export(mixer, PathOf("large.xml"));
    ASSERT_GT(fs::file_size(PathOf("large.xml")), 1u << 20);
    ClipMixer read;
    Import(read, PathOf("large.xml"));
    EXPECT_EQ(Describe(read), Describe(mixer));

    std::string sjis = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><chanClipMixer><clips>";
    for (int i = 0; i < 20000; ++i)
        sjis += "<clip name=\"\x96\xbc" + std::to_string(i) + "\" seq=\"1\"/>";
    ClipMixer converted;
    Import(converted, WriteText("sjis-large.xml", sjis + "</clips></chanClipMixer>"));
    ASSERT_EQ(converted.clips.size(), 20000u);
    EXPECT_EQ(converted.clips[19999]->name, "名19999");
    EXPECT_TRUE(TakeLines().empty());
}

// A text an XML 1.0 file cannot hold (a control character other than TAB, LF and CR, bytes that
// are no UTF-8, U+FFFE, U+FFFF) refuses the export, naming its record; the file there is kept.
TEST_F(MixerFile, TextsXmlCannotHoldAreNotWritten)
{
    struct Case {
        std::string name, sequence, trackSequence, message;
    };
    const std::string clip = "Clip has a character that cannot be written!(name='";
    const std::string track = "Track has a character that cannot be written!(track_in=1, track_out=120)";
    const Case cases[] = {{"x\x01", "1", "A", clip + "x ')"},      {"x", "1\x0b", "A", clip + "x')"},
                          {"x\x1f", "1", "A", clip + "x ')"},      {"\xff", "1", "A", clip + "\xff')"},
                          {"\xed\xa0\x80", "1", "A", clip + "\xed\xa0\x80')"}, {"x", "\xef\xbf\xbe", "A", clip + "x')"},
                          {"x", "\xef\xbf\xbf", "A", clip + "x')"}, {"x", "1", "A\x0c", track},
                          {"x", "1", "\xc0\x80", track}};
    const std::string path = WriteText("kept.xml", "old");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        ClipMixer refused;
        AddClip(refused) = MakeClip(c.name, 1, c.sequence);
        AddTrack(refused).sequence = c.trackSequence;
        Export(refused, path);
        EXPECT_EQ(TakeLines(), Lines{"StatusMsg {1.0} " + c.message});
        EXPECT_EQ(ReadFileBytes(path), "old");
    }
    g_clipMixerLanguage = UiLanguage::Japanese;
    NewTrack(3, 4, "\x02");
    Export(mixer, path);
    EXPECT_EQ(TakeLines(), Lines{"StatusMsg {1.0} トラックに書き出せない文字があります！(track_in=3, track_out=4)"});
}

// Files of earlier builds declared "Shist_JIS" and held the bytes typed, Shift_JIS on a Japanese
// system. A file declaring code page 932 that is not UTF-8 is converted (0x8160 is U+FF5E in code
// page 932, U+301C in plain Shift_JIS); UTF-8, or a text that is no code page 932 either, is kept.
TEST_F(MixerFile, ShiftJisFilesOfEarlierBuilds)
{
    const std::string sjis = "\x96\xbc\x91\x4f\x81\x60\xb1", utf8 = "名前～ｱ";
    const std::string shiftJis = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>";
    const std::string cases[][3] = {{"<?xml version=\"1.0\" encoding=\"Shist_JIS\"?>", sjis, utf8},
                                    {"<?xml version='1.0' encoding='shift_jis'?>", sjis, utf8},
                                    {shiftJis, utf8, utf8}, {shiftJis, "\x96", "\x96"},
                                    {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", sjis, sjis}, {"", sjis, sjis}};
    for (const auto &[declaration, body, name] : cases) {
        SCOPED_TRACE(declaration);
        ClipMixer read;
        Import(read, WriteText("sjis.xml", declaration + "<chanClipMixer><clips><clip name=\"" + body + "\" seq=\"" +
                                                      body + "\"/></clips></chanClipMixer>"));
        ASSERT_EQ(read.clips.size(), 1u);
        EXPECT_EQ(read.clips[0]->name + "|" + read.clips[0]->sequence, name + "|" + name);
    }
    EXPECT_TRUE(TakeLines().empty());
}

#if !defined(_WIN32)
TEST_F(MixerFile, FailedWriteIsReported)
{
    AddClip(mixer);
    Export(mixer, "/dev/full");
    g_clipMixerLanguage = UiLanguage::Japanese;
    Export(mixer, "/dev/full");
    EXPECT_EQ(TakeLines(), (Lines{"StatusMsg {1.0} Could not write the file!(file='/dev/full')",
                                  "StatusMsg {1.0} ファイルを書き込めませんでした！(file='/dev/full')"}));
}

std::string Hex(const std::string &text)
{
    std::string hex;
    for (unsigned char c : text)
        hex += "0123456789abcdef"[c >> 4], hex += "0123456789abcdef"[c & 15];
    return hex;
}

// The export read by other XML readers: xmllint finds it well-formed, and Python's parser gives
// every text back byte for byte.
TEST_F(MixerFile, OtherXmlReadersReadTheExport)
{
    const std::string name = "名前&<>\"'\t\r\n\x7f", sequence = "1\t2\r\n3", trackSequence = "名前:2\r\n";
    NewClip(name, 2, sequence);
    NewTrack(-5, 7, trackSequence).enable = false;
    const std::string path = PathOf("readers.xml"), log = PathOf("readers.log");
    Export(mixer, path);
    ASSERT_EQ(RunProgram({"/usr/bin/xmllint", "--noout", path}, log), 0)
        << ReadFileBytes(log) << "(./zk setup installs xmllint, in libxml2-utils)";
    const char script[] = "import sys, xml.etree.ElementTree as E\n"
                          "for e in E.parse(sys.argv[1]).getroot().iter():\n"
                          "    print(e.tag, *(k + '=' + v.encode('utf-8').hex() for k, v in e.attrib.items()))\n";
    ASSERT_EQ(RunProgram({"/usr/bin/python3", "-c", script, path}, log), 0) << ReadFileBytes(log);
    EXPECT_EQ(ReadFileBytes(log), "chanClipMixer format=" + Hex("3.1") + "\nclips\nclip name=" + Hex(name) + " step=" +
                                      Hex("2") + " seq=" + Hex(sequence) + "\ntracks\ntrack enable=" + Hex("0") +
                                      " in=" + Hex("-5") + " out=" + Hex("7") + " repeat=" + Hex("1") + " seq=" +
                                      Hex(trackSequence) + "\n");
}
#endif

} // namespace
