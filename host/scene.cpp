// scene.cpp: the simulated scene model.
#include "scene.h"

#include <algorithm>
#include <cmath>

namespace zkh {

namespace {

const char *const kMotionChannels[] = {"Position.X", "Position.Y", "Position.Z", "Rotation.H", "Rotation.P",
                                       "Rotation.B", "Scale.X",    "Scale.Y",    "Scale.Z"};

std::uint32_t KindBase(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Object: return 0x10000000u;
    case ItemKind::Light: return 0x20000000u;
    case ItemKind::Camera: return 0x30000000u;
    case ItemKind::Bone: return 0x40000000u;
    }
    return 0x70000000u;
}

// Keys (time -> value, at least one) at a time: linear between keys, constant outside them.
double Interpolate(const std::map<double, double> &keys, double t)
{
    auto after = keys.lower_bound(t);
    if (after == keys.begin())
        return after->second;
    if (after == keys.end())
        return std::prev(after)->second;
    auto before = std::prev(after);
    const double f = (t - before->first) / (after->first - before->first);
    return before->second + f * (after->second - before->second);
}

} // namespace

const char *ItemKindName(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Object: return "Object";
    case ItemKind::Light: return "Light";
    case ItemKind::Camera: return "Camera";
    case ItemKind::Bone: return "Bone";
    }
    return "Item";
}

Scene::Scene() = default;

std::uint32_t Scene::NextId(ItemKind kind)
{
    std::uint32_t id = KindBase(kind) + 1;
    for (const Item &item : items_)
        if (item.kind == kind)
            id = std::max(id, item.id + 1);
    while (Find(id)) // an item of another kind may carry it
        ++id;
    return id;
}

Item &Scene::AddItem(ItemKind kind, const std::string &name, std::uint32_t id)
{
    Item item;
    item.id = id ? id : NextId(kind);
    item.kind = kind;
    item.name = name;
    items_.push_back(item);
    return items_.back();
}

Item &Scene::AddObject(const std::string &name, const std::string &fileName, std::uint32_t id)
{
    Item &item = AddItem(ItemKind::Object, name, id);
    item.fileName = fileName;
    item.chanGroup = AddGroup(name, 0).id;
    for (const char *channel : kMotionChannels)
        AddChannel(channel, item.chanGroup);
    return item;
}

Item &Scene::AddNullObject(const std::string &name, std::uint32_t id) { return AddObject(name, std::string(), id); }

Item &Scene::AddBone(const std::string &name, std::uint32_t object, std::uint32_t id)
{
    Item &bone = AddItem(ItemKind::Bone, name, id);
    bone.parent = object;
    const Item *owner = Find(object);
    // A bone's channel group lies inside its object's group.
    const std::uint32_t group = AddGroup(name, owner ? owner->chanGroup : 0).id;
    Item *self = Find(bone.id);
    self->chanGroup = group;
    for (const char *channel : kMotionChannels)
        AddChannel(channel, group);
    return *self;
}

Item &Scene::AddLight(const std::string &name, std::uint32_t id)
{
    Item &item = AddItem(ItemKind::Light, name, id);
    item.chanGroup = AddGroup(name, 0).id;
    for (const char *channel : kMotionChannels)
        AddChannel(channel, item.chanGroup);
    return item;
}

Item &Scene::AddCamera(const std::string &name, int width, int height, double focalLength, std::uint32_t id)
{
    Item &item = AddItem(ItemKind::Camera, name, id);
    item.resolutionW = width;
    item.resolutionH = height;
    item.focalLength = focalLength;
    item.chanGroup = AddGroup(name, 0).id;
    for (const char *channel : kMotionChannels)
        AddChannel(channel, item.chanGroup);
    return item;
}

void Scene::Clear()
{
    items_.clear();
    groups_.clear();
    channels_.clear();
    selection.clear();
    viewports.clear();
    vertexMaps.clear();
    renderCamera = 0;
    nextGroup_ = 0x50000001u;
    nextChannel_ = 0x60000001u;
}

Item *Scene::Find(std::uint32_t id)
{
    for (Item &item : items_)
        if (id != 0 && item.id == id)
            return &item;
    return nullptr;
}

const Item *Scene::Find(std::uint32_t id) const { return const_cast<Scene *>(this)->Find(id); }

Item *Scene::FindByName(const std::string &name)
{
    for (Item &item : items_)
        if (item.name == name)
            return &item;
    return nullptr;
}

std::vector<const Item *> Scene::ItemsOfKind(ItemKind kind) const
{
    std::vector<const Item *> list;
    for (const Item &item : items_)
        if (item.kind == kind)
            list.push_back(&item);
    return list;
}

std::vector<const Item *> Scene::BonesOf(std::uint32_t object) const
{
    std::vector<const Item *> list;
    for (const Item &item : items_)
        if (item.kind == ItemKind::Bone && (item.parent == object || (object == 0 && !Find(item.parent))))
            list.push_back(&item);
    return list;
}

ChannelGroup &Scene::AddGroup(const std::string &name, std::uint32_t parent)
{
    groups_.push_back({nextGroup_++, name, parent});
    return groups_.back();
}

Channel &Scene::AddChannel(const std::string &name, std::uint32_t group)
{
    Channel channel;
    channel.id = nextChannel_++;
    channel.name = name;
    channel.group = group;
    channels_.push_back(channel);
    return channels_.back();
}

ChannelGroup *Scene::FindGroup(std::uint32_t id)
{
    for (ChannelGroup &group : groups_)
        if (group.id == id)
            return &group;
    return nullptr;
}

Channel *Scene::FindChannel(std::uint32_t id)
{
    for (Channel &channel : channels_)
        if (channel.id == id)
            return &channel;
    return nullptr;
}

const ChannelGroup *Scene::FindGroup(std::uint32_t id) const { return const_cast<Scene *>(this)->FindGroup(id); }

const Channel *Scene::FindChannel(std::uint32_t id) const { return const_cast<Scene *>(this)->FindChannel(id); }

const Item *Scene::FindByName(const std::string &name) const { return const_cast<Scene *>(this)->FindByName(name); }

double Scene::EvaluateKeys(const Channel &channel, double t) const
{
    if (channel.keys.empty())
        return 0.0;
    return Interpolate(channel.keys, t);
}

int Scene::CurrentFrame() const { return static_cast<int>(std::floor(time * fps + 1e-9)); }

std::uint32_t Scene::RenderCamera() const
{
    if (renderCamera && Find(renderCamera))
        return renderCamera;
    for (const Item &item : items_)
        if (item.kind == ItemKind::Camera)
            return item.id;
    return 0;
}

std::uint32_t Scene::RenderCameraAt(double t) const
{
    auto after = renderCameraSwitches.upper_bound(t);
    if (after == renderCameraSwitches.begin())
        return RenderCamera();
    const std::uint32_t camera = std::prev(after)->second;
    return Find(camera) ? camera : RenderCamera();
}

double Scene::FocalLengthAt(std::uint32_t camera, double t) const
{
    const Item *item = Find(camera);
    if (!item || item->kind != ItemKind::Camera)
        return 0.0;
    const auto &keys = item->focalKeys;
    return keys.empty() ? item->focalLength : Interpolate(keys, t);
}

} // namespace zkh
