// The timeline memo's view panel through the module file and the host's view panels.
#include "memo_fixture.h"

#include <cstdio>
#include <fstream>
#include <iomanip>
#include <iterator>

namespace {

enum : unsigned int {
    kExport = 0x8004, kImport = 0x8005, kCreateTrack = 0x8007, kDeleteTrack = 0x8008, kUp = 0x8009,
    kDown = 0x800A, kTracks = 0x800C, kTrackName = 0x800D, kEnable = 0x800E, kCreateClip = 0x8010,
    kDeleteClip = 0x8011, kClips = 0x8013, kClipName = 0x8014, kStart = 0x8015, kLength = 0x8016,
    kFontColor = 0x8017, kBgColor = 0x8018, kFormat = 0x8019, kExportTracks = 0x801A, kImportMode = 0x801B,
    kStartTimecode = 0x801C, kDropFrame = 0x801D, kOtioStack = 0x801E, kPrevious = 0x801F, kNext = 0x8020,
};

// Track names that a plain YAML scalar would not carry, and a few that it would.
const std::vector<std::string> kTrackNames = {
    "0123", "true", "1.50", "~", ".inf", "a\rb", "x\x7fy", "\xe5\x90\x8d\x7f", "\xe5\x90\x8d plain", "plain name", "",
    "Yes", "1:30", "2001-12-14", "null", "a\xe2\x80\xa8 b", "a\xc2\x85z", "\ttab", "1e3", "0x1F", "-.5", "NO", "=",
    "<<", "a: b", "# no", "\xef\xbb\xbf" "bom", "last\n",
    // The edges of what a file carries: U+FFFD, U+E000, U+FDCF, U+10FFFD, plain and quoted.
    "\xef\xbf\xbd \xee\x80\x80 \xef\xb7\x8f \xf4\x8f\xbf\xbd", "\t\xef\xbf\xbd \xee\x80\x80 \xef\xb7\x8f \xf4\x8f\xbf\xbd"};

class MemoPanel : public MemoTest {
protected:
    void SetUp() override
    {
        MemoTest::SetUp();
        host.scene.fps = 24;
        ASSERT_NE(master = AddMemo(), nullptr);
    }

    // The memo of kTrackNames, each track active and empty except the first, which holds the clips
    // "off" and "3rd take" at 0.5 s.
    static DataLines NamesBlock()
    {
        DataLines block = {Str("0100"), I4(static_cast<int>(kTrackNames.size()))};
        for (size_t i = 0; i < kTrackNames.size(); ++i) {
            block.insert(block.end(), {Str(kTrackNames[i]), I4(1), I4(i == 0 ? 2 : 0)});
            if (i == 0)
                for (const char *clip : {"off", "3rd take"})
                    block.insert(block.end(), {Str(clip), FP(0.5f), FP(1.0f), Rgb(0, 0, 0), Rgb(0, 0, 0)});
        }
        return block;
    }

    int Int(zkh::XPanel &panel, unsigned int cid) { return x().Get(panel, cid).integer; }
    // A popup as "selected:item,item,...".
    std::string Popup(zkh::XPanel &panel, unsigned int cid)
    {
        std::string text = std::to_string(Int(panel, cid)) + ":";
        for (const std::string &item : x().PopupItems(panel, cid))
            text += (text.back() == ':' ? "" : ",") + item;
        return text;
    }
    // The selected clip's fields as "start+length fg r g b bg r g b".
    std::string ClipFields(zkh::XPanel &panel)
    {
        char text[200];
        const auto fg = x().Get(panel, kFontColor).color, bg = x().Get(panel, kBgColor).color;
        std::snprintf(text, sizeof text, "%d+%d fg %.9g %.9g %.9g bg %.9g %.9g %.9g", Int(panel, kStart),
                      Int(panel, kLength), fg[0], fg[1], fg[2], bg[0], bg[1], bg[2]);
        return text;
    }
    zkh::XPanels &x() { return host.xpanels; }

    zkh::MasterInstance *master = nullptr;
};

TEST_F(MemoPanel, ControlTableHintsDataAndFallbackLabelsInBothLanguages)
{
    struct Row {
        unsigned int cid;
        const char *english, *japanese, *rest; // rest: class, data name and type, hints
    };
    const Row rows[] = {
        {kExport, "Export", "書き出し", "vButton   button"}, {kImport, "Import", "読み込み", "vButton   button"},
        {kCreateTrack, "Create Track", "トラック作成", "vButton   button"},
        {kDeleteTrack, "Delete Track", "トラック削除", "vButton   button"},
        {kUp, "Up", "上に移動", "vButton   button"}, {kDown, "Down", "下に移動", "vButton   button"},
        {kTracks, "Track", "トラック", "iPopChoice tracksList integer popup"},
        {kTrackName, "Name", "名前", "string trackName string"},
        {kEnable, "Enable", "有効", "iBoolean trackActive integer"},
        {kCreateClip, "Create Clip", "クリップ作成", "vButton   button"},
        {kDeleteClip, "Delete Clip", "クリップ削除", "vButton   button"},
        {kClips, "Clip", "クリップ", "iPopChoice clipsList integer popup"},
        {kClipName, "Name", "名前", "string clipName string"},
        {kStart, "Start", "開始", "integer clipStartTime integer step1"},
        {kLength, "Length", "長さ", "integer clipDuration integer min1 step1"},
        {kFontColor, "Font Color", "文字色", "color clipForeColor color"},
        {kBgColor, "BG Color", "背景色", "color clipBackColor color"},
        {kFormat, "Format", "形式", "iPopChoice exchangeFormat integer popup"},
        {kExportTracks, "Tracks to Export", "書き出すトラック", "iPopChoice exportTracks integer popup"},
        {kImportMode, "On Import", "読み込み時", "iPopChoice importMode integer popup"},
        {kStartTimecode, "Start Timecode", "開始タイムコード", "string startTimecode string"},
        {kDropFrame, "Drop Frame", "ドロップフレーム", "iBoolean dropFrame integer"},
        {kOtioStack, "OTIO Markers on Stack", "OTIO マーカーをスタックに", "iBoolean otioStack integer"},
        {kPrevious, "Previous Clip", "前のクリップへ", "vButton   button"},
        {kNext, "Next Clip", "次のクリップへ", "vButton   button"},
    };
    for (bool inJapanese : {false, true}) {
        SCOPED_TRACE(inJapanese ? "Japanese" : "English");
        host.services.SetLocale(inJapanese ? 1041 : 1033);
        if (inJapanese) {
            ASSERT_NE(master = AddMemo(), nullptr);
        }
        zkh::XPanel &panel = OpenPanel();
        EXPECT_EQ(panel.type, LWXP_VIEW);
        EXPECT_EQ(panel.title, "ZK:TimeLineMemo (1.00)");
        ASSERT_EQ(panel.controls.size(), std::size(rows));
        for (size_t i = 0; i < std::size(rows); ++i) {
            const zkh::XPanelControl &c = panel.controls[i];
            const std::string hints = std::string(c.button ? " button" : "") + (c.popCount ? " popup" : "") +
                                      (c.hasMin ? " min" + std::to_string(c.min) : "") +
                                      (c.hasStep ? " step" + std::to_string(c.step) : "");
            EXPECT_EQ(std::to_string(c.cid) + " " + c.label + " " + c.ctrlclass + " " + c.dataName + " " + c.dataType + hints,
                      std::to_string(rows[i].cid) + " " + (inJapanese ? rows[i].japanese : rows[i].english) + " " +
                          rows[i].rest);
        }
        ASSERT_EQ(panel.groups.size(), 5u);
        EXPECT_EQ(panel.groups[0].gid, 0x8002u);
        EXPECT_EQ(panel.groups[0].members, (std::vector<unsigned int>{kImport, kExport, kFormat, kExportTracks,
                                                                      kImportMode, kStartTimecode, kDropFrame, kOtioStack}));
        EXPECT_EQ(panel.groups[3].members, (std::vector<unsigned int>{kCreateClip, kDeleteClip, kPrevious, kNext}));
        EXPECT_EQ(panel.groups[2].members, (std::vector<unsigned int>{kTracks, kUp, kDown, kTrackName, kEnable}));
        EXPECT_EQ(panel.groups[4].gid, 0x8012u);
        EXPECT_EQ(panel.groups[4].members,
                  (std::vector<unsigned int>{kClips, kClipName, kStart, kLength, kFontColor, kBgColor}));
        EXPECT_TRUE(x().log.empty());
        if (inJapanese) { // the fallback labels and a status line
            x().Press(panel, kCreateTrack);
            x().Press(panel, kCreateClip);
            EXPECT_EQ(Popup(panel, kTracks) + " " + Popup(panel, kClips), "1:トラック1,トラック2 0:クリップ1");
            const std::string missing = TempPath("missing.yaml");
            host.requesters.AnswerFile(missing);
            x().Press(panel, kImport);
            EXPECT_EQ(host.commands.status.back(), missing + " を開けません。メモは変更されていません");
        }
        ASSERT_TRUE(host.masters.Remove(kServer)); // and its panel with it
        EXPECT_TRUE(x().Panels().empty());
    }
}

TEST_F(MemoPanel, CreateClipAtTheWholeSecondForOneFrame)
{
    zkh::XPanel &panel = OpenPanel();
    host.scene.time = 3.9;
    ASSERT_TRUE(x().Press(panel, kCreateClip));
    EXPECT_EQ(Popup(panel, kClips), "0:Clip1");
    const std::string greyOnRed = "72+1 fg 0.800000012 0.800000012 0.800000012 bg 1 0 0";
    EXPECT_EQ(ClipFields(panel), greyOnRed);
    EXPECT_EQ(host.commands.log.back(), "RefreshNow");

    x().SetColor(panel, kFontColor, {0.0, 0.0, 1.0});
    x().SetColor(panel, kBgColor, {0.0, 1.0, 0.0});
    ASSERT_TRUE(x().Press(panel, kCreateClip)); // the first clip was selected: its colours
    EXPECT_EQ(Popup(panel, kClips), "1:Clip1,Clip2");
    EXPECT_EQ(ClipFields(panel), "72+1 fg 0 0 1 bg 0 1 0");
    x().SetInteger(panel, kClips, 7); // nothing valid selected: light grey on red
    ASSERT_TRUE(x().Press(panel, kCreateClip));
    EXPECT_EQ(Popup(panel, kClips), "2:Clip1,Clip2,Clip3");
    EXPECT_EQ(ClipFields(panel), greyOnRed);
    ASSERT_TRUE(x().Press(panel, kDeleteClip));
    EXPECT_EQ(Popup(panel, kClips), "1:Clip1,Clip2");
}

TEST_F(MemoPanel, TracksMoveAndKeepTheirNames)
{
    zkh::XPanel &panel = OpenPanel();
    x().SetText(panel, kTrackName, "first");
    x().Press(panel, kCreateTrack);
    x().Press(panel, kCreateTrack);
    EXPECT_EQ(Popup(panel, kTracks), "2:first,Track2,Track3");
    x().Press(panel, kDown); // on the last track: nothing
    x().SetInteger(panel, kTracks, 0);
    x().Press(panel, kDown);
    EXPECT_EQ(Popup(panel, kTracks), "1:Track1,first,Track3");
    x().Press(panel, kUp);
    x().Press(panel, kUp); // on the first track: nothing
    EXPECT_EQ(Popup(panel, kTracks), "0:first,Track2,Track3");

    // Selecting a track resets the clip popup to the first clip.
    x().Press(panel, kCreateClip);
    x().Press(panel, kCreateClip);
    EXPECT_EQ(Int(panel, kClips), 1);
    x().SetInteger(panel, kTracks, 0);
    EXPECT_EQ(Int(panel, kClips), 0);
    // Deleting the first of three unnamed tracks relabels the rest.
    x().SetText(panel, kTrackName, "");
    x().Press(panel, kDeleteTrack);
    EXPECT_EQ(Popup(panel, kTracks), "0:Track1,Track2");
}

// Frames shown, seconds kept: every whole frame reads back as entered, at any rate.
TEST_F(MemoPanel, WholeFramesReadBackAsEnteredAtAnyRate)
{
    zkh::XPanel &panel = OpenPanel();
    ASSERT_TRUE(x().Press(panel, kCreateClip));
    ASSERT_EQ(x().SetInteger(panel, kStart, 12), 1);
    EXPECT_EQ(NumberOf(SaveMasterBlock(*master)[6]), 0.5); // start time in seconds
    host.scene.fps = 30;
    EXPECT_EQ(Int(panel, kStart), 15); // (times between frames: unit_memo_time.cpp)
}

// A clip at a whole frame shows that frame after the scene is saved and loaded, which keeps its
// times as floats: at every rate, for frames up to 100,000 and below 0.
TEST_F(MemoPanel, WholeFramesReadBackAfterASceneIsSavedAndLoaded)
{
    std::vector<int> frames = {-100000, -99999, -4321, 99999, 100000};
    for (int frame = -600; frame <= 100000; frame += frame < 1200 ? 1 : 997)
        frames.push_back(frame);
    const std::string yaml = TempPath("frames.yaml"), scene = TempPath("frames.lws");
    for (double fps : {23.976, 24.0, 25.0, 29.97, 30.0, 50.0, 60.0, 7.5, 1000.0}) {
        host.scene.fps = fps;
        std::ofstream file(yaml, std::ios::binary);
        file << std::setprecision(17) << "View:\n  Tracks:\n    - Clips:\n";
        for (int frame : frames) // lengths of 1 to 100 frames
            file << "        - {StartTime: " << frame / fps << ", Duration: " << (frame % 50 + 51) / fps << "}\n";
        file.close();
        host.requesters.AnswerFile(yaml);
        ASSERT_TRUE(x().Press(OpenPanel(), kImport));
        ASSERT_TRUE(host.SaveScene(scene) && host.LoadScene(scene)) << host.messages.back();
        zkh::XPanel &panel = OpenPanel();
        ASSERT_EQ(x().PopupItems(panel, kClips).size(), frames.size());
        for (size_t i = 0; i < frames.size(); ++i) {
            ASSERT_EQ(x().SetInteger(panel, kClips, static_cast<int>(i)), 1);
            ASSERT_EQ(std::make_pair(Int(panel, kStart), Int(panel, kLength)), std::make_pair(frames[i], frames[i] % 50 + 51)) << fps;
        }
    }
}

TEST_F(MemoPanel, ExportedTextsReadBackUnchanged)
{
    zkh::XPanel &panel = OpenPanel();
    ASSERT_EQ(LoadMasterBlock(*master, NamesBlock()), nullptr);
    const std::string saved = Saved(*master);
    const std::string path = TempPath("names.yaml");
    host.requesters.AnswerFile(path);
    ASSERT_TRUE(x().Press(panel, kExport));
    const std::string text = ReadFileBytes(path);
    // Quoted only where a plain scalar would read as another type or is not allowed.
    for (const char *line : {"  - Name: \"0123\"\n", "  - Name: \"true\"\n", "  - Name: \"a\\rb\"\n",
                             "  - Name: \"x\\x7fy\"\n", "  - Name: \"\\u540d\\x7f\"\n", "  - Name: \xe5\x90\x8d plain\n", "  - Name: plain name\n",
                             "  - Name: \"a\\u2028 b\"\n", "  - Name: \"off\"\n", "  - Name: 3rd take\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << text;

    ASSERT_EQ(LoadMasterBlock(*master, {Str("0100"), I4(0)}), nullptr);
    host.requesters.AnswerFile(path);
    ASSERT_TRUE(x().Press(panel, kImport));
    EXPECT_EQ(Saved(*master), saved);
}

#ifndef _WIN32 // the Windows build writes the same bytes (the session comparison), and cannot run the Linux python
std::string Hex(const std::string &text)
{
    std::string hex;
    char digits[3];
    for (unsigned char c : text) {
        std::snprintf(digits, sizeof digits, "%02x", c);
        hex += digits;
    }
    return hex;
}

// The export read by another family of YAML reader (libyaml, YAML 1.1, through Python): every
// string value comes back a string, byte for byte.
TEST_F(MemoPanel, ExportedTextsReadAlikeInPythonYaml)
{
    const std::string python = "/usr/bin/python3", log = TempPath("python.log");
    ASSERT_EQ(RunProgram({python, "-c", "import yaml"}, log), 0)
        << "python3 with PyYAML is needed: ./zk setup installs python3-yaml";
    zkh::XPanel &panel = OpenPanel();
    ASSERT_EQ(LoadMasterBlock(*master, NamesBlock()), nullptr);
    const std::string path = TempPath("python.yaml");
    host.requesters.AnswerFile(path);
    ASSERT_TRUE(x().Press(panel, kExport));

    const char script[] =
        "import sys, yaml\n"
        "def show(v): return type(v).__name__ + ' ' + (v.encode('utf-8').hex() if isinstance(v, str) else repr(v))\n"
        "d = yaml.safe_load(open(sys.argv[1], 'rb'))\n"
        "for k in ['User', 'Host', 'DateTime', 'Comment', 'Format', 'Revision']: print(k, show(d['_General'][k]))\n"
        "for t in d['View']['Tracks']:\n"
        "    print('track', show(t['Name']), show(t['Active']))\n"
        "    for c in t['Clips']: print('clip', show(c['Name']), show(c['StartTime']))\n";
    ASSERT_EQ(RunProgram({python, "-c", script, path}, log), 0) << ReadFileBytes(log);

    std::string expected = "User str " + Hex("undefined") + "\nHost str " + Hex("undefined") + "\nDateTime str " +
                           Hex("0000-00-00 00:00:00") + "\nComment str \nFormat str " + Hex("TimeLineMemo") +
                           "\nRevision str " + Hex("1.00") + "\n";
    for (size_t i = 0; i < kTrackNames.size(); ++i) {
        expected += "track str " + Hex(kTrackNames[i]) + " bool True\n";
        if (i == 0)
            expected += "clip str " + Hex("off") + " float 0.5\nclip str " + Hex("3rd take") + " float 0.5\n";
    }
    EXPECT_EQ(ReadFileBytes(log), expected);
}
#endif

// A hand-written memo that shares one clip list among all its tracks reads in full: 3,660
// records from a shorter text.
TEST_F(MemoPanel, SharedClipListsReadInFull)
{
    zkh::XPanel &panel = OpenPanel();
    std::string text = "clips: &all\n";
    for (int i = 0; i < 60; ++i)
        text += "  - Name: c" + std::to_string(i) + "\n";
    text += "View:\n  Tracks:\n";
    for (int i = 0; i < 60; ++i)
        text += "  - {Name: t" + std::to_string(i) + ", Clips: *all}\n";
    ASSERT_LT(text.size(), 3660u);
    const std::string path = TempPath("shared.yaml");
    std::ofstream(path, std::ios::binary) << text;
    host.requesters.AnswerFile(path);
    ASSERT_TRUE(x().Press(panel, kImport));
    EXPECT_EQ(x().PopupItems(panel, kTracks).size(), 60u);
    x().SetInteger(panel, kTracks, 59);
    EXPECT_EQ(x().PopupItems(panel, kClips).size(), 60u);
    EXPECT_EQ(SaveMasterBlock(*master).size(), 2u + 60 * 3 + 60 * 60 * 5); // a clip: name, 2 times, 2 colour lines
}

// A memo name keeps as much as the scene block gives back (65,535 bytes, cut before a character
// the limit would split), whether it was imported, typed or loaded; names a YAML file cannot carry
// refuse the export with a message that names their place, and nothing is written.
TEST_F(MemoPanel, LongNamesKeepWhatTheSceneGivesBackAndUnwritableNamesRefuseTheExport)
{
    zkh::XPanel &panel = OpenPanel();
    std::string name = "a";
    while (name.size() < 80000)
        name += "\xe5\x90\x8d"; // 3 bytes
    const std::string kept = name.substr(0, 65533);
    const std::string path = TempPath("long.yaml");
    std::ofstream(path, std::ios::binary) << "View:\n  Tracks:\n    - {Name: " << name << ", Clips: [{Name: c}]}\n";
    host.requesters.AnswerFile(path);
    ASSERT_TRUE(x().Press(panel, kImport));
    EXPECT_EQ(x().Get(panel, kTrackName).text, kept);
    ASSERT_EQ(x().SetText(panel, kClipName, name), 1);
    EXPECT_EQ(x().Get(panel, kClipName).text, kept);
    ASSERT_TRUE(host.SaveScene(TempPath("long.lws")) && host.LoadScene(TempPath("long.lws"))) << host.messages.back();
    zkh::XPanel &reopened = OpenPanel();
    EXPECT_EQ(x().Get(reopened, kTrackName).text, kept);
    EXPECT_EQ(x().Get(reopened, kClipName).text, kept);

    const std::string refused = TempPath("refused.yaml");
    for (const auto &[cid, text, place] :
         {std::tuple{kTrackName, "caf\xe9", "track 1"}, {kClipName, "\xef\xbf\xbe", "clip 1 of track 1"}}) {
        ASSERT_EQ(x().SetText(reopened, cid, text), 1);
        host.requesters.AnswerFile(refused);
        ASSERT_TRUE(x().Press(reopened, kExport));
        EXPECT_EQ(host.commands.log.back(), "StatusMsg Cannot write " + refused + ": the name of " + place + " is not UTF-8 "
                  "text, or holds a Unicode noncharacter such as U+FFFE or U+FFFF, which YAML files cannot carry; "
                  "nothing was written");
        EXPECT_FALSE(std::filesystem::exists(refused));
        x().SetText(reopened, cid, "ok");
    }
}

TEST_F(MemoPanel, ExportAndImportThroughTheRequesters)
{
    zkh::XPanel &panel = OpenPanel();
    x().SetText(panel, kTrackName, "T");
    const std::string path = TempPath("memo.yaml"), other = TempPath("other.yaml");
    host.requesters.AnswerFile(path);
    ASSERT_TRUE(x().Press(panel, kExport));
    // Not a memo document: the memo stays and the status line says so.
    std::ofstream(other) << "just: a map\n";
    host.requesters.AnswerFile(other);
    ASSERT_TRUE(x().Press(panel, kImport));
    EXPECT_EQ(Popup(panel, kTracks), "0:T");
    EXPECT_EQ(host.commands.status.back(), other + " holds no memo tracks (View: Tracks): the memo is unchanged");
    // The titles are the Japanese texts in both languages; the import starts at the last path.
    Lines requests;
    for (const auto &r : host.requesters.fileLog)
        requests.push_back(std::to_string(r.type) + " " + r.title + " " + r.fileType + " " + r.path);
    EXPECT_EQ(requests, (Lines{std::to_string(FREQ_SAVE) + " 書き出し yaml ",
                               std::to_string(FREQ_LOAD) + " 読み込み *.yaml " + path}));

    // A cancelled requester changes nothing, not even the last path.
    host.requesters.CancelFile();
    x().Press(panel, kExport);
    host.requesters.CancelFile();
    x().Press(panel, kImport);
    EXPECT_EQ(host.requesters.fileLog.back().path, other);

    // An export that cannot be written says so.
    host.requesters.AnswerFile(TempPath("no/such/folder/memo.yaml"));
    x().Press(panel, kExport);
    EXPECT_EQ(host.commands.status.back(), "Cannot write " + TempPath("no/such/folder/memo.yaml"));
}

TEST_F(MemoPanel, ValuesNeedValidSelectionsAndAHost)
{
    zkh::XPanel &panel = OpenPanel();
    EXPECT_FALSE(x().Get(panel, kClipName).present); // no clip yet
    EXPECT_EQ(x().SetText(panel, kClipName, "x"), 0);
    x().SetInteger(panel, kTracks, 5);
    EXPECT_FALSE(x().Get(panel, kTrackName).present);
    EXPECT_EQ(x().SetInteger(panel, kEnable, 0), 0);
    EXPECT_TRUE(x().PopupItems(panel, kClips).empty());

    // Without scene info the frame fields have no value and cannot be set.
    x().SetInteger(panel, kTracks, 0);
    x().Press(panel, kCreateClip);
    host.services.Remove("LW Scene Info 12");
    EXPECT_FALSE(x().Get(panel, kStart).present);
    EXPECT_EQ(x().SetInteger(panel, kStart, 3), 0);

    // Deleting the only track leaves an empty memo, on which the other buttons do nothing.
    ASSERT_TRUE(x().Press(panel, kDeleteTrack));
    EXPECT_EQ(Popup(panel, kTracks), "0:");
    const size_t commands = host.commands.log.size();
    for (unsigned int button : {kUp, kDown, kDeleteTrack, kCreateClip, kDeleteClip})
        ASSERT_TRUE(x().Press(panel, button));
    EXPECT_EQ(host.commands.log.size(), commands);
    EXPECT_EQ(SaveMasterBlock(*master).size(), 2u);
    ASSERT_TRUE(x().Press(panel, kCreateTrack));
    EXPECT_EQ(Popup(panel, kTracks), "0:Track1");
}

class MemoWithoutServices : public MemoTest {};

TEST_F(MemoWithoutServices, NoViewPanelsNoPanelAndNoInterfaceInfoNoDrawing)
{
    host.services.Remove("LWXPanel 3");
    host.services.Remove("LW Interface Info 8");
    ASSERT_NE(AddMemo(), nullptr);
    EXPECT_EQ(host.masters.OpenPanel(kServer), nullptr);
    EXPECT_EQ(host.messages.back(), "MasterInterface ZK:TimeLineMemo: a required global service is missing");

    host.scene.viewports = {zkh::Viewport{}};
    zkh::DrawRecorder recorder(0);
    host.DrawViewport(0, recorder);
    EXPECT_TRUE(recorder.calls.empty());
}

} // namespace
