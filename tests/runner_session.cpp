// runner_session.cpp: running zkhost on a session text.
#include "runner_session.h"

#include "process_support.h"

#include <fstream>

RunResult RunRunnerSession(const std::string &session, const std::filesystem::path &outDir)
{
    namespace fs = std::filesystem;
    fs::create_directories(outDir.parent_path());
    const fs::path file = outDir.parent_path() / (outDir.filename().string() + ".yaml");
    std::ofstream(file, std::ios::binary) << session;
    const fs::path log = outDir.parent_path() / (outDir.filename().string() + ".txt");
    const int status = RunProgram(
        {ZK_RUNNER_PATH, "run", file.string(), "--out", outDir.string(), "--module", ZK_MODULE_PATH}, log.string());
    return {status, ReadFileBytes(log)};
}
