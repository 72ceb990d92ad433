// runner_session.h: running zkhost on a session text, as the runner tests do.
#ifndef ZK_TESTS_RUNNER_SESSION_H
#define ZK_TESTS_RUNNER_SESSION_H

#include <filesystem>
#include <string>

struct RunResult {
    int status;         // zkhost's exit status; -1 when it could not be started
    std::string output; // what it printed, standard output and error together
};

// Writes the session beside outDir (outDir + ".yaml") and runs the built zkhost on it with the built
// module, writing into outDir; what it printed is kept in outDir + ".txt".
RunResult RunRunnerSession(const std::string &session, const std::filesystem::path &outDir);

#endif
