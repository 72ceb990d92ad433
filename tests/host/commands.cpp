// The simulated host's command interface and item services.
#include "host.h"

#include <gtest/gtest.h>

namespace {

// Lines naming no item or no command fail, and are logged all the same (selection and status
// lines are checked where the plug-ins send them).
TEST(HostCommands, UnknownItemsAndCommandsFail)
{
    zkh::Host host;
    EXPECT_EQ(zkh::Host::CommandLine("SelectItem 0x12345"), 0);
    EXPECT_EQ(zkh::Host::CommandLine("NoSuchCommand 1"), 0);
    EXPECT_EQ(host.commands.log, (std::vector<std::string>{"SelectItem 0x12345", "NoSuchCommand 1"}));
}

TEST(HostServices, ItemOrderAndBones)
{
    zkh::Host host;
    const std::uint32_t face = host.scene.AddObject("Face", "Face.lwo").id;
    const std::uint32_t body = host.scene.AddObject("Body", "Body.lwo").id;
    const std::uint32_t jaw = host.scene.AddBone("Jaw", face).id;
    const std::uint32_t loose = host.scene.AddBone("Loose", 0).id;
    auto *items = static_cast<const LWItemInfo *>(zkh::Host::GlobalLookup("LW Item Info 9", 0));
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(zkh::FromItemID(items->first(LWI_OBJECT, nullptr)), face);
    EXPECT_EQ(zkh::FromItemID(items->next(zkh::ToItemID(face))), body);
    EXPECT_EQ(items->next(zkh::ToItemID(body)), nullptr);
    EXPECT_EQ(zkh::FromItemID(items->first(LWI_BONE, zkh::ToItemID(face))), jaw);
    EXPECT_EQ(items->next(zkh::ToItemID(jaw)), nullptr);
    EXPECT_EQ(zkh::FromItemID(items->first(LWI_BONE, nullptr)), loose);
    EXPECT_EQ(items->first(LWI_CAMERA, nullptr), nullptr);
    EXPECT_STREQ(items->name(zkh::ToItemID(jaw)), "Jaw");

    // A bone's channel group lies inside its object's group.
    auto *channels = static_cast<const LWChannelInfo *>(zkh::Host::GlobalLookup("Channel Info 3", 0));
    LWChanGroupID faceGroup = items->chanGroup(zkh::ToItemID(face));
    LWChanGroupID child = channels->nextGroup(faceGroup, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_STREQ(channels->groupName(child), "Jaw");
    LWChannelID first = channels->nextChannel(faceGroup, nullptr);
    EXPECT_STREQ(channels->channelName(first), "Position.X");
}

} // namespace
