// The ZK:CameraFrame master handler through the module file: one instance, its scene block in
// every revision, the description line, and blocks that are cut short or absurd.
#include "cameraframe_blocks.h"
#include "ring_peer.h"

#include <cmath>
#include <limits>

namespace {

using CameraFrameMaster = CameraFrameTest;
using Lines = std::vector<std::string>;

// One instance per process. Copying the master, as Layout does when it duplicates a handler: a
// second instance is refused, so there is no copy, and the frames and the ring answer stay with
// the original. Once it is removed, a new one may be added.
TEST_F(CameraFrameMaster, CopiesAreRefusedAndTheOriginalStays)
{
    zkh::MasterInstance &first = Master();
    EXPECT_STREQ(first.instFuncs.descln(first.instance), "ZK:CameraFrame(1.60) build 250619");
    EXPECT_EQ(first.instFuncs.copy(first.instance, first.instance), nullptr);
    Load(FrameBlock({TestFrame().On(camera).Named("kept")}));
    const Lines before = Saved(true);
    EXPECT_EQ(host.masters.Copy(Master()), nullptr);
    EXPECT_EQ(host.messages.back(), "cannot add ZK:CameraFrame: Already exists!");
    host.services.SetLocale(1041);
    EXPECT_EQ(host.masters.Add("ZK:CameraFrame"), nullptr);
    EXPECT_EQ(host.messages.back(), "cannot add ZK:CameraFrame: 既に存在しています！");
    ASSERT_EQ(host.masters.All().size(), 1u);
    EXPECT_EQ(Saved(true), before);
    EXPECT_EQ(host.ring.SubscriberCount("TessikComRing"), 1u);
    EXPECT_EQ(zkh::QueryCameraFrames(host).frames.at(0).name, "kept");
    ASSERT_TRUE(host.masters.Remove("ZK:CameraFrame"));
    EXPECT_EQ(host.ring.SubscriberCount("TessikComRing"), 0u);
    EXPECT_NE(host.masters.Add("ZK:CameraFrame"), nullptr);
}

// Layout may give items new identifiers: the master names the cameras its frames use, and each frame
// stays on its camera, renumbered once even where two cameras swap identifiers.
TEST_F(CameraFrameMaster, FramesKeepTheirCamerasThroughNewIdentifiers)
{
    Load(FrameBlock({TestFrame().On(camera), TestFrame().On(plate), TestFrame().On(plate), TestFrame()}));
    zkh::MasterInstance &master = Master();
    const LWItemID *used = master.itemFuncs.useItems(master.instance);
    ASSERT_NE(used, nullptr);
    EXPECT_EQ(std::vector<LWItemID>(used, used + 3), (std::vector<LWItemID>{zkh::ToItemID(camera), zkh::ToItemID(plate), nullptr}));
    const std::uint32_t third = host.scene.AddCamera("Third", 640, 480, 35.0).id;
    ASSERT_TRUE(host.ChangeItemIds({{camera, plate}, {plate, third + 1}}));
    std::vector<std::uintptr_t> cameras, sizes;
    for (const zkh::PeerFrame &frame : zkh::QueryCameraFrames(host).frames) {
        cameras.push_back(reinterpret_cast<std::uintptr_t>(frame.camera));
        sizes.push_back(static_cast<std::uintptr_t>(frame.innerX[0] + frame.innerX[1])); // twice the image's centre
    }
    EXPECT_EQ(cameras, (std::vector<std::uintptr_t>{plate, third + 1, third + 1, 0}));
    EXPECT_EQ(sizes, (std::vector<std::uintptr_t>{1920, 200, 200, 0}));
    EXPECT_EQ(host.scene.FindByName("Plate")->id, third + 1);
}

TEST_F(CameraFrameMaster, SaveWritesVersion0305ItemByItem)
{
    TestFrame f = TestFrame().On(camera).At(12, -8).Size(1000, 2).Margins(0.25, 0.2).Rgb(1, 0.5, 0).Clear(0.75);
    // Layout writes a scene string raw between quotes: a byte below 32 goes in as a space, '"' as '\''.
    f.Named("\"Wide\"\t2").Memo("メ\r\nモ", 1).rotation = 0.5;
    Load(FrameBlock({f}, TestScene{1, 0, 0, 1, 0.5, "ex\x01tra", 1}));
    EXPECT_EQ(Saved(), (Lines{"\"0305\"", "1", "\"'Wide' 2\"", "1", "30000001", "12", "-8", "1000", "2", "0.25", "1",
                              "0.5", "0", "0.75", "\"メ  モ\"", "1", "0.5", "0.2", "1", "0", "0", "1", "0.5",
                              "\"ex tra\"", "1"}));
}

TEST_F(CameraFrameMaster, OlderRevisionsAndRefusedVersions)
{
    TestFrame f = TestFrame().On(camera).Margins(0.1, 0.3);
    f.rotation = 0.3;
    const TestScene s{1, 0, 0, 0, 0, "kept"};

    // "0302": no rotation, no marginH, and the scene-level items are not read.
    Load(FrameBlock({f}, s, "0302"));
    Lines lines = Saved();
    EXPECT_EQ(Lines(lines.begin() + 16, lines.begin() + 19), (Lines{"0", "0.1", "0"}));
    EXPECT_EQ(lines[23], "\"\"");

    // "0304": rotation and scene-level items, marginH keeps 0.1. Appended behind the first frame.
    Load(FrameBlock({f}, s, "0304"));
    lines = Saved();
    EXPECT_EQ(lines[1], "2");
    EXPECT_EQ(Lines(lines.begin() + 32, lines.begin() + 35), (Lines{"0.3", "0.1", "1"}));
    EXPECT_EQ(lines[39], "\"kept\"");

    // Wrong format or too short a version: refused, nothing read.
    for (const char *version : {"0205", "", "0"})
        EXPECT_STREQ(LoadMasterBlock(Master(), FrameBlock({f}, s, version)), "Invalid format!") << version;
    EXPECT_STREQ(LoadMasterBlock(Master(), DataLines()), "Invalid format!");
    EXPECT_EQ(Saved()[1], "2");
}

// Aspect 0 and transparencies beyond 0..1 are clamped; NaN and infinities become the defaults.
TEST_F(CameraFrameMaster, OddNumbersAreClampedOrBecomeDefaults)
{
    DataLines block = FrameBlock({TestFrame().On(camera), TestFrame().On(camera), TestFrame().On(camera)});
    block[8] = "0";          // aspect
    block[13] = "1.5";       // transparency
    block[16 + 13] = "-2";
    // posX, posY, width, aspect, marginW, transparency, rotation, marginH of the third frame
    for (size_t at : {5u, 6u, 7u, 8u, 9u, 13u, 16u, 17u})
        block[32 + at] = at % 2 ? "nan" : "-inf";
    Load(block);
    const Lines lines = Saved();
    EXPECT_EQ(Lines({lines[8], lines[13], lines[16 + 13]}), (Lines{"0.01", "1", "0"}));
    EXPECT_EQ(Lines(lines.begin() + 32 + 5, lines.begin() + 32 + 18),
              (Lines{"0", "0", "320", "1.7777778", "0.1", "0", "0", "0", "0", "\"\"", "0", "0", "0.1"}));
}

TEST_F(CameraFrameMaster, TruncatedAndAbsurdBlocksKeepWholeFrames)
{
    // A count of 2^31 - 1 with one whole frame and half of another behind it.
    DataLines block;
    AddStr(block, "0305");
    AddI4(block, 2147483647.0);
    AddFrame(block, TestFrame().On(camera).Named("Whole"));
    AddStr(block, "Half");
    AddI4(block, 1);
    Load(block);
    ASSERT_EQ(Saved().size(), 2u + 16 + 7);

    // Counts that read no frame: a string (the load stops there), no whole number (NaN, far out of
    // range, a fraction), a negative number.
    for (const char *count : {"\"not a count\"", "nan", "1e30", "2.5", "-5", ""}) {
        DataLines odd = FrameBlock({TestFrame().Named("odd")});
        odd[1] = count;
        Load(odd);
    }
    // A string longer than the buffer is cut at 255 bytes.
    Load(FrameBlock({TestFrame().Named(std::string(400, 'x'))}));
    const Lines lines = Saved();
    EXPECT_EQ(Lines({lines[1], lines[2], lines[18]}),
              (Lines{"2", "\"Whole\"", "\"" + std::string(255, 'x') + "\""}));
}

} // namespace
