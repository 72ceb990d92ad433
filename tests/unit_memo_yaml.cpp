// The timeline memo's YAML document: what is written, and every reading rule.
#include "timelinememo/memo_yaml.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <limits>

namespace {

const char kFreshDocument[] = "_General:\n"
                              "  User: undefined\n"
                              "  Host: undefined\n"
                              "  DateTime: \"0000-00-00 00:00:00\"\n"
                              "  Comment: \"\"\n"
                              "  Format: TimeLineMemo\n"
                              "  Revision: \"1.00\"\n"
                              "View:\n"
                              "  Tracks:\n"
                              "    - Name: \"\"\n"
                              "      Active: true\n"
                              "      Clips:\n"
                              "        []";

// "name/active: clip(start+duration fg bg) ..." per track, for comparisons.
std::string Summary(const MemoTrackList &tracks)
{
    std::string text;
    for (const auto &track : tracks) {
        text += track->name + (track->active ? "/on:" : "/off:");
        for (const auto &clip : track->clips) {
            char line[256];
            std::snprintf(line, sizeof line, " %s(%g+%g", clip->name.c_str(), clip->startTime, clip->duration);
            text += line;
            for (const auto *colour : {&clip->foreColor, &clip->backColor})
                for (size_t i = 0; i < 3; ++i)
                    text += (i ? "," : " ") + std::to_string(ColorComponentToInt((*colour)[i]));
            text += ")";
        }
        text += "\n";
    }
    return text;
}

MemoTrackList OneDefaultTrack()
{
    MemoTrackList tracks;
    AddMemoTrackTo(tracks);
    return tracks;
}

std::string Wrap(const std::string &tracks) { return "View:\n  Tracks:\n" + tracks; }

TEST(MemoYaml, FreshMemoDocument)
{
    EXPECT_EQ(MemoYamlText(OneDefaultTrack()), kFreshDocument);
}

TEST(MemoYaml, ColourComponentsRoundDownWithinInt)
{
    const std::pair<float, int> cases[] = {{0.5f, 127}, {1.0f, 255}, {-0.001f, -1}, {1e30f, INT_MAX},
                                           {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto &c : cases)
        EXPECT_EQ(ColorComponentToInt(c.first), c.second) << c.first;
}

// Files written before the values were quoted where other readers need it.
TEST(MemoYaml, OlderExportsStillImport)
{
    MemoTrackList tracks;
    EXPECT_EQ(ImportMemoText("_General:\n  DateTime: 0000-00-00 00:00:00\n  Revision: 1.00\nView:\n  Tracks:\n"
                             "    - Name: 0123\n      Active: true\n      Clips:\n        - Name: 1.50\n"
                             "          StartTime: 0.5\n",
                             tracks),
              MemoImportResult::Replaced);
    EXPECT_EQ(Summary(tracks), "0123/on: 1.50(0.5+1 0,0,0 0,0,0)\n");
}

TEST(MemoYaml, RoundTripKeepsTracksClipsAndColoursOf255ths)
{
    MemoTrackList tracks;
    MemoTrack *a = AddMemoTrackTo(tracks);
    a->name = "null";
    MemoClip *x = AddMemoClip(*a);
    x->name = "~";
    x->startTime = 1.0 / 3.0;
    x->duration = 0.1;
    x->foreColor = {1.0f, 0.5f, 0.25f};
    x->backColor = {0.2f, 0.0f, 1.0f};
    MemoTrack *b = AddMemoTrackTo(tracks);
    b->active = false;
    b->name = "two\nlines: \"quoted\"";

    MemoTrackList read = OneDefaultTrack();
    EXPECT_EQ(ImportMemoText(MemoYamlText(tracks), read), MemoImportResult::Replaced);
    EXPECT_EQ(Summary(read), "null/on: ~(0.333333+0.1 255,127,63 51,0,255)\ntwo\nlines: \"quoted\"/off:\n");
    EXPECT_EQ(read[0]->clips[0]->startTime, 1.0 / 3.0);
    EXPECT_EQ(read[0]->clips[0]->foreColor[1], 127.0f / 255.0f);
}

TEST(MemoYaml, ReadingRulesWithinAMemoDocument)
{
    using R = MemoImportResult;
    const struct {
        std::string tracks;
        MemoImportResult result;
        const char *summary;
    } cases[] = {
        // A scalar between two track maps is skipped; a missing "Active" reads as active and a clip
        // without "Duration" lasts one second.
        {"    - {Name: A, Active: false}\n    - just text\n    - {Name: B, Clips: [{Name: c, StartTime: 2}]}\n",
         R::Replaced, "A/off:\nB/on: c(2+1 0,0,0 0,0,0)\n"},
        // A scalar clip element adds one default clip and ends the import there.
        {"    - {Name: A, Clips: [{Name: a}, plain, {Name: b}]}\n    - {Name: B}\n", R::Partial,
         "A/on: a(0+1 0,0,0 0,0,0) (0+1 0,0,0 0,0,0)\n"},
        // A colour of two elements stops at that clip: it keeps its name and times, with black colours.
        {"    - Name: A\n      Clips:\n"
         "        - {Name: a, StartTime: 1, ForeColor: [1, 2, 3], BackColor: [4, 5, 6]}\n"
         "        - {Name: b, StartTime: 3, Duration: 0.5, ForeColor: [10, 20], BackColor: [7, 8, 9]}\n"
         "        - {Name: c}\n    - {Name: B}\n",
         R::Partial, "A/on: a(1+1 1,2,3 4,5,6) b(3+0.5 0,0,0 0,0,0)\n"},
        // Values that do not convert stop the import likewise.
        {"    - {Name: A}\n    - {Name: B, Active: maybe}\n    - {Name: C}\n", R::Partial, "A/on:\nB/on:\n"},
        {"    - {Clips: [{Name: a, StartTime: soon}]}\n", R::Partial, "/on: a(0+1 0,0,0 0,0,0)\n"},
        {"    - {Clips: [{Name: a, StartTime: 1e400}]}\n", R::Partial, "/on: a(0+1 0,0,0 0,0,0)\n"},
        // No range limits; numbers in every form the library reads: octal, hexadecimal, exponents.
        {"    - {Clips: [{StartTime: -5, ForeColor: [300, -1, 0]}]}\n", R::Replaced, "/on: (-5+1 300,-1,0 0,0,0)\n"},
        {"    - {Clips: [{StartTime: 1e2, Duration: .5, ForeColor: [010, 0x10, +5]}]}\n", R::Replaced,
         "/on: (100+0.5 8,16,5 0,0,0)\n"},
    };
    for (const auto &c : cases) {
        MemoTrackList tracks = OneDefaultTrack();
        EXPECT_EQ(ImportMemoText(Wrap(c.tracks), tracks), c.result) << c.tracks;
        EXPECT_EQ(Summary(tracks), c.summary) << c.tracks;
    }
    // "_General" and "Format" are not read.
    MemoTrackList tracks;
    EXPECT_EQ(ImportMemoText("_General: {Format: Other}\n" + Wrap("    - {Name: A}\n"), tracks), R::Replaced);
    EXPECT_EQ(Summary(tracks), "A/on:\n");
}

TEST(MemoYaml, OtherDocumentsLeaveTheMemoUnchanged)
{
    using R = MemoImportResult;
    const std::pair<const char *, MemoImportResult> cases[] = {
        {"", R::NotMemo}, {"just: a map\n", R::NotMemo}, {"- a\n- list\n", R::NotMemo}, {"View: 3\n", R::NotMemo},
        {"View:\n  Tracks: none\n", R::NotMemo}, {"View: {Other: []}\n", R::NotMemo}, {"View: [unclosed\n", R::NotParsed},
        {"a: b: c\n", R::NotParsed}, {"{\n", R::NotParsed}, {"\"open", R::NotParsed}};
    const std::string before = Summary(OneDefaultTrack());
    MemoTrackList tracks = OneDefaultTrack();
    for (const auto &[text, result] : cases) {
        EXPECT_EQ(ImportMemoText(text, tracks), result) << text;
        EXPECT_EQ(Summary(tracks), before) << text;
    }
    EXPECT_EQ(ImportMemoFile(std::filesystem::temp_directory_path().string(), tracks), R::NotOpened); // a folder
    // An empty track list is a memo document too.
    EXPECT_EQ(ImportMemoText("View: {Tracks: []}\n", tracks), R::Replaced);
    EXPECT_TRUE(tracks.empty());
}

TEST(MemoYaml, OtherEmittersReadTheSame)
{
    const std::string expected = "A/on: x(2.5+0.5 255,255,255 127,0,0)\n";
    const std::string variants[] = {
        // flow style
        "{View: {Tracks: [{Name: A, Active: yes, Clips: [{Name: x, StartTime: 2.5, Duration: 5e-1, "
        "ForeColor: [255, 255, 255], BackColor: [127, 0, 0]}]}]}}",
        // comments, document markers, quoted keys and reordered keys
        "%YAML 1.2\n---\n# memo\nView:\n  \"Tracks\":   # rows\n  - Clips:\n    - BackColor: [127, 0, 0]\n"
        "      ForeColor:\n      - 255\n      - 255\n      - 255\n      Duration: .5\n      StartTime: '2.5'\n"
        "      Name: 'x'\n    Active: True\n    Name: \"A\"\n...\n",
    };
    for (const std::string &text : variants) {
        MemoTrackList tracks;
        EXPECT_EQ(ImportMemoText(text, tracks), MemoImportResult::Replaced) << text;
        EXPECT_EQ(Summary(tracks), expected) << text;
    }
}

// Aliases name one clip list, or one text, many times over. A short text reads in full up to the
// fixed bound on records (2,001 tracks of 1,000 clips stop in the 1,999th track); 2,000 clips
// named by a 1,000,000-byte anchor (1 MB of text, 2 GB of names read in full) stop at the bound on
// name bytes, four times the text: the clip past it stays, unnamed.
TEST(MemoYaml, AliasesReadUpToTheBoundsOnRecordsAndNames)
{
    std::string text = "clips: &c [{}";
    for (int i = 1; i < 1000; ++i)
        text += ",{}";
    text += "]\nView:\n  Tracks:\n";
    for (int i = 0; i < 2001; ++i)
        text += "  - {Clips: *c}\n";
    MemoTrackList tracks;
    ASSERT_EQ(ImportMemoText(text, tracks), MemoImportResult::Bounded);
    size_t records = tracks.size();
    for (const auto &track : tracks)
        records += track->clips.size();
    EXPECT_EQ(std::make_pair(records, tracks.size()), std::make_pair(kMaxMemoRecords, size_t{1999}));

    text = "n: &n " + std::string(1000000, 'x') + "\nView:\n  Tracks:\n    - Clips:\n";
    for (int i = 0; i < 2000; ++i)
        text += "        - {Name: *n}\n";
    ASSERT_EQ(ImportMemoText(text, tracks), MemoImportResult::Bounded);
    const size_t kept = MemoImportTextBound(text.size()) / kMemoNameBytes;
    ASSERT_EQ(tracks[0]->clips.size(), kept + 1);
    for (size_t i = 0; i <= kept; ++i)
        EXPECT_EQ(tracks[0]->clips[i]->name, i < kept ? std::string(kMemoNameBytes, 'x') : "") << i;
}

// Names that are not UTF-8, or hold a noncharacter, refuse the export and name their place, and
// nothing is written. (Long names: host_memo_panel.cpp.)
TEST(MemoYaml, NamesFilesCannotCarryRefuseTheExport)
{
    const std::string path = (std::filesystem::temp_directory_path() / "zk-unit-memo-names.yaml").string();
    const std::pair<std::string, bool> refused[] = { // name, of a clip (else of a track)
        {"caf\xe9", false}, {"\xef\xbf\xbe", true},     {"x\xef\xbf\xbf", false},         {"\xed\xa0\x80", true},
        {"\xc0\xaf", false}, {"cut \xe3\x81", true}, {"\xf4\x90\x80\x80", false}, {"\tnote \xef\xb7\x90", true},
        {"\xf4\x8f\xbf\xbf", false}};
    for (const auto &[name, clip] : refused) {
        MemoTrackList memo = OneDefaultTrack();
        AddMemoClip(*AddMemoTrackTo(memo));
        AddMemoClip(*memo[1]);
        (clip ? memo[1]->clips[1]->name : memo[1]->name) = name;
        MemoNamePlace place;
        EXPECT_EQ(ExportMemoFile(path, memo, &place), MemoExportResult::NameNotWritable) << name;
        EXPECT_EQ(std::make_pair(place.track, place.clip), std::make_pair(2, clip ? 2 : 0)) << name;
        EXPECT_FALSE(std::filesystem::exists(path)) << name;
    }
    MemoTrackList memo = OneDefaultTrack();
    memo[0]->name = "\xef\xbf\xbd \xee\x80\x80 \xf0\x9f\x98\x80 \xf4\x8f\xbf\xbd"; // U+FFFD, U+E000, U+1F600, U+10FFFD
    EXPECT_EQ(ExportMemoFile(path, memo), MemoExportResult::Written);
    std::filesystem::remove(path);
}

} // namespace
