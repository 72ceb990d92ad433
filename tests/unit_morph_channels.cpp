// The scene as the morph consolidation command reads it: item channels and their full names, the
// morph channel and mesh object tests, expression names.
#include "common/lwtool2.h"
#include "host.h"
#include "morph_rig.h"
#include "morphconsolidate/consolidate_state.h"
#include "morphconsolidate/morph_channels.h"
#include "morphconsolidate/morph_link.h"

#include <gtest/gtest.h>

namespace {

class MorphChannels : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetConsolidateState();
        ASSERT_TRUE(AcquireToolGlobals(zkh::Host::GlobalLookup));
    }
    void TearDown() override { ResetConsolidateState(); }

    LWItemID Id(const std::string &name) { return zkh::ToItemID(host.scene.FindByName(name)->id); }

    std::vector<std::string> FullNames(const std::string &item)
    {
        std::vector<std::string> names;
        for (const ItemChannel &channel : ItemChannels(Id(item)))
            names.push_back(channel.fullName);
        return names;
    }

    zkh::Host host;
};

TEST_F(MorphChannels, MorphChannelNames)
{
    host.scene.vertexMaps = {{LWVMAP_MORF, "X.Y.Z"}, {LWVMAP_MORF, "Mouth.Open"}, {LWVMAP_WGHT, "Arm.Weight"}};
    // A 'MORF' map's name outside MorphGroup is one too, unless it has two dots; a weight map is none.
    for (const char *name : {"MorphGroup.Smile", "Mouth.Open"})
        EXPECT_TRUE(IsMorphChannel(name)) << name;
    for (const char *name : {"Smile", "MorphGroup.Mouth.Smile", "MorphGroup.", ".Smile", "morphgroup.Smile", "",
                             "X.Y.Z", "Mouth.open", "Arm.Weight"})
        EXPECT_FALSE(IsMorphChannel(name)) << name;
}

TEST_F(MorphChannels, ItemChannelsSkipTheBonesGroupsOnly)
{
    zkh::BuildMorphRig(host.scene, {});
    zkh::Scene &scene = host.scene;
    // A nested group inside MorphGroup, even one named like the bone: kept.
    const zkh::ChannelKey headGroup = scene.FindByName("Head")->chanGroup;
    zkh::ChannelKey headMorphs = 0;
    for (const zkh::ChannelGroup &group : scene.Groups())
        if (group.parent == headGroup && group.name == "MorphGroup")
            headMorphs = group.id;
    ASSERT_NE(headMorphs, 0u);
    scene.AddChannel("Drop", scene.AddGroup("Jaw", headMorphs).id);
    scene.AddChannel("Open", scene.FindByName("Jaw")->chanGroup); // the bone's own group: skipped

    EXPECT_EQ(FullNames("Head"),
              (std::vector<std::string>{"Position.X", "Position.Y", "Position.Z", "Rotation.H", "Rotation.P",
                                        "Rotation.B", "Scale.X", "Scale.Y", "Scale.Z", "MorphGroup.Smile",
                                        "MorphGroup.Blink", "MorphGroup.Jaw.Drop"}));
    // The bone itself sees its own channels.
    EXPECT_EQ(FullNames("Jaw").size(), 10u);
    EXPECT_EQ(FullNames("Jaw").back(), "Open");
    EXPECT_TRUE(ItemChannels(nullptr).empty());
}

TEST_F(MorphChannels, MeshObjectsAreLwoFilesAndExpressionNames)
{
    zkh::Scene &scene = host.scene;
    scene.AddObject("Head", "/models/Head.lwo");
    scene.AddObject("Upper", "Head.LWO");
    scene.AddObject("Backup", "Head.lwo.bak");
    scene.AddObject("Scan", "scan.obj");
    scene.AddNullObject("Ctrl");
    scene.AddLight("Key");
    EXPECT_TRUE(IsMeshObject(Id("Head")));
    for (const char *name : {"Upper", "Backup", "Scan", "Ctrl", "Key"})
        EXPECT_FALSE(IsMeshObject(Id(name))) << name;
    EXPECT_FALSE(IsMeshObject(nullptr));

    EXPECT_EQ(ExpressionName("my.rig: v2 ", "Face Ctrl.MorphGroup.Smile"), "my_rig__v2_Face_Ctrl_MorphGroup_Smile");
}

} // namespace
