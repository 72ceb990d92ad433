// The timeline memo's master handler through the module file: one instance, scene block, events.
#include "memo_fixture.h"
#include "lwsc/plugin_data.h"

#include <fstream>

namespace {


// Track A with clip x at 2.5 s for 0.5 s, white on (0.5, 0, 0), entered through the panel.
void FillExample(zkh::Host &host, zkh::XPanel &panel)
{
    zkh::XPanels &x = host.xpanels;
    ASSERT_EQ(x.SetText(panel, 0x800D, "A"), 1);
    host.scene.time = 2.5;
    ASSERT_TRUE(x.Press(panel, 0x8010)); // Create Clip
    ASSERT_EQ(x.SetText(panel, 0x8014, "x"), 1);
    ASSERT_EQ(x.SetInteger(panel, 0x8015, 60), 1); // 2.5 s at 24 fps
    ASSERT_EQ(x.SetInteger(panel, 0x8016, 12), 1); // 0.5 s
    ASSERT_EQ(x.SetColor(panel, 0x8017, {1.0, 1.0, 1.0}), 1);
    ASSERT_EQ(x.SetColor(panel, 0x8018, {0.5, 0.0, 0.0}), 1);
}

class MemoMaster : public MemoTest {};

TEST_F(MemoMaster, OneInstanceAtATimeInBothLanguages)
{
    zkh::MasterInstance *first = AddMemo();
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->instFuncs.descln(first->instance), "ZK:TimeLineMemo(1.00) build 250619");
    EXPECT_EQ(first->handler.type, LWMAST_SCENE);

    host.services.SetLocale(1041); // in English: the copy test
    EXPECT_EQ(host.masters.Add(kServer), nullptr);
    EXPECT_EQ(host.messages.back(), "cannot add ZK:TimeLineMemo: 既に存在しています！");

    ASSERT_TRUE(host.masters.Remove(kServer));
    EXPECT_NE(host.masters.Add(kServer), nullptr);
}

// The calls a save or load makes on its state: "Str", "I4 n", "FP n" (n values in one call),
// passed on to the host's state.
std::vector<std::string> g_calls;
LWSaveState g_save;
LWLoadState g_load;

LWSaveState RecordingSave(const LWSaveState &inner)
{
    g_save = inner;
    LWSaveState state = inner;
    state.writeI4 = [](void *, const int *v, int n) { g_calls.push_back("I4 " + std::to_string(n)), g_save.writeI4(g_save.writeData, v, n); };
    state.writeFP = [](void *, const float *v, int n) { g_calls.push_back("FP " + std::to_string(n)), g_save.writeFP(g_save.writeData, v, n); };
    state.writeStr = [](void *, const char *text) { g_calls.push_back("Str"), g_save.writeStr(g_save.writeData, text); };
    return state;
}

LWLoadState RecordingLoad(const LWLoadState &inner)
{
    g_load = inner;
    LWLoadState state = inner;
    state.readI4 = [](void *, int *v, int n) { return g_calls.push_back("I4 " + std::to_string(n)), g_load.readI4(g_load.readData, v, n); };
    state.readFP = [](void *, float *v, int n) { return g_calls.push_back("FP " + std::to_string(n)), g_load.readFP(g_load.readData, v, n); };
    state.readStr = [](void *, char *text, int max) { return g_calls.push_back("Str"), g_load.readStr(g_load.readData, text, max); };
    return state;
}

// Layout's scene file keeps each write call on a line of its own, and a read takes its values
// from one line: every read must ask for what one write stored. Colours are kept in 255ths.
TEST_F(MemoMaster, EachReadMirrorsOneWrite)
{
    zkh::MasterInstance *master = AddMemo();
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(Saved(*master), "\"0100\"\n1\n\"\"\n1\n0\n");
    zkh::XPanel &panel = OpenPanel();
    FillExample(host, panel);

    zkh::lwsc::PluginDataWriter writer;
    const LWSaveState save = RecordingSave(*writer.State());
    g_calls.clear();
    ASSERT_EQ(master->instFuncs.save(master->instance, &save), nullptr);
    const std::vector<std::string> writes = g_calls;
    EXPECT_EQ(writes, (std::vector<std::string>{"Str", "I4 1", "Str", "I4 1", "I4 1", "Str", "FP 1", "FP 1", "I4 3",
                                                "I4 3"}));
    host.xpanels.Press(panel, 0x8008); // Delete Track: the memo is empty
    EXPECT_EQ(Saved(*master), "\"0100\"\n0\n");

    const DataLines block = writer.Finish();
    zkh::lwsc::PluginDataReader reader(std::vector<std::string_view>(block.begin(), block.end()));
    const LWLoadState load = RecordingLoad(*reader.State());
    g_calls.clear();
    ASSERT_EQ(master->instFuncs.load(master->instance, &load), nullptr);
    EXPECT_EQ(g_calls, writes);
    EXPECT_EQ(Saved(*master), "\"0100\"\n1\n\"A\"\n1\n1\n\"x\"\n2.5\n0.5\n255 255 255\n127 0 0\n");
    EXPECT_FLOAT_EQ(static_cast<float>(host.xpanels.Get(panel, 0x8018).color[0]), 127.0f / 255.0f);
}

// Only the major version is checked, a name is read whole, a track count of 0 (or below) loads an
// empty memo, not the default track; a refused block leaves the memo as it was, and a truncated one
// (an absurd track count over one track and half a clip) keeps what was read, and says so.
TEST_F(MemoMaster, BlocksThatLoadAndBlocksThatDoNot)
{
    zkh::MasterInstance *master = AddMemo();
    ASSERT_NE(master, nullptr);
    const std::string fresh = Saved(*master), longName(1000, 'n'), empty = "\"0100\"\n0\n";
    const struct {
        DataLines block;
        const char *error;
        std::string saved;
    } cases[] = {
        {{Str("0200"), I4(0)}, "Invalid format!", fresh}, {{Str("0"), I4(0)}, "Invalid format!", fresh},
        {{Str(""), I4(0)}, "Invalid format!", fresh}, {{Str("1100"), I4(0)}, "Invalid format!", fresh},
        {{Str("01xx"), I4(1), Str(longName), I4(0), I4(0)}, "",
         "\"0100\"\n1\n\"" + longName + "\"\n0\n0\n"},
        {{Str("0100"), I4(0)}, "", empty}, {{Str("0100"), I4(-5)}, "", empty},
        {{Str("0100"), I4(2000000000), Str("T"), I4(0), I4(1000000000), Str("c"), FP(1.5f)}, "Invalid format!",
         "\"0100\"\n1\n\"T\"\n0\n1\n\"c\"\n1.5\n1\n0 0 0\n0 0 0\n"},
        // Layout writes a scene string raw between quotes: a byte below 32 goes in as a space, '"' as '\''.
        {{Str("0100"), I4(1), Str("a\"b\tc\n"), I4(0), I4(1), Str("x\r\"y"), FP(1.5f), FP(1.0f), Rgb(0, 0, 0),
          Rgb(0, 0, 0)},
         "", "\"0100\"\n1\n\"a'b c \"\n0\n1\n\"x 'y\"\n1.5\n1\n0 0 0\n0 0 0\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.block[0] + " " + c.block[1]);
        const LWError error = LoadMasterBlock(*master, c.block);
        EXPECT_STREQ(error ? error : "", c.error);
        EXPECT_EQ(Saved(*master), c.saved);
        ASSERT_EQ(LoadMasterBlock(*master, {Str("0100"), I4(1), Str(""), I4(1), I4(0)}), nullptr); // back to fresh
    }
}

// Copying the master, as Layout does when it duplicates a handler: the memo refuses a second
// instance, so there is no copy and the original keeps its tracks.
TEST_F(MemoMaster, CopiesAreRefusedAndTheOriginalStays)
{
    zkh::MasterInstance *master = AddMemo();
    ASSERT_NE(master, nullptr);
    FillExample(host, OpenPanel());
    const std::string before = Saved(*master);
    EXPECT_EQ(host.masters.Copy(*master), nullptr);
    EXPECT_EQ(host.messages.back(), "cannot add ZK:TimeLineMemo: Already exists!");
    ASSERT_EQ(host.masters.All().size(), 1u);
    EXPECT_EQ(Saved(*host.masters.All()[0]), before);
}

TEST_F(MemoMaster, TimeAndSelectionEventsAskForOneRedraw)
{
    ASSERT_NE(AddMemo(), nullptr);
    EXPECT_TRUE(host.GizmosDirty()); // a new memo is drawn
    const std::pair<int, bool> events[] = {
        {LWEVNT_TIME, true}, {LWEVNT_SELECT, true}, {LWEVNT_COMMAND, false}, {LWEVNT_RENDER_DONE, false}};
    for (const auto &[event, redraw] : events) {
        host.masters.SendEvent(event);
        EXPECT_EQ(host.GizmosDirty(), redraw) << event;
        EXPECT_FALSE(host.GizmosDirty()) << event; // once
    }

    zkh::MasterInstance *master = host.masters.Find(kServer);
    LWMasterAccess access{};
    access.eventCode = LWEVNT_TIME;
    EXPECT_EQ(master->handler.event(master->instance, &access), 0.0);
}

// Times beyond the float range (a YAML start of 1e39 s, a start of 2147483647 frames at a tiny
// frame rate) are saved clamped to it, a NaN as 0: what was saved always loads back.
TEST_F(MemoMaster, TimesBeyondTheFloatRangeSaveIntoASceneThatLoads)
{
    zkh::MasterInstance *master = AddMemo();
    ASSERT_NE(master, nullptr);
    zkh::XPanel &panel = OpenPanel();
    const std::string path = TempPath("far.yaml");
    std::ofstream(path) << "View:\n  Tracks:\n    - Name: T\n      Clips:\n"
                           "        - {Name: a, StartTime: 1e39, Duration: -1e300}\n"
                           "        - {Name: b, StartTime: .nan, Duration: .inf}\n";
    host.requesters.AnswerFile(path);
    ASSERT_TRUE(host.xpanels.Press(panel, 0x8005)); // Import
    host.scene.fps = 1e-30;
    ASSERT_TRUE(host.xpanels.Press(panel, 0x8010)); // Create Clip
    ASSERT_EQ(host.xpanels.SetInteger(panel, 0x8015, 2147483647), 1);
    const std::string colors = "0 0 0\n0 0 0\n";
    EXPECT_EQ(Saved(*master), "\"0100\"\n1\n\"T\"\n1\n3\n"
                              "\"a\"\n3.4028235e+38\n-3.4028235e+38\n" + colors +
                                  "\"b\"\n0\n3.4028235e+38\n" + colors +
                                  "\"\"\n3.4028235e+38\n1e+30\n" + colors);
    const std::string saved = host.SceneText();
    ASSERT_TRUE(host.LoadSceneText(saved, "far")) << host.messages.back();
    EXPECT_EQ(host.SceneText(), saved);
    EXPECT_EQ(host.masters.All().size(), 1u);
}

} // namespace
