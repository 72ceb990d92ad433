// memo_fixture.h: helpers of the timeline memo's integration tests.
#ifndef ZK_TESTS_MEMO_FIXTURE_H
#define ZK_TESTS_MEMO_FIXTURE_H

#include "module_fixture.h"
#include "process_support.h"

#include <filesystem>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

class MemoTest : public ModuleTest {
protected:
    static constexpr const char *kServer = "ZK:TimeLineMemo";

    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(TestTempDir("zk-memo"), ec);
        ModuleTest::TearDown();
    }

    zkh::MasterInstance *AddMemo()
    {
        zkh::MasterInstance *master = host.masters.Add(kServer);
        EXPECT_NE(master, nullptr) << (host.messages.empty() ? "" : host.messages.back());
        return master;
    }

    // A path in a folder of its own for this test's files.
    std::string TempPath(const std::string &name)
    {
        const auto dir = TestTempDir("zk-memo");
        std::filesystem::create_directories(dir);
        return (dir / name).string();
    }

    // The saved data, as its lines stand in the scene file.
    std::string Saved(zkh::MasterInstance &master)
    {
        std::string text;
        for (const std::string &line : SaveMasterBlock(master))
            text += line + "\n";
        return text;
    }

    zkh::XPanel &OpenPanel()
    {
        zkh::XPanel *panel = host.masters.OpenPanel(kServer);
        EXPECT_NE(panel, nullptr);
        static zkh::XPanel none;
        return panel ? *panel : none;
    }

    static std::string Str(const std::string &text) { return StrLine(text); }
    static std::string I4(int value) { return IntLine(value); }
    // The three components of a colour: one write call, one line.
    static std::string Rgb(int r, int g, int b) { return IntLine(r) + " " + IntLine(g) + " " + IntLine(b); }
    static std::string FP(float value) { return FloatLine(value); }
};

#endif
