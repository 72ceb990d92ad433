// The simulated host's scene blocks (the load and save states Layout hands a plug-in) and its
// scene file.
#include "host.h"
#include "morph_rig.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

constexpr LWID kGuides = LWID_('G', 'U', 'I', 'D');
constexpr LWID kOther = LWID_('O', 'T', 'H', 'R');

// A read takes the next write call whole, of its own type and count, or nothing; a string is cut to
// the buffer, and past the end every read fails.
TEST(HostBlockReads, AReadTakesOneWriteCallOfItsTypeAndCount)
{
    zkh::Block block;
    zkh::BlockWriter writer(block);
    const LWSaveState *save = writer.State();
    const float pair[2] = {1.0f, 1.0f / 3.0f};
    const int one = 7;
    const unsigned int id = 0x30000001u;
    save->writeFP(save->writeData, pair, 2);
    save->writeI4(save->writeData, &one, 1);
    save->writeU4(save->writeData, &id, 1);
    save->writeStr(save->writeData, "tail");
    EXPECT_EQ(zkh::FormatBlock(block, "  "), (Lines{"  FP 1 0.333333343", "  I4 7", "  U4 805306369", "  Str \"tail\""}));

    zkh::BlockReader reader(block);
    const LWLoadState *load = reader.State();
    float f = 0, both[2] = {};
    int i = 0;
    unsigned int u = 0;
    char text[8];
    EXPECT_EQ(load->readFP(load->readData, &f, 1), 0); // written as two values in one call
    EXPECT_EQ(load->readI4(load->readData, &i, 1), 0); // another type
    EXPECT_EQ(load->readFP(load->readData, both, 2), 2);
    EXPECT_EQ(both[1], 1.0f / 3.0f);
    EXPECT_EQ(load->readFP(load->readData, &f, 1), 0); // an integer is next
    EXPECT_EQ(load->readI4(load->readData, &i, 1), 1);
    EXPECT_EQ(i, 7);
    EXPECT_EQ(load->readU4(load->readData, &u, 1), 1);
    EXPECT_EQ(u, 0x30000001u);
    EXPECT_EQ(load->readI4(load->readData, &i, 1), 0); // a string is next
    EXPECT_EQ(load->readStr(load->readData, text, 3), 2);
    EXPECT_STREQ(text, "ta");
    EXPECT_EQ(load->readI4(load->readData, &i, 1), 0);
    EXPECT_EQ(load->readStr(load->readData, text, sizeof text), -1);
}

// A reader that does not ask for a nested block never sees it; one that asks finds it, and endBlk
// skips what it left unread.
TEST(HostBlockReads, NestedBlocksAreFoundOrPassedOver)
{
    zkh::Block block;
    zkh::BlockWriter writer(block);
    const LWSaveState *save = writer.State();
    const int values[3] = {1, 2, 3};
    const LWBlockIdent guides = {kGuides, "Guides"};
    const LWBlockIdent inner = {kOther, "Inner"};
    save->writeI4(save->writeData, values, 1);
    save->beginBlk(save->writeData, &guides, 0);
    EXPECT_EQ(save->depth(save->writeData), 1);
    save->writeI4(save->writeData, values, 3);
    save->beginBlk(save->writeData, &inner, 1);
    save->writeStr(save->writeData, "deep");
    save->endBlk(save->writeData);
    save->writeI4(save->writeData, values + 2, 1);
    save->endBlk(save->writeData);
    save->endBlk(save->writeData); // nothing open: ignored
    save->writeStr(save->writeData, "after");
    EXPECT_EQ(zkh::FormatBlock(block, ""), (Lines{"I4 1", "Block 0x47554944 \"Guides\"", "  I4 1 2 3",
                                                  "  Block 0x4F544852 \"Inner\"", "    Str \"deep\"", "  EndBlock",
                                                  "  I4 3", "EndBlock", "Str \"after\""}));

    // The text form reads back to the same items.
    zkh::Block back;
    std::string error;
    for (const std::string &line : zkh::FormatBlock(block, "  "))
        ASSERT_TRUE(zkh::ParseBlockLine(line, back, error)) << line << ": " << error;
    ASSERT_TRUE(zkh::CheckBlockNesting(back, error)) << error;
    EXPECT_EQ(zkh::FormatBlock(back, ""), zkh::FormatBlock(block, ""));

    char text[8];
    {
        // An earlier reader: the frame data only; the block after it is never asked for.
        zkh::BlockReader reader(back);
        const LWLoadState *load = reader.State();
        int first = 0;
        EXPECT_EQ(load->readI4(load->readData, &first, 1), 1);
        EXPECT_EQ(load->readStr(load->readData, text, sizeof text), -1); // the block is next, no string
    }
    zkh::BlockReader reader(back);
    const LWLoadState *load = reader.State();
    int first = 0, three[3] = {};
    const LWBlockIdent wanted[] = {{kOther, "Inner"}, {kGuides, "Guides"}, {0, nullptr}};
    const LWBlockIdent none[] = {{kOther, "Inner"}, {0, nullptr}};
    EXPECT_EQ(load->findBlk(load->readData, wanted), 0u); // an integer is next
    EXPECT_EQ(load->readI4(load->readData, &first, 1), 1);
    EXPECT_EQ(load->findBlk(load->readData, none), 0u);
    EXPECT_EQ(load->findBlk(load->readData, wanted), kGuides);
    EXPECT_EQ(load->depth(load->readData), 1);
    EXPECT_EQ(load->readI4(load->readData, three, 3), 3);
    load->endBlk(load->readData); // skips the inner block and the last integer
    EXPECT_EQ(load->depth(load->readData), 0);
    EXPECT_EQ(load->readStr(load->readData, text, sizeof text), 5);
    EXPECT_STREQ(text, "after");

    // Lines that are no block lines.
    zkh::Block bad;
    EXPECT_FALSE(zkh::ParseBlockLine("Block 0 \"x\"", bad, error));
    EXPECT_FALSE(zkh::ParseBlockLine("I4 1 x", bad, error));
    EXPECT_TRUE(bad.empty());
    ASSERT_TRUE(zkh::ParseBlockLine("EndBlock", bad, error));
    EXPECT_FALSE(zkh::CheckBlockNesting(bad, error));
    EXPECT_EQ(error, "EndBlock without its Block");
}

// The scene model, channel keys, the groups the items did not come with, focal length keys,
// render camera switches and expressions are written, and a scene loaded writes the same text.
TEST(SceneFile, ModelChannelsAndExpressionsRoundTrip)
{
    zkh::Host host;
    zkh::Scene &scene = host.scene;
    scene.fps = 30;
    scene.previewStart = 5;
    scene.previewEnd = 95;
    scene.time = 1.25;
    const std::uint32_t camera = scene.AddCamera("Cam \"A\"", 1920, 1080, 50).id;
    const std::uint32_t other = scene.AddCamera("Other", 640, 480, 35).id;
    const zkh::Item &rig = scene.AddNullObject("Rig \"1\"");
    zkh::AddChannelGroup(scene, rig.id, "MorphGroup", {"Smile", "Jaw Open"});
    const std::uint32_t face = scene.AddObject("Face", "Objects/Face.lwo").id;
    zkh::AddChannelGroup(scene, face, "MorphGroup", {"Smile", "Jaw Open"});
    scene.AddBone("Jaw", face);
    scene.AddLight("Key");
    scene.vertexMaps.emplace_back(LWVMAP_MORF, "MorphGroup.Smile");
    scene.viewports.push_back({LVVIEWT_CAMERA, camera, 0, 0, 960, 540});
    scene.selection = {face, camera};
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
}

TEST(SceneFile, MistakesNameTheLine)
{
    zkh::Host host;
    host.scene.AddCamera("Keep", 100, 100, 35);
    host.expressions.Define("Keep", "1");
    const std::string object = "ZKScene 1\nObject 0x10000001 \"Face\" \"\" 0x0\n";
    // Records naming items and channels are checked once every item is in; a nested Plugin line is
    // named as such; bytes that do not print are escaped, long lines cut.
    const std::vector<std::pair<std::string, std::string>> mistakes = {
        {"ZKScene 1\nFramesPerSecond x\n", "2: unexpected line: FramesPerSecond x"},
        {"LWSC\n", "1: not a scene file (expected \"ZKScene 1\")"},
        {"ZKScene 1\nPlugin MasterHandler \"ZK:X\"\n  I4 1\n", "3: missing EndPlugin"},
        {"", "0: empty scene file"},
        {"\nFramesPerSecond 30\n", "2: not a scene file (expected \"ZKScene 1\")"},
        {"ZKScene 1\nFrameRange 1e12 5\n", "2: unexpected line: FrameRange 1e12 5"},
        {"ZKScene 1\nPlugin MasterHandler \"X\"\nEndPluginXYZ\n",
         "3: unknown block item 'EndPluginXYZ' (expected Str, I4, U4 or FP)"},
        {"ZKScene 1\nKeys 0x10000009 \"Position.X\" 0 1\n", "2: no item 0x10000009"},
        {object + "Keys 0x10000001 \"MorphGroup.Smile\" 0 1\n", "3: Face has no channel named 'MorphGroup.Smile'"},
        {object + "Keys 0x10000001 \"Position.X\" 0 1 2\n", "3: Keys: expected pairs of time and value"},
        {object + "Keys 0x10000001 \"Position.X\" 0 nan\n", "3: Keys: expected pairs of time and value"},
        {object + "Attach 0x10000001 \"Position.X\" \"E\"\n", "3: no expression named 'E' (define it before attaching)"},
        {object + "FocalKeys 0x10000001 0 35\n", "3: no camera 0x10000001"},
        {object + "Bone 0x10000001 \"Jaw\" 0x10000001\n", "3: item identifier 0x10000001 used twice"},
        {"ZKScene 1\nPlugin Shader \"X\"\nEndPlugin\n", "2: unknown plug-in class Shader"},
        {object + "Plugin ChannelHandler \"X\" 0x10000001 \"Nope\"\nEndPlugin\n", "3: Face has no channel named 'Nope'"},
        {"ZKScene 1\nPlugin MasterHandler \"X\"\nPlugin MasterHandler \"Y\"\n",
         "3: a Plugin record inside another one (EndPlugin missing before it)"},
        {"ZKScene 1\nPlugin MasterHandler \"X\"\n  Plug 1\n", "3: unknown block item 'Plug' (expected Str, I4, U4 or FP)"},
        {"ZKScene 1\nPlugin MasterHandler \"X\"\n  FP -15e42\nEndPlugin\n", "3: FP value out of the float range"},
        {"ZKScene 1\nBad\x01\xff\xe3\x81\x82\x1b[2J\xe3\x81 x\n",
         "2: unexpected line: Bad\\x01\\xFF\xe3\x81\x82\\x1B[2J\\xE3\\x81 x"},
        {"ZKScene 1\n" + std::string(1000000, 'w') + "\n", "2: unexpected line: " + std::string(300 - 17, 'w') + "..."},
    };
    for (const auto &[text, message] : mistakes) {
        SCOPED_TRACE(message);
        EXPECT_FALSE(host.LoadSceneText(text, "bad.zks"));
        EXPECT_EQ(host.messages.back(), "bad.zks:" + message);
    }
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
