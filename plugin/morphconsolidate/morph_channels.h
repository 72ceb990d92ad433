// morph_channels.h: the scene as the morph consolidation command reads it.
//
// Items of the popup, the channels of an item with their names relative to the item, and the
// tests that pick morph channels and mesh objects.
#ifndef ZK_MORPH_CHANNELS_H
#define ZK_MORPH_CHANNELS_H

#include "lwhost/lwhost.h"

#include <cinttypes>
#include <cstdint>
#include <string>
#include <vector>

// A channel and its full name relative to its item ("MorphGroup.Smile").
struct ItemChannel {
    LWChannelID id = nullptr;
    std::string fullName;
};

// Popup entries: every object followed by its bones, then the lights, the cameras, and the bones
// of no object.
std::vector<LWItemID> ListSceneItems();

// The channels of an item's channel group and of its nested groups, without its bones' groups.
std::vector<ItemChannel> ItemChannels(LWItemID item);

// Appends the channels of a group (named below prefix), then those of every child group whose
// name is not in skip.
void CollectChannels(LWChanGroupID group, const std::vector<std::string> &skip, const std::string &prefix,
                     std::vector<ItemChannel> &channels);

// "Group.Name" with Group "MorphGroup", or equal to the name of one of the scene's morph maps.
bool IsMorphChannel(const std::string &fullName);

// An object loaded from an ".lwo" file.
bool IsMeshObject(LWItemID item);

// The host's name of an item; empty when it has none.
std::string ItemName(LWItemID item);

// An identifier as the command lines print it: whole, in hexadecimal after "0x" (ZK_COMMAND_ID),
// as the host's command reference asks; channel identifiers use all 64 bits.
std::uint64_t CommandId(const void *id);
#define ZK_COMMAND_ID "0x%" PRIx64

#endif
