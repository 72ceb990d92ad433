// fuzz_scene_roundtrip.cpp: scene files through the host with the module loaded, saved and loaded again.
//
// One host for the whole run, with the built module file, so that the camera frames' and the
// timeline memo's master blocks are read by the plug-ins themselves. Loading must never crash;
// a scene that loaded is written back as text, and that text must load again (what a plug-in
// saved, it can load) and write itself unchanged.
#include "host.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Never destroyed: at exit the module's own statics go first (it was loaded after the host was
    // made), and a host destroyed after them would hand its masters to a module already torn down.
    static zkh::Host &host = *new zkh::Host;
    static const bool loaded = host.LoadModule(ZK_MODULE_PATH);
    if (!loaded) {
        std::fprintf(stderr, "cannot load %s\n", ZK_MODULE_PATH);
        std::abort();
    }
    host.messages.clear();
    const std::string text(reinterpret_cast<const char *>(data), size);
    if (host.LoadSceneText(text, "fuzz")) {
        const std::string written = host.SceneText();
        if (!host.LoadSceneText(written, "fuzz-written")) {
            std::fprintf(stderr, "a saved scene does not load: %s\n", host.messages.back().c_str());
            std::abort();
        }
        if (host.SceneText() != written) {
            std::fprintf(stderr, "a saved scene does not save the same again\n");
            std::abort();
        }
    }
    host.messages.clear();
    return 0;
}
