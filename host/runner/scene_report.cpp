// scene_report.cpp: zkhost info and zkhost frames.
#include "scene_report.h"

#include "host.h"
#include "lwsc/document.h"
#include "lwsc/scene_reader.h"
#include "printable_text.h"
#include "ring_peer.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <map>
#include <sstream>

namespace zkh {

namespace {

using nlohmann::json;

// A text of the scene file as JSON takes it: UTF-8 as it is; other bytes (names saved in a Western
// code page by older Layouts) taken as Latin-1.
std::string JsonText(const std::string &text)
{
    size_t i = 0;
    bool valid = true;
    while (valid && i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        valid = length != 0 && i + length <= text.size();
        for (size_t k = 1; valid && k < length; ++k)
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        i += length ? length : 1;
    }
    if (valid)
        return text;
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

const char *KindName(lwsc::DeclKind kind)
{
    switch (kind) {
    case lwsc::DeclKind::Object: return "object";
    case lwsc::DeclKind::Null: return "null";
    case lwsc::DeclKind::Light: return "light";
    case lwsc::DeclKind::Camera: return "camera";
    case lwsc::DeclKind::Bone: return "bone";
    }
    return "object";
}

// SCENE [--json]; false with a message when the arguments are not that.
bool ReadArguments(const std::vector<std::string> &args, const char *command, std::string &scene, bool &asJson,
                   std::string *module, std::ostream &err)
{
    asJson = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json")
            asJson = true;
        else if (module && args[i] == "--module" && i + 1 < args.size())
            *module = args[++i];
        else if (scene.empty() && !args[i].empty() && args[i][0] != '-')
            scene = args[i];
        else {
            err << "zkhost " << command << ": unexpected argument '" << PrintableText(args[i]) << "'\n";
            return false;
        }
    }
    if (scene.empty()) {
        err << "usage: zkhost " << command << " SCENE.lws [--json]" << (module ? " [--module FILE]" : "") << "\n";
        return false;
    }
    return true;
}

bool ReadDocument(const std::string &path, lwsc::Document &document, std::ostream &err)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        err << path << ": cannot read the file\n";
        return false;
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    lwsc::ParseError error;
    if (!lwsc::ParseDocument(bytes.str(), document, error)) {
        err << path << ":" << error.line << ": " << PrintableText(error.reason) << "\n";
        return false;
    }
    return true;
}

json SceneInfo(const lwsc::Document &document, const lwsc::Warnings &warnings)
{
    lwsc::SceneFromFile scene;
    lwsc::Warnings readerWarnings;
    lwsc::ReadSceneFile(document, scene, readerWarnings);
    const Scene &s = scene.scene;
    json info;
    info["version"] = document.version;
    info["first_frame"] = s.frameStart;
    info["last_frame"] = s.frameEnd;
    info["frame_step"] = s.frameStep;
    info["fps"] = s.fps;
    if (document.sceneKeywords.count("PreviewFirstFrame") || document.sceneKeywords.count("PreviewLastFrame"))
        info["preview"] = json::array({s.previewStart, s.previewEnd, s.previewStep});
    else
        info["preview"] = nullptr;
    info["current_frame"] = document.sceneKeywords.count("CurrentFrame") ? json(s.CurrentFrame()) : json(nullptr);

    std::map<std::uint32_t, size_t> byId;
    for (size_t i = 0; i < document.items.size(); ++i)
        byId.emplace(document.items[i].id, i);
    json items = json::array();
    json cameras = json::array();
    for (size_t i = 0; i < document.items.size(); ++i) {
        const lwsc::ItemDecl &decl = document.items[i];
        json item;
        item["kind"] = KindName(decl.kind);
        item["name"] = JsonText(decl.name);
        item["id"] = decl.idWritten ? json(lwsc::FormatItemId(decl.id)) : json(nullptr);
        const auto parent = decl.parentLine != lwsc::kNoLine ? byId.find(decl.parentId) : byId.end();
        if (parent != byId.end() && parent->second != i)
            item["parent"] = parent->second;
        else if (decl.kind == lwsc::DeclKind::Bone && decl.owner >= 0)
            item["parent"] = decl.owner;
        else
            item["parent"] = nullptr;
        items.push_back(item);
        if (decl.kind != lwsc::DeclKind::Camera)
            continue;
        const lwsc::CameraLines lines = lwsc::ReadCameraLines(document, decl);
        json camera;
        camera["name"] = JsonText(decl.name);
        camera["frame_size"] = json::array({lines.frameW, lines.frameH});
        camera["resolution_multiplier"] = lines.multiplier;
        camera["pixel_aspect"] = lines.renderPixelAspect;
        camera["render_size"] = json::array({lines.renderW, lines.renderH});
        cameras.push_back(camera);
    }
    info["items"] = items;
    info["cameras"] = cameras;

    json plugins = json::array();
    for (const lwsc::PluginBlock &plugin : document.plugins) {
        json entry;
        entry["class"] = JsonText(plugin.className);
        entry["index"] = plugin.index;
        entry["server"] = JsonText(plugin.server);
        entry["owner"] = plugin.owner < 0 ? json("scene") : json(plugin.owner);
        entry["enabled"] = plugin.enabled;
        plugins.push_back(entry);
    }
    info["plugins"] = plugins;
    json handlers = json::array();
    for (size_t i = 0; i < document.items.size(); ++i)
        for (const lwsc::ChannelSlot &slot : document.items[i].channels)
            for (const lwsc::HandlerBlock &handler : slot.envelope.handlers)
                if (handler.className == LWCHANNEL_HCLASS)
                    handlers.push_back({{"server", JsonText(handler.server)}, {"owner", i}});
    info["channel_handlers"] = handlers;
    info["envelopes"] = document.envelopeCount;
    info["keys"] = document.keyCount;
    json texts = json::array();
    for (const lwsc::Warning &warning : warnings)
        texts.push_back(JsonText(warning.Quoted()));
    for (const lwsc::Warning &warning : readerWarnings)
        texts.push_back(JsonText(warning.Quoted()));
    info["warnings"] = texts;
    return info;
}

std::string Number(const json &value)
{
    std::ostringstream out;
    out << value.get<double>();
    return out.str();
}

void WriteInfoText(const json &info, std::ostream &out)
{
    out << "LWSC " << info["version"] << " scene: frames " << info["first_frame"] << " to " << info["last_frame"]
        << " step " << info["frame_step"] << " at " << Number(info["fps"]) << " fps";
    if (!info["preview"].is_null())
        out << ", preview " << info["preview"][0] << " to " << info["preview"][1] << " step " << info["preview"][2];
    if (!info["current_frame"].is_null())
        out << ", current frame " << info["current_frame"];
    out << "\n";
    out << "items (" << info["items"].size() << "):\n";
    for (size_t i = 0; i < info["items"].size(); ++i) {
        const json &item = info["items"][i];
        out << "  " << i << " " << item["kind"].get<std::string>() << " " << item["name"].get<std::string>();
        if (!item["id"].is_null())
            out << " (" << item["id"].get<std::string>() << ")";
        if (!item["parent"].is_null())
            out << ", parent " << item["parent"];
        out << "\n";
    }
    for (const json &camera : info["cameras"])
        out << "camera " << camera["name"].get<std::string>() << ": frame size " << camera["frame_size"][0] << " x "
            << camera["frame_size"][1] << ", multiplier " << Number(camera["resolution_multiplier"])
            << ", pixel aspect " << Number(camera["pixel_aspect"]) << ", renders " << camera["render_size"][0] << " x "
            << camera["render_size"][1] << "\n";
    out << "plug-ins (" << info["plugins"].size() << "):\n";
    for (const json &plugin : info["plugins"]) {
        out << "  " << plugin["class"].get<std::string>() << " " << plugin["index"] << " "
            << plugin["server"].get<std::string>() << " (";
        if (plugin["owner"].is_string())
            out << "scene";
        else
            out << "item " << plugin["owner"];
        out << (plugin["enabled"].get<bool>() ? ")" : ", disabled)") << "\n";
    }
    out << "channel handlers (" << info["channel_handlers"].size() << "):\n";
    for (const json &handler : info["channel_handlers"])
        out << "  " << handler["server"].get<std::string>() << " (item " << handler["owner"] << ")\n";
    out << info["envelopes"] << " envelopes, " << info["keys"] << " keys\n";
    out << "warnings (" << info["warnings"].size() << "):\n";
    for (const json &warning : info["warnings"])
        out << "  " << warning.get<std::string>() << "\n";
}

json FramesJson(const PeerFrameQuery &query, const Scene &scene)
{
    json frames = json::array();
    for (const PeerFrame &entry : query.frames) {
        json frame;
        frame["name"] = JsonText(entry.name);
        const Item *camera = scene.Find(FromItemID(entry.camera));
        frame["camera"] = camera ? json(JsonText(camera->name)) : json(nullptr);
        json inner = json::array(), outer = json::array();
        for (int k = 0; k < 4; ++k) {
            inner.push_back({entry.innerX[k], entry.innerY[k]});
            outer.push_back({entry.outerX[k], entry.outerY[k]});
        }
        frame["inner"] = inner;
        frame["outer"] = outer;
        frame["margins"] = {{"max", entry.marginMax}, {"width", entry.marginW}, {"height", entry.marginH},
                            {"width_px", entry.marginWPx}, {"height_px", entry.marginHPx}};
        frame["color"] = {entry.red, entry.green, entry.blue};
        frame["opacity"] = entry.opacity;
        frame["memo"] = JsonText(entry.memo);
        frame["focal_length"] = JsonText(entry.focalLength);
        frames.push_back(frame);
    }
    json result;
    result["frames"] = frames;
    result["combined"] = {{"on", query.combined != 0},
                          {"color", {query.red, query.green, query.blue}},
                          {"opacity", query.opacity}};
    result["extra_text"] = JsonText(query.extraText);
    result["extra_flag"] = query.extraFlag != 0;
    return result;
}

} // namespace

int RunInfo(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    std::string path;
    bool asJson = false;
    if (!ReadArguments(args, "info", path, asJson, nullptr, err))
        return 2;
    lwsc::Document document;
    if (!ReadDocument(path, document, err))
        return 1;
    const json info = SceneInfo(document, document.warnings);
    if (asJson)
        out << info.dump(2) << "\n";
    else
        WriteInfoText(info, out);
    return 0;
}

int RunFrames(const std::vector<std::string> &args, const std::string &defaultModule, std::ostream &out,
              std::ostream &err)
{
    std::string path, module;
    bool asJson = false;
    if (!ReadArguments(args, "frames", path, asJson, &module, err))
        return 2;
    lwsc::Document check;
    if (!ReadDocument(path, check, err))
        return 1;
    Host host;
    if (!host.LoadModule(module.empty() ? defaultModule : module)) {
        err << "zkhost frames: " << host.messages.back() << "\n";
        return 1;
    }
    if (!host.LoadScene(path)) {
        err << host.messages.back() << "\n";
        return 1;
    }
    const PeerFrameQuery query = QueryCameraFrames(host);
    if (asJson) {
        out << FramesJson(query, host.scene).dump(2) << "\n";
        return 0;
    }
    if (!host.masters.Find("ZK:CameraFrame"))
        out << "the scene has no ZK:CameraFrame master: no frames\n";
    out << DescribeFrameQuery(query);
    return 0;
}

} // namespace zkh
