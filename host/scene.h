// scene.h: the simulated Layout scene: items, channels, viewports, time and selection.
#ifndef ZKH_SCENE_H
#define ZKH_SCENE_H

#include "lwhost/lwhost.h"

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zkh {

enum class ItemKind { Object = LWI_OBJECT, Light = LWI_LIGHT, Camera = LWI_CAMERA, Bone = LWI_BONE };

// One scene item. Identifiers fit in 32 bits: they survive a scene block and print with "0x%x".
struct Item {
    std::uint32_t id = 0;
    ItemKind kind = ItemKind::Object;
    std::string name;
    std::uint32_t parent = 0;   // bones: their object; others: the parent item or 0
    std::string fileName;       // objects; empty for a null object
    int resolutionW = 640;      // cameras
    int resolutionH = 480;
    double focalLength = 35.0;  // cameras, millimetres
    std::map<double, double> focalKeys; // cameras: time -> focal length, linear between keys; empty: focalLength
    std::uint32_t chanGroup = 0;
};

struct ChannelGroup {
    std::uint32_t id = 0;
    std::string name;
    std::uint32_t parent = 0; // 0: a root group
};

struct Channel {
    std::uint32_t id = 0;
    std::string name;
    std::uint32_t group = 0;
    std::map<double, double> keys; // time in seconds -> value; linear between keys
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
    void Clear();

    Item *Find(std::uint32_t id);
    const Item *Find(std::uint32_t id) const;
    Item *FindByName(const std::string &name);
    const Item *FindByName(const std::string &name) const;
    // Items of one kind in the host's order (bones: of the given object, or without one).
    std::vector<const Item *> ItemsOfKind(ItemKind kind) const;
    std::vector<const Item *> BonesOf(std::uint32_t object) const;

    ChannelGroup &AddGroup(const std::string &name, std::uint32_t parent);
    Channel &AddChannel(const std::string &name, std::uint32_t group);
    ChannelGroup *FindGroup(std::uint32_t id);
    const ChannelGroup *FindGroup(std::uint32_t id) const;
    Channel *FindChannel(std::uint32_t id);
    const Channel *FindChannel(std::uint32_t id) const;
    // The first item whose channel group is `group`; null when none.
    const Item *ItemOfGroup(std::uint32_t group) const;
    // The group or channel after `after` among those of `parent` or `group`: the first one when
    // `after` is 0, null after the last one or when `after` is not among them.
    const ChannelGroup *NextGroupIn(std::uint32_t parent, std::uint32_t after) const;
    const Channel *NextChannelIn(std::uint32_t group, std::uint32_t after) const;
    // The groups of that name inside `parent`, in order; the first channel of that name in a group.
    std::vector<const ChannelGroup *> GroupsNamed(std::uint32_t parent, const std::string &name) const;
    const Channel *ChannelNamed(std::uint32_t group, const std::string &name) const;
    // A channel's place in Channels().
    size_t PlaceOf(const Channel &channel) const { return static_cast<size_t>(&channel - channels_.data()); }
    const std::vector<ChannelGroup> &Groups() const { return groups_; }
    const std::vector<Channel> &Channels() const { return channels_; }
    double EvaluateKeys(const Channel &channel, double time) const;

    const std::vector<Item> &Items() const { return items_; }

    // The frame a time falls in at a frame rate, within the int range (see CurrentFrame).
    static int FrameAt(double time, double fps);

    // Time and ranges.
    double fps = 24.0;
    double time = 0.0;
    int frameStart = 1, frameEnd = 60;
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
    std::unordered_map<std::uint32_t, size_t> itemById_, groupById_, channelById_;
    std::unordered_map<std::string, size_t> itemByName_;      // the first item of each name
    std::unordered_map<std::uint32_t, size_t> itemByGroup_;   // the first item of each channel group
    std::unordered_map<std::uint32_t, std::vector<size_t>> groupsByParent_, channelsByGroup_;
    std::vector<size_t> groupRank_, channelRank_;             // place among those of the same parent
    std::unordered_map<int, std::uint32_t> lastIdOfKind_;     // the largest identifier of each kind
    std::map<std::pair<std::uint32_t, std::string>, std::vector<size_t>> groupsByName_; // (parent, name)
    std::map<std::pair<std::uint32_t, std::string>, size_t> channelByName_;            // (group, name): first
    void IndexGroupOf(const Item &item);
    std::uint32_t nextGroup_ = 0x50000001u;
    std::uint32_t nextChannel_ = 0x60000001u;
};

inline LWItemID ToItemID(std::uint32_t id) { return reinterpret_cast<LWItemID>(static_cast<std::uintptr_t>(id)); }
inline std::uint32_t FromItemID(const void *id) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(id)); }

} // namespace zkh

#endif
