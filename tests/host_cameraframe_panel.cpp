// The ZK:CameraFrame options panel through the module file: its controls in both languages, fill
// and ghosting, the control events with the commands they send, and the colour picker answers.
// The toolkit's own placement numbers (SetFieldX, first-open centring) are covered in
// unit_panel_toolkit.cpp.
#include "cameraframe_blocks.h"
#include "panel_layout.h"
#include "process_support.h"
#include "ring_peer.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <future>
#include <memory>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

namespace {

using zkh::Panel;
using zkh::PanelControl;
using zkh::PanelService;
using Texts = std::vector<std::string>;
namespace fs = std::filesystem;

// Scene "Camera" 1920 x 1080 and "Plate"; a new frame takes 1745 x 981 (margins 174 x 98).
class FramePanelTest : public CameraFrameTest {
protected:
    void SetUp() override
    {
        CameraFrameTest::SetUp();
        Open();
    }

    std::vector<int> Ghosted()
    {
        std::vector<int> ids;
        for (size_t i = 0; i < panel->controls.size(); ++i)
            if (panel->controls[i]->ghosted)
                ids.push_back(static_cast<int>(i));
        return ids;
    }

    // The command lines a control's event sends.
    Texts Sends(int id)
    {
        const size_t start = host.commands.log.size();
        Press(id);
        return Texts(host.commands.log.begin() + static_cast<long>(start), host.commands.log.end());
    }
};

// Every control in creation order (id = index): its type less "Control", a "+" before it when it
// shares the row of the one before, and its English and Japanese labels.
const std::vector<std::array<const char *, 3>> kControls = {
    {"Button", "Create Frame", "フレーム作成"}, {"Button", "Delete Frame", "フレーム削除"}, {"Border", "", ""},
    {"Button", "Frame Edit ON", "フレーム編集ツール"}, {"+Button", "Frame Edit OFF", "ツール終了"},
    {"Bool", "Combined Frame", "結合フレーム"}, {"Button", "Color", "色"}, {"+RGBVec", "", ""},
    {"Percent", "Transparency", "透明度"}, {"Border", "", ""}, {"CustomPopup", "Frame", "フレーム"},
    {"Edit", "Name", "名前"}, {"Bool", "Active", "有効"}, {"CustomPopup", "Camera", "カメラ"},
    {"MiniSlider", "Position X", "位置X(px)"}, {"MiniSlider", "Position Y", "位置Y(px)"},
    {"Popup", "Frame Calc", "フレーム計算"}, {"MiniSlider", "Frame W(px)", "フレーム幅(px)"}, {"+MiniSlider", "H", "高さ"},
    {"MiniFloat", "Aspect Ratio", "縦横比"}, {"Angle", "Rotate", "回転"}, {"Percent", "Margin W(%)", "余白幅(%)"},
    {"+Percent", "H", "高さ"}, {"MiniSlider", "Margin W(px)", "余白幅(px)"}, {"+MiniSlider", "H", "高さ"},
    {"Button", "Color", "色"}, {"+RGBVec", "", ""}, {"Percent", "Transparency", "透明度"}, {"Edit", "Memo", "メモ"},
    {"Bool", "Focal Length", "焦点距離"}, {"Border", "", ""}, {"Popup", "Preset", "プリセット"},
    {"Bool", "Thirds", "三分割"}, {"+Bool", "Golden", "黄金分割"}, {"Bool", "Cross", "中心十字"},
    {"+Bool", "Diagonals", "対角線"}, {"Percent", "Guide Opacity", "ガイド不透明度"},
    {"Bool", "Title Safe", "タイトルセーフ"}, {"+Percent", "Title Safe(%)", "タイトル(%)"},
    {"Bool", "Action Safe", "アクションセーフ"}, {"+Percent", "Action Safe(%)", "アクション(%)"},
    {"Bool", "Burn Guides", "ガイド焼き込み"},
};


TEST_F(FramePanelTest, ControlsTextsAndRowsInBothLanguages)
{
    EXPECT_EQ(panel->title, "ZK:CameraFrame(1.60) build 250619");
    EXPECT_EQ(std::vector<int>({panel->x, panel->y, panel->w, panel->h, panel->openFlags, panel->open}),
              std::vector<int>({(1920 - 340) / 2, (1080 - 800) / 2, 340, 800, 64, 1}));
    EXPECT_EQ(C(16).items, (Texts{"W & H", "W & Aspect", "H & Aspect"}));
    EXPECT_EQ(C(31).items, (Texts{"Custom", "2.39:1", "2:1", "1.85:1", "16:9", "4:3", "1:1", "4:5", "9:16"}));
    EXPECT_EQ(std::vector<int>({C(0).desc.area.width, C(4).desc.area.width, C(6).desc.area.width,
                                C(14).desc.range.min, C(14).desc.range.max, C(28).desc.string.width}),
              std::vector<int>({120, 84, 48, -2000, 2000, 30}));
    EXPECT_EQ(C(29).y, 8 + 23 * 24); // the guide rows below leave the frame rows where they were
    EXPECT_LE(C(41).y + C(41).h, panel->h);
    const Panel english = Snapshot(*panel);

    ASSERT_TRUE(host.masters.Remove("ZK:CameraFrame"));
    host.services.SetLocale(1041);
    Panel &japanese = Open();
    EXPECT_EQ(C(16).items, (Texts{"幅と高さ", "幅と縦横比", "高さと縦横比"}));
    EXPECT_EQ(C(11).labelWidth, PanelService::TextWidth("名前")); // label widths follow the text
    ExpectSameControls(english, japanese);
    ExpectControlsInsideAndApart(english);
    ExpectControlsInsideAndApart(japanese);
    for (size_t language : {1, 2}) {
        const Panel &p = language == 1 ? english : japanese;
        ASSERT_EQ(p.controls.size(), kControls.size());
        for (size_t i = 0; i < kControls.size(); ++i) {
            SCOPED_TRACE("#" + std::to_string(i) + (language == 1 ? " English" : " Japanese"));
            const PanelControl &c = *p.controls[i];
            const bool sameRow = kControls[i][0][0] == '+';
            EXPECT_EQ(c.type, std::string(kControls[i][0] + (sameRow ? 1 : 0)) + "Control");
            EXPECT_EQ(c.label, kControls[i][language]);
            if (i > 0) {
                if (sameRow)
                    EXPECT_EQ(c.y, p.controls[i - 1]->y);
                else
                    EXPECT_GT(c.y, p.controls[i - 1]->y);
            }
        }
    }
}

TEST_F(FramePanelTest, WithoutFramesOnlyTheTopSectionIsUsable)
{
    std::vector<int> ghosted(31);
    std::iota(ghosted.begin(), ghosted.end(), 11);
    EXPECT_EQ(Ghosted(), ghosted);

    // Edits of frame fields without a frame change nothing and still refresh.
    PanelService::SetInt(C(17), 500);
    EXPECT_EQ(Sends(17), Texts{"RefreshNow"});
    EXPECT_EQ(Saved()[1], "0");

    Press(0);
    EXPECT_EQ(Ghosted(), std::vector<int>{19}); // W & H derives the aspect ratio
    EXPECT_EQ(C(11).text, "Frame (1)");
    EXPECT_EQ(Ints({17, 18, 23, 24, 13}), std::vector<int>({1745, 981, 174, 98, 0}));
}

// Create Frame copies the current frame, all but its name, memo and active switch; Frame Calc's mode
// ghosts the field it derives.
TEST_F(FramePanelTest, CreateCopiesTheCurrentFrameAndFrameCalcGhostsWhatItDerives)
{
    Press(0);
    SetInt(14, 12);
    SetInt(15, -7);
    SetFloat(20, 0.5);
    SetFloat(22, 20.0);
    PanelService::SetVector(C(26), 51, 0, 0);
    Press(26);
    SetFloat(27, 40.0);
    PanelService::SetText(C(28), "note");
    Press(28);
    SetInt(29, 1);
    SetInt(12, 0);
    SetInt(16, 2);
    Press(0);
    const Texts saved = Saved();
    EXPECT_EQ(Texts(saved.begin() + 18, saved.begin() + 34),
              (Texts{"\"Frame (2)\"", "1", HexLine(camera), "12", "-7", "1745",
                     "1.7777778", "0.1", "0.2", "0", "0", "0.4", "\"\"",
                     "1", "0.5", "0.2"}));

    // Height & Aspect derives the width, Width & Aspect the height.
    EXPECT_EQ(Ghosted(), std::vector<int>{17});
    SetInt(18, 900);
    EXPECT_EQ(Ints({17, 18}), std::vector<int>({1600, 900})); // 16:9 of 900
    SetInt(16, 1);
    EXPECT_EQ(Ghosted(), std::vector<int>{18});
    SetInt(17, 1000);
    EXPECT_EQ(C(18).intValue, 562);

    // Margins: percent re-sets the pixels, pixels re-set the percent.
    SetFloat(21, 20.0);
    EXPECT_EQ(C(23).intValue, 200);
    SetInt(24, 281);
    EXPECT_NEAR(C(22).floatValue, 281.0 / 562.5 * 100.0, 1e-9);
}

TEST_F(FramePanelTest, DeletingTheSelectedFrameSelectsTheOneBefore)
{
    for (int i = 0; i < 3; ++i)
        Press(0);
    EXPECT_EQ(C(10).intValue, 2);
    SetInt(10, 1);
    EXPECT_EQ(C(11).text, "Frame (2)");
    PanelService::SetText(C(11), "Wide");
    Press(11);
    Press(1);
    EXPECT_EQ(C(10).intValue, 0);
    EXPECT_EQ(C(11).text, "Frame (1)");
    const Texts saved = Saved();
    EXPECT_EQ(Texts({saved[1], saved[2], saved[18]}), (Texts{"2", "\"Frame (1)\"", "\"Frame (3)\""}));
    Press(1);
    EXPECT_EQ(C(11).text, "Frame (3)");
    // A frame without a name is listed by its number.
    PanelService::SetText(C(11), "");
    Press(11);
    EXPECT_EQ(Texts({C(10).desc.popup.nameFn(nullptr, 0), C(10).desc.popup.nameFn(nullptr, 1)}), (Texts{"Frame1", ""}));
    Press(1);
    Press(1); // no frame left to delete
    EXPECT_EQ(Saved()[1], "0");
}

// Both transparencies stay within 0 .. 100 % (a NaN as 0), on edit and on load: the ring never
// reports an opacity outside 0 .. 100. Every percent field shows the value kept.
TEST_F(FramePanelTest, TransparenciesAreClampedOnEditAndOnLoad)
{
    Press(0);
    const std::tuple<double, const char *, double> kCases[] = {
        {100.0, "1", 100.0}, {150.0, "1", 100.0}, {-20.0, "0", 0.0}, {500.0, "1", 100.0}, {std::nan(""), "0", 0.0}};
    for (auto [percent, stored, shown] : kCases) {
        SetFloat(27, percent);
        SetFloat(8, percent);
        const Texts saved = Saved();
        EXPECT_EQ(Texts({saved[13], saved.end()[-3]}), (Texts{stored, stored})) << percent;
        for (int id : {8, 27, 36, 38, 40}) {
            SetFloat(id, percent);
            EXPECT_EQ(C(id).floatValue, shown) << id << " " << percent;
        }
    }
    for (auto [loaded, opacity] : {std::pair{5.0, 0}, {-0.5, 100}, {std::nan(""), 100}}) {
        Reload(FrameBlock({}, TestScene{0, 0, 0, 0, loaded}));
        EXPECT_EQ(zkh::QueryCameraFrames(host).opacity, opacity) << loaded;
    }
}

// Every field shows what the frame keeps: the margin pixels follow each size change, a pixel edit
// sets only its own side's percentage, an entered size or aspect shows as kept (a whole size of at
// least 1, an aspect of 0 or less as 1), a position within the sliders' -2000 .. 2000.
TEST_F(FramePanelTest, FieldsShowWhatTheFrameKeeps)
{
    Press(0); // 1745 x 981, margins 10 % = 174 x 98 pixels, W & H
    SetInt(17, 1000);
    EXPECT_EQ(Ints({17, 18, 23, 24}), (std::vector<int>{1000, 981, 100, 98}));
    SetInt(16, 1); // W & Aspect
    SetFloat(19, 0);
    EXPECT_EQ(C(19).floatValue, 1.0);
    EXPECT_EQ(Ints({18, 24}), (std::vector<int>{1000, 100}));
    SetInt(17, 0);
    EXPECT_EQ(Ints({17, 18, 23, 24}), (std::vector<int>{1, 1, 0, 0}));
    SetInt(17, 1000);
    SetInt(23, 250);
    EXPECT_EQ(std::make_pair(C(21).floatValue, C(22).floatValue), std::make_pair(25.0, 10.0));
    SetInt(14, 2500);
    SetInt(15, -9000);
    EXPECT_EQ(Ints({14, 15}), (std::vector<int>{2000, -2000}));
    const Texts saved = Saved();
    EXPECT_EQ(Texts(saved.begin() + 5, saved.begin() + 10), (Texts{"2000", "-2000", "1000", "1", "0.25"}));
    EXPECT_EQ(saved[17], "0.1"); // margin H

    // Without a camera the height is what the scene keeps of it, width / aspect: the ring reports the
    // same frame before and after a save and load.
    SetInt(13, 9); // no camera there
    SetInt(16, 0);
    SetInt(17, 500); // aspect 0.5
    const zkh::PeerFrame before = zkh::QueryCameraFrames(host).frames.at(0);
    Reload(SaveMasterBlock(Master()));
    const zkh::PeerFrame after = zkh::QueryCameraFrames(host).frames.at(0);
    EXPECT_EQ(std::vector<int>(before.innerY, before.innerY + 4), std::vector<int>(after.innerY, after.innerY + 4));
    EXPECT_EQ(before.innerY[2] - before.innerY[0], 1000);
}

TEST_F(FramePanelTest, FrameEditCommandsAndTheCameraPopup)
{
    EXPECT_EQ(Sends(3), Texts{"RefreshNow"}); // no frame to edit
    Press(0);
    EXPECT_EQ(Sends(3), (Texts{"EditCameras", "Tool_ZK:CameraFrame"}));
    EXPECT_EQ(host.tool.current, "ZK:CameraFrame");
    EXPECT_EQ(host.editMode, "Cameras");
    EXPECT_EQ(Sends(4), (Texts{"EditCameras", "ChangeTool", "RefreshNow"}));
    EXPECT_EQ(host.tool.current, "");

    // The camera popup lists the scene's cameras; choosing the second stores it.
    EXPECT_EQ(C(13).desc.popup.countFn(nullptr), 2);
    EXPECT_STREQ(C(13).desc.popup.nameFn(nullptr, 1), "Plate");
    EXPECT_STREQ(C(13).desc.popup.nameFn(nullptr, 2), "");
    SetInt(13, 1);
    EXPECT_EQ(Saved()[4], HexLine(plate));
    SetInt(13, 7);
    EXPECT_EQ(Saved()[4], "0");
}

TEST_F(FramePanelTest, ColourPickerAcceptCancelAndFailure)
{
    Press(0);
    PanelService::SetVector(C(26), 51, 102, 153);
    Press(26);

    host.requesters.AnswerColor(1.0f, 0.5f, 0.0f);
    Press(25);
    ASSERT_EQ(host.requesters.colorLog.size(), 1u);
    EXPECT_EQ(host.requesters.colorLog[0].title, "Color");
    EXPECT_FLOAT_EQ(host.requesters.colorLog[0].red, 0.2f);
    EXPECT_FLOAT_EQ(host.requesters.colorLog[0].blue, 0.6f);
    EXPECT_EQ(std::vector<int>(C(26).ivec, C(26).ivec + 3), std::vector<int>({255, 127, 0}));
    const Texts saved = Saved();
    EXPECT_EQ(Texts(saved.begin() + 10, saved.begin() + 13), (Texts{"1", "0.49803922", "0"}));

    // Cancelled: nothing changes and nothing is sent.
    host.requesters.CancelColor();
    EXPECT_TRUE(Sends(25).empty());
    EXPECT_EQ(C(26).ivec[0], 255);
    EXPECT_EQ(Saved()[10], "1");

    // A failed picker writes the start colour back and the event goes on.
    host.requesters.colors.push_back({-1, 0.0f, 0.0f, 0.0f});
    EXPECT_EQ(Sends(6), Texts{"RefreshNow"});
    EXPECT_EQ(C(7).ivec[0], 0);

    host.requesters.AnswerColor(0.0f, 0.0f, 1.0f);
    Press(6);
    EXPECT_EQ(Saved().end()[-4], "1");
}

TEST_F(FramePanelTest, ClosingKeepsThePanelAndTheNextOptionsCallOpensItAgain)
{
    Panel &first = *panel;
    PanelService::CloseByUser(first);
    EXPECT_EQ(&Open(), &first);
    EXPECT_TRUE(first.open);
    EXPECT_TRUE(host.masters.OpenOptions("ZK:CameraFrame")); // raises the open panel
    EXPECT_EQ(host.panels.Panels().size(), 1u);

    // Removing the master frees the panel with it.
    EXPECT_TRUE(host.masters.Remove("ZK:CameraFrame"));
    EXPECT_TRUE(host.panels.Panels().empty());
}

// The Preset popup keeps the width, or the height when the frame would leave the camera; the guide
// fields edit the current frame and show its settings.
TEST_F(FramePanelTest, PresetsAndGuideFields)
{
    Press(0); // 1745 x 981 on the 1920 x 1080 camera, 16:9
    EXPECT_EQ(C(31).intValue, 4);
    SetInt(31, 1); // 2.39:1: 1745 / 2.39 high
    EXPECT_EQ(Ints({17, 18, 23, 24}), std::vector<int>({1745, 730, 174, 73}));
    EXPECT_FLOAT_EQ(static_cast<float>(C(19).floatValue), 2.39f);
    SetInt(31, 8); // 9:16 would be 3102 high: the height stays, 730.13 x 0.5625 wide
    EXPECT_EQ(Ints({17, 18}), std::vector<int>({410, 730}));
    SetInt(31, 0); // the custom entry changes nothing
    EXPECT_EQ(C(17).intValue, 410);

    SetInt(32, 1);
    SetInt(35, 1);
    SetFloat(36, 40.0);
    SetInt(37, 1);
    SetFloat(38, 150.0); // clamped to 100
    SetInt(41, 1);
    const Texts lines = Saved(true);
    EXPECT_EQ(Texts(lines.end() - 10, lines.end()),
              (Texts{"{ FrameGuides", "  1", "  9", "  0.4", "  1", "  100", "  0", "  93", "  1", "}"}));
    // A new frame copies the guides of the current one; the fields show them.
    Press(0);
    EXPECT_EQ(Ints({32, 33, 35, 41}), std::vector<int>({1, 0, 1, 1}));
    EXPECT_DOUBLE_EQ(C(36).floatValue, 40.0);
}

// Frame Calc and margin edits that leave the float range (width = aspect 3e38 x height 2e9, a
// margin of 1e300 %) are saved clamped to it: the scene written loads back, and saves the same.
TEST_F(FramePanelTest, ValuesBeyondTheFloatRangeSaveIntoASceneThatLoads)
{
    Press(0);
    SetInt(16, 2);
    SetFloat(19, 3e38);
    SetInt(18, 2000000000);
    SetFloat(21, 1e300);
    const Texts saved = Saved();
    EXPECT_EQ(Texts(saved.begin() + 7, saved.begin() + 10),
              (Texts{"3.4028235e+38", "3e+38", "3.4028235e+38"})); // width, aspect, margin W
    const std::string scene = host.SceneText();
    ASSERT_TRUE(host.LoadSceneText(scene, "far")) << host.messages.back();
    EXPECT_EQ(host.SceneText(), scene);
}

// A frame keeps as much of a name or memo as the scene block gives back (255 bytes, cut before a
// character the limit would split), whether it was typed or loaded: it saves and loads unchanged.
TEST_F(FramePanelTest, NamesAndMemosKeepWhatTheSceneGivesBack)
{
    Press(0);
    std::string typed = "a";
    for (int i = 0; i < 100; ++i)
        typed += "\xe5\x90\x8d"; // 3 bytes
    for (int id : {11, 28}) {
        PanelService::SetText(C(id), typed);
        Press(id);
    }
    const Texts kept(2, "\"" + typed.substr(0, 253) + "\"");
    EXPECT_EQ(Texts({Saved()[2], Saved()[14]}), kept); // name, memo
    const fs::path dir = TestTempDir("zk-frame-names");
    fs::create_directories(dir);
    ASSERT_TRUE(host.SaveScene((dir / "names.lws").string())) << host.messages.back();
    ASSERT_TRUE(host.LoadScene((dir / "names.lws").string())) << host.messages.back();
    EXPECT_EQ(Texts({Saved()[2], Saved()[14]}), kept);
    fs::remove_all(dir);
}

// While the panel is inside a host call (the modal colour picker, a command line), a ring query
// on another thread is answered: the panel does not hold the frame lock across the call. The
// query is given half a minute, so that a lock held by mistake fails the test instead of
// hanging it.
std::vector<bool> g_answered;
std::vector<std::future<bool>> g_pending;

bool AnsweredFromAnotherThread()
{
    auto query = std::async(std::launch::async, [] {
        std::int32_t count = 0;
        return zkh::AskFrameCount(zkh::Host::Current(), count);
    });
    const bool ready = query.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    g_pending.push_back(std::move(query)); // a blocked query ends once the call returns
    return ready;
}

int PickerThatQueries(int, LWColorPickLocal *local)
{
    g_answered.push_back(AnsweredFromAnotherThread());
    local->result = 1;
    local->red = 1.0f;
    local->green = 0.0f;
    local->blue = 0.0f;
    return AFUNC_OK;
}

using PanelHostCalls = FramePanelTest;

TEST_F(PanelHostCalls, NoLockIsHeldWhileTheHostRunsAPickerOrACommand)
{
    g_answered.clear();
    Press(0);
    host.services.Set("Color Picker", reinterpret_cast<void *>(&PickerThatQueries));
    for (const char *word : {"EditCameras", "RefreshNow"})
        host.commands.Register(word, [](const std::string &) {
            g_answered.push_back(AnsweredFromAnotherThread());
            return 1;
        });
    Press(25); // the frame's colour: the picker, then RefreshNow
    Press(6);  // the combined colour: likewise
    Press(3);  // Frame Edit ON: EditCameras, Tool_ZK:CameraFrame
    Press(4);  // Frame Edit OFF: EditCameras, ChangeTool, RefreshNow
    for (auto &query : g_pending)
        query.get();
    g_pending.clear();
    EXPECT_EQ(g_answered, std::vector<bool>(7, true));
    EXPECT_EQ(Saved()[10], "1"); // the picked colour was applied
}

} // namespace
