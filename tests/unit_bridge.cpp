// The bridge to the host: formatting, token splitting, the camera view size, requesters, the
// boundary guard, command sending, status lines and the exceptions of the command path.
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
        ASSERT_TRUE(AcquireToolGlobals(zkh::Host::GlobalLookup));
    }

    zkh::Host host;
};
using BridgeCommands = BridgeHelpers;

using Tokens = std::vector<std::string>;

TEST(SplitTokensTest, SeparatorsNeverMakeEmptyTokens)
{
    EXPECT_EQ(SplitTokens(" x, y\t,z "), (Tokens{"x", "y", "z"}));
    EXPECT_EQ(SplitTokens(",,"), Tokens{});
    EXPECT_EQ(SplitTokens("A B:2, D"), (Tokens{"A", "B:2", "D"}));
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
                            {LVVIEWT_PERSPECTIVE, camera.id, 0, 0, 1000, 1000}, // no camera, so no resolution
                            {LVVIEWT_CAMERA, camera.id, 0, 0, 1000, 0},
                            {LVVIEWT_CAMERA, 0x30009999u, 0, 0, 1000, 1000}}; // a camera that is gone
    const std::pair<double, double> sizes[] = {{1000, 562.5}, {8000.0 / 9, 500}, {640, 360}, {640, 360}, {640, 360}};
    for (int view = 0; view < 5; ++view) {
        SCOPED_TRACE(view);
        EXPECT_DOUBLE_EQ(CameraViewSize(view).first, sizes[view].first);
        EXPECT_DOUBLE_EQ(CameraViewSize(view).second, sizes[view].second);
    }
}

// The patterns and titles the plug-ins' own requesters give are checked through their panels.
TEST_F(BridgeHelpers, FileRequesterEdges)
{
    // The save requester appends a missing extension; a name merely ending in its letters keeps them.
    for (const char *answer : {"clips", "clipsxml", "memo"})
        host.requesters.AnswerFile(answer);
    EXPECT_EQ(RequestSaveFile("", "Export", "xml"), "clips.xml");
    EXPECT_EQ(RequestSaveFile("", "Export", "xml"), "clipsxml");
    EXPECT_EQ(RequestSaveFile("", "Export", ""), "memo");
    EXPECT_EQ(RequestSaveFile("", "Export", "yaml"), ""); // nothing scripted: cancelled
    // A load without a type lists every file; the start path is cut to the host's limit.
    host.requesters.CancelFile();
    EXPECT_EQ(RequestLoadFile(std::string(400, 'p'), "Load", ""), "");
    EXPECT_EQ(host.requesters.fileLog.back().fileType, "*.*");
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

TEST_F(BridgeCommands, EmptyCommandIsReportedAndRaised)
{
    try {
        Eval("");
        FAIL() << "Eval of an empty command must raise";
    } catch (const lw::ex::CEvalEx &e) {
        EXPECT_EQ(e.Message(), "eval( \"\" )");
        EXPECT_EQ(e.Code(), 0);
    }
    EXPECT_EQ(host.commands.log, Tokens{"StatusMsg *** ERROR: eval( \"\" ) ***"});
}

TEST_F(BridgeCommands, RejectedCommandGivesOneErrorLine)
{
    host.commands.rejectWords.insert("GE_CreateExpression");
    EXPECT_TRUE(Eval("GE_CreateExpression \"E_100%s\" \"[Face.%d]\""));
    EXPECT_FALSE(Eval("RefreshNow"));
    EXPECT_EQ(host.commands.refreshCount, 1);
    // EvalF reports the same way and always answers true.
    EXPECT_TRUE(EvalF("GE_CreateExpression %d", 7));
    EXPECT_TRUE(EvalF("RefreshNow"));
    EXPECT_EQ(host.commands.status, (Tokens{"*** ERROR: eval( \"GE_CreateExpression \"E_100%s\" \"[Face.%d]\"\" ) !(0) ***",
                                            "*** ERROR: eval( \"GE_CreateExpression 7\" ) !(0) ***"}));
}

TEST_F(BridgeCommands, NoCommandInterfaceMeansSilence)
{
    g_hostGlobals.commandFunc = nullptr;
    g_hostGlobals.commandInterface = nullptr;
    ToolGlobals::commandFunc = nullptr;
    ToolGlobals::commandInterface = nullptr;
    PostStatus("x");
    SendCommand("RefreshNow");
    ShowError("y");
    EXPECT_TRUE(Eval("RefreshNow")); // nothing could run it
    EXPECT_TRUE(host.commands.log.empty());
}

TEST_F(BridgeCommands, SendCommandIgnoresFailures)
{
    host.commands.rejectAll = true;
    SendCommand("RefreshNow");
    EXPECT_EQ(host.commands.log, std::vector<std::string>{"RefreshNow"});
    EXPECT_TRUE(host.commands.status.empty());
}

TEST_F(BridgeCommands, RefreshInterfaceInfo)
{
    RefreshInterfaceInfo();
    EXPECT_NE(ToolGlobals::interfaceInfo, nullptr);
    host.services.Remove("LW Interface Info 8");
    try {
        RefreshInterfaceInfo();
        FAIL() << "a missing interface info must raise";
    } catch (const lw::ex::CBaseEx &e) {
        EXPECT_EQ(e.Message(), "g_global( LWINTERFACEINFO_GLOBAL, GFUSE_TRANSIENT )");
    }
    EXPECT_EQ(ToolGlobals::interfaceInfo, nullptr);
    EXPECT_EQ(host.commands.log.back(), "StatusMsg *** ERROR: g_global( LWINTERFACEINFO_GLOBAL, GFUSE_TRANSIENT ) ***");
}

} // namespace
