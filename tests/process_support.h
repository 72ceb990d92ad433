// process_support.h: what the tests need from the operating system, the same way on Linux and Windows.
#ifndef ZK_TESTS_PROCESS_SUPPORT_H
#define ZK_TESTS_PROCESS_SUPPORT_H

#include <filesystem>
#include <string>
#include <vector>

// The id of this test process (to keep temporary folders of parallel runs apart).
unsigned long CurrentProcessId();

// A folder of this test process's own under the system's temporary folder: prefix-PID, empty when
// first asked for and removed when the process ends (the caller creates it).
std::filesystem::path TestTempDir(const std::string &prefix);

// The whole file, byte for byte; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path &path);

// Runs a program (arguments[0]) with its standard output and error going to logFile, waits for it
// and returns its exit status; -1 when it could not be started.
int RunProgram(const std::vector<std::string> &arguments, const std::string &logFile);

#endif
