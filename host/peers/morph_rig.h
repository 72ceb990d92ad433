// morph_rig.h: a face rig for the morph consolidation command: a controller with morph channels,
// mesh objects with like-named morph channels, a bone, a light and a camera.
#ifndef ZKH_MORPH_RIG_H
#define ZKH_MORPH_RIG_H

#include "scene.h"

#include <string>
#include <vector>

namespace zkh {

struct MorphRig {
    std::string controller = "Face";              // a null object
    std::vector<std::string> morphs = {"Smile", "Blink"};
    std::vector<std::string> meshes = {"Head", "Brows"}; // objects loaded from "<name>.lwo"
    std::string bone = "Jaw";                     // under the first mesh; empty: none
    std::string light = "Key";                    // empty: none
    std::string camera = "Camera";                // empty: none
};

// Adds the rig's items to the scene; every mesh and the controller get a "MorphGroup" channel
// group holding one channel per morph.
void BuildMorphRig(Scene &scene, const MorphRig &rig);

// Adds a channel group below an item's group with one channel per name; the group's identifier.
ChannelKey AddChannelGroup(Scene &scene, std::uint32_t item, const std::string &group,
                              const std::vector<std::string> &channels);

} // namespace zkh

#endif
