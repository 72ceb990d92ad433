// The ZK:CameraFrame master handler through the module file: one instance, its scene block in
// every revision, the description line, and blocks that are cut short or absurd.
#include "cameraframe_blocks.h"
#include "module_fixture.h"
#include "ring_peer.h"

#include <cmath>
#include <filesystem>
#include <limits>

namespace {

class CameraFrameMaster : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        camera = host.scene.AddCamera("Camera", 1920, 1080, 35.0).id;
    }

    zkh::MasterInstance &Master()
    {
        zkh::MasterInstance *master = host.FindMaster("ZK:CameraFrame");
        if (!master)
            master = host.AddMaster("ZK:CameraFrame");
        EXPECT_NE(master, nullptr);
        return *master;
    }

    LWError Load(const zkh::Block &block) { return LoadMasterBlock(Master(), block); }
    zkh::Block Save() { return SaveMasterBlock(Master()); }

    std::vector<std::string> Lines(const zkh::Block &block)
    {
        std::vector<std::string> lines;
        for (const auto &item : block)
            lines.push_back(zkh::FormatBlockItem(item));
        return lines;
    }

    std::uint32_t camera = 0;
};

TEST_F(CameraFrameMaster, OneInstancePerProcessAndTheDescriptionLine)
{
    zkh::MasterInstance *first = host.AddMaster("ZK:CameraFrame");
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->instFuncs.descln(first->instance), "ZK:CameraFrame(1.60) build 250619");
    EXPECT_EQ(first->handler.type, LWMAST_SCENE);
    EXPECT_EQ(first->handler.flags(first->instance), 0u);
    EXPECT_EQ(first->instFuncs.copy(first->instance, first->instance), nullptr);
    EXPECT_EQ(host.RingSubscriberCount("TessikComRing"), 1u);

    EXPECT_EQ(host.AddMaster("ZK:CameraFrame"), nullptr);
    EXPECT_EQ(host.messages.back(), "cannot add ZK:CameraFrame: ");

    ASSERT_TRUE(host.RemoveMaster("ZK:CameraFrame"));
    EXPECT_EQ(host.RingSubscriberCount("TessikComRing"), 0u);
    EXPECT_NE(host.AddMaster("ZK:CameraFrame"), nullptr);
}

// Copying the master, as Layout does when it duplicates a handler: a second instance is refused,
// so there is no copy, and the frames and the ring answer stay with the original.
TEST_F(CameraFrameMaster, CopiesAreRefusedAndTheOriginalStays)
{
    TestFrame f;
    f.camera = camera;
    f.name = "kept";
    ASSERT_EQ(Load(FrameBlock({f})), nullptr);
    const std::vector<std::string> before = Lines(Save());
    EXPECT_EQ(host.CopyMaster(Master()), nullptr);
    EXPECT_EQ(host.messages.back(), "cannot add ZK:CameraFrame: ");
    ASSERT_EQ(host.Masters().size(), 1u);
    EXPECT_EQ(Lines(Save()), before);
    EXPECT_EQ(host.RingSubscriberCount("TessikComRing"), 1u);
    EXPECT_EQ(zkh::QueryCameraFrames(host).frames.at(0).name, "kept");
}

TEST_F(CameraFrameMaster, SaveWritesVersion0305ItemByItem)
{
    TestFrame f;
    f.name = "Wide";
    f.camera = camera;
    f.posX = 12;
    f.posY = -8;
    f.width = 1000;
    f.aspect = 2;
    f.marginW = 0.25;
    f.r = 1;
    f.g = 0.5;
    f.transparency = 0.75;
    f.memo = "メモ";
    f.focal = 1;
    f.rotation = 0.5;
    f.marginH = 0.2;
    TestScene s;
    s.combined = 1;
    s.b = 1;
    s.transparency = 0.5;
    s.extraText = "extra";
    s.extraFlag = 1;
    ASSERT_EQ(Load(FrameBlock({f}, s)), nullptr);
    const std::vector<std::string> expected = {
        "Str \"0305\"", "I4 1", "Str \"Wide\"", "I4 1", "U4 805306369", "FP 12", "FP -8", "FP 1000", "FP 2",
        "FP 0.25", "FP 1", "FP 0.5", "FP 0", "FP 0.75", "Str \"メモ\"", "I4 1", "FP 0.5", "FP 0.200000003",
        "I4 1", "FP 0", "FP 0", "FP 1", "FP 0.5", "Str \"extra\"", "I4 1"};
    EXPECT_EQ(Lines(FrameData(Save())), expected);
}

TEST_F(CameraFrameMaster, SceneFileRoundTripRebuildsHeightAndPixelMargins)
{
    TestFrame f;
    f.name = "Scope";
    f.camera = camera;
    f.width = 1200;
    f.aspect = 2.5;
    f.marginW = 0.1;
    f.marginH = 0.0625;
    TestFrame loose;
    loose.name = "Loose";
    loose.width = 500;
    ASSERT_EQ(Load(FrameBlock({f, loose})), nullptr);
    const auto path = std::filesystem::path(modulePath).replace_extension(".zks").string();
    ASSERT_TRUE(host.SaveScene(path)) << host.messages.back();
    ASSERT_TRUE(host.LoadScene(path)) << host.messages.back();
    std::filesystem::remove(path);
    const zkh::Block block = FrameData(Save());
    const auto lines = Lines(block);
    ASSERT_EQ(lines.size(), 2u + 2 * 16 + 7);
    EXPECT_EQ(lines[1], "I4 2");
    EXPECT_EQ(lines[2], "Str \"Scope\"");
    EXPECT_EQ(lines[18], "Str \"Loose\"");
    // The ring reports the rebuilt fields: height = width / aspect, pixel margins floored; without a
    // camera the pixel margins stay 0.
    const zkh::PeerFrameQuery query = zkh::QueryCameraFrames(host);
    ASSERT_EQ(query.frames.size(), 2u);
    EXPECT_EQ(query.frames[0].marginWPx, 120.0);
    EXPECT_EQ(query.frames[0].marginHPx, 30.0);
    EXPECT_EQ(query.frames[0].innerY[0], 300);
    EXPECT_EQ(query.frames[0].innerY[2], 780);
    EXPECT_EQ(query.frames[1].marginWPx, 0.0);
    EXPECT_EQ(query.frames[1].marginHPx, 0.0);
}

TEST_F(CameraFrameMaster, OlderRevisionsAndRefusedVersions)
{
    TestFrame f;
    f.camera = camera;
    f.rotation = 0.3;
    f.marginH = 0.3;
    TestScene s;
    s.combined = 1;
    s.extraText = "kept";

    // "0302": no rotation, no marginH, and the scene-level items are not read.
    ASSERT_EQ(Load(FrameBlock({f}, s, "0302")), nullptr);
    auto lines = Lines(Save());
    EXPECT_EQ(lines[16], "FP 0");   // rotation
    EXPECT_EQ(lines[17], "FP 0.100000001"); // marginH
    EXPECT_EQ(lines[18], "I4 0");   // combined untouched
    EXPECT_EQ(lines[23], "Str \"\"");

    // "0304": rotation and scene-level items, marginH keeps 0.1. Appended behind the first frame.
    ASSERT_EQ(Load(FrameBlock({f}, s, "0304")), nullptr);
    lines = Lines(Save());
    EXPECT_EQ(lines[1], "I4 2");
    EXPECT_EQ(lines[32], "FP 0.300000012");
    EXPECT_EQ(lines[33], "FP 0.100000001");
    EXPECT_EQ(lines[34], "I4 1");
    EXPECT_EQ(lines[39], "Str \"kept\"");

    // Wrong format or too short a version: refused, nothing read.
    EXPECT_STREQ(Load(FrameBlock({f}, s, "0205")), "Invalid format!");
    EXPECT_STREQ(Load(FrameBlock({f}, s, "")), "Invalid format!");
    EXPECT_STREQ(Load(FrameBlock({f}, s, "0")), "Invalid format!");
    EXPECT_STREQ(Load(zkh::Block()), "Invalid format!");
    EXPECT_EQ(Lines(Save())[1], "I4 2");
}

TEST_F(CameraFrameMaster, LoadClampsAspectAndTransparency)
{
    TestFrame f;
    f.camera = camera;
    f.aspect = 0;
    f.transparency = 1.5;
    TestFrame g = f;
    g.transparency = -2;
    ASSERT_EQ(Load(FrameBlock({f, g})), nullptr);
    const auto lines = Lines(Save());
    EXPECT_EQ(lines[8], "FP 0.00999999978");
    EXPECT_EQ(lines[13], "FP 1");
    EXPECT_EQ(lines[29], "FP 0");
}

TEST_F(CameraFrameMaster, TruncatedAndAbsurdBlocksKeepWholeFrames)
{
    // A count of 2^31 - 1 with one whole frame and half of another behind it.
    TestFrame f;
    f.name = "Whole";
    f.camera = camera;
    zkh::Block block;
    AddStr(block, "0305");
    AddI4(block, 2147483647.0);
    AddFrame(block, f);
    AddStr(block, "Half");
    AddI4(block, 1);
    ASSERT_EQ(Load(block), nullptr);
    auto lines = Lines(FrameData(Save()));
    ASSERT_EQ(lines.size(), 2u + 16 + 7);
    EXPECT_EQ(lines[1], "I4 1");
    EXPECT_EQ(lines[2], "Str \"Whole\"");

    // A string item where a number belongs stops the load there.
    zkh::Block wrong;
    AddStr(wrong, "0305");
    AddStr(wrong, "not a count");
    ASSERT_EQ(Load(wrong), nullptr);
    EXPECT_EQ(Lines(Save())[1], "I4 1");

    // A float where the count belongs (NaN or far out of range) reads as no frame at all.
    for (double count : {std::numeric_limits<double>::quiet_NaN(), 1e30}) {
        zkh::Block odd;
        AddStr(odd, "0305");
        odd.push_back({zkh::BlockItem::Type::FP, std::string(), count});
        ASSERT_EQ(Load(odd), nullptr);
        EXPECT_EQ(Lines(Save())[1], "I4 1");
    }

    // Negative counts read no frame; a string longer than the buffer is cut at 255 bytes.
    TestFrame longName;
    longName.name = std::string(400, 'x');
    zkh::Block negative = FrameBlock({longName});
    negative[1].number = -5;
    ASSERT_EQ(Load(negative), nullptr);
    ASSERT_EQ(Load(FrameBlock({longName})), nullptr);
    lines = Lines(Save());
    EXPECT_EQ(lines[1], "I4 2");
    EXPECT_EQ(lines[18], "Str \"" + std::string(255, 'x') + "\"");
}

TEST_F(CameraFrameMaster, NonFiniteNumbersBecomeDefaults)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    TestFrame f;
    f.camera = camera;
    zkh::Block block = FrameBlock({f});
    // posX, posY, width, aspect, marginW, transparency, rotation, marginH
    for (size_t at : {5u, 6u, 7u, 8u, 9u, 13u, 16u, 17u})
        block[at].number = at % 2 ? nan : inf;
    ASSERT_EQ(Load(block), nullptr);
    const auto lines = Lines(Save());
    EXPECT_EQ(lines[5], "FP 0");
    EXPECT_EQ(lines[6], "FP 0");
    EXPECT_EQ(lines[7], "FP 320");
    EXPECT_EQ(lines[8], "FP 1.77777779");
    EXPECT_EQ(lines[9], "FP 0.100000001");
    EXPECT_EQ(lines[13], "FP 0");
    EXPECT_EQ(lines[16], "FP 0");
    EXPECT_EQ(lines[17], "FP 0.100000001");
}

} // namespace
