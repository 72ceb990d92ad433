// The command lines of the morph consolidation run, with the panel's values given directly:
// linking, removal, selection restore, rejected commands, unsafe names, the missing interface.
#include "common/lwtool2.h"
#include "morph_steps.h"
#include "morphconsolidate/consolidate_state.h"
#include "morphconsolidate/morph_channels.h"
#include "morphconsolidate/morph_link.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class MorphLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetConsolidateState();
        zkh::BuildMorphRig(host.scene, {});
        ASSERT_TRUE(AcquireToolGlobals(zkh::Host::GlobalLookup));
        state = &UseConsolidateState();
        state->itemList = ListSceneItems();
    }
    void TearDown() override { ResetConsolidateState(); }

    std::uint32_t Id(const std::string &name) { return ItemId(host, name); }
    void Select(const std::vector<std::string> &names) { SelectItems(host, names); }

    zkh::Host host;
    ConsolidateState *state = nullptr;
};

TEST_F(MorphLink, SelectionRestoredInReverseAndControllerSkipped)
{
    // P, Q, R with a repeat and the controller among them.
    Select({"Brows", "Face", "Head", "Brows"});
    state->prefix = "rig.v2: ";
    CreateConsolidation(*state, 0);
    const Lines &log = host.commands.log;
    const Lines tail(log.end() - 4, log.end());
    EXPECT_EQ(tail, (Lines{"SelectItem 0x10000002", "AddToSelection 0x10000001", "AddToSelection 0x10000003",
                           "StatusMsg start ZK:MorphConsolidate...done"}));
    for (const std::string &line : log) {
        EXPECT_EQ(line.find("GE_AttachExpressionID 0x6000000a"), std::string::npos) << line;
        EXPECT_EQ(line.find("GE_AttachExpressionID 0x6000000b"), std::string::npos) << line;
    }
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "GE_CreateExpression \"rig_v2__Face_MorphGroup_Smile\" \"[Face.MorphGroup.Smile]\""),
              log.end());
    EXPECT_EQ(host.expressions.Expressions().size(), 2u);
}

TEST_F(MorphLink, NoSelectionOrNoItems)
{
    Select({});
    CreateConsolidation(*state, 0);
    EXPECT_EQ(host.commands.log, Join({{"StatusMsg start ZK:MorphConsolidate..."}, kRemoveLines,
                                       {"RefreshNow", "StatusMsg No selected item !",
                                        "StatusMsg start ZK:MorphConsolidate...done"}}));

    // An empty item list, or a popup value out of the list: no link, the selection restored.
    host.commands.log.clear();
    Select({"Head"});
    state->itemList.clear();
    CreateConsolidation(*state, 0);
    EXPECT_EQ(host.commands.log, Join({{"StatusMsg start ZK:MorphConsolidate..."}, kRemoveLines,
                                       {"RefreshNow", "StatusMsg No selected item !", "SelectItem 0x10000002",
                                        "StatusMsg start ZK:MorphConsolidate...done"}}));
    host.commands.log.clear();
    state->itemList = ListSceneItems();
    CreateConsolidation(*state, 99);
    CreateConsolidation(*state, -1);
    for (const std::string &line : host.commands.log)
        EXPECT_NE(line.rfind("GE_CreateExpression", 0), 0u) << line;
}

TEST_F(MorphLink, RemovalLeavesNullAndForeignObjectsAlone)
{
    host.scene.AddObject("Scan", "scan.obj");
    zkh::AddChannelGroup(host.scene, Id("Scan"), "MorphGroup", {"Smile"});
    Select({"Head", "Brows", "Scan"});
    CreateConsolidation(*state, 0);
    // Scan (not an .lwo) is linked but never unlinked; Face's own expressions are not ours to drop.
    ASSERT_TRUE(host.commands.Send("GE_CreateExpression \"Own\" \"[Head.Position.X]\""));
    ASSERT_TRUE(host.commands.Send("GE_AttachExpressionID 0x6000000a \"Own\""));
    host.commands.log.clear();

    RemoveMorphExpressions();
    EXPECT_EQ(host.commands.log, kRemoveLines);
    EXPECT_TRUE(host.expressions.AttachedTo(0x60000015u).empty());
    EXPECT_TRUE(host.expressions.AttachedTo(0x60000021u).empty());
    EXPECT_EQ(host.expressions.AttachedTo(0x6000000au), Lines{"Own"});
    EXPECT_EQ(host.expressions.AttachedTo(ChannelId(host, "Scan", "MorphGroup.Smile")), Lines{"E_Face_MorphGroup_Smile"});
    EXPECT_EQ(host.expressions.Expressions().size(), 2u); // Blink's went with the clear
}

// Names with a double quote or a line break, or a prefix with a quote, would break the command
// line: those links are reported and the rest are made.
TEST_F(MorphLink, NamesThatBreakTheCommandLineAreNotLinked)
{
    zkh::Scene &scene = host.scene;
    for (const std::uint32_t item : {Id("Face"), Id("Head")})
        zkh::AddChannelGroup(scene, item, "Mouth", {"Wi\"de", "Op\nen", "Shut"});
    scene.vertexMaps = {{LWVMAP_MORF, "Mouth.Wi\"de"}, {LWVMAP_MORF, "Mouth.Op\nen"}, {LWVMAP_MORF, "Mouth.Shut"}};
    state->itemList = ListSceneItems();
    Select({"Head"});
    CreateConsolidation(*state, 0);

    const Lines &status = host.commands.status;
    const char *const report = "*** ERROR: [Face.Mouth.%s] not linked to 0x%x: a name holds a double quote or a line break ***";
    for (const char *name : {"Wi\"de", "Op\nen"}) {
        const std::uint32_t target = ChannelId(host, "Head", std::string("Mouth.") + name);
        std::string shown = name;
        std::replace(shown.begin(), shown.end(), '\n', ' ');
        EXPECT_NE(std::find(status.begin(), status.end(), FormatString(report, shown.c_str(), target)), status.end());
    }
    EXPECT_EQ(status.back(), "start ZK:MorphConsolidate...done");
    for (const std::string &line : host.commands.log)
        EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_NE(host.expressions.Find("E_Face_Mouth_Shut"), nullptr);
    EXPECT_NE(host.expressions.Find("E_Face_MorphGroup_Blink"), nullptr);
    EXPECT_EQ(host.expressions.Expressions().size(), 3u);

    host.commands.log.clear();
    state->prefix = "E\"";
    CreateConsolidation(*state, 0);
    for (const std::string &line : host.commands.log)
        EXPECT_NE(line.rfind("GE_CreateExpression", 0), 0u) << line;
    EXPECT_EQ(host.commands.status.back(), "start ZK:MorphConsolidate...done");
}

TEST_F(MorphLink, OverlongNamesAreReportedInsteadOfSendingAnEmptyLine)
{
    const std::string longName(300, 'S');
    zkh::AddChannelGroup(host.scene, Id("Face"), "MorphGroup", {longName});
    zkh::AddChannelGroup(host.scene, Id("Head"), "MorphGroup", {longName});
    Select({"Head"});
    EXPECT_NO_THROW(CreateConsolidation(*state, 0));
    const std::uint32_t target = ChannelId(host, "Head", "MorphGroup." + longName);
    const std::string report = FormatString(
        "*** ERROR: [Face.MorphGroup.%s] not linked to 0x%x: the command line would be longer than 511 characters ***",
        longName.c_str(), target);
    const Lines &status = host.commands.status;
    EXPECT_NE(std::find(status.begin(), status.end(), report), status.end());
    EXPECT_EQ(status.back(), "start ZK:MorphConsolidate...done");
    EXPECT_EQ(host.commands.log.end()[-2], "SelectItem 0x10000002");
    EXPECT_EQ(host.expressions.Expressions().size(), 2u);
}

} // namespace
