// scene.h: the simulated Layout scene: items, channels, viewports, time and selection.
#ifndef ZKH_SCENE_H
#define ZKH_SCENE_H

#include "lwhost/lwhost.h"
#include "lwsc/envelope.h"

#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zkh {

enum class ItemKind { Object = LWI_OBJECT, Light = LWI_LIGHT, Camera = LWI_CAMERA, Bone = LWI_BONE };

// Channels and channel groups are named by 64-bit identifiers, as Layout's pointers are: they are
// handed out above 2^32, so that a plug-in that keeps only 32 bits of one names another channel.
using ChannelKey = std::uint64_t;

// One scene item. Item identifiers are Layout's: the item kind in the top four bits (1 object,
// 2 light, 3 camera, 4 bone), so they fit in 32 bits.
struct Item {
    std::uint32_t id = 0;
    ItemKind kind = ItemKind::Object;
    std::string name;
    std::uint32_t parent = 0;   // bones: their object; others: the parent item or 0
    std::string fileName;       // objects; empty for a null object
    int layer = 1;              // objects: the layer of the object file
    // Cameras: the render resolution (the frame size the camera renders, multiplier applied), its
    // multiplier and pixel aspect, the zoom factor's keys and the aperture (film) height in metres;
    // the focal length is zoom factor x aperture height / 2.
    int resolutionW = 640;
    int resolutionH = 480;
    double resolutionMultiplier = 1.0;
    double pixelAspect = 1.0;
    lwsc::Envelope zoom;
    double apertureHeight = 0.015;
    ChannelKey chanGroup = 0;
    size_t source = static_cast<size_t>(-1); // the item's declaration in the scene file it came from
};

// Zoom factor of a focal length in millimetres, and back, for a camera's aperture height.
double ZoomOfFocalLength(const Item &camera, double millimetres);
// Sets a camera's focal length (one value), or its keys (time -> millimetres, linear between them).
void SetFocalLength(Item &camera, double millimetres);
void SetFocalKeys(Item &camera, const std::map<double, double> &keys);
// An envelope of one value, and of keys linear between them (time -> value).
lwsc::Envelope ConstantEnvelope(double value);
lwsc::Envelope LinearEnvelope(const std::map<double, double> &keys);

struct ChannelGroup {
    ChannelKey id = 0;
    std::string name;
    ChannelKey parent = 0; // 0: a root group
};

struct Channel {
    ChannelKey id = 0;
    std::string name;
    ChannelKey group = 0;
    lwsc::Envelope envelope; // no key: the channel is 0
};

struct Viewport {
    int type = LVVIEWT_PERSPECTIVE;
    std::uint32_t item = 0; // the viewed item of a camera or light view
    int left = 0, top = 0, width = 640, height = 480;
};

class Scene {
public:
    Scene();

    Item &AddObject(const std::string &name, const std::string &fileName, std::uint32_t id = 0);
    Item &AddNullObject(const std::string &name, std::uint32_t id = 0);
    Item &AddBone(const std::string &name, std::uint32_t object, std::uint32_t id = 0);
    Item &AddLight(const std::string &name, std::uint32_t id = 0);
    Item &AddCamera(const std::string &name, int width, int height, double focalLength, std::uint32_t id = 0);
    // An item as a scene file declares it: of that kind, name and identifier, without channels yet
    // (AddMotionChannels gives it its own group and motion channels).
    Item &AddDeclaredItem(ItemKind kind, const std::string &name, std::uint32_t id);
    void AddMotionChannels(Item &item);
    void Clear();

    Item *Find(std::uint32_t id);
    const Item *Find(std::uint32_t id) const;
    Item *FindByName(const std::string &name);
    const Item *FindByName(const std::string &name) const;
    // Items of one kind in the host's order (bones: of the given object, or without one).
    std::vector<const Item *> ItemsOfKind(ItemKind kind) const;
    std::vector<const Item *> BonesOf(std::uint32_t object) const;

    ChannelGroup &AddGroup(const std::string &name, ChannelKey parent);
    Channel &AddChannel(const std::string &name, ChannelKey group);
    ChannelGroup *FindGroup(ChannelKey id);
    const ChannelGroup *FindGroup(ChannelKey id) const;
    Channel *FindChannel(ChannelKey id);
    const Channel *FindChannel(ChannelKey id) const;
    // The first item whose channel group is `group`; null when none.
    const Item *ItemOfGroup(ChannelKey group) const;
    // The group or channel after `after` among those of `parent` or `group`: the first one when
    // `after` is 0, null after the last one or when `after` is not among them.
    const ChannelGroup *NextGroupIn(ChannelKey parent, ChannelKey after) const;
    const Channel *NextChannelIn(ChannelKey group, ChannelKey after) const;
    // The groups of that name inside `parent`, in order; the first channel of that name in a group.
    std::vector<const ChannelGroup *> GroupsNamed(ChannelKey parent, const std::string &name) const;
    const Channel *ChannelNamed(ChannelKey group, const std::string &name) const;
    // The channels of a group, in order.
    std::vector<const Channel *> ChannelsIn(ChannelKey group) const;
    // A channel's place in Channels().
    size_t PlaceOf(const Channel &channel) const { return static_cast<size_t>(&channel - channels_.data()); }
    const std::vector<ChannelGroup> &Groups() const { return groups_; }
    const std::vector<Channel> &Channels() const { return channels_; }
    double EvaluateKeys(const Channel &channel, double time) const;

    const std::vector<Item> &Items() const { return items_; }

    // Gives items new identifiers, each named item once (pairs of old and new); the items that
    // refer to them (bone parents, viewports, selection, render cameras) follow. False, changing
    // nothing, when an old identifier names no item or comes twice, or a new one is 0, comes twice
    // or belongs to an item that keeps it.
    bool RenumberItems(const std::vector<std::pair<std::uint32_t, std::uint32_t>> &pairs);

    // The frame a time falls in at a frame rate, within the int range (see CurrentFrame).
    static int FrameAt(double time, double fps);

    // Time and ranges.
    double fps = 24.0;
    double time = 0.0;
    int frameStart = 1, frameEnd = 60, frameStep = 1;
    int previewStart = 0, previewEnd = 60, previewStep = 1;
    // The frame the current time falls in. Layout's frame numbers are ints: a time past them
    // gives the nearest int, a NaN frame 0 (the facts say nothing of it; Layout keeps its times
    // within its ranges).
    int CurrentFrame() const;

    std::vector<std::uint32_t> selection;
    std::vector<Viewport> viewports;
    std::uint32_t renderCamera = 0; // 0: the first camera
    // Vertex maps of the scene's objects, by type ('MORF', 'WGHT', ...).
    std::vector<std::pair<LWID, std::string>> vertexMaps;

    std::uint32_t RenderCamera() const;
    // Render camera switches: from each time on, that camera renders (before the first: RenderCamera()).
    std::map<double, std::uint32_t> renderCameraSwitches;
    std::uint32_t RenderCameraAt(double time) const;
    // A camera's focal length at a time (0 for an item that is no camera).
    double FocalLengthAt(std::uint32_t camera, double time) const;

private:
    Item &AddItem(ItemKind kind, const std::string &name, std::uint32_t id);
    std::uint32_t NextId(ItemKind kind);

    std::vector<Item> items_;
    std::vector<ChannelGroup> groups_;
    std::vector<Channel> channels_;

    // Indexes into the lists above, kept as positions so that a copied scene keeps valid ones:
    // lookups by identifier and name cost the same for a rig of ten or of a hundred thousand.
    std::unordered_map<std::uint32_t, size_t> itemById_;
    std::unordered_map<ChannelKey, size_t> groupById_, channelById_;
    std::unordered_map<std::string, size_t> itemByName_;      // the first item of each name
    std::unordered_map<ChannelKey, size_t> itemByGroup_;      // the first item of each channel group
    std::unordered_map<ChannelKey, std::vector<size_t>> groupsByParent_, channelsByGroup_;
    std::vector<size_t> groupRank_, channelRank_;             // place among those of the same parent
    std::unordered_map<int, std::uint32_t> lastIdOfKind_;     // the largest identifier of each kind
    std::map<std::pair<ChannelKey, std::string>, std::vector<size_t>> groupsByName_; // (parent, name)
    std::map<std::pair<ChannelKey, std::string>, size_t> channelByName_;            // (group, name): first
    void IndexGroupOf(const Item &item);
    ChannelKey nextGroup_ = kFirstGroup;
    ChannelKey nextChannel_ = kFirstChannel;
    static constexpr ChannelKey kFirstGroup = 0x0000021000000001ull;
    static constexpr ChannelKey kFirstChannel = 0x0000022000000001ull;
};

inline LWItemID ToItemID(std::uint32_t id) { return reinterpret_cast<LWItemID>(static_cast<std::uintptr_t>(id)); }
// A channel's identifier (or any wider number) is no item's: ToChannelID keeps all its bits.
template <class Wide, std::enable_if_t<(sizeof(Wide) > sizeof(std::uint32_t)), int> = 0>
LWItemID ToItemID(Wide id) = delete;
// An item identifier; 0 (no item) for a value no item has, such as a channel's identifier.
inline std::uint32_t FromItemID(const void *id)
{
    const std::uint64_t value = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(id));
    return value > 0xFFFFFFFFull ? 0u : static_cast<std::uint32_t>(value);
}
// Channel and channel group identifiers, whole.
inline void *ToChannelID(ChannelKey id) { return reinterpret_cast<void *>(static_cast<std::uintptr_t>(id)); }
inline ChannelKey FromChannelID(const void *id) { return static_cast<ChannelKey>(reinterpret_cast<std::uintptr_t>(id)); }

} // namespace zkh

#endif
