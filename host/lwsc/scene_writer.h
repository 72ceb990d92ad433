// scene_writer.h: the host's scene written as a scene file.
//
// A scene loaded from a file is written back into that file's lines: what did not change keeps
// its lines byte for byte, and each change rewrites only the lines it touches, in the style of the
// file's generation (its number precision, its version's declarations). A new scene is written as
// LightWave 9.x writes LWSC 5.
#ifndef ZKH_LWSC_SCENE_WRITER_H
#define ZKH_LWSC_SCENE_WRITER_H

#include "document.h"
#include "expressions.h"
#include "scene.h"
#include "scene_reader.h"

#include <string>
#include <vector>

namespace zkh::lwsc {

// A plug-in instance of the host, with the lines its save callback wrote.
struct PluginToSave {
    PluginToLoad::Kind kind = PluginToLoad::Kind::Master;
    std::string server;
    size_t plugin = kNoLine;  // masters and image filters loaded from the file: index into its plug-ins
    HandlerPlace place;       // channel handlers loaded from the file (place.item is kNoLine for a new one)
    ChannelKey channel = 0;   // channel handlers
    std::vector<std::string> data; // as written, without indentation of the surrounding block
};

// What the host wants written.
struct SceneToSave {
    const Scene *scene = nullptr;
    const ExpressionTable *expressions = nullptr;
    std::vector<PluginToSave> plugins;       // every live instance, masters and filters in their list's order
    std::vector<size_t> removedPlugins;      // blocks of the file whose instances are gone
    std::vector<HandlerPlace> removedHandlers;
};

// The scene as the bytes of a scene file: written into `source` (the file it was loaded from), or
// into a new LWSC 5 file when source is null. Messages name what could not be written.
std::string WriteSceneFile(const Document *source, const SceneToSave &save, std::vector<std::string> &messages);

// The lines of a new LWSC 5 scene without items (what a writer starts a new scene from).
const Document &NewSceneDocument();

} // namespace zkh::lwsc

#endif
