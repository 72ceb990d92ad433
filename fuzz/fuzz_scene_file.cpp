// fuzz_scene_file.cpp: the host's scene file reader on arbitrary text.
//
// One host for the whole run (only one may exist at a time). It has no module loaded, so Plugin
// blocks end as messages. Loading must never crash; after a load that succeeded, the scene is
// written back as text, and that text must load again and write itself unchanged.
#include "host.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static zkh::Host host;
    host.messages.clear();
    const std::string text(reinterpret_cast<const char *>(data), size);
    if (host.LoadSceneText(text, "fuzz")) {
        const std::string written = host.SceneText();
        if (!host.LoadSceneText(written, "fuzz-written") || host.SceneText() != written)
            __builtin_trap();
    }
    host.messages.clear();
    return 0;
}
