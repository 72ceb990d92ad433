// The ZK:CameraFrame options panel through the module file: its controls in both languages, fill
// and ghosting, the control events with the commands they send, and the colour picker answers.
// The toolkit's own placement numbers (SetFieldX, layout modes, first-open centring) are covered
// in unit_panel_toolkit.cpp.
#include "module_fixture.h"
#include "cameraframe_blocks.h"
#include "ring_peer.h"
#include "scene_block.h"

#include <chrono>
#include <future>
#include <string>
#include <vector>

namespace {

using zkh::Panel;
using zkh::PanelControl;
using zkh::PanelService;

class FramePanelTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        camera = host.scene.AddCamera("Camera", 1920, 1080, 35.0).id;
        second = host.scene.AddCamera("Close Up", 1280, 720, 50.0).id;
    }

    Panel &Open()
    {
        if (!host.FindMaster("ZK:CameraFrame")) {
            EXPECT_NE(host.AddMaster("ZK:CameraFrame"), nullptr);
        }
        EXPECT_TRUE(host.OpenMasterOptions("ZK:CameraFrame"));
        Panel *panel = host.panels.LastOpened();
        EXPECT_NE(panel, nullptr);
        return *panel;
    }

    PanelControl &C(Panel &panel, int id)
    {
        PanelControl *control = PanelService::Find(panel, "#" + std::to_string(id));
        EXPECT_NE(control, nullptr);
        return *control;
    }

    void Press(Panel &panel, int id) { PanelService::Fire(C(panel, id)); }
    void SetInt(Panel &panel, int id, int value)
    {
        PanelService::SetInt(C(panel, id), value);
        PanelService::Fire(C(panel, id));
    }
    void SetFloat(Panel &panel, int id, double value)
    {
        PanelService::SetFloat(C(panel, id), value);
        PanelService::Fire(C(panel, id));
    }

    std::vector<int> Ghosted(Panel &panel)
    {
        std::vector<int> ids;
        for (size_t i = 0; i < panel.controls.size(); ++i)
            if (panel.controls[i]->ghosted)
                ids.push_back(static_cast<int>(i));
        return ids;
    }

    // The master's scene block, saved now.
    // The frame data of the master's block (the guide sub-block after it left out).
    zkh::Block Save() { return FrameData(SaveMasterBlock(*host.FindMaster("ZK:CameraFrame"))); }

    std::vector<std::string> CommandsSince(size_t start)
    {
        return std::vector<std::string>(host.commands.log.begin() + static_cast<long>(start), host.commands.log.end());
    }

    std::uint32_t camera = 0, second = 0;
};

TEST_F(FramePanelTest, ControlsInOrderWithTheEnglishTexts)
{
    Panel &panel = Open();
    EXPECT_EQ(panel.title, "ZK:CameraFrame(1.60) build 250619");
    EXPECT_EQ(panel.w, 340);
    EXPECT_EQ(panel.h, 800);
    EXPECT_EQ(panel.openFlags, 64);
    EXPECT_TRUE(panel.open);
    EXPECT_EQ(panel.x, (1920 - 340) / 2);
    EXPECT_EQ(panel.y, (1080 - 800) / 2);

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"ButtonControl", "Create Frame"}, {"ButtonControl", "Delete Frame"}, {"BorderControl", ""},
        {"ButtonControl", "Frame Edit ON"}, {"ButtonControl", "Frame Edit OFF"}, {"BoolControl", "Combined Frame"},
        {"ButtonControl", "Color"}, {"RGBVecControl", ""}, {"PercentControl", "Transparency"},
        {"BorderControl", ""}, {"CustomPopupControl", "Frame"}, {"EditControl", "Name"},
        {"BoolControl", "Active"}, {"CustomPopupControl", "Camera"}, {"MiniSliderControl", "Position X"},
        {"MiniSliderControl", "Position Y"}, {"PopupControl", "Frame Calc"}, {"MiniSliderControl", "Frame W(px)"},
        {"MiniSliderControl", "H"}, {"MiniFloatControl", "Aspect Ratio"}, {"AngleControl", "Rotate"},
        {"PercentControl", "Margin W(%)"}, {"PercentControl", "H"}, {"MiniSliderControl", "Margin W(px)"},
        {"MiniSliderControl", "H"}, {"ButtonControl", "Color"}, {"RGBVecControl", ""},
        {"PercentControl", "Transparency"}, {"EditControl", "Memo"}, {"BoolControl", "Focal Length"},
        {"BorderControl", ""}, {"PopupControl", "Preset"}, {"BoolControl", "Thirds"}, {"BoolControl", "Golden"},
        {"BoolControl", "Cross"}, {"BoolControl", "Diagonals"}, {"PercentControl", "Guide Opacity"},
        {"BoolControl", "Title Safe"}, {"PercentControl", "Title Safe(%)"}, {"BoolControl", "Action Safe"},
        {"PercentControl", "Action Safe(%)"}, {"BoolControl", "Burn Guides"},
    };
    ASSERT_EQ(panel.controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(panel.controls[i]->type, expected[i].first) << i;
        EXPECT_EQ(panel.controls[i]->label, expected[i].second) << i;
    }
    EXPECT_EQ(C(panel, 16).items, (std::vector<std::string>{"W & H", "W & Aspect", "H & Aspect"}));
    EXPECT_EQ(C(panel, 31).items, (std::vector<std::string>{"Custom", "2.39:1", "2:1", "1.85:1", "16:9", "4:3", "1:1",
                                                            "4:5", "9:16"}));
    EXPECT_EQ(C(panel, 0).desc.area.width, 120);
    EXPECT_EQ(C(panel, 4).desc.area.width, 84);
    EXPECT_EQ(C(panel, 6).desc.area.width, 48);
    EXPECT_EQ(C(panel, 14).desc.range.min, -2000);
    EXPECT_EQ(C(panel, 14).desc.range.max, 2000);
    EXPECT_EQ(C(panel, 28).desc.string.width, 30);

    // Paired rows share their y; every other control starts a row below the one before.
    for (int id : {4, 7, 18, 22, 24, 26, 33, 35, 38, 40})
        EXPECT_EQ(C(panel, id).y, C(panel, id - 1).y) << id;
    for (int id : {1, 5, 10, 17, 19, 25, 29, 30, 31, 32, 34, 36, 37, 39, 41})
        EXPECT_GT(C(panel, id).y, C(panel, id - 1).y) << id;
    // The controls below the frame fields leave every earlier control where it was, and the panel
    // holds them all.
    EXPECT_EQ(C(panel, 29).y, 8 + 23 * 24);
    EXPECT_LE(C(panel, 41).y + C(panel, 41).h, panel.h);
    EXPECT_GT(C(panel, 4).x, C(panel, 3).x + C(panel, 3).w - 1);
}

TEST_F(FramePanelTest, Locale1041ShowsTheJapaneseTexts)
{
    host.services.SetLocale(1041);
    Panel &panel = Open();
    const std::vector<std::string> labels = {
        "フレーム作成", "フレーム削除", "", "フレーム編集ツール", "ツール終了", "結合フレーム", "色", "",
        "透明度", "", "フレーム", "名前", "有効", "カメラ", "位置X(px)", "位置Y(px)", "フレーム計算",
        "フレーム幅(px)", "高さ", "縦横比", "回転", "余白幅(%)", "高さ", "余白幅(px)", "高さ", "色", "",
        "透明度", "メモ", "焦点距離", "", "プリセット", "三分割", "黄金分割", "中心十字", "対角線",
        "ガイド不透明度", "タイトルセーフ", "タイトル(%)", "アクションセーフ", "アクション(%)", "ガイド焼き込み",
    };
    ASSERT_EQ(panel.controls.size(), labels.size());
    for (size_t i = 0; i < labels.size(); ++i)
        EXPECT_EQ(panel.controls[i]->label, labels[i]) << i;
    EXPECT_EQ(C(panel, 16).items, (std::vector<std::string>{"幅と高さ", "幅と縦横比", "高さと縦横比"}));
    // Label widths follow the wider Japanese text.
    EXPECT_EQ(C(panel, 11).labelWidth, PanelService::TextWidth("名前"));
}

TEST_F(FramePanelTest, WithoutFramesOnlyTheTopSectionIsUsable)
{
    Panel &panel = Open();
    std::vector<int> ghosted;
    for (int id = 11; id <= 41; ++id)
        ghosted.push_back(id);
    EXPECT_EQ(Ghosted(panel), ghosted);
    EXPECT_EQ(C(panel, 11).text, "");
    EXPECT_EQ(C(panel, 17).intValue, 0);
    EXPECT_EQ(C(panel, 10).intValue, 0);

    // Edits of frame fields without a frame change nothing and still refresh.
    const size_t start = host.commands.log.size();
    SetInt(panel, 17, 500);
    EXPECT_EQ(CommandsSince(start), std::vector<std::string>{"RefreshNow"});
    EXPECT_EQ(Save()[1].number, 0);

    Press(panel, 0);
    EXPECT_EQ(Ghosted(panel), std::vector<int>{19}); // W & H derives the aspect ratio
    EXPECT_EQ(C(panel, 11).text, "Frame (1)");
    EXPECT_EQ(C(panel, 17).intValue, 1745);
    EXPECT_EQ(C(panel, 18).intValue, 981);
    EXPECT_EQ(C(panel, 23).intValue, 174);
    EXPECT_EQ(C(panel, 24).intValue, 98);
    EXPECT_EQ(C(panel, 13).intValue, 0);
}

TEST_F(FramePanelTest, HeightAndAspectGhostsTheWidthAndAHeightEditChangesIt)
{
    Panel &panel = Open();
    Press(panel, 0);
    SetInt(panel, 16, 2);
    EXPECT_EQ(Ghosted(panel), std::vector<int>{17});
    SetInt(panel, 18, 900);
    EXPECT_EQ(C(panel, 17).intValue, 1600); // 16:9 of 900
    EXPECT_EQ(C(panel, 18).intValue, 900);
    SetInt(panel, 16, 1);
    EXPECT_EQ(Ghosted(panel), std::vector<int>{18});
    SetInt(panel, 17, 1000);
    EXPECT_EQ(C(panel, 18).intValue, 562);

    // Margins: percent re-sets the pixels, pixels re-set the percent.
    SetFloat(panel, 21, 20.0);
    EXPECT_EQ(C(panel, 23).intValue, 200);
    SetInt(panel, 24, 281);
    EXPECT_NEAR(C(panel, 22).floatValue, 281.0 / 562.5 * 100.0, 1e-9);
}

TEST_F(FramePanelTest, DeletingTheSelectedFrameSelectsTheOneBefore)
{
    Panel &panel = Open();
    Press(panel, 0);
    Press(panel, 0);
    Press(panel, 0);
    EXPECT_EQ(C(panel, 10).intValue, 2);
    SetInt(panel, 10, 1);
    EXPECT_EQ(C(panel, 11).text, "Frame (2)");
    PanelService::SetText(C(panel, 11), "Wide");
    Press(panel, 11);
    Press(panel, 1);
    EXPECT_EQ(C(panel, 10).intValue, 0);
    EXPECT_EQ(C(panel, 11).text, "Frame (1)");
    const zkh::Block block = Save();
    EXPECT_EQ(block[1].number, 2);
    EXPECT_EQ(block[2].text, "Frame (1)");
    EXPECT_EQ(block[18].text, "Frame (3)");
    Press(panel, 1);
    Press(panel, 1);
    EXPECT_EQ(Save()[1].number, 0);
    EXPECT_EQ(Ghosted(panel).front(), 11);
}

TEST_F(FramePanelTest, TransparencyOfAFrameIsClampedButTheCombinedOneIsNot)
{
    Panel &panel = Open();
    Press(panel, 0);
    SetFloat(panel, 27, 100.0);
    SetFloat(panel, 8, 100.0);
    zkh::Block block = Save();
    EXPECT_EQ(block[13].number, 1.0);
    EXPECT_EQ(block[block.size() - 3].number, 1.0);

    SetFloat(panel, 27, 150.0);
    SetFloat(panel, 8, 150.0);
    block = Save();
    EXPECT_EQ(block[13].number, 1.0);
    EXPECT_EQ(block[block.size() - 3].number, 1.5);
    SetFloat(panel, 27, -20.0);
    EXPECT_EQ(Save()[13].number, 0.0);
}

TEST_F(FramePanelTest, FrameEditCommandsAndTheFinalRefresh)
{
    Panel &panel = Open();
    size_t start = host.commands.log.size();
    Press(panel, 3);
    EXPECT_EQ(CommandsSince(start), std::vector<std::string>{"RefreshNow"});

    Press(panel, 0);
    start = host.commands.log.size();
    Press(panel, 3);
    EXPECT_EQ(CommandsSince(start), (std::vector<std::string>{"EditCameras", "Tool_ZK:CameraFrame"}));
    EXPECT_EQ(host.currentTool, "ZK:CameraFrame");
    EXPECT_EQ(host.editMode, "Cameras");

    start = host.commands.log.size();
    Press(panel, 4);
    EXPECT_EQ(CommandsSince(start), (std::vector<std::string>{"EditCameras", "ChangeTool", "RefreshNow"}));
    EXPECT_EQ(host.currentTool, "");

    // The camera popup lists the scene's cameras; choosing the second stores it.
    EXPECT_EQ(C(panel, 13).desc.popup.countFn(nullptr), 2);
    EXPECT_STREQ(C(panel, 13).desc.popup.nameFn(nullptr, 1), "Close Up");
    EXPECT_STREQ(C(panel, 13).desc.popup.nameFn(nullptr, 2), "");
    SetInt(panel, 13, 1);
    EXPECT_EQ(Save()[4].number, second);
    SetInt(panel, 13, 7);
    EXPECT_EQ(Save()[4].number, 0);
}

TEST_F(FramePanelTest, ColourPickerAcceptCancelAndFailure)
{
    Panel &panel = Open();
    Press(panel, 0);
    PanelService::SetVector(C(panel, 26), 51, 102, 153);
    Press(panel, 26);

    host.requesters.AnswerColor(1.0f, 0.5f, 0.0f);
    Press(panel, 25);
    ASSERT_EQ(host.requesters.colorLog.size(), 1u);
    EXPECT_EQ(host.requesters.colorLog[0].title, "Color");
    EXPECT_FLOAT_EQ(host.requesters.colorLog[0].red, 0.2f);
    EXPECT_FLOAT_EQ(host.requesters.colorLog[0].blue, 0.6f);
    EXPECT_EQ(C(panel, 26).ivec[0], 255);
    EXPECT_EQ(C(panel, 26).ivec[1], 127);
    EXPECT_EQ(C(panel, 26).ivec[2], 0);
    zkh::Block block = Save();
    EXPECT_EQ(block[10].number, 1.0);
    EXPECT_FLOAT_EQ(static_cast<float>(block[11].number), 127.0f / 255.0f);

    // Cancelled: nothing changes and nothing is sent.
    size_t start = host.commands.log.size();
    host.requesters.CancelColor();
    Press(panel, 25);
    EXPECT_TRUE(CommandsSince(start).empty());
    EXPECT_EQ(C(panel, 26).ivec[0], 255);
    EXPECT_EQ(Save()[10].number, 1.0);

    // A failed picker writes the start colour back and the event goes on.
    start = host.commands.log.size();
    host.requesters.colors.push_back({-1, 0.0f, 0.0f, 0.0f});
    Press(panel, 6);
    EXPECT_EQ(CommandsSince(start), std::vector<std::string>{"RefreshNow"});
    EXPECT_EQ(C(panel, 7).ivec[0], 0);

    host.requesters.AnswerColor(0.0f, 0.0f, 1.0f);
    Press(panel, 6);
    block = Save();
    EXPECT_EQ(block[block.size() - 4].number, 1.0);
}

TEST_F(FramePanelTest, ClosingKeepsThePanelAndTheNextOptionsCallOpensItAgain)
{
    Panel &panel = Open();
    Press(panel, 0);
    PanelService::CloseByUser(panel);
    EXPECT_FALSE(panel.open);
    Panel &again = Open();
    EXPECT_EQ(&again, &panel);
    EXPECT_TRUE(panel.open);
    EXPECT_EQ(C(panel, 11).text, "Frame (1)");
    EXPECT_TRUE(host.OpenMasterOptions("ZK:CameraFrame")); // raises the open panel
    EXPECT_EQ(host.panels.Panels().size(), 1u);

    // Removing the master frees the panel with it.
    EXPECT_TRUE(host.RemoveMaster("ZK:CameraFrame"));
    EXPECT_TRUE(host.panels.Panels().empty());
}

// The Preset popup keeps the width, or the height when the frame would leave the camera; the guide
// fields edit the current frame and show its settings.
TEST_F(FramePanelTest, PresetsAndGuideFields)
{
    Panel &panel = Open();
    Press(panel, 0); // 1745 x 981 on the 1920 x 1080 camera, 16:9
    EXPECT_EQ(C(panel, 31).intValue, 4);
    SetInt(panel, 31, 1); // 2.39:1
    EXPECT_EQ(C(panel, 17).intValue, 1745);
    EXPECT_EQ(C(panel, 18).intValue, 730); // 1745 / 2.39
    EXPECT_FLOAT_EQ(static_cast<float>(C(panel, 19).floatValue), 2.39f);
    EXPECT_EQ(C(panel, 23).intValue, 174);
    EXPECT_EQ(C(panel, 24).intValue, 73);
    SetInt(panel, 31, 8); // 9:16 would be 3102 high: the height stays
    EXPECT_EQ(C(panel, 18).intValue, 730);
    EXPECT_EQ(C(panel, 17).intValue, 410); // 730.13 x 0.5625
    SetInt(panel, 31, 0); // the custom entry changes nothing
    EXPECT_EQ(C(panel, 17).intValue, 410);

    SetInt(panel, 32, 1);
    SetInt(panel, 35, 1);
    SetFloat(panel, 36, 40.0);
    SetInt(panel, 37, 1);
    SetFloat(panel, 38, 150.0); // clamped to 100
    SetInt(panel, 41, 1);
    const zkh::Block whole = SaveMasterBlock(*host.FindMaster("ZK:CameraFrame"));
    const std::vector<std::string> lines = zkh::FormatBlock(whole, "");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 10, lines.end()),
              (std::vector<std::string>{"Block 0x47554944 \"FrameGuides\"", "  I4 1", "  I4 9", "  FP 0.400000006",
                                        "  I4 1", "  FP 100", "  I4 0", "  FP 93", "  I4 1", "EndBlock"}));
    // A new frame copies the guides of the current one; the fields show them.
    Press(panel, 0);
    EXPECT_EQ(C(panel, 32).intValue, 1);
    EXPECT_EQ(C(panel, 33).intValue, 0);
    EXPECT_EQ(C(panel, 35).intValue, 1);
    EXPECT_DOUBLE_EQ(C(panel, 36).floatValue, 40.0);
    EXPECT_EQ(C(panel, 41).intValue, 1);
}

} // namespace

namespace {

// While the panel is inside a host call (the modal colour picker, a command line), a ring query
// on another thread is answered: the panel does not hold the frame lock across the call. The
// query is given half a minute, so that a lock held by mistake fails the test instead of
// hanging it.
class PanelHostCalls : public FramePanelTest {
protected:
    static bool AnsweredFromAnotherThread()
    {
        auto query = std::async(std::launch::async, [] {
            zkh::PeerFrameReply reply;
            zkh::Host::Current().RingPost("TessikComRing", 0, &reply);
            return reply.answered == 1;
        });
        const bool ready = query.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
        g_pending.push_back(std::move(query)); // a blocked query ends once the call returns
        return ready;
    }

    static int PickerThatQueries(int, LWColorPickLocal *local)
    {
        g_answered.push_back(AnsweredFromAnotherThread());
        local->result = 1;
        local->red = 1.0f;
        local->green = 0.0f;
        local->blue = 0.0f;
        return AFUNC_OK;
    }

    static std::vector<bool> g_answered;
    static std::vector<std::future<bool>> g_pending;
};

std::vector<bool> PanelHostCalls::g_answered;
std::vector<std::future<bool>> PanelHostCalls::g_pending;

TEST_F(PanelHostCalls, NoLockIsHeldWhileTheHostRunsAPickerOrACommand)
{
    g_answered.clear();
    Panel &panel = Open();
    Press(panel, 0);
    host.services.Set("Color Picker", reinterpret_cast<void *>(&PickerThatQueries));
    for (const char *word : {"EditCameras", "RefreshNow"})
        host.commands.Register(word, [](const std::string &) {
            g_answered.push_back(AnsweredFromAnotherThread());
            return 1;
        });
    Press(panel, 25); // the frame's colour: the picker, then RefreshNow
    Press(panel, 6);  // the combined colour: likewise
    Press(panel, 3);  // Frame Edit ON: EditCameras, Tool_ZK:CameraFrame
    Press(panel, 4);  // Frame Edit OFF: EditCameras, ChangeTool, RefreshNow
    for (auto &query : g_pending)
        query.get();
    g_pending.clear();
    EXPECT_EQ(g_answered, std::vector<bool>(7, true));
    EXPECT_EQ(Save()[10].number, 1.0); // the picked colour was applied
}

// Frame Calc and margin edits that leave the float range (width = aspect 3e38 x height 2e9, a
// margin of 1e300 %) are saved clamped to it: the scene written loads back, and saves the same.
TEST_F(FramePanelTest, ValuesBeyondTheFloatRangeSaveIntoASceneThatLoads)
{
    Panel &panel = Open();
    Press(panel, 0);
    SetInt(panel, 16, 2);
    SetFloat(panel, 19, 3e38);
    SetInt(panel, 18, 2000000000);
    SetFloat(panel, 21, 1e300);
    const zkh::Block block = Save();
    EXPECT_EQ(zkh::FormatBlockItem(block[7]), "FP 3.40282347e+38"); // width
    EXPECT_EQ(zkh::FormatBlockItem(block[8]), "FP 3.00000001e+38"); // aspect
    EXPECT_EQ(zkh::FormatBlockItem(block[9]), "FP 3.40282347e+38"); // margin W
    const std::string saved = host.SceneText();
    ASSERT_TRUE(host.LoadSceneText(saved, "far")) << host.messages.back();
    EXPECT_EQ(host.SceneText(), saved);
}

} // namespace
