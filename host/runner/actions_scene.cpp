// actions_scene.cpp: the runner's actions on the scene: items, channels, time and the scene file.
#include "expressions.h"
#include "session.h"

#include <algorithm>
#include <fstream>
#include <map>

namespace zkh {

namespace {

std::vector<std::uint32_t> ReadItems(RunContext &context, const YAML::Node &value, const std::string &what)
{
    std::vector<std::uint32_t> ids;
    if (value.IsScalar())
        return {ReadItem(context, value, what)};
    if (!value.IsSequence())
        throw SessionError(value, what + ": expected an item name or a list of them");
    for (const YAML::Node &name : value)
        ids.push_back(ReadItem(context, name, what));
    return ids;
}

// {item, channel, value} or {item, channel, keys}: the channel, named relative to its item, gets one
// value or keys (linear between them); the keys it had go.
void SetChannel(RunContext &c, const YAML::Node &value)
{
    if (!value.IsMap())
        throw SessionError(value, "channel_set: expected {item, channel, value} or {item, channel, keys}");
    const Item &item = *c.host.scene.Find(ReadItem(c, Need(value, "item", "channel_set"), "channel_set item"));
    const std::string name = ReadText(Need(value, "channel", "channel_set"), "channel_set channel");
    const Channel *found = FindItemChannel(c.host.scene, item, name);
    if (!found)
        throw SessionError(value["channel"], "channel_set: " + item.name + " has no channel named '" + name + "'");
    Channel &channel = *c.host.scene.FindChannel(found->id);
    if (value["value"]) {
        channel.envelope = ConstantEnvelope(ReadNumber(value["value"], "channel_set value"));
        return;
    }
    const YAML::Node keys = Need(value, "keys", "channel_set");
    if (!keys.IsSequence() || keys.size() == 0)
        throw SessionError(keys, "channel_set keys: expected a list of [frame, value]");
    std::map<double, double> linear;
    for (const YAML::Node &key : keys) {
        if (!key.IsSequence() || key.size() != 2)
            throw SessionError(key, "channel_set keys: each key is [frame, value]");
        linear[ReadNumber(key[0], "key frame") / c.host.scene.fps] = ReadNumber(key[1], "key value");
    }
    channel.envelope = LinearEnvelope(linear);
}

} // namespace

void AddSceneActions(ActionTable &table)
{
    table.Add({"channel_set", "{item, channel, value} or {item, channel, keys}",
               "gives an item's channel one value, or keys linear between them (its keys go)",
               {{"item", "the item's name"},
                {"channel", "the channel's name relative to the item (Position.Y, MorphGroup.Smile)"},
                {"value", "the one value"},
                {"keys", "[[frame, value], ...]"}}},
              SetChannel);
    table.Add({"item_ids_change", "[[item, new identifier], ...]", "gives items new identifiers and tells the handlers (changeID)"}, [](RunContext &c, const YAML::Node &value) {
        if (!value.IsSequence())
            throw SessionError(value, "item_ids_change: expected a list of [item, new identifier]");
        std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
        for (const YAML::Node &pair : value) {
            if (!pair.IsSequence() || pair.size() != 2)
                throw SessionError(pair, "item_ids_change: each entry is [item, new identifier]");
            pairs.emplace_back(ReadItem(c, pair[0], "item_ids_change"),
                               static_cast<std::uint32_t>(ReadInt(pair[1], "item_ids_change identifier")));
        }
        if (!c.host.ChangeItemIds(pairs))
            throw SessionError(value, "item_ids_change: " + c.host.messages.back());
    });
    table.Add({"selection_set", "an item name or a list of them", "replaces the selection and sends a selection event"}, [](RunContext &c, const YAML::Node &value) {
        c.host.scene.selection = ReadItems(c, value, "selection_set");
        c.host.masters.SendEvent(LWEVNT_SELECT);
    });
    table.Add({"time_set", "seconds", "sets the current time and sends a time event"}, [](RunContext &c, const YAML::Node &value) {
        c.host.scene.time = ReadNumber(value, "time_set");
        c.host.masters.SendEvent(LWEVNT_TIME);
    });
    table.Add({"time_set_frame", "a frame number", "sets the time to frame / fps and sends a time event"}, [](RunContext &c, const YAML::Node &value) {
        c.host.scene.time = ReadNumber(value, "time_set_frame") / c.host.scene.fps;
        c.host.masters.SendEvent(LWEVNT_TIME);
    });
    table.Add({"focal_length_key", "{camera, frame, mm}", "keys a camera's focal length (linear between keys)",
               {{"camera", "a camera's name"}, {"frame", "a frame"}, {"mm", "the focal length in millimetres"}}},
              [](RunContext &c, const YAML::Node &v) {
        const std::uint32_t id = ReadItem(c, Need(v, "camera", "focal_length_key"), "camera");
        Item *camera = c.host.scene.Find(id);
        if (camera->kind != ItemKind::Camera)
            throw SessionError(v["camera"], "camera: not a camera");
        const double frame = ReadNumber(Need(v, "frame", "focal_length_key"), "frame");
        // A key of the camera's zoom factor, replacing one at the same time (linear between keys).
        lwsc::EnvelopeKey key;
        key.time = frame / c.host.scene.fps;
        key.value = ZoomOfFocalLength(*camera, ReadNumber(Need(v, "mm", "focal_length_key"), "mm"));
        key.shape = 3;
        std::vector<lwsc::EnvelopeKey> &keys = camera->zoom.keys;
        keys.erase(std::remove_if(keys.begin(), keys.end(), [&](const lwsc::EnvelopeKey &k) { return k.time == key.time; }),
                   keys.end());
        keys.insert(std::upper_bound(keys.begin(), keys.end(), key,
                                     [](const lwsc::EnvelopeKey &a, const lwsc::EnvelopeKey &b) { return a.time < b.time; }),
                    key);
    });
    table.Add({"scene_save", "a file (output)", "writes the scene as a Layout scene file"}, [](RunContext &c, const YAML::Node &value) {
        const std::string path = c.OutPath(ReadText(value, "scene_save"));
        if (!c.host.SaveScene(path))
            throw SessionError(value, "scene_save: " + c.host.messages.back());
    });
    table.Add({"scene_load", "a file (input)", "replaces the scene by a Layout scene file, with its plug-ins"}, [](RunContext &c, const YAML::Node &value) {
        const std::string path = c.InPath(ReadText(value, "scene_load"));
        if (!c.host.LoadScene(path))
            throw SessionError(value, "scene_load: " + c.host.messages.back());
    });
}

} // namespace zkh
