// morph_channels.cpp: item lists, item channels and the morph channel test.
#include "morph_channels.h"

#include "../common/lwglobals.h"

#include <algorithm>
#include <cstdint>
#include <regex>

namespace {

// Items of one type (bones: of one object, or of none) in the host's order.
void AppendItems(LWItemType type, LWItemID parent, std::vector<LWItemID> &items)
{
    const LWItemInfo *info = ToolGlobals::itemInfo;
    for (LWItemID item = info->first(type, parent); item; item = info->next(item))
        items.push_back(item);
}

} // namespace

std::uint64_t CommandId(const void *id)
{
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(id));
}

std::string ItemName(LWItemID item)
{
    const char *name = item && ToolGlobals::itemInfo ? ToolGlobals::itemInfo->name(item) : nullptr;
    return name ? name : std::string();
}

std::vector<LWItemID> ListSceneItems()
{
    std::vector<LWItemID> items;
    items.reserve(128);
    if (!ToolGlobals::itemInfo)
        return items;
    std::vector<LWItemID> objects;
    AppendItems(LWI_OBJECT, LWITEM_NULL, objects);
    for (LWItemID object : objects) {
        items.push_back(object);
        AppendItems(LWI_BONE, object, items);
    }
    AppendItems(LWI_LIGHT, LWITEM_NULL, items);
    AppendItems(LWI_CAMERA, LWITEM_NULL, items);
    AppendItems(LWI_BONE, LWITEM_NULL, items);
    return items;
}

void CollectChannels(LWChanGroupID group, const std::vector<std::string> &skip, const std::string &prefix,
                     std::vector<ItemChannel> &channels)
{
    const LWChannelInfo *info = ToolGlobals::channelInfo;
    for (LWChannelID channel = info->nextChannel(group, nullptr); channel; channel = info->nextChannel(group, channel)) {
        const char *name = info->channelName(channel);
        channels.push_back({channel, prefix + (name ? name : "")});
    }
    for (LWChanGroupID child = info->nextGroup(group, nullptr); child; child = info->nextGroup(group, child)) {
        const char *name = info->groupName(child);
        const std::string childName = name ? name : "";
        if (std::find(skip.begin(), skip.end(), childName) != skip.end())
            continue;
        CollectChannels(child, {}, prefix + childName + ".", channels);
    }
}

std::vector<ItemChannel> ItemChannels(LWItemID item)
{
    std::vector<ItemChannel> channels;
    if (!item || !ToolGlobals::itemInfo || !ToolGlobals::channelInfo)
        return channels;
    const LWChanGroupID group = ToolGlobals::itemInfo->chanGroup(item);
    if (!group)
        return channels;
    std::vector<LWItemID> bones;
    AppendItems(LWI_BONE, item, bones);
    std::vector<std::string> boneNames;
    for (LWItemID bone : bones)
        boneNames.push_back(ItemName(bone));
    CollectChannels(group, boneNames, std::string(), channels);
    return channels;
}

bool IsMorphChannel(const std::string &fullName)
{
    // The full match of "^([^\.]+)\.[^\.]+$": exactly one ".", with text on both sides.
    const size_t dot = fullName.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == fullName.size() ||
        fullName.find('.', dot + 1) != std::string::npos)
        return false;
    if (fullName.compare(0, dot, "MorphGroup") == 0)
        return true;
    // One of the scene's morph maps, compared in place (this runs for every channel of every item).
    const LWSceneObjects *objects = ToolGlobals::sceneObjects;
    if (!objects)
        return false;
    const int count = objects->numVMaps(LWVMAP_MORF);
    for (int i = 0; i < count; ++i) {
        const char *name = objects->vmapName(LWVMAP_MORF, i);
        if (name && fullName == name)
            return true;
    }
    return false;
}

bool IsMeshObject(LWItemID item)
{
    static const std::regex kObjectFile("^.*\\.lwo$", std::regex::ECMAScript);
    const LWItemInfo *info = ToolGlobals::itemInfo;
    if (!item || !info || !ToolGlobals::objectInfo || info->type(item) != LWI_OBJECT)
        return false;
    const char *file = ToolGlobals::objectInfo->filename(item);
    return file && std::regex_match(file, kObjectFile);
}
