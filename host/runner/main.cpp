// main.cpp: zkhost, the simulated Layout host's command-line runner.
//
//   zkhost run SESSION [--out DIR] [--module FILE]
//   zkhost help [ACTION] | --help | --version
//   zkhost info SCENE.lws [--json]
//   zkhost frames SCENE.lws [--json] [--module FILE]
//   zkhost memo SCENE.lws --export FILE ... | --import FILE ... --out OUT
//   zkhost burn ... and zkhost crop ... (sequence_commands.h)
#include "help.h"
#include "memo_command.h"
#include "picture_font.h"
#include "scene_report.h"
#include "sequence_commands.h"
#include "session.h"

#include <filesystem>
#include <iostream>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

int Usage(std::ostream &stream = std::cerr, int status = 2)
{
    stream << "usage: zkhost run SESSION [--out DIR] [--module FILE]\n"
                 "  Runs the session file (YAML: a scene and a list of actions) against the module,\n"
                 "  writing the scene files, pictures, logs and exchange files into DIR (default: out).\n"
                 "  The module defaults to zktools.p beside zkhost.\n"
                 "usage: zkhost help [ACTION] | zkhost --help | zkhost --version\n"
                 "  This text with every session action, one action's keys, or zkhost's build.\n"
                 "usage: zkhost info SCENE.lws [--json]\n"
                 "  Summarises a Layout scene file: timing, items, cameras, plug-ins, envelopes.\n"
                 "usage: zkhost frames SCENE.lws [--json] [--module FILE]\n"
                 "  Lists the camera frames the scene holds, as the communication ring answers them.\n"
              << zkh::MemoCommandUsage() << zkh::SequenceUsage() << zkh::PictureFontDescription() << "\n";
    return status;
}

// The path of this program's file, argv[0] when the system cannot tell.
std::filesystem::path SelfPath(const char *argv0)
{
#if defined(_WIN32)
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return argv0;
        if (length < buffer.size())
            return std::filesystem::path(buffer.substr(0, length));
        buffer.resize(buffer.size() * 2);
    }
#else
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path(argv0) : self;
#endif
}

std::string DefaultModule(const char *argv0)
{
    const std::filesystem::path self = SelfPath(argv0);
    return (self.parent_path() / "zktools.p").string();
}

} // namespace

int main(int argc, char **argv)
{
#if defined(_WIN32)
    // The same bytes on every platform: no "\r" before the line ends of what the runner prints.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "help")) {
        Usage(std::cout, 0);
        zkh::PrintActionList(std::cout);
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "help")
        return zkh::PrintActionHelp(argv[2], std::cout, std::cerr);
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::cout << zkh::VersionText() << "\n";
        return 0;
    }
    if (argc >= 2 && (std::string(argv[1]) == "burn" || std::string(argv[1]) == "crop"))
        return zkh::RunSequenceCommand(argv[1], std::vector<std::string>(argv + 2, argv + argc), DefaultModule(argv[0]),
                                       std::cout, std::cerr);
    if (argc >= 2 && std::string(argv[1]) == "memo")
        return zkh::RunMemoCommand(std::vector<std::string>(argv + 2, argv + argc), DefaultModule(argv[0]), std::cout,
                                   std::cerr);
    if (argc >= 2 && (std::string(argv[1]) == "info" || std::string(argv[1]) == "frames")) {
        const std::vector<std::string> args(argv + 2, argv + argc);
        if (std::string(argv[1]) == "info")
            return zkh::RunInfo(args, std::cout, std::cerr);
        return zkh::RunFrames(args, DefaultModule(argv[0]), std::cout, std::cerr);
    }
    if (argc < 3 || std::string(argv[1]) != "run")
        return Usage();
    std::string session = argv[2];
    std::string outDir = "out";
    std::string module;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc)
            outDir = argv[++i];
        else if (arg == "--module" && i + 1 < argc)
            module = argv[++i];
        else
            return Usage();
    }
    return zkh::RunSession(session, outDir, module, DefaultModule(argv[0]), std::cout, std::cerr);
}
