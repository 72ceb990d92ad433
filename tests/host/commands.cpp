// The simulated host's command lines and graph-editor expressions: the GE_ command lines, the
// table, channels that follow the channel their expression refers to, and lookups on a large rig.
// (Malformed lines and reference loops are left to the expression fuzz target.)
#include "host.h"
#include "morph_rig.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// Lines naming no item or no command fail, and are logged all the same (selection and status
// lines are checked where the plug-ins send them).
TEST(HostCommands, UnknownItemsAndCommandsFail)
{
    zkh::Host host;
    EXPECT_EQ(zkh::Host::CommandLine("SelectItem 0x12345"), 0);
    EXPECT_EQ(zkh::Host::CommandLine("NoSuchCommand 1"), 0);
    EXPECT_EQ(host.commands.log, (std::vector<std::string>{"SelectItem 0x12345", "NoSuchCommand 1"}));
}

class HostExpressions : public ::testing::Test {
protected:
    void SetUp() override { zkh::BuildMorphRig(host.scene, {}); }

    int Send(const std::string &line) { return host.commands.Send(line); }
    zkh::ChannelKey Morph(const std::string &item, const std::string &name)
    {
        return zkh::FindItemChannel(host.scene, *host.scene.FindByName(item), "MorphGroup." + name)->id;
    }
    double Value(zkh::ChannelKey channel, double time = 0.0)
    {
        return zkh::EvaluateChannel(host.scene, host.expressions, *host.scene.FindChannel(channel), time);
    }

    zkh::Host host;
};

TEST_F(HostExpressions, CommandLines)
{
    const zkh::ChannelKey smile = Morph("Head", "Smile"); // 0x22000000015
    ASSERT_EQ(smile, 0x22000000015ull);
    EXPECT_EQ(Send("GE_CreateExpression \"E_Smile\" \"[Face.MorphGroup.Smile]\""), 1);
    EXPECT_EQ(Send("GE_CreateExpression \"E_Smile\" \"[Face.MorphGroup.Blink]\""), 1); // redefined
    ASSERT_EQ(host.expressions.Expressions().size(), 1u);
    EXPECT_EQ(host.expressions.Find("E_Smile")->text, "[Face.MorphGroup.Blink]");

    EXPECT_EQ(Send("GE_AttachExpressionID 0x22000000015 \"E_Smile\""), 1);
    EXPECT_EQ(Send("GE_AttachExpressionID 0x22000000015 \"E_Smile\""), 1); // once only
    EXPECT_EQ(Send("GE_AttachExpressionID 0x22000000020 \"E_Smile\""), 1);
    EXPECT_EQ(host.expressions.ChannelsOf("E_Smile"), (std::vector<zkh::ChannelKey>{0x22000000015ull, 0x22000000020ull}));
    EXPECT_EQ(Send("GE_CreateExpression \"E_Spare\" \"[Face.MorphGroup.Smile]\""), 1);
    EXPECT_EQ(Send("GE_ClearUnusedExpressions"), 1);
    EXPECT_EQ(host.expressions.Find("E_Spare"), nullptr);
    EXPECT_NE(host.expressions.Find("E_Smile"), nullptr);

    EXPECT_EQ(Send("GE_DetachExpressionsID 0x22000000015"), 1);
    EXPECT_EQ(host.expressions.AttachedTo(0x22000000015ull), Lines{});
    EXPECT_EQ(Send("GE_ClearUnusedExpressions"), 1);
    EXPECT_EQ(host.expressions.Expressions().size(), 1u); // still on Brows
    EXPECT_EQ(Send("GE_DetachExpressionsID 0x22000000020"), 1);
    EXPECT_EQ(Send("GE_ClearUnusedExpressions"), 1);
    EXPECT_TRUE(host.expressions.Expressions().empty());
}

TEST_F(HostExpressions, ChannelsFollowTheirReference)
{
    zkh::Scene &scene = host.scene;
    const zkh::ChannelKey face = Morph("Face", "Smile"), head = Morph("Head", "Smile");
    scene.FindChannel(face)->envelope = zkh::LinearEnvelope({{0.0, 0.0}, {1.0, 1.0}});
    scene.FindChannel(head)->envelope = zkh::ConstantEnvelope(5.0);
    EXPECT_DOUBLE_EQ(Value(head, 0.5), 5.0);

    Send("GE_CreateExpression \"E_Face\" \"[Face.MorphGroup.Smile]\"");
    Send("GE_AttachExpressionID 0x22000000015 \"E_Face\"");
    EXPECT_DOUBLE_EQ(Value(head, 0.25), 0.25);
    // Through the host's channel service, as a plug-in reads it.
    auto *info = static_cast<const LWChannelInfo *>(zkh::Host::GlobalLookup("Channel Info 3", 0));
    EXPECT_DOUBLE_EQ(info->channelEvaluate(zkh::ToChannelID(head), 0.75), 0.75);

    // An item name holding "." is found too; motion channels resolve; bones' channels are the bone's.
    scene.AddNullObject("Rig.v2");
    zkh::AddChannelGroup(scene, scene.FindByName("Rig.v2")->id, "MorphGroup", {"Smile"});
    const zkh::Channel *rigSmile = zkh::ReferencedChannel(scene, "[Rig.v2.MorphGroup.Smile]");
    ASSERT_NE(rigSmile, nullptr);
    EXPECT_EQ(zkh::ChannelFullName(scene, *scene.FindByName("Rig.v2"), *rigSmile), "MorphGroup.Smile");
    EXPECT_NE(zkh::ReferencedChannel(scene, "[Head.Position.X]"), nullptr);
    EXPECT_EQ(zkh::ReferencedChannel(scene, "[Head.Jaw.Position.X]"), nullptr);
    EXPECT_NE(zkh::ReferencedChannel(scene, "[Jaw.Position.X]"), nullptr);
}

// Items, groups and channels are found through indexes: the answers of a rig of 20000 morphs are
// those of a walk over the lists (the first of a name, scene order, groups whose names hold dots).
TEST(HostScene, LookupsOnALargeRig)
{
    zkh::Host host;
    zkh::MorphRig rig;
    rig.morphs.clear();
    for (int i = 0; i < 20000; ++i)
        rig.morphs.push_back("M" + std::to_string(i));
    rig.meshes = {"Head"};
    zkh::BuildMorphRig(host.scene, rig);
    zkh::Scene &scene = host.scene;
    const zkh::Item *head = scene.FindByName("Head");
    ASSERT_NE(head, nullptr);
    const zkh::Channel *last = zkh::FindItemChannel(scene, *head, "MorphGroup.M19999");
    ASSERT_NE(last, nullptr);
    std::string fullName;
    EXPECT_EQ(zkh::ChannelOwner(scene, *last, fullName), head);
    EXPECT_EQ(fullName, "MorphGroup.M19999");
    EXPECT_EQ(scene.FindChannel(last->id), last);

    // The channel service walks a group in order and ends after its last channel.
    auto *info = static_cast<const LWChannelInfo *>(zkh::Host::GlobalLookup("Channel Info 3", 0));
    const LWChanGroupID morphGroup = zkh::ToChannelID(last->group);
    int count = 0;
    LWChannelID previous = nullptr;
    for (LWChannelID channel = info->nextChannel(morphGroup, nullptr); channel;
         channel = info->nextChannel(morphGroup, channel)) {
        ASSERT_STREQ(info->channelName(channel), ("M" + std::to_string(count)).c_str());
        ++count;
        previous = channel;
    }
    EXPECT_EQ(count, 20000);
    EXPECT_EQ(previous, zkh::ToChannelID(last->id));
    EXPECT_EQ(info->nextChannel(zkh::ToChannelID(head->chanGroup), previous), nullptr); // not of that group
    EXPECT_EQ(info->nextGroup(zkh::ToChannelID(head->chanGroup), nullptr), morphGroup);
    const LWChanGroupID jaw = zkh::ToChannelID(scene.FindByName("Jaw")->chanGroup); // the bone's, inside Head's
    EXPECT_EQ(info->nextGroup(zkh::ToChannelID(head->chanGroup), morphGroup), jaw);
    EXPECT_EQ(info->nextGroup(zkh::ToChannelID(head->chanGroup), jaw), nullptr);
    EXPECT_EQ(zkh::FindItemChannel(scene, *head, "Jaw.Position.X"), nullptr);

    // The first item of a name; a dotted path through "A.B" or through "A" then "B.C": the channel
    // added first wins, and both are found by their own groups.
    const std::uint32_t second = scene.AddNullObject("Head").id;
    EXPECT_EQ(scene.FindByName("Head"), head);
    EXPECT_EQ(scene.Find(second)->name, "Head");
    const zkh::Item &dotted = scene.AddNullObject("Dotted");
    const std::uint32_t dottedId = dotted.id;
    zkh::AddChannelGroup(scene, dottedId, "A.B", {"C"});
    const zkh::ChannelKey a = zkh::AddChannelGroup(scene, dottedId, "A", {});
    scene.AddChannel("B.C", a);
    const zkh::Channel *found = zkh::FindItemChannel(scene, *scene.Find(dottedId), "A.B.C");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, "C");
    EXPECT_EQ(zkh::ChannelOwner(scene, scene.Channels().back(), fullName), nullptr); // "A.B.C" is the other's
    EXPECT_EQ(fullName, "A.B.C");
}

} // namespace
