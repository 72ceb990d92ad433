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
        zkh::MasterInstance *master = host.AddMaster(kServer);
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

    // The saved block, one item a line.
    std::string Saved(zkh::MasterInstance &master)
    {
        std::string text;
        for (const zkh::BlockItem &item : SaveMasterBlock(master))
            text += zkh::FormatBlockItem(item) + "\n";
        return text;
    }

    zkh::XPanel &OpenPanel()
    {
        zkh::XPanel *panel = host.OpenMasterPanel(kServer);
        EXPECT_NE(panel, nullptr);
        static zkh::XPanel none;
        return panel ? *panel : none;
    }

    static zkh::BlockItem Str(const std::string &text) { return {zkh::BlockItem::Type::Str, text, 0.0}; }
    static zkh::BlockItem I4(int value) { return {zkh::BlockItem::Type::I4, std::string(), static_cast<double>(value)}; }
    // An integer that the same write call continues (the three components of a colour are one call).
    static zkh::BlockItem I4Then(int value) { return {zkh::BlockItem::Type::I4, std::string(), static_cast<double>(value), true}; }
    static zkh::BlockItem FP(float value) { return {zkh::BlockItem::Type::FP, std::string(), static_cast<double>(value)}; }
};

#endif
