// Formatting, token splitting, the camera view size, titles, requesters and the boundary guard.
#include "common/lwguard.h"
#include "common/lwtool2.h"
#include "host.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class BridgeHelpers : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_hostGlobals = HostGlobals{};
        AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
    }

    zkh::Host host;
};

using Tokens = std::vector<std::string>;

TEST(SplitTokensTest, SeparatorsNeverMakeEmptyTokens)
{
    EXPECT_EQ(SplitTokens(" x, y\t,z "), (Tokens{"x", "y", "z"}));
    EXPECT_EQ(SplitTokens(",,"), Tokens{});
    EXPECT_EQ(SplitTokens(""), Tokens{});
    EXPECT_EQ(SplitTokens("1,2  3"), (Tokens{"1", "2", "3"}));
    EXPECT_EQ(SplitTokens("A B:2, D"), (Tokens{"A", "B:2", "D"}));
    EXPECT_EQ(SplitTokens("single"), Tokens{"single"});
    EXPECT_EQ(SplitTokens("a\nb"), Tokens{"a\nb"}); // only space, tab and comma separate
}

// A private buffer for each call, from any thread, of any length.
TEST(FormatStringTest, AnyLengthFromAnyThread)
{
    std::vector<std::thread> threads;
    std::vector<int> mismatches(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &mismatches] {
            for (int i = 0; i < 2000; ++i) {
                const std::string padding((i * 37 + t * 101) % 3000, ' ');
                if (FormatString("Frame (%d) %s|", i, padding.c_str()) != "Frame (" + std::to_string(i) + ") " + padding + "|")
                    ++mismatches[t];
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
    EXPECT_EQ(FormatString("%s", std::string(100000, 'z').c_str()).size(), 100000u);
}

TEST(FormatTextTest, BoundedAt511Characters)
{
    EXPECT_EQ(FormatText("%s", std::string(511, 'a').c_str()).size(), 511u);
    EXPECT_EQ(FormatText("%s", std::string(512, 'a').c_str()), "");
    EXPECT_EQ(FormatText("0x%x", 0x30000001u), "0x30000001");
}

TEST_F(BridgeHelpers, CameraViewSizeFitsTheCameraAspect)
{
    const zkh::Item &camera = host.scene.AddCamera("Camera", 1920, 1080, 35);
    host.scene.viewports = {{LVVIEWT_CAMERA, camera.id, 0, 0, 1000, 1000},
                            {LVVIEWT_CAMERA, camera.id, 0, 0, 2000, 500},
                            {LVVIEWT_PERSPECTIVE, camera.id, 0, 0, 1000, 1000},
                            {LVVIEWT_CAMERA, camera.id, 0, 0, 1000, 0}};
    auto size = CameraViewSize(0);
    EXPECT_DOUBLE_EQ(size.first, 1000.0);
    EXPECT_DOUBLE_EQ(size.second, 562.5);
    size = CameraViewSize(1);
    EXPECT_NEAR(size.first, 888.89, 0.005);
    EXPECT_DOUBLE_EQ(size.second, 500.0);
    // Not a camera view: no camera, so no resolution.
    size = CameraViewSize(2);
    EXPECT_EQ(size, std::make_pair(640.0, 360.0));
    size = CameraViewSize(3);
    EXPECT_EQ(size, std::make_pair(640.0, 360.0));
    host.scene.viewports[0].item = 0x30009999u; // a camera that is gone
    EXPECT_EQ(CameraViewSize(0), std::make_pair(640.0, 360.0));
}

TEST_F(BridgeHelpers, LoadRequesterPatterns)
{
    host.requesters.AnswerFile("/scenes/clips.xml");
    host.requesters.CancelFile();
    EXPECT_EQ(RequestLoadFile("/scenes", "Import", "xml"), "/scenes/clips.xml");
    EXPECT_EQ(RequestLoadFile("", "Load", ""), "");
    ASSERT_EQ(host.requesters.fileLog.size(), 2u);
    EXPECT_EQ(host.requesters.fileLog[0].type, FREQ_LOAD);
    EXPECT_EQ(host.requesters.fileLog[0].title, "Import");
    EXPECT_EQ(host.requesters.fileLog[0].fileType, "*.xml");
    EXPECT_EQ(host.requesters.fileLog[0].path, "/scenes");
    EXPECT_EQ(host.requesters.fileLog[1].fileType, "*.*");
}

TEST_F(BridgeHelpers, SaveRequesterAppendsTheExtension)
{
    for (const char *answer : {"clips", "clips.xml", "clipsxml"})
        host.requesters.AnswerFile(answer);
    EXPECT_EQ(RequestSaveFile("", "Export", "xml"), "clips.xml");
    EXPECT_EQ(RequestSaveFile("", "Export", "xml"), "clips.xml");
    EXPECT_EQ(RequestSaveFile("", "Export", "xml"), "clipsxml");
    EXPECT_EQ(host.requesters.fileLog[0].type, FREQ_SAVE);
    EXPECT_EQ(host.requesters.fileLog[0].fileType, "xml");
    host.requesters.AnswerFile("memo");
    EXPECT_EQ(RequestSaveFile("", "Export", ""), "memo");
    EXPECT_EQ(RequestSaveFile("", "Export", "yaml"), ""); // nothing scripted: cancelled
}

TEST_F(BridgeHelpers, LongPathsAndMissingService)
{
    host.requesters.CancelFile();
    RequestLoadFile(std::string(400, 'p'), "Import", "xml");
    EXPECT_EQ(host.requesters.fileLog.back().path.size(), 259u);
    g_hostGlobals.fileRequest3 = nullptr;
    host.requesters.AnswerFile("x.xml");
    EXPECT_EQ(RequestLoadFile("", "Import", "xml"), "");
    EXPECT_EQ(RequestSaveFile("", "Export", "xml"), "");
}

TEST_F(BridgeHelpers, NothingThrownLeavesTheGuard)
{
    EXPECT_EQ(GuardedOr(7, []() -> int { throw std::runtime_error("boom"); }), 7);
    EXPECT_EQ(host.commands.log.back(), "StatusMsg *** ERROR: boom ***");
    EXPECT_EQ(GuardedOr(1, []() -> int { throw std::bad_alloc(); }), 1);
    EXPECT_EQ(host.commands.log.back(), "StatusMsg *** ERROR: out of memory ***");
    const size_t before = host.commands.log.size();
    EXPECT_EQ(GuardedOr(2, []() -> int { throw lw::ex::CEvalEx("eval( \"\" )"); }), 2);
    EXPECT_EQ(host.commands.log.size(), before); // already reported where it was raised
    Guarded([] { throw 42; });
    EXPECT_EQ(host.commands.log.back(), "StatusMsg *** ERROR: unknown error ***");
    Guarded([] { throw std::runtime_error("line\nbreak"); });
    EXPECT_EQ(host.commands.log.back(), "StatusMsg *** ERROR: line break ***");
    EXPECT_EQ(GuardedOr(3, [] { return 5; }), 5);
}

} // namespace
