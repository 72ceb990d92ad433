// morph_rig.cpp: building the morph consolidation rig in the simulated scene.
#include "morph_rig.h"

namespace zkh {

ChannelKey AddChannelGroup(Scene &scene, std::uint32_t item, const std::string &group,
                              const std::vector<std::string> &channels)
{
    const Item *owner = scene.Find(item);
    const ChannelKey id = scene.AddGroup(group, owner ? owner->chanGroup : 0).id;
    for (const std::string &name : channels)
        scene.AddChannel(name, id);
    return id;
}

void BuildMorphRig(Scene &scene, const MorphRig &rig)
{
    const std::uint32_t controller = scene.AddNullObject(rig.controller).id;
    AddChannelGroup(scene, controller, "MorphGroup", rig.morphs);
    std::uint32_t first = 0;
    for (const std::string &mesh : rig.meshes) {
        const std::uint32_t id = scene.AddObject(mesh, mesh + ".lwo").id;
        AddChannelGroup(scene, id, "MorphGroup", rig.morphs);
        if (!first)
            first = id;
    }
    if (!rig.bone.empty() && first)
        scene.AddBone(rig.bone, first);
    if (!rig.light.empty())
        scene.AddLight(rig.light);
    if (!rig.camera.empty())
        scene.AddCamera(rig.camera, 640, 480, 35.0);
}

} // namespace zkh
