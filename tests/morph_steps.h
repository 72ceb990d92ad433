// morph_steps.h: the morph rig of the morph consolidation tests, and acting on it.
#ifndef ZK_TESTS_MORPH_STEPS_H
#define ZK_TESTS_MORPH_STEPS_H

#include "host.h"
#include "morph_rig.h"

#include <string>
#include <vector>

// The rig: Face 0x10000001 (MorphGroup.Smile 0x6000000a, .Blink 0x6000000b), Head 0x10000002
// (0x60000015, 0x60000016), Brows 0x10000003 (0x60000020, 0x60000021), bone Jaw, light Key, camera Camera.
using Lines = std::vector<std::string>;

inline std::uint32_t ItemId(zkh::Host &host, const std::string &name) { return host.scene.FindByName(name)->id; }

inline void SelectItems(zkh::Host &host, const std::vector<std::string> &names)
{
    host.scene.selection.clear();
    for (const std::string &name : names)
        host.scene.selection.push_back(ItemId(host, name));
}

inline std::uint32_t ChannelId(zkh::Host &host, const std::string &item, const std::string &fullName)
{
    return zkh::FindItemChannel(host.scene, *host.scene.FindByName(item), fullName)->id;
}

// Every run first removes the expressions of the mesh objects' morph channels.
inline const Lines kRemoveLines = {
    "GE_DetachExpressionsID 0x60000015", "GE_DetachExpressionsID 0x60000016", "GE_DetachExpressionsID 0x60000020",
    "GE_DetachExpressionsID 0x60000021", "GE_ClearUnusedExpressions",
};

inline Lines Join(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

#endif
