// module_fixture.h: a simulated host with a fresh copy of the built module file loaded.
//
// The module keeps process-wide state (the shared globals, the master instances), so each test
// loads its own copy of the module file: a fresh copy starts from a clean state.
#ifndef ZK_TESTS_MODULE_FIXTURE_H
#define ZK_TESTS_MODULE_FIXTURE_H

#include "host.h"
#include "plugin_data.h"

#include <gtest/gtest.h>

#include <string>

// Copies the built module to a new temporary file and returns its path.
std::string FreshModuleCopy();

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A master's data saved now, one line per write call as in a scene file (a save error fails the
    // test), and lines loaded into it.
    DataLines SaveMasterBlock(zkh::MasterInstance &master);
    LWError LoadMasterBlock(zkh::MasterInstance &master, const DataLines &lines);

    zkh::Host host;
    std::string modulePath;
};

#endif
