// The simulated host's scene blocks and scene file.
#include "host.h"

#include <gtest/gtest.h>

namespace {

TEST(SceneBlock, ItemsReadBackInSequence)
{
    zkh::Block block;
    zkh::BlockWriter writer(block);
    const LWSaveState *save = writer.State();
    const int ints[] = {-3, 7};
    const unsigned int id = 0x30000001u;
    const float floats[] = {0.5f, 1.0f / 3.0f};
    save->writeStr(save->writeData, "0305");
    save->writeI4(save->writeData, ints, 2);
    save->writeU4(save->writeData, &id, 1);
    save->writeFP(save->writeData, floats, 2);
    save->writeStr(save->writeData, "tail");
    ASSERT_EQ(block.size(), 7u);

    zkh::BlockReader reader(block);
    const LWLoadState *load = reader.State();
    char text[8];
    int i4[2] = {};
    unsigned int u4 = 0;
    float fp[2] = {};
    EXPECT_EQ(load->readI4(load->readData, i4, 1), 0); // a string is next: nothing read
    EXPECT_EQ(load->readStr(load->readData, text, sizeof text), 4);
    EXPECT_STREQ(text, "0305");
    EXPECT_EQ(load->readI4(load->readData, i4, 2), 2);
    EXPECT_EQ(i4[0], -3);
    EXPECT_EQ(i4[1], 7);
    EXPECT_EQ(load->readU4(load->readData, &u4, 1), 1);
    EXPECT_EQ(u4, 0x30000001u);
    EXPECT_EQ(load->readFP(load->readData, fp, 2), 2);
    EXPECT_EQ(fp[1], 1.0f / 3.0f);
    EXPECT_EQ(load->readStr(load->readData, text, 3), 2); // limited to the buffer
    EXPECT_STREQ(text, "ta");
    // Past the end every read fails.
    EXPECT_EQ(load->readI4(load->readData, i4, 1), 0);
    EXPECT_EQ(load->readStr(load->readData, text, sizeof text), -1);
}

TEST(SceneBlock, TextFormRoundTrips)
{
    const zkh::BlockItem items[] = {{zkh::BlockItem::Type::Str, "a \"q\" \\ \n\t\x01 \xe3\x83\xa1", 0},
                                    {zkh::BlockItem::Type::I4, "", -2147483648.0},
                                    {zkh::BlockItem::Type::U4, "", 4294967295.0},
                                    {zkh::BlockItem::Type::FP, "", static_cast<double>(0.1f)}};
    for (const zkh::BlockItem &item : items) {
        zkh::BlockItem back;
        std::string error;
        ASSERT_TRUE(zkh::ParseBlockItem("  " + zkh::FormatBlockItem(item), back, error)) << error;
        EXPECT_EQ(back.type, item.type);
        EXPECT_EQ(back.text, item.text);
        EXPECT_EQ(back.number, item.number);
    }
    zkh::BlockItem item;
    std::string error;
    EXPECT_FALSE(zkh::ParseBlockItem("I4 9999999999", item, error));
    EXPECT_FALSE(zkh::ParseBlockItem("Str \"open", item, error));
    EXPECT_FALSE(zkh::ParseBlockItem("XX 1", item, error));
    EXPECT_FALSE(zkh::ParseBlockItem("FP -15e42", item, error)); // finite as a double, not as a float
    EXPECT_EQ(error, "FP value out of the float range");
    EXPECT_TRUE(zkh::ParseBlockItem("FP 3e38", item, error)) << error;
}

TEST(SceneFile, ModelRoundTrips)
{
    zkh::Host host;
    zkh::Scene &scene = host.scene;
    scene.fps = 30;
    scene.previewStart = 5;
    scene.previewEnd = 95;
    scene.time = 1.25;
    const std::uint32_t camera = scene.AddCamera("Cam \"A\"", 1920, 1080, 50).id;
    const std::uint32_t face = scene.AddObject("Face", "Objects/Face.lwo").id;
    scene.AddNullObject("Controller");
    scene.AddBone("Jaw", face);
    scene.AddLight("Key");
    scene.vertexMaps.emplace_back(LWVMAP_MORF, "MorphGroup.Smile");
    scene.viewports.push_back({LVVIEWT_CAMERA, camera, 0, 0, 960, 540});
    scene.selection = {face, camera};
    const std::string text = host.SceneText();

    zkh::Host::Current().scene = zkh::Scene();
    ASSERT_TRUE(host.LoadSceneText(text, "test.zks")) << host.messages.back();
    EXPECT_EQ(host.SceneText(), text);
    EXPECT_EQ(scene.fps, 30);
    ASSERT_NE(scene.FindByName("Cam \"A\""), nullptr);
    EXPECT_EQ(scene.FindByName("Cam \"A\"")->id, camera);
    EXPECT_EQ(scene.FindByName("Jaw")->parent, face);
    EXPECT_EQ(scene.FindByName("Controller")->fileName, "");
    EXPECT_EQ(scene.selection, (std::vector<std::uint32_t>{face, camera}));
}

TEST(SceneFile, MistakesNameTheLine)
{
    zkh::Host host;
    host.scene.AddCamera("Keep", 100, 100, 35);
    EXPECT_FALSE(host.LoadSceneText("ZKScene 1\nFramesPerSecond x\n", "a.zks"));
    EXPECT_EQ(host.messages.back(), "a.zks:2: unexpected line: FramesPerSecond x");
    EXPECT_FALSE(host.LoadSceneText("LWSC\n", "b.zks"));
    EXPECT_EQ(host.messages.back(), "b.zks:1: not a scene file (expected \"ZKScene 1\")");
    EXPECT_FALSE(host.LoadSceneText("ZKScene 1\nPlugin MasterHandler \"ZK:X\"\n  I4 1\n", "c.zks"));
    EXPECT_EQ(host.messages.back(), "c.zks:3: missing EndPlugin");
    EXPECT_FALSE(host.LoadSceneText("", "d.zks"));
    EXPECT_FALSE(host.LoadSceneText("\nFramesPerSecond 30\n", "f.zks"));
    EXPECT_EQ(host.messages.back(), "f.zks:2: not a scene file (expected \"ZKScene 1\")");
    EXPECT_FALSE(host.LoadSceneText("ZKScene 1\nFrameRange 1e12 5\n", "g.zks"));
    EXPECT_FALSE(host.LoadSceneText("ZKScene 1\nPlugin MasterHandler \"X\"\nEndPluginXYZ\n", "h.zks"));
    // A refused file leaves the scene as it was.
    EXPECT_NE(host.scene.FindByName("Keep"), nullptr);
}

TEST(SceneFile, PluginWithoutModuleIsReported)
{
    zkh::Host host;
    ASSERT_TRUE(host.LoadSceneText("ZKScene 1\nPlugin MasterHandler \"ZK:CameraFrame\"\n  Str \"0305\"\nEndPlugin\n", "e.zks"));
    EXPECT_EQ(host.messages.back(), "no module loaded");
}

} // namespace
