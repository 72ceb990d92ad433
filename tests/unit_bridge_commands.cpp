// Command sending, status lines and the exceptions of the command path.
#include "common/lwtool2.h"
#include "host.h"

#include <gtest/gtest.h>

namespace {

class BridgeCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_hostGlobals = HostGlobals{};
        AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
        ASSERT_TRUE(AcquireToolGlobals(zkh::Host::GlobalLookup));
    }

    zkh::Host host;
};

TEST_F(BridgeCommands, EmptyCommandIsReportedAndRaised)
{
    try {
        Eval("");
        FAIL() << "Eval of an empty command must raise";
    } catch (const lw::ex::CEvalEx &e) {
        EXPECT_EQ(e.Message(), "eval( \"\" )");
        EXPECT_EQ(e.Code(), 0);
    }
    ASSERT_EQ(host.commands.log.size(), 1u);
    EXPECT_EQ(host.commands.log[0], "StatusMsg *** ERROR: eval( \"\" ) ***");
}

TEST_F(BridgeCommands, RejectedCommandGivesOneErrorLine)
{
    host.commands.rejectWords.insert("GE_CreateExpression");
    EXPECT_TRUE(Eval("GE_CreateExpression \"E_100%s\" \"[Face.%d]\""));
    ASSERT_EQ(host.commands.status.size(), 1u);
    EXPECT_EQ(host.commands.status[0], "*** ERROR: eval( \"GE_CreateExpression \"E_100%s\" \"[Face.%d]\"\" ) !(0) ***");

    EXPECT_FALSE(Eval("RefreshNow"));
    EXPECT_EQ(host.commands.status.size(), 1u);
    EXPECT_EQ(host.commands.refreshCount, 1);

    // EvalF reports the same way and always answers true.
    EXPECT_TRUE(EvalF("GE_CreateExpression %d", 7));
    EXPECT_TRUE(EvalF("RefreshNow"));
    ASSERT_EQ(host.commands.status.size(), 2u);
    EXPECT_EQ(host.commands.status[1], "*** ERROR: eval( \"GE_CreateExpression 7\" ) !(0) ***");
}

TEST_F(BridgeCommands, StatusLines)
{
    ShowStatus("start %s...", "x");
    PostStatus("Loading");
    ShowError("bad");
    ASSERT_EQ(host.commands.log.size(), 3u);
    EXPECT_EQ(host.commands.log[0], "StatusMsg start x...");
    EXPECT_EQ(host.commands.log[1], "StatusMsg {1.0} Loading");
    EXPECT_EQ(host.commands.log[2], "StatusMsg *** ERROR: bad ***");

    // A status text over 511 characters is formatted as the empty text.
    ShowStatus("%s", std::string(600, 'a').c_str());
    EXPECT_EQ(host.commands.log.back(), "StatusMsg ");
}

TEST_F(BridgeCommands, NoCommandInterfaceMeansSilence)
{
    g_hostGlobals.commandFunc = nullptr;
    ToolGlobals::commandFunc = nullptr;
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

TEST_F(BridgeCommands, ToolGlobalsStopAtTheFirstMissingService)
{
    const LWItemInfo *before = ToolGlobals::itemInfo;
    ASSERT_NE(before, nullptr);
    host.services.Remove("LW Fog Info");
    ToolGlobals::itemInfo = nullptr;
    EXPECT_FALSE(AcquireToolGlobals(zkh::Host::GlobalLookup));
    EXPECT_NE(ToolGlobals::boneInfo, nullptr);
    EXPECT_EQ(ToolGlobals::fogInfo, nullptr);
    EXPECT_EQ(ToolGlobals::itemInfo, nullptr); // later ones keep their previous values
    EXPECT_FALSE(AcquireToolGlobals(nullptr));
}

TEST_F(BridgeCommands, PanelServicesLearnTheLookupFunction)
{
    EXPECT_EQ(ToolGlobals::panelFuncs->globalFun, &zkh::Host::GlobalLookup);
    EXPECT_EQ(ToolGlobals::localeId, 1033);
}

} // namespace
