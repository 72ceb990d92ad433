// ZK:MorphConsolidate through the module file: its panel, OK and Cancel, the remove button, the
// command lines, names that cannot be linked, a host whose panels fail or that rejects commands.
#include "module_fixture.h"
#include "morph_rig.h"

#include <cinttypes>
#include <algorithm>
#include <cstdio>

namespace {

using zkh::Panel;
using zkh::PanelControl;
using zkh::PanelService;
using Lines = std::vector<std::string>;

const char kServer[] = "ZK:MorphConsolidate";

// The rig: Face 0x10000001 (MorphGroup.Smile 0x2200000000a, .Blink 0x2200000000b), Head 0x10000002
// (0x22000000015, 0x22000000016), Brows 0x10000003 (0x22000000020, 0x22000000021), bone Jaw, light Key, camera Camera.
// Every run first removes the expressions of the mesh objects' morph channels.
const Lines kRemoveLines = {
    "GE_DetachExpressionsID 0x22000000015", "GE_DetachExpressionsID 0x22000000016", "GE_DetachExpressionsID 0x22000000020",
    "GE_DetachExpressionsID 0x22000000021", "GE_ClearUnusedExpressions",
};

Lines Join(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class MorphConsolidate : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        zkh::BuildMorphRig(host.scene, {});
    }

    std::uint32_t ItemId(const std::string &name) { return host.scene.FindByName(name)->id; }
    void Select(const std::vector<std::string> &names)
    {
        host.scene.selection.clear();
        for (const std::string &name : names)
            host.scene.selection.push_back(ItemId(name));
    }
    zkh::ChannelKey ChannelId(const std::string &item, const std::string &fullName)
    {
        return zkh::FindItemChannel(host.scene, *host.scene.FindByName(item), fullName)->id;
    }
    // The report of a link not made from Face's channel to Head's, a line break shown as a space.
    std::string NotLinked(const std::string &channel, const char *why)
    {
        char id[32];
        std::snprintf(id, sizeof id, "0x%" PRIx64, static_cast<std::uint64_t>(ChannelId("Head", channel)));
        std::string shown = channel;
        std::replace(shown.begin(), shown.end(), '\n', ' ');
        return "*** ERROR: [Face." + shown + "] not linked to " + id + ": " + why + " ***";
    }
    bool Reported(const std::string &line)
    {
        const Lines &status = host.commands.status;
        return std::find(status.begin(), status.end(), line) != status.end();
    }
    // Runs the command with the user's steps while its panel is open.
    int Run(std::function<int(Panel &)> user = [](Panel &) { return 1; })
    {
        host.panels.modalScripts.push_back(std::move(user));
        return host.RunGeneric(kServer);
    }
};

TEST_F(MorphConsolidate, PanelAsBuilt)
{
    host.scene.AddBone("Loose", 0); // a bone without an object: last
    Panel *seen = nullptr;
    Lines popupNames;
    ASSERT_EQ(Run([&](Panel &panel) {
                  seen = &panel;
                  PanelControl *popup = PanelService::Find(panel, "Ctrl item");
                  const LWDescPopup &desc = popup->desc.popup;
                  const int count = desc.countFn(popup->userData);
                  for (int i = -1; i <= count; ++i) {
                      const char *name = desc.nameFn(popup->userData, i);
                      popupNames.push_back(name ? name : "(null)");
                  }
                  return 0;
              }),
              AFUNC_OK);
    ASSERT_NE(seen, nullptr);
    Panel &panel = *seen;
    ASSERT_EQ(panel.controls.size(), 5u);
    EXPECT_EQ(panel.title + " " + std::to_string(panel.openFlags) + " " + std::to_string(panel.w) + "x" +
                  std::to_string(panel.h),
              "ZK:MorphConsolidate(1.00) build 250619 3 320x150");
    // Type, label, place, width, shown, has an event, has user data. Fields start at x = 100:
    // "Ctrl item" and "Exp prefix" labels are 71 and 78 pixels wide.
    Lines controls;
    for (const auto &control : panel.controls)
        controls.push_back(control->type + " \"" + control->label + "\" " + std::to_string(control->x) + "," +
                           std::to_string(control->y) + " " + std::to_string(control->visible) +
                           std::to_string(control->event != nullptr) + std::to_string(control->userData != nullptr));
    EXPECT_EQ(controls, (Lines{"TabChoiceControl \"\" 0,2 111", "BorderControl \"\" 0,22 100",
                               "CustomPopupControl \"Ctrl item\" 29,40 101", "EditControl \"Exp prefix\" 22,70 111",
                               "ButtonControl \"Remove Expressions\" 100,40 011"}));
    EXPECT_EQ(panel.controls[0]->items, (Lines{"Create", "Remove"}));
    const auto &c = panel.controls;
    EXPECT_EQ((std::vector<int>{c[0]->desc.choice.vertical, c[1]->desc.area.width, c[2]->desc.popup.width,
                                c[3]->desc.string.width, c[4]->desc.area.width, c[0]->intValue, c[2]->intValue}),
              (std::vector<int>{0, 400, 200, 38, 160, 0, 0}));
    EXPECT_EQ(c[3]->text, "E_");
    EXPECT_EQ(popupNames, (Lines{"(null)", "Face", "Head", "Jaw", "Brows", "Key", "Camera", "Loose", "(null)"}));

    // Cancel: not one command.
    EXPECT_TRUE(host.commands.log.empty());
    EXPECT_TRUE(host.expressions.Expressions().empty());
}

TEST_F(MorphConsolidate, OkLinksTheSelectedObjectsToTheController)
{
    Select({"Head", "Brows"});
    ASSERT_EQ(Run(), AFUNC_OK);
    const Lines expected = Join({{"StatusMsg start ZK:MorphConsolidate..."}, kRemoveLines, {
        "RefreshNow",
        "GE_CreateExpression \"E_Face_MorphGroup_Smile\" \"[Face.MorphGroup.Smile]\"", "RefreshNow",
        "GE_AttachExpressionID 0x22000000015 \"E_Face_MorphGroup_Smile\"",
        "GE_CreateExpression \"E_Face_MorphGroup_Smile\" \"[Face.MorphGroup.Smile]\"", "RefreshNow",
        "GE_AttachExpressionID 0x22000000020 \"E_Face_MorphGroup_Smile\"",
        "GE_CreateExpression \"E_Face_MorphGroup_Blink\" \"[Face.MorphGroup.Blink]\"", "RefreshNow",
        "GE_AttachExpressionID 0x22000000016 \"E_Face_MorphGroup_Blink\"",
        "GE_CreateExpression \"E_Face_MorphGroup_Blink\" \"[Face.MorphGroup.Blink]\"", "RefreshNow",
        "GE_AttachExpressionID 0x22000000021 \"E_Face_MorphGroup_Blink\"",
        "SelectItem 0x10000003", "AddToSelection 0x10000002",
        "StatusMsg start ZK:MorphConsolidate...done"}});
    EXPECT_EQ(host.commands.log, expected);
}

TEST_F(MorphConsolidate, PanelKeptWithItsPrefixUntilRemoved)
{
    Select({"Brows"});
    ASSERT_EQ(Run([](Panel &panel) {
                  PanelControl *edit = PanelService::Find(panel, "Exp prefix");
                  PanelService::SetText(*edit, "rig.v2: ");
                  PanelService::Fire(*edit);
                  return 1;
              }),
              AFUNC_OK);
    ASSERT_EQ(host.panels.Panels().size(), 1u);
    Panel *first = host.panels.Panels()[0];
    EXPECT_NE(host.expressions.Find("rig_v2__Face_MorphGroup_Smile"), nullptr);

    // The next run opens the same panel; the user picks Head as the controller, which is skipped
    // among the selected items, and the selection comes back in reverse, each item once.
    Select({"Brows", "Face", "Head", "Brows"});
    ASSERT_EQ(Run([&](Panel &panel) {
                  EXPECT_EQ(&panel, first);
                  EXPECT_EQ(PanelService::Find(panel, "Exp prefix")->text, "rig.v2: ");
                  PanelService::SetInt(*PanelService::Find(panel, "Ctrl item"), 1);
                  return 1;
              }),
              AFUNC_OK);
    EXPECT_EQ(host.panels.Panels().size(), 1u);
    EXPECT_EQ(Lines(host.commands.log.end() - 3, host.commands.log.end() - 1),
              (Lines{"AddToSelection 0x10000001", "AddToSelection 0x10000003"}));
    // Face is a null object: its morph channels are targets all the same.
    EXPECT_EQ(host.expressions.AttachedTo(0x2200000000aull), Lines{"rig_v2__Head_MorphGroup_Smile"});
    EXPECT_EQ(host.expressions.AttachedTo(0x22000000020ull), Lines{"rig_v2__Head_MorphGroup_Smile"});
    EXPECT_TRUE(host.expressions.AttachedTo(0x22000000015ull).empty());

    // Remove tab, then the remove button: the panel is closed and destroyed from inside its open.
    host.commands.log.clear();
    ASSERT_EQ(Run([](Panel &panel) {
                  PanelService::SetInt(*PanelService::Find(panel, "#0"), 1);
                  PanelService::Fire(*PanelService::Find(panel, "#0"));
                  EXPECT_FALSE(PanelService::Find(panel, "Ctrl item")->visible);
                  EXPECT_FALSE(PanelService::Find(panel, "Exp prefix")->visible);
                  EXPECT_TRUE(PanelService::Find(panel, "Remove Expressions")->visible);
                  PanelService::Fire(*PanelService::Find(panel, "Remove Expressions"));
                  return 0;
              }),
              AFUNC_OK);
    EXPECT_EQ(host.commands.log, Join({kRemoveLines, {"StatusMsg start expressions remove...done", "RefreshNow"}}));
    EXPECT_TRUE(host.panels.Panels().empty());
    // Face is no mesh: its expression stays, the unused ones went.
    EXPECT_EQ(host.expressions.AttachedTo(0x2200000000aull), Lines{"rig_v2__Head_MorphGroup_Smile"});
    EXPECT_TRUE(host.expressions.AttachedTo(0x22000000020ull).empty());
    EXPECT_EQ(host.expressions.Expressions().size(), 2u); // Face's Smile and Blink

    // A fresh panel, on the Create tab, showing the stored prefix.
    ASSERT_EQ(Run([](Panel &panel) {
                  EXPECT_EQ(PanelService::Find(panel, "Exp prefix")->text, "rig.v2: ");
                  EXPECT_EQ(PanelService::Find(panel, "#0")->intValue, 0);
                  EXPECT_TRUE(PanelService::Find(panel, "Ctrl item")->visible);
                  return 0;
              }),
              AFUNC_OK);
    EXPECT_EQ(host.panels.Panels().size(), 1u);
}

TEST_F(MorphConsolidate, RemoveConfirmedByTheHostEndsWithNoSelectedItem)
{
    Select({"Head"});
    ASSERT_EQ(Run([](Panel &panel) {
                  PanelService::Fire(*PanelService::Find(panel, "Remove Expressions"));
                  return 1;
              }),
              AFUNC_OK);
    EXPECT_EQ(host.commands.status, (Lines{"start expressions remove...done", "start ZK:MorphConsolidate...",
                                           "No selected item !", "start ZK:MorphConsolidate...done"}));
    EXPECT_EQ(host.commands.log.end()[-2], "SelectItem 0x10000002");
    EXPECT_TRUE(host.expressions.Expressions().empty());
}

// A panel service that cannot open a panel, or add its controls, keeps none and runs nothing;
// without the panel's globals function the run goes on.
TEST_F(MorphConsolidate, APanelThatCannotOpenRunsNothing)
{
    Select({"Head"});
    LWPanelFuncs *funcs = host.panels.Funcs();
    const LWPanelFuncs saved = *funcs;
    funcs->open = nullptr;
    EXPECT_EQ(host.RunGeneric(kServer), AFUNC_OK);
    EXPECT_TRUE(host.panels.Panels().empty());
    *funcs = saved;
    funcs->addControl = [](LWPanelID, const char *, LWPanControlDesc *, const char *) -> LWControl * { return nullptr; };
    EXPECT_EQ(host.RunGeneric(kServer), AFUNC_OK);
    EXPECT_TRUE(host.panels.Panels().empty());
    EXPECT_EQ(host.panels.modalOpens, 0);
    EXPECT_TRUE(host.commands.log.empty());
    *funcs = saved;
    funcs->globalFun = nullptr;
    EXPECT_EQ(Run(), AFUNC_OK);
    EXPECT_EQ(host.commands.status.back(), "start ZK:MorphConsolidate...done");
}

// Each rejected command gives one error line and the run goes on: the attaches then name
// expressions the host never made, and fail in turn.
TEST_F(MorphConsolidate, RejectedCommandsGiveOneErrorLineEach)
{
    Select({"Head"});
    host.commands.rejectWords = {"GE_DetachExpressionsID", "GE_CreateExpression", "SelectItem"};
    ASSERT_EQ(Run(), AFUNC_OK);
    Lines detaches;
    for (size_t i = 0; i < 4; ++i)
        detaches.push_back("*** ERROR: eval( \"" + kRemoveLines[i] + "\" ) !(0) ***");
    EXPECT_EQ(host.commands.status, Join({{"start ZK:MorphConsolidate..."}, detaches, {
        "*** ERROR: eval( \"GE_CreateExpression \"E_Face_MorphGroup_Smile\" \"[Face.MorphGroup.Smile]\"\" ) !(0) ***",
        "*** ERROR: eval( \"GE_AttachExpressionID 0x22000000015 \"E_Face_MorphGroup_Smile\"\" ) !(0) ***",
        "*** ERROR: eval( \"GE_CreateExpression \"E_Face_MorphGroup_Blink\" \"[Face.MorphGroup.Blink]\"\" ) !(0) ***",
        "*** ERROR: eval( \"GE_AttachExpressionID 0x22000000016 \"E_Face_MorphGroup_Blink\"\" ) !(0) ***",
        "*** ERROR: eval( \"SelectItem 0x10000002\" ) !(0) ***", "start ZK:MorphConsolidate...done"}}));
    EXPECT_TRUE(host.expressions.Expressions().empty());
}

TEST_F(MorphConsolidate, MissingInterfaceInfoAtTheEndStaysInsideTheModule)
{
    Select({"Head"});
    int lookups = 0;
    void *const snapshot = host.services.Lookup("LW Interface Info 8");
    host.services.SetProvider("LW Interface Info 8", [&]() -> void * {
        ++lookups;
        return lookups <= 2 ? snapshot : nullptr; // the activation's fill and the run's refresh
    });
    ASSERT_EQ(Run(), AFUNC_OK);
    EXPECT_EQ(lookups, 3);
    EXPECT_EQ(host.commands.log.back(), "StatusMsg *** ERROR: g_global( LWINTERFACEINFO_GLOBAL, GFUSE_TRANSIENT ) ***");
    EXPECT_EQ(host.commands.log.end()[-2], "SelectItem 0x10000002");
    EXPECT_EQ(host.expressions.Expressions().size(), 2u);
}

// A controller index out of the item list links nothing; the selection is restored.
TEST_F(MorphConsolidate, ControllerOutOfTheListLinksNothing)
{
    Select({"Head"});
    for (int index : {99, -1}) {
        host.commands.log.clear();
        ASSERT_EQ(Run([index](Panel &panel) {
                      PanelService::SetInt(*PanelService::Find(panel, "Ctrl item"), index);
                      return 1;
                  }),
                  AFUNC_OK);
        const Lines start = {"StatusMsg start ZK:MorphConsolidate..."};
        const Lines restored = {"RefreshNow", "SelectItem 0x10000002", "StatusMsg start ZK:MorphConsolidate...done"};
        EXPECT_EQ(host.commands.log, Join({start, kRemoveLines, restored})) << index;
    }
}

// Names with a double quote or a line break, or a prefix with a quote, would break the command
// line, and so would a line longer than 511 characters: those links are reported and the rest made.
TEST_F(MorphConsolidate, NamesThatBreakTheCommandLineAreNotLinked)
{
    const std::string longName(300, 'S');
    for (const char *item : {"Face", "Head"}) {
        zkh::AddChannelGroup(host.scene, ItemId(item), "Mouth", {"Wi\"de", "Op\nen", "Shut"});
        zkh::AddChannelGroup(host.scene, ItemId(item), "MorphGroup", {longName});
    }
    host.scene.vertexMaps = {{LWVMAP_MORF, "Mouth.Wi\"de"}, {LWVMAP_MORF, "Mouth.Op\nen"}, {LWVMAP_MORF, "Mouth.Shut"}};
    Select({"Head"});
    ASSERT_EQ(Run(), AFUNC_OK);
    const char *quoteOrBreak = "a name holds a double quote or a line break";
    EXPECT_TRUE(Reported(NotLinked("Mouth.Wi\"de", quoteOrBreak)));
    EXPECT_TRUE(Reported(NotLinked("Mouth.Op\nen", quoteOrBreak)));
    EXPECT_TRUE(Reported(NotLinked("MorphGroup." + longName, "the command line would be longer than 511 characters")));
    EXPECT_EQ(host.commands.status.back(), "start ZK:MorphConsolidate...done");
    for (const std::string &line : host.commands.log)
        EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_NE(host.expressions.Find("E_Face_Mouth_Shut"), nullptr);
    EXPECT_NE(host.expressions.Find("E_Face_MorphGroup_Blink"), nullptr);
    EXPECT_EQ(host.expressions.Expressions().size(), 3u);

    host.commands.log.clear();
    ASSERT_EQ(Run([](Panel &panel) {
                  PanelService::SetText(*PanelService::Find(panel, "Exp prefix"), "E\"");
                  PanelService::Fire(*PanelService::Find(panel, "Exp prefix"));
                  return 1;
              }),
              AFUNC_OK);
    for (const std::string &line : host.commands.log)
        EXPECT_NE(line.rfind("GE_CreateExpression", 0), 0u) << line;
    EXPECT_EQ(host.commands.status.back(), "start ZK:MorphConsolidate...done");
}

} // namespace
