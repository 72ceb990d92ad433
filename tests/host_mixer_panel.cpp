// The clip mixer's options panel through the module file: layout, lists, selection, buttons,
// field edits, File popup, and the rebuild when it closes.
#include "mixer_panel_steps.h"
#include "module_fixture.h"
#include "process_support.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char kCheck[] = "\x03(i:MIMG_CHECKMARK)";

class MixerPanel : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        host.scene.AddNullObject("Controller");
        channel = host.scene.Channels()[1].id;
        dir = fs::temp_directory_path() / ("zk-mixer-panel-" + std::to_string(CurrentProcessId()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
        ModuleTest::TearDown();
    }

    zkh::ChannelModifier &Mixer()
    {
        if (!modifier)
            modifier = host.AddChannelHandler("ZK:ChanClipMixer", channel);
        EXPECT_NE(modifier, nullptr);
        return *modifier;
    }

    std::vector<std::string> Rows(zkh::Panel &panel, MixerControl list)
    {
        std::vector<std::string> rows;
        for (int row = 0; row < zkh::ListRowCount(Ctl(panel, list)); ++row) {
            std::string line;
            const std::vector<std::string> cells = zkh::ListRow(Ctl(panel, list), row);
            for (size_t i = 0; i < cells.size(); ++i)
                line += (i == 0 ? "" : "|") + cells[i];
            rows.push_back(line);
        }
        return rows;
    }

    std::string PathOf(const std::string &name) const { return (dir / name).string(); }

    std::uint32_t channel = 0;
    zkh::ChannelModifier *modifier = nullptr;
    fs::path dir;
};

TEST_F(MixerPanel, LayoutOfAFreshPanel)
{
    ASSERT_TRUE(RunOptions(host, Mixer(), [&](zkh::Panel &panel) {
        EXPECT_EQ(panel.title, "ZK:ChanClipMixer(1.00) build 250619");
        EXPECT_EQ(panel.w, 380);
        EXPECT_EQ(panel.h, 630);
        EXPECT_EQ(panel.openFlags, PANF_BLOCKING);
        ASSERT_EQ(panel.controls.size(), static_cast<size_t>(kMixerControlCount));
        struct Expected {
            const char *type;
            const char *label;
            int x, y;
        };
        const Expected expected[] = {
            {"TextControl", "\x03(i:MIMG_DOWNARROW) Clip", 4, 0},
            {"EditControl", "Name", 72 - 36, 20},
            {"NumControl", "Step", 72 - 36, 40},
            {"EditControl", "Sequence", 72 - 64, 60},
            {"MultiListBoxControl", "", 4, 84},
            {"ButtonControl", "Add", 4, 251},
            {"ButtonControl", "Delete", 89, 251},
            {"ButtonControl", "Up", 174, 251},
            {"ButtonControl", "Down", 259, 251},
            {"TextControl", "\x03(i:MIMG_DOWNARROW) Track", 4, 272},
            {"BoolControl", "Enable", 72 - 50, 292},
            {"NumControl", "In", 72 - 22, 312},
            {"NumControl", "Out", 72 - 29, 332},
            {"BoolControl", "Repeat", 72 - 50, 352},
            {"EditControl", "Sequence", 72 - 64, 372},
            {"MultiListBoxControl", "", 4, 396},
            {"ButtonControl", "Add", 4, 533},
            {"ButtonControl", "Delete", 89, 533},
            {"ButtonControl", "Up", 174, 533},
            {"ButtonControl", "Down", 259, 533},
            {"PopupControl", "File", 4 - 36, 571},
        };
        for (size_t i = 0; i < panel.controls.size(); ++i) {
            SCOPED_TRACE(i);
            const zkh::PanelControl &c = *panel.controls[i];
            EXPECT_EQ(c.type, expected[i].type);
            EXPECT_EQ(c.label, expected[i].label);
            EXPECT_EQ(c.x, expected[i].x);
            EXPECT_EQ(c.y, expected[i].y);
        }
        EXPECT_EQ(Ctl(panel, kClipName).desc.string.width, 12);
        EXPECT_EQ(Ctl(panel, kClipSequence).desc.string.width, 40);
        EXPECT_EQ(Ctl(panel, kClipAdd).desc.area.width, 83);
        EXPECT_EQ(Ctl(panel, kClipList).desc.multiList.width, 340);
        EXPECT_EQ(Ctl(panel, kClipList).desc.multiList.visItems, 8);
        EXPECT_EQ(Ctl(panel, kTrackList).desc.multiList.visItems, 6);
        EXPECT_EQ(Ctl(panel, kFilePopup).items, (std::vector<std::string>{"Import", "Export"}));

        // Two empty lists with their titles and column widths.
        EXPECT_EQ(zkh::ListRowCount(Ctl(panel, kClipList)), 0);
        EXPECT_EQ(zkh::ListRow(Ctl(panel, kClipList), -1), (std::vector<std::string>{"Name", "Step", "Sequence"}));
        EXPECT_EQ(zkh::ListColumnWidths(Ctl(panel, kClipList)), (std::vector<int>{60, 50, 210}));
        EXPECT_EQ(zkh::ListRow(Ctl(panel, kTrackList), -1),
                  (std::vector<std::string>{"Enable", "In", "Out", "Repeat", "Sequence"}));
        EXPECT_EQ(zkh::ListColumnWidths(Ctl(panel, kTrackList)), (std::vector<int>{30, 40, 40, 40, 250}));
        const auto &list = Ctl(panel, kClipList).desc.multiList;
        void *data = Ctl(panel, kClipList).userData;
        EXPECT_EQ(list.nameFn(data, 3, -1), nullptr); // beyond the last column
        EXPECT_EQ(list.nameFn(data, 0, 0), nullptr);  // beyond the last row
        EXPECT_EQ(list.nameFn(data, 0, -2), nullptr);
    }));
    EXPECT_EQ(host.panels.modalOpens, 1);
    // The host panel is released once the options end.
    EXPECT_TRUE(host.panels.Panels().empty());
}

TEST_F(MixerPanel, JapaneseTexts)
{
    host.services.SetLocale(1041);
    ASSERT_TRUE(RunOptions(host, Mixer(), [&](zkh::Panel &panel) {
        EXPECT_EQ(Ctl(panel, kClipHeader).label, "▼クリップ");
        EXPECT_EQ(Ctl(panel, kClipStep).label, "ステップ");
        EXPECT_EQ(Ctl(panel, kClipStep).x, 72 - (4 * 14 + 8));
        EXPECT_EQ(Ctl(panel, kTrackDown).label, "下に");
        EXPECT_EQ(Ctl(panel, kFilePopup).label, "ファイル");
        EXPECT_EQ(Ctl(panel, kFilePopup).items, (std::vector<std::string>{"読み込み", "書き出し"}));
        EXPECT_EQ(zkh::ListRow(Ctl(panel, kTrackList), -1),
                  (std::vector<std::string>{"有効", "イン", "アウト", "リピート", "シーケンス"}));
        Press(panel, kClipAdd);
        SetAndFire(panel, kClipStep, 0);
    }));
    EXPECT_EQ(host.commands.log,
              (std::vector<std::string>{"StatusMsg {1.0} クリップのステップが異常です！(name='A', step=0)"}));
}

TEST_F(MixerPanel, AddShowsTheNewRecordInTheFields)
{
    ASSERT_TRUE(RunOptions(host, Mixer(), [&](zkh::Panel &panel) {
        Press(panel, kClipAdd);
        EXPECT_EQ(Rows(panel, kClipList), (std::vector<std::string>{"A|3|1 2 3 4 5"}));
        EXPECT_EQ(Ctl(panel, kClipName).text, "A");
        EXPECT_EQ(Ctl(panel, kClipStep).intValue, 3);
        EXPECT_EQ(Ctl(panel, kClipSequence).text, "1 2 3 4 5");
        EXPECT_GE(zkh::ListRedraws(Ctl(panel, kClipList)), 1);
        Press(panel, kClipAdd);
        EXPECT_EQ(Ctl(panel, kClipName).text, "B");

        Press(panel, kTrackAdd);
        EXPECT_EQ(Rows(panel, kTrackList), (std::vector<std::string>{std::string(kCheck) + "|1|120|" + kCheck + "|A"}));
        EXPECT_EQ(Ctl(panel, kTrackEnable).intValue, 1);
        EXPECT_EQ(Ctl(panel, kTrackIn).intValue, 1);
        EXPECT_EQ(Ctl(panel, kTrackOut).intValue, 120);
        EXPECT_EQ(Ctl(panel, kTrackRepeat).intValue, 1);
        EXPECT_EQ(Ctl(panel, kTrackSequence).text, "A");
        SetAndFire(panel, kTrackRepeat, 2); // booleans are true only for 1
        SetAndFire(panel, kTrackEnable, 0);
        EXPECT_EQ(Rows(panel, kTrackList), (std::vector<std::string>{"|1|120||A"}));
    }));
    EXPECT_TRUE(host.commands.log.empty());
}

TEST_F(MixerPanel, SelectionAndFieldEdits)
{
    ASSERT_TRUE(RunOptions(host, Mixer(), [&](zkh::Panel &panel) {
        for (int i = 0; i < 4; ++i)
            Press(panel, kClipAdd);
        // Clips 1 and 3 selected: a step of 5 sets both.
        SelectOnly(panel, kClipList, {1, 3});
        EXPECT_EQ(Ctl(panel, kClipName).text, "D"); // the last row clicked
        SetAndFire(panel, kClipStep, 5);
        SetAndFire(panel, kClipSequence, "9 8");
        EXPECT_EQ(Rows(panel, kClipList),
                  (std::vector<std::string>{"A|3|1 2 3 4 5", "B|5|9 8", "C|3|1 2 3 4 5", "D|5|9 8"}));
        // Unselecting a row still shows it in the fields.
        zkh::ListSelect(Ctl(panel, kClipList), 0, true);
        zkh::ListSelect(Ctl(panel, kClipList), 0, false);
        EXPECT_EQ(Ctl(panel, kClipName).text, "A");
        SetAndFire(panel, kClipName, "x");
        EXPECT_EQ(Rows(panel, kClipList),
                  (std::vector<std::string>{"A|3|1 2 3 4 5", "x|5|9 8", "C|3|1 2 3 4 5", "x|5|9 8"}));
        // Rows out of range change nothing; row -2 clears the selection without a field load.
        zkh::ListSelect(Ctl(panel, kClipList), 17, true);
        zkh::ListSelect(Ctl(panel, kClipList), -2, false);
        SetAndFire(panel, kClipStep, 7);
        EXPECT_EQ(Rows(panel, kClipList),
                  (std::vector<std::string>{"A|3|1 2 3 4 5", "x|5|9 8", "C|3|1 2 3 4 5", "x|5|9 8"}));
        // A field text is read through a 512-byte buffer.
        SelectOnly(panel, kClipList, {0});
        SetAndFire(panel, kClipSequence, std::string(600, '1'));
        EXPECT_EQ(Rows(panel, kClipList)[0], "A|3|" + std::string(511, '1'));
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
        SelectOnly(panel, kClipList, {0, 1});
        Press(panel, kClipUp);
        EXPECT_EQ(names(), "ABCD");
        SelectOnly(panel, kClipList, {1, 2});
        Press(panel, kClipUp);
        EXPECT_EQ(names(), "BCAD");
        Press(panel, kClipDown);
        EXPECT_EQ(names(), "ABCD");
        SelectOnly(panel, kClipList, {2, 3});
        Press(panel, kClipDown);
        EXPECT_EQ(names(), "ABCD");
        SelectOnly(panel, kClipList, {0, 2});
        Press(panel, kClipDown);
        EXPECT_EQ(names(), "BADC");
        // Delete with nothing selected changes nothing; with rows selected removes them.
        zkh::ListSelect(Ctl(panel, kClipList), -1, false);
        Press(panel, kClipDelete);
        Press(panel, kClipUp);
        EXPECT_EQ(names(), "BADC");
        SelectOnly(panel, kClipList, {0, 3});
        Press(panel, kClipDelete);
        EXPECT_EQ(names(), "AD");
        Press(panel, kTrackAdd);
        Press(panel, kTrackAdd);
        Press(panel, kTrackDelete); // the second, the only selected one
        EXPECT_EQ(Rows(panel, kTrackList).size(), 1u);
    }));
}

TEST_F(MixerPanel, ClosingRebuildsAndReportsTheFirstProblem)
{
    host.scene.FindChannel(channel)->keys[0.0] = 3.0;
    ASSERT_TRUE(RunOptions(host, Mixer(), [&](zkh::Panel &panel) {
        Press(panel, kClipAdd);
        SetAndFire(panel, kClipStep, 0);
        Press(panel, kTrackAdd);
    }));
    EXPECT_EQ(host.commands.log, (std::vector<std::string>{"StatusMsg {1.0} Step of clip is invalid!(name='A', step=0)"}));
    EXPECT_EQ(host.EvaluateChannel(channel, 1), 3.0);

    // Selections persist between openings; fixing the step and closing (even by Cancel) compiles.
    host.commands.log.clear();
    host.panels.modalScripts.push_back([](zkh::Panel &panel) {
        EXPECT_EQ(zkh::ListRowCount(Ctl(panel, kClipList)), 1);
        SetAndFire(panel, kClipStep, 1);
        return 0;
    });
    std::string error;
    ASSERT_TRUE(host.OpenChannelOptions(Mixer(), error));
    EXPECT_EQ(error, "");
    EXPECT_TRUE(host.commands.log.empty());
    EXPECT_EQ(host.EvaluateChannel(channel, 1), 4.0);
    EXPECT_EQ(host.EvaluateChannel(channel, 5), 3.0 + 5.0);
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
    EXPECT_EQ(host.commands.log,
              (std::vector<std::string>{"StatusMsg {1.0} Track in-out is invalid!(track_in=1, track_out=10000000)"}));
    EXPECT_EQ(host.EvaluateChannel(channel, 10000000), 5.0);
}

// Names and tokens are quoted in messages up to 200 bytes, cut at a character boundary: a 10 MB
// name from a file gives a short status line, however often the panel closes.
TEST_F(MixerPanel, LongNamesAreCutInMessages)
{
    std::string jp;
    for (int i = 0; i < 100; ++i)
        jp += "\xE3\x81\x82"; // a hiragana of three bytes
    const auto importClip = [&](const std::string &name, const std::string &step, const std::string &sequence) {
        std::ofstream(PathOf("clip.xml")) << "<chanClipMixer format=\"3.1\"><clips><clip name=\"" << name
                                          << "\" step=\"" << step << "\" seq=\"" << sequence
                                          << "\"/></clips></chanClipMixer>";
        zkh::ChannelModifier *mixer = host.AddChannelHandler("ZK:ChanClipMixer", channel);
        ASSERT_NE(mixer, nullptr);
        host.requesters.AnswerFile(PathOf("clip.xml"));
        ASSERT_TRUE(RunOptions(host, *mixer, [&](zkh::Panel &panel) { SetAndFire(panel, kFilePopup, 0); }));
    };
    importClip(std::string(10000000, 'n'), "1", "1");
    importClip("a" + jp, "0", "1");
    importClip("a" + jp, "1", "1 " + std::string(300, 'x'));
    EXPECT_EQ(host.commands.log,
              (std::vector<std::string>{
                  "StatusMsg {1.0} Clip name is invalid!(name='" + std::string(200, 'n') + "...')",
                  "StatusMsg {1.0} Step of clip is invalid!(name='a" + jp.substr(0, 198) + "...', step=0)",
                  "StatusMsg {1.0} Sequence of clip is invalid!(name='a" + jp.substr(0, 198) + "...', value='" +
                      std::string(200, 'x') + "...')"}));
}

TEST_F(MixerPanel, ImportExportThroughTheFilePopup)
{
    const std::string exported = PathOf("clips");
    ASSERT_TRUE(RunOptions(host, Mixer(), [&](zkh::Panel &panel) {
        Press(panel, kClipAdd);
        SetAndFire(panel, kClipName, "Q&<A>");
        Press(panel, kTrackAdd);
        SetAndFire(panel, kTrackSequence, "Q&<A>:2");
        host.requesters.AnswerFile(exported);
        SetAndFire(panel, kFilePopup, 1);
        // Import of the same file appends: the lists double and show at once.
        host.requesters.AnswerFile(exported + ".xml");
        SetAndFire(panel, kFilePopup, 0);
        EXPECT_EQ(Rows(panel, kClipList), (std::vector<std::string>{"Q&<A>|3|1 2 3 4 5", "Q&<A>|3|1 2 3 4 5"}));
        EXPECT_EQ(zkh::ListRowCount(Ctl(panel, kTrackList)), 2);
        // A cancelled requester changes nothing.
        host.requesters.CancelFile();
        SetAndFire(panel, kFilePopup, 0);
        EXPECT_EQ(zkh::ListRowCount(Ctl(panel, kClipList)), 2);
    }));
    ASSERT_EQ(host.requesters.fileLog.size(), 3u);
    EXPECT_EQ(host.requesters.fileLog[0].type, FREQ_SAVE);
    EXPECT_EQ(host.requesters.fileLog[0].title, "Export");
    EXPECT_EQ(host.requesters.fileLog[0].fileType, "xml");
    EXPECT_EQ(host.requesters.fileLog[0].path, "");
    EXPECT_EQ(host.requesters.fileLog[1].type, FREQ_LOAD);
    EXPECT_EQ(host.requesters.fileLog[1].title, "Import");
    EXPECT_EQ(host.requesters.fileLog[1].fileType, "*.xml");
    EXPECT_EQ(host.requesters.fileLog[1].path, exported + ".xml"); // the last path used
    EXPECT_TRUE(fs::exists(exported + ".xml"));
    EXPECT_TRUE(host.commands.log.empty()) << host.commands.log[0];

    // A fresh instance imports every field back; a non-mixer file is refused.
    zkh::ChannelModifier *other = host.AddChannelHandler("ZK:ChanClipMixer", channel);
    ASSERT_NE(other, nullptr);
    std::ofstream(PathOf("other.xml")) << "<ChanClipMixer/>";
    host.requesters.AnswerFile(PathOf("other.xml"));
    host.requesters.AnswerFile(exported + ".xml");
    ASSERT_TRUE(RunOptions(host, *other, [&](zkh::Panel &panel) {
        SetAndFire(panel, kFilePopup, 0);
        EXPECT_EQ(zkh::ListRowCount(Ctl(panel, kClipList)), 0);
        SetAndFire(panel, kFilePopup, 0);
        EXPECT_EQ(Rows(panel, kTrackList), (std::vector<std::string>{std::string(kCheck) + "|1|120|" + kCheck + "|Q&<A>:2"}));
    }));
    EXPECT_EQ(host.commands.log, (std::vector<std::string>{"StatusMsg {1.0} not data file!"}));
    EXPECT_EQ(host.EvaluateChannel(channel, 1), 1.0 + 1.0); // both mixers: 0 + 1 + 1
}

// Control characters are written as character references, which XML readers neither normalise
// nor refuse: every text reads back byte for byte.
TEST_F(MixerPanel, ControlCharactersSurviveExportAndImport)
{
    const std::string name = "a\rb\r\nc\td\x01\x1f\x7f\xe5\x90\x8d";
    const std::string sequence = "1\r2\n3\t4 \r\n";
    const std::string trackSequence = "a\rb:2\r\n";
    const std::string file = PathOf("controls.xml");
    ASSERT_TRUE(RunOptions(host, Mixer(), [&](zkh::Panel &panel) {
        Press(panel, kClipAdd);
        SetAndFire(panel, kClipName, name);
        SetAndFire(panel, kClipSequence, sequence);
        Press(panel, kTrackAdd);
        SetAndFire(panel, kTrackSequence, trackSequence);
        host.requesters.AnswerFile(file);
        SetAndFire(panel, kFilePopup, 1);
    }));
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    EXPECT_NE(bytes.str().find("<clip name=\"a&#13;b&#13;&#10;c&#9;d&#1;&#31;\x7f\xe5\x90\x8d\" step=\"3\" "
                               "seq=\"1&#13;2&#10;3&#9;4 &#13;&#10;\"/>"),
              std::string::npos)
        << bytes.str();

    zkh::ChannelModifier *other = host.AddChannelHandler("ZK:ChanClipMixer", channel);
    ASSERT_NE(other, nullptr);
    host.requesters.AnswerFile(file);
    ASSERT_TRUE(RunOptions(host, *other, [&](zkh::Panel &panel) {
        SetAndFire(panel, kFilePopup, 0);
        EXPECT_EQ(Rows(panel, kClipList), (std::vector<std::string>{name + "|3|" + sequence}));
        EXPECT_EQ(Rows(panel, kTrackList),
                  (std::vector<std::string>{std::string(kCheck) + "|1|120|" + kCheck + "|" + trackSequence}));
    }));
}

TEST_F(MixerPanel, MissingPanelServiceStillCompiles)
{
    host.services.Remove("LWPanelServices 3");
    std::string error;
    ASSERT_TRUE(host.OpenChannelOptions(Mixer(), error));
    EXPECT_EQ(error, "Cannot open the clip mixer panel!");
    EXPECT_EQ(host.panels.modalOpens, 0);

    host.services.SetLocale(1041);
    ASSERT_TRUE(host.OpenChannelOptions(Mixer(), error));
    EXPECT_EQ(error, "クリップミキサーのパネルを開けません！");
}

TEST_F(MixerPanel, RefusedControlsCloseNothingOpen)
{
    // A host panel that refuses the list control: the options report it and open nothing.
    LWPanelFuncs *funcs = host.panels.Funcs();
    static LWControl *(*original)(LWPanelID, const char *, LWPanControlDesc *, const char *) = nullptr;
    original = funcs->addControl;
    funcs->addControl = [](LWPanelID panel, const char *type, LWPanControlDesc *desc, const char *label) -> LWControl * {
        return std::string(type) == "MultiListBoxControl" ? nullptr : original(panel, type, desc, label);
    };
    std::string error;
    ASSERT_TRUE(host.OpenChannelOptions(Mixer(), error));
    funcs->addControl = original;
    EXPECT_EQ(error, "Cannot open the clip mixer panel!");
    EXPECT_EQ(host.panels.modalOpens, 0);
    EXPECT_TRUE(host.panels.Panels().empty());
}

} // namespace
