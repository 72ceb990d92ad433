// The frame query over "TessikComRing" through the module file, field by field.
#include "cameraframe_blocks.h"
#include "module_fixture.h"
#include "ring_peer.h"

namespace {

class CameraFrameRing : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        camera = host.scene.AddCamera("Camera", 1920, 1080, 35.0).id;
        master = host.AddMaster("ZK:CameraFrame");
        ASSERT_NE(master, nullptr);
    }

    void Load(const zkh::Block &block) { ASSERT_EQ(LoadMasterBlock(*master, block), nullptr); }

    std::uint32_t camera = 0;
    zkh::MasterInstance *master = nullptr;
};

TEST_F(CameraFrameRing, EmptyListAnswersCountAndSceneFieldsOnly)
{
    zkh::PeerFrameReply reply;
    reply.red = -7;
    host.RingPost("TessikComRing", 0, &reply);
    EXPECT_EQ(reply.answered, 1);
    EXPECT_EQ(reply.count, 0);
    EXPECT_EQ(reply.red, -7); // event 0 touches nothing else

    zkh::PeerFrameEntry untouched;
    untouched.name = "keep";
    reply.entries = &untouched;
    reply.count = 1;
    host.RingPost("TessikComRing", 1, &reply);
    EXPECT_EQ(reply.red, 0);
    EXPECT_EQ(reply.opacity, 100);
    EXPECT_EQ(untouched.name, "keep");
    host.RingPost("TessikComRing", 7, &reply); // other events are ignored
    host.RingPost("TessikComRing", 1, nullptr);
}

TEST_F(CameraFrameRing, FramesFieldByField)
{
    TestFrame a;
    a.name = "A";
    a.camera = camera;
    a.width = 1000;
    a.aspect = 2;
    a.marginW = 0.25;
    a.marginH = 0.125;
    a.r = 1;
    a.g = 0.5;
    a.transparency = 0.25;
    a.memo = "memo A";
    a.focal = 1;
    TestFrame b;
    b.name = "B";
    b.camera = camera;
    b.posX = 100.7;
    b.posY = -50.2;
    b.width = 320;
    b.aspect = 2;
    b.marginW = 0;
    b.marginH = 0;
    TestScene s;
    s.combined = 1;
    s.r = 1;
    s.g = 0.5;
    s.transparency = 0.25;
    s.extraText = "scene text";
    s.extraFlag = 1;
    Load(FrameBlock({a, b}, s));
    host.scene.Find(camera)->focalKeys = {{0.0, 35.0}, {10.0, 85.0}};
    host.scene.time = 5.0; // the ring reports the focal length at time 0

    const zkh::PeerFrameQuery q = zkh::QueryCameraFrames(host);
    EXPECT_EQ(q.reply.answered, 1);
    EXPECT_EQ(q.reply.count, 2);
    EXPECT_EQ(q.reply.combined, 1);
    EXPECT_EQ(q.reply.red, 255);
    EXPECT_EQ(q.reply.green, 127);
    EXPECT_EQ(q.reply.blue, 0);
    EXPECT_EQ(q.reply.opacity, 75);
    EXPECT_EQ(q.reply.extraText, "scene text");
    EXPECT_EQ(q.reply.extraFlag, 1);
    ASSERT_EQ(q.frames.size(), 2u);

    const zkh::PeerFrameEntry &e = q.frames[0];
    EXPECT_EQ(e.name, "A");
    EXPECT_EQ(e.camera, zkh::ToItemID(camera));
    // 1000 x 500 centred in 1920 x 1080; margins 25 % and 12.5 %.
    EXPECT_EQ(std::vector<int>(e.innerX, e.innerX + 4), (std::vector<int>{460, 1460, 1460, 460}));
    EXPECT_EQ(std::vector<int>(e.innerY, e.innerY + 4), (std::vector<int>{290, 290, 790, 790}));
    EXPECT_EQ(std::vector<int>(e.outerX, e.outerX + 4), (std::vector<int>{335, 1585, 1585, 335}));
    EXPECT_EQ(std::vector<int>(e.outerY, e.outerY + 4), (std::vector<int>{258, 258, 821, 821}));
    EXPECT_EQ(e.marginMax, 0.25);
    EXPECT_EQ(e.marginW, 0.25);
    EXPECT_EQ(e.marginH, 0.125);
    EXPECT_EQ(e.marginWPx, 250.0);
    EXPECT_EQ(e.marginHPx, 62.0);
    EXPECT_EQ(e.red, 255);
    EXPECT_EQ(e.green, 127);
    EXPECT_EQ(e.blue, 0);
    EXPECT_EQ(e.opacity, 75);
    EXPECT_EQ(e.memo, "memo A");
    EXPECT_EQ(e.focalLength, "  35.0mm");
    EXPECT_EQ(e.focalLength.size(), 8u);

    // Corners truncated toward zero; effective margins of 2 / width and 2 / height.
    const zkh::PeerFrameEntry &f = q.frames[1];
    EXPECT_EQ(f.innerX[0], 900);  // 960 + 100.7 - 160 = 900.7
    EXPECT_EQ(f.innerY[0], 409);  // 540 - 50.2 - 80 = 409.8
    EXPECT_EQ(f.outerX[0], 899);  // 900.7 - 1
    EXPECT_EQ(f.outerY[2], 570);  // 540 - 50.2 + 81 = 570.8
    EXPECT_EQ(f.marginMax, 0.0);
    EXPECT_EQ(f.focalLength, "");
    EXPECT_EQ(f.opacity, 100);
}

// A peer counts (event 0), allocates that many entries, and asks (event 1), possibly on a new,
// zeroed record: it gets as many entries as it was told, of the frames there are now.
TEST_F(CameraFrameRing, EntriesFilledLastToFirstWithinTheRequestersArray)
{
    TestFrame f;
    f.camera = camera;
    f.name = "one";
    TestFrame g = f;
    g.name = "two";
    TestFrame h = f;
    h.name = "three";
    zkh::PeerFrameEntry entries[3];
    const auto fresh = [&entries](std::int32_t count = 0) {
        for (zkh::PeerFrameEntry &entry : entries)
            entry.name = "untouched";
        zkh::PeerFrameReply reply;
        reply.count = count;
        reply.entries = entries;
        return reply;
    };
    const auto names = [&entries]() {
        return std::vector<std::string>{entries[0].name, entries[1].name, entries[2].name};
    };

    Load(FrameBlock({f})); // loads append
    zkh::PeerFrameReply counted;
    host.RingPost("TessikComRing", 0, &counted);
    ASSERT_EQ(counted.count, 1);
    // The list grew after the count: only the one entry counted is written.
    Load(FrameBlock({g}));
    zkh::PeerFrameReply reply = fresh();
    host.RingPost("TessikComRing", 1, &reply);
    EXPECT_EQ(names(), (std::vector<std::string>{"one", "untouched", "untouched"}));

    host.RingPost("TessikComRing", 0, &counted);
    ASSERT_EQ(counted.count, 2);
    Load(FrameBlock({h}));
    reply = fresh();
    host.RingPost("TessikComRing", 1, &reply);
    EXPECT_EQ(names(), (std::vector<std::string>{"one", "two", "untouched"}));

    host.RingPost("TessikComRing", 0, &counted);
    ASSERT_EQ(counted.count, 3);
    reply = fresh();
    host.RingPost("TessikComRing", 1, &reply);
    EXPECT_EQ(names(), (std::vector<std::string>{"one", "two", "three"}));
    // A count in the record lowers the number further.
    reply = fresh(2);
    host.RingPost("TessikComRing", 1, &reply);
    EXPECT_EQ(names(), (std::vector<std::string>{"one", "two", "untouched"}));
    reply = fresh(-1);
    host.RingPost("TessikComRing", 1, &reply);
    EXPECT_EQ(names(), (std::vector<std::string>{"untouched", "untouched", "untouched"}));
}

} // namespace
