// process_support.cpp: process ids and running programs: posix_spawn on Linux, CreateProcess on Windows.
#include "process_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#if defined(_WIN32)

namespace {

// One argument quoted for the Windows command line (CommandLineToArgvW's rules).
std::string QuoteArgument(const std::string &argument)
{
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

} // namespace

unsigned long CurrentProcessId()
{
    return GetCurrentProcessId();
}

int RunProgram(const std::vector<std::string> &arguments, const std::string &logFile)
{
    const std::string program = std::filesystem::absolute(arguments[0]).make_preferred().string();
    std::string commandLine = QuoteArgument(program);
    for (size_t i = 1; i < arguments.size(); ++i)
        commandLine += " " + QuoteArgument(arguments[i]);

    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE log = CreateFileA(logFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return -1;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = log;
    startup.hStdError = log;
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const BOOL started =
        CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(log);
    if (!started)
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    const BOOL known = GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return known ? static_cast<int>(status) : -1;
}

#else

unsigned long CurrentProcessId()
{
    return static_cast<unsigned long>(getpid());
}

int RunProgram(const std::vector<std::string> &arguments, const std::string &logFile)
{
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::fflush(nullptr);
    pid_t child = 0;
    const int failed = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (failed != 0 || waitpid(child, &status, 0) < 0)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

namespace {

// The folders this process has asked for. Each is emptied the first time (a process id comes back
// soon, under Wine within one test run, and a folder left by an earlier process must not look like
// this one's work) and removed when the process ends, so that test runs leave nothing behind.
class TempDirs {
public:
    ~TempDirs()
    {
        for (const std::filesystem::path &dir : dirs_) {
            std::error_code ignored; // a module still loaded on Windows stays
            std::filesystem::remove_all(dir, ignored);
        }
    }

    std::filesystem::path Claim(const std::filesystem::path &dir)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (std::find(dirs_.begin(), dirs_.end(), dir) == dirs_.end()) {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
            dirs_.push_back(dir);
        }
        return dir;
    }

private:
    std::mutex mutex_;
    std::vector<std::filesystem::path> dirs_;
};

} // namespace

std::filesystem::path TestTempDir(const std::string &prefix)
{
    static TempDirs dirs;
    return dirs.Claim(std::filesystem::temp_directory_path() / (prefix + "-" + std::to_string(CurrentProcessId())));
}

std::string ReadFileBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
