// module_fixture.cpp: fresh module copies for the integration tests.
#include "module_fixture.h"

#include "process_support.h"

#include <atomic>
#include <filesystem>

namespace fs = std::filesystem;

std::string FreshModuleCopy()
{
    static std::atomic<int> counter{0};
    const fs::path dir = TestTempDir("zktools-tests");
    fs::create_directories(dir);
    const fs::path copy = dir / ("zktools-" + std::to_string(counter++) + ".p");
    fs::copy_file(ZK_MODULE_PATH, copy, fs::copy_options::overwrite_existing);
    return copy.string();
}

void ModuleTest::SetUp()
{
    modulePath = FreshModuleCopy();
    ASSERT_TRUE(host.LoadModule(modulePath)) << host.messages.back();
}

void ModuleTest::TearDown()
{
    std::error_code ec;
    fs::remove(modulePath, ec);
}

DataLines ModuleTest::SaveMasterBlock(zkh::MasterInstance &master)
{
    LWError error = nullptr;
    DataLines lines = SaveData(master.instFuncs, master.instance, &error);
    EXPECT_EQ(error, nullptr);
    return lines;
}

LWError ModuleTest::LoadMasterBlock(zkh::MasterInstance &master, const DataLines &lines)
{
    return LoadData(master.instFuncs, master.instance, lines);
}
