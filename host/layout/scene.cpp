// scene.cpp: the simulated scene model.
#include "scene.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace zkh {

namespace {

// An item's motion channels in the order of a scene file's "Channel n" blocks; cameras have the
// first six.
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

} // namespace

Scene::Scene() = default;

std::uint32_t Scene::NextId(ItemKind kind)
{
    std::uint32_t id = KindBase(kind) + 1;
    const auto last = lastIdOfKind_.find(static_cast<int>(kind));
    if (last != lastIdOfKind_.end())
        id = std::max(id, last->second + 1);
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
    const size_t at = items_.size() - 1;
    itemById_.emplace(item.id, at); // the first item of an identifier is the one found
    itemByName_.emplace(name, at);
    std::uint32_t &last = lastIdOfKind_[static_cast<int>(kind)];
    last = std::max(last, item.id);
    return items_.back();
}

void Scene::IndexGroupOf(const Item &item)
{
    itemByGroup_.emplace(item.chanGroup, static_cast<size_t>(&item - items_.data()));
}

Item &Scene::AddDeclaredItem(ItemKind kind, const std::string &name, std::uint32_t id)
{
    return AddItem(kind, name, id);
}

void Scene::AddMotionChannels(Item &item)
{
    const Item *owner = item.kind == ItemKind::Bone ? Find(item.parent) : nullptr;
    // A bone's channel group lies inside its object's group.
    item.chanGroup = AddGroup(item.name, owner ? owner->chanGroup : 0).id;
    IndexGroupOf(item);
    const size_t count = item.kind == ItemKind::Camera ? 6 : 9;
    for (size_t i = 0; i < count; ++i)
        AddChannel(kMotionChannels[i], item.chanGroup).envelope = ConstantEnvelope(i >= 6 ? 1.0 : 0.0);
}

Item &Scene::AddObject(const std::string &name, const std::string &fileName, std::uint32_t id)
{
    Item &item = AddItem(ItemKind::Object, name, id);
    item.fileName = fileName;
    AddMotionChannels(item);
    return item;
}

Item &Scene::AddNullObject(const std::string &name, std::uint32_t id) { return AddObject(name, std::string(), id); }

Item &Scene::AddBone(const std::string &name, std::uint32_t object, std::uint32_t id)
{
    Item &bone = AddItem(ItemKind::Bone, name, id);
    bone.parent = object;
    AddMotionChannels(bone);
    return bone;
}

Item &Scene::AddLight(const std::string &name, std::uint32_t id)
{
    Item &item = AddItem(ItemKind::Light, name, id);
    AddMotionChannels(item);
    return item;
}

Item &Scene::AddCamera(const std::string &name, int width, int height, double focalLength, std::uint32_t id)
{
    Item &item = AddItem(ItemKind::Camera, name, id);
    item.resolutionW = width;
    item.resolutionH = height;
    SetFocalLength(item, focalLength);
    AddMotionChannels(item);
    return item;
}

double ZoomOfFocalLength(const Item &camera, double millimetres)
{
    const double aperture = camera.apertureHeight > 0 ? camera.apertureHeight : 0.015;
    return millimetres / (aperture * 500.0);
}

void SetFocalLength(Item &camera, double millimetres) { camera.zoom = ConstantEnvelope(ZoomOfFocalLength(camera, millimetres)); }

void SetFocalKeys(Item &camera, const std::map<double, double> &keys)
{
    std::map<double, double> zoom;
    for (const auto &[time, millimetres] : keys)
        zoom[time] = ZoomOfFocalLength(camera, millimetres);
    camera.zoom = LinearEnvelope(zoom);
}

lwsc::Envelope ConstantEnvelope(double value)
{
    lwsc::Envelope envelope;
    lwsc::EnvelopeKey key;
    key.value = value;
    envelope.keys.push_back(key);
    return envelope;
}

lwsc::Envelope LinearEnvelope(const std::map<double, double> &keys)
{
    lwsc::Envelope envelope;
    for (const auto &[time, value] : keys) {
        lwsc::EnvelopeKey key;
        key.time = time;
        key.value = value;
        key.shape = 3; // linear
        envelope.keys.push_back(key);
    }
    return envelope;
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
    itemById_.clear();
    groupById_.clear();
    channelById_.clear();
    itemByName_.clear();
    itemByGroup_.clear();
    groupsByParent_.clear();
    channelsByGroup_.clear();
    groupRank_.clear();
    channelRank_.clear();
    lastIdOfKind_.clear();
    groupsByName_.clear();
    channelByName_.clear();
    nextGroup_ = kFirstGroup;
    nextChannel_ = kFirstChannel;
}

Item *Scene::Find(std::uint32_t id)
{
    const auto found = id != 0 ? itemById_.find(id) : itemById_.end();
    return found != itemById_.end() ? &items_[found->second] : nullptr;
}

const Item *Scene::Find(std::uint32_t id) const { return const_cast<Scene *>(this)->Find(id); }

Item *Scene::FindByName(const std::string &name)
{
    const auto found = itemByName_.find(name);
    return found != itemByName_.end() ? &items_[found->second] : nullptr;
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

ChannelGroup &Scene::AddGroup(const std::string &name, ChannelKey parent)
{
    groups_.push_back({nextGroup_++, name, parent});
    const size_t at = groups_.size() - 1;
    groupById_.emplace(groups_.back().id, at);
    std::vector<size_t> &siblings = groupsByParent_[parent];
    groupRank_.push_back(siblings.size());
    siblings.push_back(at);
    groupsByName_[{parent, name}].push_back(at);
    return groups_.back();
}

Channel &Scene::AddChannel(const std::string &name, ChannelKey group)
{
    Channel channel;
    channel.id = nextChannel_++;
    channel.name = name;
    channel.group = group;
    channels_.push_back(channel);
    const size_t at = channels_.size() - 1;
    channelById_.emplace(channel.id, at);
    std::vector<size_t> &siblings = channelsByGroup_[group];
    channelRank_.push_back(siblings.size());
    siblings.push_back(at);
    channelByName_.emplace(std::make_pair(group, name), at);
    return channels_.back();
}

ChannelGroup *Scene::FindGroup(ChannelKey id)
{
    const auto found = groupById_.find(id);
    return found != groupById_.end() ? &groups_[found->second] : nullptr;
}

Channel *Scene::FindChannel(ChannelKey id)
{
    const auto found = channelById_.find(id);
    return found != channelById_.end() ? &channels_[found->second] : nullptr;
}

const Item *Scene::ItemOfGroup(ChannelKey group) const
{
    const auto found = itemByGroup_.find(group);
    return found != itemByGroup_.end() ? &items_[found->second] : nullptr;
}

namespace {

// The records at the positions an index keeps under a key, in order.
template <class Index, class Key, class Record>
std::vector<const Record *> Listed(const Index &index, const Key &key, const std::vector<Record> &records)
{
    std::vector<const Record *> list;
    const auto found = index.find(key);
    if (found != index.end())
        for (size_t at : found->second)
            list.push_back(&records[at]);
    return list;
}

} // namespace

std::vector<const ChannelGroup *> Scene::GroupsNamed(ChannelKey parent, const std::string &name) const
{
    return Listed(groupsByName_, std::make_pair(parent, name), groups_);
}

const Channel *Scene::ChannelNamed(ChannelKey group, const std::string &name) const
{
    const auto found = channelByName_.find({group, name});
    return found != channelByName_.end() ? &channels_[found->second] : nullptr;
}

std::vector<const Channel *> Scene::ChannelsIn(ChannelKey group) const
{
    std::vector<const Channel *> list;
    const auto found = channelsByGroup_.find(group);
    if (found != channelsByGroup_.end())
        for (size_t at : found->second)
            list.push_back(&channels_[at]);
    return list;
}

namespace {

// The entry after `after` (0: the first) in a list of positions, given each entry's place in its
// list; `npos` at the end or when `after` is not in this list.
size_t NextInList(const std::vector<size_t> *list, const std::unordered_map<ChannelKey, size_t> &byId,
                  const std::vector<size_t> &rank, ChannelKey after)
{
    if (!list || list->empty())
        return std::string::npos;
    if (after == 0)
        return list->front();
    const auto found = byId.find(after);
    if (found == byId.end())
        return std::string::npos;
    const size_t place = rank[found->second];
    if (place >= list->size() || (*list)[place] != found->second || place + 1 == list->size())
        return std::string::npos;
    return (*list)[place + 1];
}

} // namespace

const ChannelGroup *Scene::NextGroupIn(ChannelKey parent, ChannelKey after) const
{
    const auto found = groupsByParent_.find(parent);
    const size_t next =
        NextInList(found != groupsByParent_.end() ? &found->second : nullptr, groupById_, groupRank_, after);
    return next != std::string::npos ? &groups_[next] : nullptr;
}

const Channel *Scene::NextChannelIn(ChannelKey group, ChannelKey after) const
{
    const auto found = channelsByGroup_.find(group);
    const size_t next =
        NextInList(found != channelsByGroup_.end() ? &found->second : nullptr, channelById_, channelRank_, after);
    return next != std::string::npos ? &channels_[next] : nullptr;
}

const ChannelGroup *Scene::FindGroup(ChannelKey id) const { return const_cast<Scene *>(this)->FindGroup(id); }

const Channel *Scene::FindChannel(ChannelKey id) const { return const_cast<Scene *>(this)->FindChannel(id); }

const Item *Scene::FindByName(const std::string &name) const { return const_cast<Scene *>(this)->FindByName(name); }

double Scene::EvaluateKeys(const Channel &channel, double t) const { return lwsc::EvaluateEnvelope(channel.envelope, t); }

int Scene::FrameAt(double time, double fps)
{
    const double frame = std::floor(time * fps + 1e-9);
    if (std::isnan(frame))
        return 0;
    return static_cast<int>(std::clamp(frame, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

int Scene::CurrentFrame() const { return FrameAt(time, fps); }

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
    return lwsc::EvaluateEnvelope(item->zoom, t) * item->apertureHeight * 500.0;
}

} // namespace zkh
