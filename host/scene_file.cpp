// scene_file.cpp: the simulated host's scene file, a text a person can read.
//
//   ZKScene 1
//   FramesPerSecond 24
//   FrameRange 1 60
//   PreviewRange 0 60 1
//   CurrentTime 0
//   Camera 0x30000001 "Camera" 1920 1080 35
//   Object 0x10000001 "Face" "Objects/Face.lwo" 0x0
//   Bone 0x40000001 "Jaw" 0x10000001
//   Light 0x20000001 "Key"
//   VertexMap MORF "MorphGroup.Smile"
//   Viewport 9 0x30000001 0 0 960 540
//   RenderCamera 0x30000001
//   Selection 0x10000001
//   ChannelGroup 0x10000001 "MorphGroup" "Smile" "JawOpen"
//   Keys 0x10000001 "MorphGroup.Smile" 0 0 1 1
//   FocalKeys 0x30000001 0 35 2 50
//   RenderCameraFrom 2.5 0x30000002
//   Expression "X_Smile" "[Controller.MorphGroup.Smile]"
//   Attach 0x10000001 "MorphGroup.Smile" "X_Smile"
//   Plugin MasterHandler "ZK:CameraFrame"
//     Str "0305"
//     I4 1
//     FP 0.5 0.25
//     Block 0x47554944 "Guides"
//       I4 3
//     EndBlock
//   EndPlugin
//   Plugin ChannelHandler "ZK:ChanClipMixer" 0x10000002 "Position.Y"
//   EndPlugin
//
// A plug-in block holds one line per write call of the plug-in, with that call's values, and its
// nested blocks between "Block" and "EndBlock". Channels are named by their item and their name relative to it ("MorphGroup.Smile"), as the
// graph editor names them; times are in seconds.
#include "host.h"
#include "morph_rig.h"
#include "printable_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace zkh {

namespace {

std::string Hex(std::uint32_t id)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", id);
    return text;
}

std::string Number(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string MapType(LWID type)
{
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i)
        text[i] = static_cast<char>((type >> (24 - 8 * i)) & 0xFF);
    return text;
}

// Splits one line into words; quoted texts are one word each.
bool SplitWords(const std::string &line, std::vector<std::string> &words, std::string &error)
{
    words.clear();
    size_t pos = 0;
    while (true) {
        pos = line.find_first_not_of(" \t\r", pos);
        if (pos == std::string::npos)
            return true;
        if (line[pos] == '"') {
            std::string text;
            if (!UnquoteText(line, pos, text)) {
                error = "unterminated quoted text";
                return false;
            }
            words.push_back(text);
            continue;
        }
        const size_t end = line.find_first_of(" \t\r", pos);
        words.push_back(line.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end;
    }
}

bool ToNumber(const std::string &word, double &value)
{
    char *end = nullptr;
    value = std::strtod(word.c_str(), &end);
    return end != word.c_str() && *end == '\0';
}

// A whole number that fits in 32 bits.
bool ToInt(const std::string &word, int &value)
{
    char *end = nullptr;
    const long long number = std::strtoll(word.c_str(), &end, 10);
    if (end == word.c_str() || *end != '\0' || number < INT32_MIN || number > INT32_MAX)
        return false;
    value = static_cast<int>(number);
    return true;
}

bool ToId(const std::string &word, std::uint32_t &id)
{
    char *end = nullptr;
    const unsigned long long value = std::strtoull(word.c_str(), &end, 16);
    if (end == word.c_str() || *end != '\0' || value > 0xFFFFFFFFull)
        return false;
    id = static_cast<std::uint32_t>(value);
    return true;
}

struct PluginBlock {
    std::string className;
    std::string server;
    std::string item;        // channel handlers: the channel's item and name, as written ...
    std::string channel;
    std::uint32_t channelId = 0; // ... and the channel found once every item is in
    int line = 0;
    Block block;
};

// A record naming items or channels, kept until every item of the file is in.
struct ChannelLine {
    int line = 0;
    std::vector<std::string> words;
};

// The item whose own channel group that is, or null.
const Item *ItemWithGroup(const Scene &scene, std::uint32_t group)
{
    for (const Item &item : scene.Items())
        if (group != 0 && item.chanGroup == group)
            return &item;
    return nullptr;
}

// A channel as the file names it, its item and its name relative to the item ("0x10000001
// \"MorphGroup.Smile\""); the item, or null when no item names the channel.
const Item *ChannelReference(const Scene &scene, std::uint32_t id, std::string &text)
{
    const Channel *channel = scene.FindChannel(id);
    std::string name;
    const Item *owner = channel ? ChannelOwner(scene, *channel, name) : nullptr;
    if (owner)
        text = Hex(owner->id) + " " + QuoteText(name);
    return owner;
}

// Saves an instance into a "Plugin HEADER" ... "EndPlugin" record.
void WriteInstanceBlock(std::ostream &out, const std::string &header, const std::string &server,
                        const LWInstanceFuncs &funcs, LWInstance instance, Host &host)
{
    Block block;
    BlockWriter writer(block);
    if (funcs.save)
        if (LWError error = funcs.save(instance, writer.State()))
            host.Message(server + ": save failed: " + error);
    out << "Plugin " << header << "\n";
    for (const std::string &line : FormatBlock(block, "  "))
        out << line << "\n";
    out << "EndPlugin\n";
}

// Loads an instance from its stored block; a refusal is reported.
void LoadInstanceBlock(const Block &block, const std::string &server, const LWInstanceFuncs &funcs,
                       LWInstance instance, Host &host)
{
    if (!funcs.load)
        return;
    BlockReader reader(block);
    if (LWError error = funcs.load(instance, reader.State()))
        host.Message(server + ": " + error);
}

// The times and values of a key list, as pairs of words.
std::string KeyWords(const std::map<double, double> &keys)
{
    std::string text;
    for (const auto &[time, value] : keys)
        text += " " + Number(time) + " " + Number(value);
    return text;
}

bool ReadKeys(const std::vector<std::string> &w, size_t first, std::map<double, double> &keys)
{
    if (w.size() < first || (w.size() - first) % 2 != 0)
        return false;
    keys.clear();
    for (size_t i = first; i < w.size(); i += 2) {
        double time = 0, value = 0;
        if (!ToNumber(w[i], time) || !ToNumber(w[i + 1], value) || !std::isfinite(time) || !std::isfinite(value))
            return false;
        keys[time] = value;
    }
    return true;
}

} // namespace

std::string Host::SceneText()
{
    std::ostringstream out;
    out << "ZKScene 1\n";
    out << "FramesPerSecond " << Number(scene.fps) << "\n";
    out << "FrameRange " << scene.frameStart << " " << scene.frameEnd << "\n";
    out << "PreviewRange " << scene.previewStart << " " << scene.previewEnd << " " << scene.previewStep << "\n";
    out << "CurrentTime " << Number(scene.time) << "\n";
    for (const Item &item : scene.Items()) {
        switch (item.kind) {
        case ItemKind::Camera:
            out << "Camera " << Hex(item.id) << " " << QuoteText(item.name) << " " << item.resolutionW << " "
                << item.resolutionH << " " << Number(item.focalLength) << "\n";
            break;
        case ItemKind::Object:
            out << "Object " << Hex(item.id) << " " << QuoteText(item.name) << " " << QuoteText(item.fileName) << " "
                << Hex(item.parent) << "\n";
            break;
        case ItemKind::Bone:
            out << "Bone " << Hex(item.id) << " " << QuoteText(item.name) << " " << Hex(item.parent) << "\n";
            break;
        case ItemKind::Light:
            out << "Light " << Hex(item.id) << " " << QuoteText(item.name) << "\n";
            break;
        }
    }
    for (const auto &[type, name] : scene.vertexMaps)
        out << "VertexMap " << MapType(type) << " " << QuoteText(name) << "\n";
    for (const Viewport &view : scene.viewports)
        out << "Viewport " << view.type << " " << Hex(view.item) << " " << view.left << " " << view.top << " "
            << view.width << " " << view.height << "\n";
    out << "RenderCamera " << Hex(scene.renderCamera) << "\n";
    out << "Selection";
    for (std::uint32_t id : scene.selection)
        out << " " << Hex(id);
    out << "\n";

    // Channel groups the items did not make (morph groups), with their channels.
    for (const ChannelGroup &group : scene.Groups()) {
        if (ItemWithGroup(scene, group.id))
            continue;
        const Item *owner = ItemWithGroup(scene, group.parent);
        if (group.parent != 0 && !owner) {
            Message("scene file: channel group " + group.name + " lies below an added group and is not saved");
            continue;
        }
        out << "ChannelGroup " << Hex(owner ? owner->id : 0) << " " << QuoteText(group.name);
        for (const Channel &channel : scene.Channels())
            if (channel.group == group.id)
                out << " " << QuoteText(channel.name);
        out << "\n";
    }
    // Keys item by item (each item's channels in their order), which loading keeps.
    std::map<const Item *, std::string> keys;
    std::string reference;
    for (const Channel &channel : scene.Channels())
        if (!channel.keys.empty())
            if (const Item *owner = ChannelReference(scene, channel.id, reference))
                keys[owner] += "Keys " + reference + KeyWords(channel.keys) + "\n";
    for (const Item &item : scene.Items()) {
        const auto found = keys.find(&item);
        if (found != keys.end())
            out << found->second;
    }
    for (const Item &item : scene.Items())
        if (item.kind == ItemKind::Camera && !item.focalKeys.empty())
            out << "FocalKeys " << Hex(item.id) << KeyWords(item.focalKeys) << "\n";
    for (const auto &[time, camera] : scene.renderCameraSwitches)
        out << "RenderCameraFrom " << Number(time) << " " << Hex(camera) << "\n";
    for (const Expression &expression : expressions.Expressions())
        out << "Expression " << QuoteText(expression.name) << " " << QuoteText(expression.text) << "\n";
    for (const auto &[channel, name] : expressions.Attachments())
        if (ChannelReference(scene, channel, reference))
            out << "Attach " << reference << " " << QuoteText(name) << "\n";
    for (const auto &master : masters_)
        WriteInstanceBlock(out, "MasterHandler " + QuoteText(master->server), master->server, master->instFuncs,
                           master->instance, *this);
    for (const auto &modifier : channelModifiers_) {
        if (!ChannelReference(scene, modifier->channel, reference)) {
            Message(modifier->server + ": its channel belongs to no item and is not saved");
            continue;
        }
        WriteInstanceBlock(out, "ChannelHandler " + QuoteText(modifier->server) + " " + reference, modifier->server,
                           modifier->instFuncs, modifier->instance, *this);
    }
    return out.str();
}

bool Host::SaveScene(const std::string &path)
{
    const std::string text = SceneText();
    std::ofstream file(path, std::ios::binary);
    if (!file) {
        Message("cannot write scene file " + path);
        return false;
    }
    file << text;
    return static_cast<bool>(file);
}

bool Host::LoadScene(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        Message("cannot read scene file " + path);
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return LoadSceneText(text.str(), path);
}

bool Host::LoadSceneText(const std::string &text, const std::string &sourceName)
{
    Scene loaded;
    loaded.Clear();
    std::vector<PluginBlock> plugins;
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    bool inPlugin = false;
    auto fail = [&](const std::string &why) {
        Message(sourceName + ":" + std::to_string(lineNumber) + ": " + PrintableText(why));
        return false;
    };
    std::vector<std::string> w;
    std::vector<ChannelLine> channelLines;
    bool header = false;
    while (std::getline(in, line)) {
        ++lineNumber;
        std::string error;
        if (inPlugin) {
            const size_t start = line.find_first_not_of(" \t\r");
            if (start == std::string::npos)
                continue;
            const size_t end = line.find_last_not_of(" \t\r");
            if (line.compare(start, end + 1 - start, "EndPlugin") == 0) {
                if (!CheckBlockNesting(plugins.back().block, error))
                    return fail(error);
                inPlugin = false;
                continue;
            }
            if (!ParseBlockLine(line, plugins.back().block, error))
                return fail(error);
            continue;
        }
        if (!SplitWords(line, w, error))
            return fail(error);
        if (w.empty())
            continue;
        const std::string &key = w[0];
        double a = 0, c = 0;
        int i1 = 0, i2 = 0, i3 = 0, i4 = 0, i5 = 0;
        std::uint32_t id = 0, other = 0;
        const bool itemLine = key == "Camera" || key == "Object" || key == "Bone" || key == "Light";
        if (!header) {
            if (key != "ZKScene" || w.size() != 2 || w[1] != "1")
                return fail("not a scene file (expected \"ZKScene 1\")");
            header = true;
        } else if (itemLine && w.size() >= 2 && ToId(w[1], id) && id != 0 && loaded.Find(id)) {
            return fail("item identifier " + w[1] + " used twice");
        } else if (key == "FramesPerSecond" && w.size() == 2 && ToNumber(w[1], a) && a > 0 && std::isfinite(a)) {
            loaded.fps = a;
        } else if (key == "FrameRange" && w.size() == 3 && ToInt(w[1], i1) && ToInt(w[2], i2)) {
            loaded.frameStart = i1;
            loaded.frameEnd = i2;
        } else if (key == "PreviewRange" && w.size() == 4 && ToInt(w[1], i1) && ToInt(w[2], i2) && ToInt(w[3], i3)) {
            loaded.previewStart = i1;
            loaded.previewEnd = i2;
            loaded.previewStep = i3;
        } else if (key == "CurrentTime" && w.size() == 2 && ToNumber(w[1], a) && std::isfinite(a)) {
            loaded.time = a;
        } else if (key == "Camera" && w.size() == 6 && ToId(w[1], id) && ToInt(w[3], i1) && ToInt(w[4], i2) &&
                   ToNumber(w[5], c) && i1 > 0 && i2 > 0) {
            loaded.AddCamera(w[2], i1, i2, c, id);
        } else if (key == "Object" && w.size() == 5 && ToId(w[1], id) && ToId(w[4], other)) {
            loaded.AddObject(w[2], w[3], id).parent = other;
        } else if (key == "Bone" && w.size() == 4 && ToId(w[1], id) && ToId(w[3], other)) {
            loaded.AddBone(w[2], other, id);
        } else if (key == "Light" && w.size() == 3 && ToId(w[1], id)) {
            loaded.AddLight(w[2], id);
        } else if (key == "VertexMap" && w.size() == 3 && w[1].size() == 4 &&
                   w[1].find_first_of(" \t\"\\") == std::string::npos) {
            loaded.vertexMaps.emplace_back(LWID_(w[1][0], w[1][1], w[1][2], w[1][3]), w[2]);
        } else if (key == "Viewport" && w.size() == 7 && ToInt(w[1], i1) && ToId(w[2], id) && ToInt(w[3], i2) &&
                   ToInt(w[4], i3) && ToInt(w[5], i4) && ToInt(w[6], i5)) {
            loaded.viewports.push_back({i1, id, i2, i3, i4, i5});
        } else if (key == "RenderCamera" && w.size() == 2 && ToId(w[1], id)) {
            loaded.renderCamera = id;
        } else if (key == "Selection") {
            for (size_t i = 1; i < w.size(); ++i) {
                if (!ToId(w[i], id))
                    return fail("bad item identifier in Selection");
                loaded.selection.push_back(id);
            }
        } else if (key == "Plugin" && w.size() == 3 && w[1] == "MasterHandler") {
            plugins.push_back({w[1], w[2], std::string(), std::string(), 0, lineNumber, Block()});
            inPlugin = true;
        } else if (key == "Plugin" && w.size() == 5 && w[1] == "ChannelHandler" && ToId(w[3], id)) {
            plugins.push_back({w[1], w[2], w[3], w[4], 0, lineNumber, Block()});
            inPlugin = true;
        } else if (key == "Plugin" && w.size() >= 2) {
            return fail("unknown plug-in class " + w[1]);
        } else if ((key == "ChannelGroup" && w.size() >= 3) || (key == "Keys" && w.size() >= 3) ||
                   (key == "FocalKeys" && w.size() >= 2) || (key == "RenderCameraFrom" && w.size() == 3) ||
                   (key == "Expression" && w.size() == 3) || (key == "Attach" && w.size() == 4)) {
            channelLines.push_back({lineNumber, w});
        } else {
            return fail("unexpected line: " + line);
        }
    }
    if (!header)
        return fail("empty scene file");
    if (inPlugin)
        return fail("missing EndPlugin");

    // What refers to items and channels, once every item is in: groups first, as keys, expressions
    // and handlers may name their channels.
    ExpressionTable loadedExpressions;
    // The item's channel of that relative name; null with the reason in why.
    auto channelOf = [&](const std::string &itemWord, const std::string &name, std::string &why) -> Channel * {
        std::uint32_t itemId = 0;
        const Item *item = ToId(itemWord, itemId) ? loaded.Find(itemId) : nullptr;
        if (!item) {
            why = "no item " + itemWord;
            return nullptr;
        }
        const Channel *found = FindItemChannel(loaded, *item, name);
        if (!found)
            why = item->name + " has no channel named '" + name + "'";
        return found ? loaded.FindChannel(found->id) : nullptr;
    };
    for (const bool groups : {true, false}) {
        for (const ChannelLine &entry : channelLines) {
            const std::vector<std::string> &v = entry.words;
            lineNumber = entry.line;
            if ((v[0] == "ChannelGroup") != groups)
                continue;
            std::uint32_t id = 0;
            double time = 0;
            std::string why;
            if (v[0] == "ChannelGroup") {
                if (!ToId(v[1], id) || (id != 0 && !loaded.Find(id)))
                    return fail("no item " + v[1]);
                AddChannelGroup(loaded, id, v[2], std::vector<std::string>(v.begin() + 3, v.end()));
            } else if (v[0] == "Keys") {
                Channel *channel = channelOf(v[1], v[2], why);
                if (!channel)
                    return fail(why);
                if (!ReadKeys(v, 3, channel->keys))
                    return fail("Keys: expected pairs of time and value");
            } else if (v[0] == "FocalKeys") {
                Item *camera = ToId(v[1], id) ? loaded.Find(id) : nullptr;
                if (!camera || camera->kind != ItemKind::Camera)
                    return fail("no camera " + v[1]);
                if (!ReadKeys(v, 2, camera->focalKeys))
                    return fail("FocalKeys: expected pairs of time and focal length");
            } else if (v[0] == "RenderCameraFrom") {
                if (!ToNumber(v[1], time) || !std::isfinite(time) || !ToId(v[2], id))
                    return fail("RenderCameraFrom: expected a time and a camera");
                loaded.renderCameraSwitches[time] = id;
            } else if (v[0] == "Expression") {
                loadedExpressions.Define(v[1], v[2]);
            } else if (v[0] == "Attach") {
                const Channel *channel = channelOf(v[1], v[2], why);
                if (!channel)
                    return fail(why);
                if (!loadedExpressions.Attach(channel->id, v[3]))
                    return fail("no expression named '" + v[3] + "' (define it before attaching)");
            }
        }
    }
    for (PluginBlock &plugin : plugins) {
        if (plugin.className != "ChannelHandler")
            continue;
        std::string why;
        lineNumber = plugin.line;
        const Channel *channel = channelOf(plugin.item, plugin.channel, why);
        if (!channel)
            return fail(why);
        plugin.channelId = channel->id;
    }

    // The new scene replaces the old one: its instances go, the stored ones are created and loaded.
    DestroyChannelHandlers();
    DestroyMasters();
    scene = loaded;
    expressions = loadedExpressions;
    for (const PluginBlock &plugin : plugins) {
        if (plugin.className == "ChannelHandler") {
            if (ChannelModifier *modifier = AddChannelHandler(plugin.server, plugin.channelId))
                LoadInstanceBlock(plugin.block, plugin.server, modifier->instFuncs, modifier->instance, *this);
        } else if (MasterInstance *master = AddMaster(plugin.server)) {
            LoadInstanceBlock(plugin.block, plugin.server, master->instFuncs, master->instance, *this);
        }
    }
    return true;
}

} // namespace zkh
