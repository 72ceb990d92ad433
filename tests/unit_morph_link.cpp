// The command lines of the morph consolidation run, with the panel's values given directly:
// linking, removal, selection restore, rejected commands, unsafe names, the missing interface.
#include "common/lwtool2.h"
#include "host.h"
#include "morph_rig.h"
#include "morphconsolidate/consolidate_state.h"
#include "morphconsolidate/morph_channels.h"
#include "morphconsolidate/morph_link.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// Face 0x10000001 (MorphGroup.Smile 0x6000000a, .Blink 0x6000000b), Head 0x10000002 (0x60000015,
// 0x60000016), Brows 0x10000003 (0x60000020, 0x60000021), bone Jaw, light Key, camera Camera.
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

    std::uint32_t Id(const std::string &name) { return host.scene.FindByName(name)->id; }
    void Select(const std::vector<std::string> &names)
    {
        host.scene.selection.clear();
        for (const std::string &name : names)
            host.scene.selection.push_back(Id(name));
    }
    zkh::Channel &Morph(const std::string &item, const std::string &name)
    {
        const zkh::Channel *channel = zkh::FindItemChannel(host.scene, *host.scene.FindByName(item), "MorphGroup." + name);
        EXPECT_NE(channel, nullptr);
        return *host.scene.FindChannel(channel->id);
    }
    double Value(const std::string &item, const std::string &name, double time = 0.0)
    {
        return ToolGlobals::channelInfo->channelEvaluate(zkh::ToItemID(Morph(item, name).id), time);
    }

    zkh::Host host;
    ConsolidateState *state = nullptr;
};

const Lines kRemoveLines = {
    "GE_DetachExpressionsID 0x60000015", "GE_DetachExpressionsID 0x60000016", "GE_DetachExpressionsID 0x60000020",
    "GE_DetachExpressionsID 0x60000021", "GE_ClearUnusedExpressions",
};

Lines Join(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST_F(MorphLink, TwoSelectedObjectsFollowTheController)
{
    Select({"Head", "Brows"});
    CreateConsolidation(*state, 0); // entry 0: Face
    const Lines expected = Join({
        {"StatusMsg start ZK:MorphConsolidate..."},
        kRemoveLines,
        {"RefreshNow",
         "GE_CreateExpression \"E_Face_MorphGroup_Smile\" \"[Face.MorphGroup.Smile]\"", "RefreshNow",
         "GE_AttachExpressionID 0x60000015 \"E_Face_MorphGroup_Smile\"",
         "GE_CreateExpression \"E_Face_MorphGroup_Smile\" \"[Face.MorphGroup.Smile]\"", "RefreshNow",
         "GE_AttachExpressionID 0x60000020 \"E_Face_MorphGroup_Smile\"",
         "GE_CreateExpression \"E_Face_MorphGroup_Blink\" \"[Face.MorphGroup.Blink]\"", "RefreshNow",
         "GE_AttachExpressionID 0x60000016 \"E_Face_MorphGroup_Blink\"",
         "GE_CreateExpression \"E_Face_MorphGroup_Blink\" \"[Face.MorphGroup.Blink]\"", "RefreshNow",
         "GE_AttachExpressionID 0x60000021 \"E_Face_MorphGroup_Blink\"",
         "SelectItem 0x10000003", "AddToSelection 0x10000002",
         "StatusMsg start ZK:MorphConsolidate...done"},
    });
    EXPECT_EQ(host.commands.log, expected);
    EXPECT_EQ(host.scene.selection, (std::vector<std::uint32_t>{0x10000003u, 0x10000002u}));

    // The targets now read the controller's channels.
    Morph("Face", "Smile").keys = {{0.0, 0.25}, {1.0, 0.75}};
    Morph("Face", "Blink").keys = {{0.0, 1.0}};
    Morph("Head", "Smile").keys = {{0.0, -3.0}};
    EXPECT_DOUBLE_EQ(Value("Head", "Smile", 0.5), 0.5);
    EXPECT_DOUBLE_EQ(Value("Brows", "Smile", 1.0), 0.75);
    EXPECT_DOUBLE_EQ(Value("Brows", "Blink"), 1.0);
    EXPECT_EQ(host.expressions.Expressions().size(), 2u);
    EXPECT_EQ(host.expressions.ChannelsOf("E_Face_MorphGroup_Smile"),
              (std::vector<std::uint32_t>{0x60000015u, 0x60000020u}));
}

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
    EXPECT_EQ(host.expressions.AttachedTo(Morph("Scan", "Smile").id), Lines{"E_Face_MorphGroup_Smile"});
    EXPECT_EQ(host.expressions.Expressions().size(), 2u); // Blink's went with the clear
}

TEST_F(MorphLink, RejectedCommandsAreReportedOnceAndTheRunGoesOn)
{
    Select({"Head"});
    host.commands.rejectWords = {"GE_AttachExpressionID", "GE_DetachExpressionsID"};
    CreateConsolidation(*state, 0);
    const Lines expectedStatus = {
        "start ZK:MorphConsolidate...",
        "*** ERROR: eval( \"GE_DetachExpressionsID 0x60000015\" ) !(0) ***",
        "*** ERROR: eval( \"GE_DetachExpressionsID 0x60000016\" ) !(0) ***",
        "*** ERROR: eval( \"GE_DetachExpressionsID 0x60000020\" ) !(0) ***",
        "*** ERROR: eval( \"GE_DetachExpressionsID 0x60000021\" ) !(0) ***",
        "*** ERROR: eval( \"GE_AttachExpressionID 0x60000015 \"E_Face_MorphGroup_Smile\"\" ) !(0) ***",
        "*** ERROR: eval( \"GE_AttachExpressionID 0x60000016 \"E_Face_MorphGroup_Blink\"\" ) !(0) ***",
        "start ZK:MorphConsolidate...done",
    };
    EXPECT_EQ(host.commands.status, expectedStatus);
    EXPECT_EQ(host.scene.selection, std::vector<std::uint32_t>{Id("Head")});
}

TEST_F(MorphLink, NamesThatBreakTheCommandLineAreNotLinked)
{
    zkh::Scene &scene = host.scene;
    const std::uint32_t face = Id("Face");
    const std::uint32_t head = Id("Head");
    zkh::AddChannelGroup(scene, face, "Mouth", {"Wi\"de", "Op\nen", "Shut"});
    zkh::AddChannelGroup(scene, head, "Mouth", {"Wi\"de", "Op\nen", "Shut"});
    scene.vertexMaps = {{LWVMAP_MORF, "Mouth.Wi\"de"}, {LWVMAP_MORF, "Mouth.Op\nen"}, {LWVMAP_MORF, "Mouth.Shut"}};
    state->itemList = ListSceneItems();
    Select({"Head"});
    CreateConsolidation(*state, 0);

    const std::uint32_t wide = zkh::FindItemChannel(scene, *scene.Find(head), "Mouth.Wi\"de")->id;
    const std::uint32_t open = zkh::FindItemChannel(scene, *scene.Find(head), "Mouth.Op\nen")->id;
    const Lines &status = host.commands.status;
    EXPECT_NE(std::find(status.begin(), status.end(),
                        FormatString("*** ERROR: [Face.Mouth.Wi\"de] not linked to 0x%x: a name holds a double quote "
                                     "or a line break ***", wide)),
              status.end());
    EXPECT_NE(std::find(status.begin(), status.end(),
                        FormatString("*** ERROR: [Face.Mouth.Op en] not linked to 0x%x: a name holds a double quote "
                                     "or a line break ***", open)),
              status.end());
    EXPECT_EQ(status.back(), "start ZK:MorphConsolidate...done");
    for (const std::string &line : host.commands.log)
        EXPECT_EQ(line.find('\n'), std::string::npos);
    // The rest is linked.
    EXPECT_NE(host.expressions.Find("E_Face_Mouth_Shut"), nullptr);
    EXPECT_NE(host.expressions.Find("E_Face_MorphGroup_Blink"), nullptr);
    EXPECT_EQ(host.expressions.Expressions().size(), 3u);

    // A prefix with a quote breaks every line: nothing is created, the run still ends.
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
    const std::uint32_t target = zkh::FindItemChannel(host.scene, *host.scene.FindByName("Head"),
                                                      "MorphGroup." + longName)->id;
    const std::string report = FormatString(
        "*** ERROR: [Face.MorphGroup.%s] not linked to 0x%x: the command line would be longer than 511 characters ***",
        longName.c_str(), target);
    const Lines &status = host.commands.status;
    EXPECT_NE(std::find(status.begin(), status.end(), report), status.end());
    EXPECT_EQ(status.back(), "start ZK:MorphConsolidate...done");
    EXPECT_EQ(host.commands.log.end()[-2], "SelectItem 0x10000002");
    EXPECT_EQ(host.expressions.Expressions().size(), 2u);
}

TEST_F(MorphLink, InterfaceInfoGoneAtTheEnd)
{
    Select({"Head"});
    int lookups = 0;
    void *const snapshot = host.services.Lookup("LW Interface Info 8"); // filled with the selection
    host.services.SetProvider("LW Interface Info 8", [&]() -> void * {
        ++lookups;
        // The run's own refresh gets it; the final look-up does not.
        return lookups == 1 ? snapshot : nullptr;
    });
    try {
        CreateConsolidation(*state, 0);
        FAIL() << "the missing interface info must raise";
    } catch (const lw::ex::CBaseEx &e) {
        EXPECT_EQ(e.Message(), "g_global( LWINTERFACEINFO_GLOBAL, GFUSE_TRANSIENT )");
    }
    EXPECT_EQ(host.commands.log.back(), "StatusMsg *** ERROR: g_global( LWINTERFACEINFO_GLOBAL, GFUSE_TRANSIENT ) ***");
    EXPECT_EQ(ToolGlobals::interfaceInfo, nullptr);
}

} // namespace
