// runner_session.cpp: running zkhost on a session text.
#include "runner_session.h"

#include "process_support.h"

#include <fstream>

RunResult RunRunnerSession(const std::string &session, const std::string &name)
{
    const std::filesystem::path dir = TestTempDir("zkhost-runner");
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / (name + ".yaml"), log = dir / (name + ".txt"), out = dir / name;
    std::ofstream(file, std::ios::binary) << session;
    const int status = RunProgram(
        {ZK_RUNNER_PATH, "run", file.string(), "--out", out.string(), "--module", ZK_MODULE_PATH}, log.string());
    return {status, ReadFileBytes(log), out, file.string()};
}

::testing::AssertionResult Holds(const std::string &text, const std::string &part)
{
    if (text.find(part) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no \"" << part << "\" in:\n" << text;
}
