// The clip mixer's options panel through the module file: layout, lists, selection, buttons,
// field edits, File popup, and the rebuild when it closes.
#include "mixer_panel_steps.h"
#include "panel_layout.h"

namespace {

const std::string kCheck = "\x03(i:MIMG_CHECKMARK)";

class MixerPanel : public MixerTest {
protected:
    zkh::ChannelModifier &Mixer()
    {
        if (!modifier)
            modifier = AddMixer();
        return *modifier;
    }

    // The list's rows, cells joined by '|'.
    Lines Rows(zkh::Panel &panel, MixerControl list)
    {
        Lines rows;
        for (int row = 0; row < zkh::ListRowCount(Ctl(panel, list)); ++row) {
            std::string line;
            for (const std::string &cell : zkh::ListRow(Ctl(panel, list), row))
                line += "|" + cell;
            rows.push_back(line.empty() ? line : line.substr(1));
        }
        return rows;
    }

    zkh::ChannelModifier *modifier = nullptr;
};

TEST_F(MixerPanel, LayoutInBothLanguages)
{
    struct Row {
        const char *type, *english, *japanese;
        int xEnglish, xJapanese, y;
    };
    // Side labels end at x = 72 (7 pixels a character, 14 a wide one, plus 8); the File popup's field starts at 4.
    const Row rows[kMixerControlCount] = {
        {"TextControl", "\x03(i:MIMG_DOWNARROW) Clip", "▼クリップ", 4, 4, 0},
        {"EditControl", "Name", "名前", 36, 36, 20},
        {"NumControl", "Step", "ステップ", 36, 8, 40},
        {"EditControl", "Sequence", "シーケンス", 8, -6, 60},
        {"MultiListBoxControl", "", "", 4, 4, 84},
        {"ButtonControl", "Add", "追加", 4, 4, 251},          {"ButtonControl", "Delete", "削除", 89, 89, 251},
        {"ButtonControl", "Up", "上に", 174, 174, 251},       {"ButtonControl", "Down", "下に", 259, 259, 251},
        {"TextControl", "\x03(i:MIMG_DOWNARROW) Track", "▼トラック", 4, 4, 272},
        {"BoolControl", "Enable", "有効", 22, 36, 292},
        {"NumControl", "In", "イン", 50, 36, 312},
        {"NumControl", "Out", "アウト", 43, 22, 332},
        {"BoolControl", "Repeat", "リピート", 22, 8, 352},
        {"EditControl", "Sequence", "シーケンス", 8, -6, 372},
        {"MultiListBoxControl", "", "", 4, 4, 396},
        {"ButtonControl", "Add", "追加", 4, 4, 533},          {"ButtonControl", "Delete", "削除", 89, 89, 533},
        {"ButtonControl", "Up", "上に", 174, 174, 533},       {"ButtonControl", "Down", "下に", 259, 259, 533},
        {"PopupControl", "File", "ファイル", -32, -60, 571},
    };
    zkh::Panel english, japanese;
    for (bool inJapanese : {false, true}) {
        SCOPED_TRACE(inJapanese ? "Japanese" : "English");
        host.services.SetLocale(inJapanese ? 1041 : 1033);
        zkh::ChannelModifier *mixer = AddMixer();
        ASSERT_NE(mixer, nullptr);
        ASSERT_TRUE(RunOptions(host, *mixer, [&](zkh::Panel &panel) {
            EXPECT_EQ(panel.title, "ZK:ChanClipMixer(1.00) build 250619");
            EXPECT_EQ(panel.openFlags, PANF_BLOCKING);
            (inJapanese ? japanese : english) = Snapshot(panel);
            EXPECT_EQ(Ctl(panel, kFile).items, (inJapanese ? Lines{"読み込み", "書き出し"} : Lines{"Import", "Export"}));
            EXPECT_EQ(zkh::ListRow(Ctl(panel, kClipList), -1),
                      (inJapanese ? Lines{"名前", "ステップ", "シーケンス"} : Lines{"Name", "Step", "Sequence"}));
            EXPECT_EQ(zkh::ListRow(Ctl(panel, kTrackList), -1),
                      (inJapanese ? Lines{"有効", "イン", "アウト", "リピート", "シーケンス"}
                                  : Lines{"Enable", "In", "Out", "Repeat", "Sequence"}));
            // Nothing beyond the last column or row; the lists' columns (asked while the lists exist).
            const auto &list = Ctl(panel, kClipList).desc.multiList;
            for (auto [row, column] : {std::pair{-1, 3}, std::pair{0, 0}, std::pair{-2, 0}})
                EXPECT_EQ(list.nameFn(Ctl(panel, kClipList).userData, row, column), nullptr);
            EXPECT_EQ(zkh::ListColumnWidths(Ctl(panel, kClipList)), (std::vector<int>{60, 50, 210}));
            EXPECT_EQ(zkh::ListColumnWidths(Ctl(panel, kTrackList)), (std::vector<int>{30, 40, 40, 40, 250}));
        }));
        const zkh::Panel &panel = inJapanese ? japanese : english;
        EXPECT_EQ(std::to_string(panel.w) + "x" + std::to_string(panel.h), "380x630");
        ASSERT_EQ(panel.controls.size(), static_cast<size_t>(kMixerControlCount));
        for (size_t i = 0; i < panel.controls.size(); ++i) {
            SCOPED_TRACE(i);
            const zkh::PanelControl &c = *panel.controls[i];
            EXPECT_EQ(c.type + " " + c.label + " " + std::to_string(c.x) + "," + std::to_string(c.y),
                      std::string(rows[i].type) + " " + (inJapanese ? rows[i].japanese : rows[i].english) + " " +
                          std::to_string(inJapanese ? rows[i].xJapanese : rows[i].xEnglish) + "," + std::to_string(rows[i].y));
        }
    }
    ExpectSameControls(english, japanese);
    ExpectControlsInsideAndApart(english);
    ExpectControlsInsideAndApart(japanese);
    EXPECT_EQ(host.panels.modalOpens, 2);
    EXPECT_TRUE(host.panels.Panels().empty()); // released once the options end

    // What the module asks for: field widths in characters, list widths, rows and columns.
    const std::vector<int> asked = {
        Ctl(english, kClipName).desc.string.width, Ctl(english, kClipSequence).desc.string.width,
        Ctl(english, kClipAdd).desc.area.width, Ctl(english, kClipList).desc.multiList.width,
        Ctl(english, kClipList).desc.multiList.visItems, Ctl(english, kTrackList).desc.multiList.visItems};
    EXPECT_EQ(asked, (std::vector<int>{12, 40, 83, 340, 8, 6}));
}

TEST_F(MixerPanel, AddSelectionAndFieldEdits)
{
    ASSERT_TRUE(RunOptions(host, Mixer(), [&](zkh::Panel &panel) {
        Press(panel, kClipAdd); // the new record shows in the fields
        EXPECT_EQ(Ctl(panel, kClipName).text + "|" + std::to_string(Ctl(panel, kClipStep).intValue) + "|" +
                      Ctl(panel, kClipSequence).text,
                  "A|3|1 2 3 4 5");
        EXPECT_GE(zkh::ListRedraws(Ctl(panel, kClipList)), 1);
        for (int i = 0; i < 3; ++i)
            Press(panel, kClipAdd);
        // Clips 3 and 1 selected: a step of 5 sets both.
        SelectOnly(panel, kClipList, {3, 1});
        EXPECT_EQ(Ctl(panel, kClipName).text, "B"); // the last row clicked
        SetAndFire(panel, kClipStep, 5);
        SetAndFire(panel, kClipSequence, "9 8");
        EXPECT_EQ(Rows(panel, kClipList), (Lines{"A|3|1 2 3 4 5", "B|5|9 8", "C|3|1 2 3 4 5", "D|5|9 8"}));
        // Unselecting a row still shows it in the fields.
        zkh::ListSelect(Ctl(panel, kClipList), 0, true);
        zkh::ListSelect(Ctl(panel, kClipList), 0, false);
        EXPECT_EQ(Ctl(panel, kClipName).text, "A");
        SetAndFire(panel, kClipName, "x");
        const Lines edited = {"A|3|1 2 3 4 5", "x|5|9 8", "C|3|1 2 3 4 5", "x|5|9 8"};
        EXPECT_EQ(Rows(panel, kClipList), edited);
        // Rows out of range change nothing; row -2 clears the selection without a field load.
        zkh::ListSelect(Ctl(panel, kClipList), 17, true);
        zkh::ListSelect(Ctl(panel, kClipList), -2, false);
        SetAndFire(panel, kClipStep, 7);
        EXPECT_EQ(Rows(panel, kClipList), edited);
        // A field text is read through a 512-byte buffer.
        SelectOnly(panel, kClipList, {0});
        SetAndFire(panel, kClipSequence, std::string(600, '1'));
        EXPECT_EQ(Rows(panel, kClipList)[0], "A|3|" + std::string(511, '1'));

        Press(panel, kTrackAdd);
        EXPECT_EQ(Rows(panel, kTrackList), Lines{kCheck + "|1|120|" + kCheck + "|A"});
        EXPECT_EQ((std::vector<int>{Ctl(panel, kTrackEnable).intValue, Ctl(panel, kTrackIn).intValue,
                                    Ctl(panel, kTrackOut).intValue, Ctl(panel, kTrackRepeat).intValue}),
                  (std::vector<int>{1, 1, 120, 1}));
        EXPECT_EQ(Ctl(panel, kTrackSequence).text, "A");
        SetAndFire(panel, kTrackRepeat, 2); // booleans are true only for 1
        SetAndFire(panel, kTrackEnable, 0);
        EXPECT_EQ(Rows(panel, kTrackList), Lines{"|1|120||A"});
        EXPECT_TRUE(host.commands.log.empty()); // nothing is sent while the panel is open
    }));
}

TEST_F(MixerPanel, UpDownAndDelete)
{
    ASSERT_TRUE(RunOptions(host, Mixer(), [&](zkh::Panel &panel) {
        for (int i = 0; i < 4; ++i)
            Press(panel, kClipAdd);
        auto names = [&] {
            std::string text;
            for (const std::string &row : Rows(panel, kClipList))
                text += row.substr(0, 1);
            return text;
        };
        struct Step {
            bool select;
            std::vector<int> rows; // clicked after clearing the selection
            MixerControl button;
            const char *after;
        };
        const Step steps[] = {{true, {0, 1}, kClipUp, "ABCD"},   {true, {1, 2}, kClipUp, "BCAD"},
                              {false, {}, kClipDown, "ABCD"},    {true, {2, 3}, kClipDown, "ABCD"},
                              {true, {0, 2}, kClipDown, "BADC"}, {true, {}, kClipDelete, "BADC"},
                              {false, {}, kClipUp, "BADC"},      {true, {0, 3}, kClipDelete, "AD"}};
        for (const Step &step : steps) {
            if (step.select)
                SelectOnly(panel, kClipList, step.rows);
            Press(panel, step.button);
            EXPECT_EQ(names(), step.after);
        }
        Press(panel, kTrackAdd);
        Press(panel, kTrackAdd);
        Press(panel, kTrackDelete); // the second, the only selected one
        EXPECT_EQ(Rows(panel, kTrackList).size(), 1u);
    }));
}

TEST_F(MixerPanel, ClosingRebuildsAndReportsTheFirstProblem)
{
    host.scene.FindChannel(channel)->envelope = zkh::ConstantEnvelope(3.0);
    ASSERT_TRUE(RunOptions(host, Mixer(), [&](zkh::Panel &panel) {
        Press(panel, kClipAdd);
        SetAndFire(panel, kClipStep, 0);
        Press(panel, kTrackAdd);
    }));
    EXPECT_EQ(host.commands.log, Lines{"StatusMsg {1.0} Step of clip is invalid!(name='A', step=0)"});
    EXPECT_EQ(host.channelHandlers.Evaluate(channel, 1), 3.0);

    // Selections persist between openings; fixing the step and closing (even by Cancel) compiles.
    host.commands.log.clear();
    host.panels.modalScripts.push_back([](zkh::Panel &panel) {
        EXPECT_EQ(zkh::ListRowCount(Ctl(panel, kClipList)), 1);
        SetAndFire(panel, kClipStep, 1);
        return 0;
    });
    std::string error;
    ASSERT_TRUE(host.channelHandlers.OpenOptions(Mixer(), error));
    EXPECT_EQ(error, "");
    EXPECT_TRUE(host.commands.log.empty());
    EXPECT_EQ(host.channelHandlers.Evaluate(channel, 1), 4.0);
    EXPECT_EQ(host.channelHandlers.Evaluate(channel, 5), 3.0 + 5.0);
}

// All the tables of a mixer together hold at most 20 million entries: two tracks of ten million
// frames after a clip of 5 values pass it, and the second is refused before its table is built;
// the tables built before it work.
TEST_F(MixerPanel, TablesTogetherAreBounded)
{
    ASSERT_TRUE(RunOptions(host, Mixer(), [&](zkh::Panel &panel) {
        Press(panel, kClipAdd);
        SetAndFire(panel, kClipStep, 1);
        for (int i = 0; i < 2; ++i) {
            Press(panel, kTrackAdd);
            SetAndFire(panel, kTrackOut, 10000000);
        }
    }));
    EXPECT_EQ(host.commands.log, Lines{"StatusMsg {1.0} Track in-out is invalid!(track_in=1, track_out=10000000)"});
    EXPECT_EQ(host.channelHandlers.Evaluate(channel, 10000000), 5.0);
}

// Names and tokens are quoted in messages up to 200 bytes, cut at a character boundary: a 10 MB
// name from a file gives a short status line, however often the panel closes.
TEST_F(MixerPanel, LongNamesAreCutInMessages)
{
    std::string jp;
    for (int i = 0; i < 100; ++i)
        jp += "\xE3\x81\x82"; // a hiragana of three bytes
    const auto importClip = [&](const std::string &name, const std::string &step, const std::string &sequence) {
        zkh::ChannelModifier *mixer = AddMixer();
        ASSERT_NE(mixer, nullptr);
        Import(*mixer, "<chanClipMixer format=\"3.1\"><clips><clip name=\"" + name + "\" step=\"" + step + "\" seq=\"" +
                           sequence + "\"/></clips></chanClipMixer>");
    };
    importClip(std::string(10000000, 'n'), "1", "1");
    importClip("a" + jp, "0", "1");
    importClip("a" + jp, "1", "1 " + std::string(300, 'x'));
    EXPECT_EQ(host.commands.log,
              (Lines{"StatusMsg {1.0} Clip name is invalid!(name='" + std::string(200, 'n') + "...')",
                     "StatusMsg {1.0} Step of clip is invalid!(name='a" + jp.substr(0, 198) + "...', step=0)",
                     "StatusMsg {1.0} Sequence of clip is invalid!(name='a" + jp.substr(0, 198) + "...', value='" +
                         std::string(200, 'x') + "...')"}));
}

// TAB, LF and CR are written as character references, which XML readers neither normalise nor
// refuse: every text reads back byte for byte. Other control characters cannot be held by an XML
// file: the export names the clip and writes nothing. An import appends to the lists.
TEST_F(MixerPanel, ControlCharactersSurviveExportAndImport)
{
    const std::string name = "a\rb\r\nc\td\x7f\xe5\x90\x8d", sequence = "1\r2\n3\t4 \r\n";
    const std::string trackSequence = "a\rb:2\r\n", exported = PathOf("controls");
    std::ofstream(PathOf("other.xml")) << "<ChanClipMixer/>";
    ASSERT_TRUE(RunOptions(host, Mixer(), [&](zkh::Panel &panel) {
        Press(panel, kClipAdd);
        SetAndFire(panel, kClipName, name);
        SetAndFire(panel, kClipSequence, sequence);
        Press(panel, kTrackAdd);
        SetAndFire(panel, kTrackSequence, trackSequence);
        host.requesters.AnswerFile(exported);
        SetAndFire(panel, kFile, 1);
        host.requesters.AnswerFile(exported + ".xml");
        SetAndFire(panel, kFile, 0);
        EXPECT_EQ(Rows(panel, kClipList), Lines(2, name + "|3|" + sequence));
        EXPECT_EQ(Rows(panel, kTrackList), Lines(2, kCheck + "|1|120|" + kCheck + "|" + trackSequence));
        // A cancelled requester, or a file that is no mixer's, changes nothing.
        host.requesters.CancelFile();
        SetAndFire(panel, kFile, 0);
        host.requesters.AnswerFile(PathOf("other.xml"));
        SetAndFire(panel, kFile, 0);
        EXPECT_EQ(zkh::ListRowCount(Ctl(panel, kClipList)), 2);
        SetAndFire(panel, kClipName, "x\x01y");
        host.requesters.AnswerFile(PathOf("refused.xml"));
        SetAndFire(panel, kFile, 1);
    }));
    const std::string bytes = ReadFileBytes(exported + ".xml");
    EXPECT_NE(bytes.find("<clip name=\"a&#13;b&#13;&#10;c&#9;d\x7f\xe5\x90\x8d\" step=\"3\" "
                         "seq=\"1&#13;2&#10;3&#9;4 &#13;&#10;\"/>"),
              std::string::npos)
        << bytes;
    EXPECT_FALSE(std::filesystem::exists(PathOf("refused.xml")));
    Lines requests;
    for (const auto &r : host.requesters.fileLog)
        requests.push_back(std::to_string(r.type) + " " + r.title + " " + r.fileType + " " + r.path);
    const std::string import = std::to_string(FREQ_LOAD) + " Import *.xml " + exported + ".xml"; // the last path
    EXPECT_EQ(requests, (Lines{std::to_string(FREQ_SAVE) + " Export xml ", import, import, import,
                               std::to_string(FREQ_SAVE) + " Export xml " + PathOf("other.xml")}));
    EXPECT_EQ(Lines(host.commands.log.begin(), host.commands.log.begin() + 2),
              (Lines{"StatusMsg {1.0} not data file!",
                     "StatusMsg {1.0} Clip has a character that cannot be written!(name='x y')"}));
}

// Without the panel service (in both languages), or with a host panel that refuses the list
// control, the options report it and open nothing.
TEST_F(MixerPanel, MissingPanelServiceStillCompiles)
{
    void *const service = host.services.Lookup("LWPanelServices 3");
    host.services.Remove("LWPanelServices 3");
    std::string error;
    ASSERT_TRUE(host.channelHandlers.OpenOptions(Mixer(), error));
    EXPECT_EQ(error, "Cannot open the clip mixer panel!");
    host.services.SetLocale(1041);
    ASSERT_TRUE(host.channelHandlers.OpenOptions(Mixer(), error));
    EXPECT_EQ(error, "クリップミキサーのパネルを開けません！");

    host.services.SetLocale(1033);
    host.services.Set("LWPanelServices 3", service);
    zkh::ChannelModifier *other = AddMixer();
    ASSERT_NE(other, nullptr);
    LWPanelFuncs *funcs = host.panels.Funcs();
    static LWControl *(*original)(LWPanelID, const char *, LWPanControlDesc *, const char *) = nullptr;
    original = funcs->addControl;
    funcs->addControl = [](LWPanelID panel, const char *type, LWPanControlDesc *desc, const char *label) -> LWControl * {
        return std::string(type) == "MultiListBoxControl" ? nullptr : original(panel, type, desc, label);
    };
    ASSERT_TRUE(host.channelHandlers.OpenOptions(*other, error));
    funcs->addControl = original;
    EXPECT_EQ(error, "Cannot open the clip mixer panel!");
    EXPECT_TRUE(host.panels.Panels().empty());
    EXPECT_EQ(host.panels.modalOpens, 0);
}

} // namespace
