// The simulated host's scene blocks and scene file.
#include "host.h"
#include "morph_rig.h"

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

// Channel keys, the groups the items did not come with, focal length keys, render camera switches
// and expressions come back; channels are found again by item and name.
TEST(SceneFile, ChannelsKeysAndExpressionsRoundTrip)
{
    zkh::Host host;
    zkh::Scene &scene = host.scene;
    const std::uint32_t camera = scene.AddCamera("Cam", 640, 480, 35).id;
    const std::uint32_t other = scene.AddCamera("Other", 640, 480, 35).id;
    const zkh::Item &rig = scene.AddNullObject("Rig \"1\"");
    zkh::AddChannelGroup(scene, rig.id, "MorphGroup", {"Smile", "Jaw Open"});
    const zkh::Item &face = scene.AddObject("Face", "Face.lwo");
    zkh::AddChannelGroup(scene, face.id, "MorphGroup", {"Smile", "Jaw Open"});
    auto channel = [&](const std::string &item, const std::string &name) {
        const zkh::Item *owner = scene.FindByName(item);
        const zkh::Channel *found = owner ? zkh::FindItemChannel(scene, *owner, name) : nullptr;
        return found ? scene.FindChannel(found->id) : nullptr;
    };
    channel("Rig \"1\"", "MorphGroup.Smile")->keys = {{0.0, 0.0}, {1.0 / 3.0, 1.0}};
    channel("Face", "Position.Y")->keys = {{-0.5, 2.5}};
    scene.Find(camera)->focalKeys = {{0.0, 35.0}, {2.0, 50.0}};
    scene.renderCameraSwitches[2.5] = other;
    host.expressions.Define("E_Smile", "[Rig \"1\".MorphGroup.Smile]");
    host.expressions.Define("Unused", "1 + 2");
    ASSERT_TRUE(host.expressions.Attach(channel("Face", "MorphGroup.Jaw Open")->id, "E_Smile"));
    ASSERT_TRUE(host.expressions.Attach(channel("Face", "MorphGroup.Smile")->id, "E_Smile"));
    const std::string text = host.SceneText();
    EXPECT_NE(text.find("\nChannelGroup 0x10000001 \"MorphGroup\" \"Smile\" \"Jaw Open\"\n"
                        "ChannelGroup 0x10000002 \"MorphGroup\" \"Smile\" \"Jaw Open\"\n"
                        "Keys 0x10000001 \"MorphGroup.Smile\" 0 0 0.33333333333333331 1\n"
                        "Keys 0x10000002 \"Position.Y\" -0.5 2.5\n"
                        "FocalKeys 0x30000001 0 35 2 50\n"
                        "RenderCameraFrom 2.5 0x30000002\n"
                        "Expression \"E_Smile\" \"[Rig \\\"1\\\".MorphGroup.Smile]\"\n"
                        "Expression \"Unused\" \"1 + 2\"\n"
                        "Attach 0x10000002 \"MorphGroup.Jaw Open\" \"E_Smile\"\n"
                        "Attach 0x10000002 \"MorphGroup.Smile\" \"E_Smile\"\n"),
              std::string::npos)
        << text;

    scene = zkh::Scene();
    host.expressions.Clear();
    ASSERT_TRUE(host.LoadSceneText(text, "rig.zks")) << host.messages.back();
    EXPECT_EQ(host.SceneText(), text);
    ASSERT_NE(channel("Face", "MorphGroup.Jaw Open"), nullptr);
    EXPECT_EQ(channel("Rig \"1\"", "MorphGroup.Smile")->keys, (std::map<double, double>{{0.0, 0.0}, {1.0 / 3.0, 1.0}}));
    EXPECT_EQ(host.expressions.AttachedTo(channel("Face", "MorphGroup.Smile")->id), std::vector<std::string>{"E_Smile"});
    EXPECT_EQ(scene.FocalLengthAt(camera, 1.0), 42.5);
    EXPECT_EQ(scene.RenderCameraAt(3.0), other);
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
    // Records naming items and channels are checked once every item is in.
    host.expressions.Define("Keep", "1");
    const std::string objectLine = "ZKScene 1\nObject 0x10000001 \"Face\" \"\" 0x0\n";
    EXPECT_FALSE(host.LoadSceneText("ZKScene 1\nKeys 0x10000009 \"Position.X\" 0 1\n", "i.zks"));
    EXPECT_EQ(host.messages.back(), "i.zks:2: no item 0x10000009");
    EXPECT_FALSE(host.LoadSceneText(objectLine + "Keys 0x10000001 \"MorphGroup.Smile\" 0 1\n", "j.zks"));
    EXPECT_EQ(host.messages.back(), "j.zks:3: Face has no channel named 'MorphGroup.Smile'");
    EXPECT_FALSE(host.LoadSceneText(objectLine + "Keys 0x10000001 \"Position.X\" 0 1 2\n", "k.zks"));
    EXPECT_EQ(host.messages.back(), "k.zks:3: Keys: expected pairs of time and value");
    EXPECT_FALSE(host.LoadSceneText(objectLine + "Keys 0x10000001 \"Position.X\" 0 nan\n", "l.zks"));
    EXPECT_FALSE(host.LoadSceneText(objectLine + "Attach 0x10000001 \"Position.X\" \"E\"\n", "m.zks"));
    EXPECT_EQ(host.messages.back(), "m.zks:3: no expression named 'E' (define it before attaching)");
    EXPECT_FALSE(host.LoadSceneText(objectLine + "FocalKeys 0x10000001 0 35\n", "n.zks"));
    EXPECT_EQ(host.messages.back(), "n.zks:3: no camera 0x10000001");
    EXPECT_FALSE(host.LoadSceneText(objectLine + "Bone 0x10000001 \"Jaw\" 0x10000001\n", "q.zks"));
    EXPECT_EQ(host.messages.back(), "q.zks:3: item identifier 0x10000001 used twice");
    EXPECT_FALSE(host.LoadSceneText("ZKScene 1\nPlugin Shader \"X\"\nEndPlugin\n", "o.zks"));
    EXPECT_EQ(host.messages.back(), "o.zks:2: unknown plug-in class Shader");
    EXPECT_FALSE(host.LoadSceneText(objectLine + "Plugin ChannelHandler \"X\" 0x10000001 \"Nope\"\nEndPlugin\n", "p.zks"));
    EXPECT_EQ(host.messages.back(), "p.zks:3: Face has no channel named 'Nope'");
    // A nested Plugin line is named as such; bytes that do not print are escaped, long lines cut.
    EXPECT_FALSE(host.LoadSceneText("ZKScene 1\nPlugin MasterHandler \"X\"\nPlugin MasterHandler \"Y\"\n", "r.zks"));
    EXPECT_EQ(host.messages.back(), "r.zks:3: a Plugin record inside another one (EndPlugin missing before it)");
    EXPECT_FALSE(host.LoadSceneText("ZKScene 1\nPlugin MasterHandler \"X\"\n  Plug 1\n", "s.zks"));
    EXPECT_EQ(host.messages.back(), "s.zks:3: unknown block item 'Plug' (expected Str, I4, U4 or FP)");
    EXPECT_FALSE(host.LoadSceneText("ZKScene 1\nBad\x01\xff\xe3\x81\x82\x1b[2J\xe3\x81 x\n", "t.zks"));
    EXPECT_EQ(host.messages.back(), "t.zks:2: unexpected line: Bad\\x01\\xFF\xe3\x81\x82\\x1B[2J\\xE3\\x81 x");
    EXPECT_FALSE(host.LoadSceneText("ZKScene 1\n" + std::string(1000000, 'w') + "\n", "u.zks"));
    EXPECT_EQ(host.messages.back(), "u.zks:2: unexpected line: " + std::string(300 - 17, 'w') + "...");
    // A refused file leaves the scene and its expressions as they were.
    EXPECT_NE(host.scene.FindByName("Keep"), nullptr);
    EXPECT_NE(host.expressions.Find("Keep"), nullptr);
}

TEST(SceneFile, PluginWithoutModuleIsReported)
{
    zkh::Host host;
    ASSERT_TRUE(host.LoadSceneText("ZKScene 1\nPlugin MasterHandler \"ZK:CameraFrame\"\n  Str \"0305\"\nEndPlugin\n", "e.zks"));
    EXPECT_EQ(host.messages.back(), "no module loaded");
}

} // namespace
