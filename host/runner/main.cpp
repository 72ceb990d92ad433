// main.cpp: zkhost, the simulated Layout host's command-line runner.
//
//   zkhost run SESSION [--out DIR] [--module FILE]
#include "session.h"

#include <filesystem>
#include <iostream>

namespace {

int Usage()
{
    std::cerr << "usage: zkhost run SESSION [--out DIR] [--module FILE]\n"
                 "  Runs the session file (YAML: a scene and a list of actions) against the module,\n"
                 "  writing the scene files, pictures, logs and exchange files into DIR (default: out).\n"
                 "  The module defaults to zktools.p beside zkhost.\n";
    return 2;
}

std::string DefaultModule(const char *argv0)
{
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        self = argv0;
    return (self.parent_path() / "zktools.p").string();
}

} // namespace

int main(int argc, char **argv)
{
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
