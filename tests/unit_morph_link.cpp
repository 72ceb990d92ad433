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

// An empty item list, or a popup value out of the list: no link, the selection restored.
TEST_F(MorphLink, NoControllerNoLinks)
{
    Select({"Head"});
    state->itemList.clear();
    CreateConsolidation(*state, 0);
    EXPECT_EQ(host.commands.log, Join({{"StatusMsg start ZK:MorphConsolidate..."}, kRemoveLines,
                                       {"RefreshNow", "StatusMsg No selected item !", "SelectItem 0x10000002",
                                        "StatusMsg start ZK:MorphConsolidate...done"}}));
    state->itemList = ListSceneItems();
    CreateConsolidation(*state, 99);
    CreateConsolidation(*state, -1);
    for (const std::string &line : host.commands.log)
        EXPECT_NE(line.rfind("GE_CreateExpression", 0), 0u) << line;
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
