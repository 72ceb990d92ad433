// runner_session.h: running zkhost on a session text, as the runner tests do.
#ifndef ZK_TESTS_RUNNER_SESSION_H
#define ZK_TESTS_RUNNER_SESSION_H

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

struct RunResult {
    int status;                // zkhost's exit status; -1 when it could not be started
    std::string output;        // what it printed, standard output and error together
    std::filesystem::path out; // the folder the session wrote into
    std::string file;          // the session file, as zkhost names it in its messages
};

// Writes the session to name.yaml in this test process's temporary folder and runs the built zkhost
// on it with the built module, writing into the folder name beside it; what it printed is kept in
// name.txt.
RunResult RunRunnerSession(const std::string &session, const std::string &name);

// Whether the text holds the part; a failure shows the whole text.
::testing::AssertionResult Holds(const std::string &text, const std::string &part);

#endif
