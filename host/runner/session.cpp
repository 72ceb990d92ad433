// session.cpp: reading a session file, building its scene and running its actions.
#include "session.h"

#include "printable_text.h"
#include "session_check.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>
#include <regex>
#include <sstream>

namespace zkh {

namespace fs = std::filesystem;

SessionError::SessionError(const YAML::Node &node, const std::string &message)
    : std::runtime_error(message), line(0), column(0)
{
    // A missing key gives an invalid node, which has no place in the file.
    if (node.IsDefined() && !node.Mark().is_null()) {
        line = node.Mark().line + 1;
        column = node.Mark().column + 1;
    }
}

SessionError::SessionError(int line_, int column_, const std::string &message)
    : std::runtime_error(message), line(line_), column(column_)
{
}

void ActionTable::Add(ActionSpec spec, Action action)
{
    std::string name = spec.name;
    actions_[name] = {std::move(spec), std::move(action)};
}

void ActionTable::AddOldName(const std::string &oldName, const std::string &name)
{
    oldNames_[oldName] = name;
}

const std::pair<ActionSpec, Action> *ActionTable::Entry(const std::string &name) const
{
    auto found = actions_.find(name);
    if (found != actions_.end())
        return &found->second;
    auto old = oldNames_.find(name);
    if (old == oldNames_.end())
        return nullptr;
    found = actions_.find(old->second);
    return found == actions_.end() ? nullptr : &found->second;
}

const Action *ActionTable::Find(const std::string &name) const
{
    const auto *entry = Entry(name);
    return entry ? &entry->second : nullptr;
}

const ActionSpec *ActionTable::Spec(const std::string &name) const
{
    const auto *entry = Entry(name);
    return entry ? &entry->first : nullptr;
}

std::vector<std::string> ActionTable::Names() const
{
    std::vector<std::string> names;
    for (const auto &entry : actions_)
        names.push_back(entry.first);
    return names;
}

ActionTable SessionActions()
{
    ActionTable table;
    AddSceneActions(table);
    AddPluginActions(table);
    AddRequestActions(table);
    AddHostActions(table);
    AddViewportActions(table);
    AddRenderActions(table);
    AddClipMixerActions(table);
    AddPanelActions(table);
    AddMorphActions(table);
    AddMemoActions(table);
    AddCameraFrameActions(table);
    AddOldActionNames(table);
    return table;
}

namespace {

// The part of a session path after "$OUT/" (or "$OUT\\"), or null when it does not start so.
const char *AfterOutPrefix(const std::string &path)
{
    const std::size_t length = sizeof kOutPrefix - 2;
    if (path.size() > length && path.compare(0, length, kOutPrefix, length) == 0 &&
        (path[length] == '/' || path[length] == '\\'))
        return path.c_str() + length + 1;
    return nullptr;
}

} // namespace

std::string RunContext::OutPath(const std::string &path) const
{
    if (const char *inside = AfterOutPrefix(path))
        return (fs::path(outDir) / inside).string();
    return fs::path(path).is_absolute() ? path : (fs::path(outDir) / path).string();
}

std::string RunContext::InPath(const std::string &path) const
{
    if (AfterOutPrefix(path))
        return OutPath(path);
    return fs::path(path).is_absolute() ? path : (fs::path(sessionDir) / path).string();
}

YAML::Node Need(const YAML::Node &map, const char *key, const std::string &what)
{
    const YAML::Node value = map[key];
    if (!value.IsDefined())
        throw SessionError(map, what + ": missing the field '" + key + "'");
    return value;
}

namespace {

// How YAML's core schema (and YAML 1.1's yes, no, on, off) reads a plain scalar that is no text.
const char *PlainKind(const YAML::Node &node)
{
    static const std::regex number(R"([-+]?(\.[0-9]+|[0-9]+(\.[0-9]*)?)([eE][-+]?[0-9]+)?|0o[0-7]+|0x[0-9a-fA-F]+|)"
                                   R"([-+]?\.(inf|Inf|INF)|\.(nan|NaN|NAN))");
    static const std::regex boolean("(true|false|yes|no|on|off|True|False|Yes|No|On|Off|TRUE|FALSE|YES|NO|ON|OFF)");
    if (node.Tag() != "?")
        return nullptr; // quoted, or tagged: a text as written
    if (std::regex_match(node.Scalar(), number))
        return "a number";
    if (std::regex_match(node.Scalar(), boolean))
        return "true or false";
    return nullptr;
}

} // namespace

std::string ReadTextOrNumber(const YAML::Node &node, const std::string &what)
{
    // Only a plain ~, null, Null, NULL or nothing reads as null: quoted, each is that text.
    if (node && node.IsNull())
        throw SessionError(node, what + ": expected a text; YAML reads ~, null and an empty value as no value: "
                                        "write the text in quotes (\"~\", \"Null\", \"\")");
    if (!node || !node.IsScalar())
        throw SessionError(node, what + ": expected a text");
    return node.Scalar();
}

std::string ReadText(const YAML::Node &node, const std::string &what)
{
    const std::string text = ReadTextOrNumber(node, what);
    if (const char *kind = PlainKind(node))
        throw SessionError(node, what + ": expected a text; YAML reads " + text + " as " + kind +
                                     ": write it in quotes, \"" + text + "\", for that text");
    return text;
}

double ReadNumber(const YAML::Node &node, const std::string &what)
{
    double value = 0;
    if (!node || !node.IsScalar() || !YAML::convert<double>::decode(node, value))
        throw SessionError(node, what + ": expected a number");
    // What the host then holds (times, keys, panel values) is written into scene files, which hold
    // finite numbers only.
    if (!std::isfinite(value))
        throw SessionError(node, what + ": expected a finite number");
    return value;
}

int ReadInt(const YAML::Node &node, const std::string &what)
{
    int value = 0;
    if (!node || !node.IsScalar() || !YAML::convert<int>::decode(node, value))
        throw SessionError(node, what + ": expected a whole number");
    return value;
}

bool ReadBool(const YAML::Node &node, const std::string &what)
{
    bool value = false;
    if (!node.IsScalar() || !YAML::convert<bool>::decode(node, value))
        throw SessionError(node, what + ": expected true or false");
    return value;
}

int ReadViewport(RunContext &context, const YAML::Node &node, const std::string &what)
{
    const int view = ReadInt(node, what);
    if (view < 0 || static_cast<size_t>(view) >= context.host.scene.viewports.size())
        throw SessionError(node, what + ": the scene has no viewport " + std::to_string(view));
    return view;
}

std::uint32_t ReadItem(RunContext &context, const YAML::Node &node, const std::string &what)
{
    const std::string name = ReadText(node, what);
    const Item *item = context.host.scene.FindByName(name);
    if (!item)
        throw SessionError(node, what + ": no item named '" + name + "' in the scene");
    return item->id;
}

const std::vector<Key> &ItemKinds()
{
    static const std::vector<Key> kinds = {
        {"camera", "a camera", {{"resolution", "[width, height] in pixels (default [640, 480])"},
                                {"focal_length", "in millimetres (default 35)"}}},
        {"object", "an object", {{"file", "the object file it was loaded from (default NAME.lwo)"}}},
        {"null_object", "a null object (an object without a file)"},
        {"bone", "a bone", {{"parent", "the object the bone belongs to (listed above it)"}}},
        {"light", "a light"},
    };
    return kinds;
}

const std::vector<Key> &SessionKeys()
{
    static const std::vector<Key> keys = {
        {"module", "the module file (a path from the session file's folder); --module wins over it"},
        {"locale", "the language identifier the host reports (1033 English, 1041 Japanese, ...)"},
        {"scene",
         "the scene",
         {{"file", "a Layout scene file to start from (a path from the session file's folder)"},
          {"fps", "frames per second (default 24)"},
          {"frames", "[first, last] frame range (default [1, 60])"},
          {"preview", "[first, last] preview range (default [0, 60])"},
          {"time", "the current time in seconds (default 0)"},
          {"items", "the items, in order: {camera: NAME, ...}, {object: NAME}, {null_object: NAME}, {bone: NAME, parent: "
                    "OBJECT}, {light: NAME}"},
          {"morph_maps", "names of the morph vertex maps"},
          {"viewports",
           "the viewports, each {view, item, rect}",
           {{"view", "top, bottom, back, front, right, left, perspective, light, camera or schematic"},
            {"item", "the item a camera or light view looks through"},
            {"rect", "[left, top, width, height] in pixels"}}},
          {"selection", "names of the selected items"}}},
        {"actions", "the list of actions, each a map with one key (zkhost help lists them)"},
    };
    return keys;
}

namespace {

int ViewTypeOf(const YAML::Node &node)
{
    static const std::map<std::string, int> kTypes = {
        {"top", LVVIEWT_TOP},     {"bottom", LVVIEWT_BOTTOM}, {"back", LVVIEWT_BACK},
        {"front", LVVIEWT_FRONT}, {"right", LVVIEWT_RIGHT},   {"left", LVVIEWT_LEFT},
        {"perspective", LVVIEWT_PERSPECTIVE}, {"light", LVVIEWT_LIGHT}, {"camera", LVVIEWT_CAMERA},
        {"schematic", LVVIEWT_SCHEMATIC}};
    const std::string name = ReadText(node, "view");
    auto found = kTypes.find(name);
    if (found == kTypes.end())
        throw SessionError(node, "view: expected one of top, bottom, back, front, right, left, perspective, light, camera, schematic");
    return found->second;
}

void ReadPair(const YAML::Node &node, const std::string &what, int &a, int &b)
{
    if (!node.IsSequence() || node.size() != 2)
        throw SessionError(node, what + ": expected two whole numbers, as [a, b]");
    a = ReadInt(node[0], what);
    b = ReadInt(node[1], what);
}

void AddItem(Scene &scene, const YAML::Node &entry)
{
    if (!entry.IsMap())
        throw SessionError(entry, "items: each item is a map such as {camera: Camera}");
    auto name = [&](const char *key) { return ReadText(entry[key], std::string(key) + " name"); };
    if (entry["camera"]) {
        int w = 640, h = 480;
        if (entry["resolution"])
            ReadPair(entry["resolution"], "resolution", w, h);
        if (w < 1 || h < 1)
            throw SessionError(entry["resolution"], "resolution: width and height must be at least 1");
        const double focal = entry["focal_length"] ? ReadNumber(entry["focal_length"], "focal_length") : 35.0;
        scene.AddCamera(name("camera"), w, h, focal);
    } else if (entry["object"]) {
        scene.AddObject(name("object"), entry["file"] ? ReadText(entry["file"], "file") : name("object") + ".lwo");
    } else if (entry["null_object"]) {
        scene.AddNullObject(name("null_object"));
    } else if (entry["bone"]) {
        const std::string parent = ReadText(Need(entry, "parent", "bone"), "bone parent");
        const Item *owner = scene.FindByName(parent);
        if (!owner || owner->kind != ItemKind::Object)
            throw SessionError(entry["parent"], "bone parent: no object named '" + parent + "'");
        scene.AddBone(name("bone"), owner->id);
    } else if (entry["light"]) {
        scene.AddLight(name("light"));
    } else {
        std::string kinds;
        for (const Key &kind : ItemKinds())
            kinds += (kinds.empty() ? "" : ", ") + kind.name;
        throw SessionError(entry, "items: expected one of the keys " + kinds);
    }
}

} // namespace

void BuildScene(Scene &scene, const YAML::Node &node)
{
    if (!node)
        return;
    if (!node.IsMap())
        throw SessionError(node, "scene: expected a map");
    if (node["fps"])
        scene.fps = ReadNumber(node["fps"], "fps");
    if (!(scene.fps > 0) || !std::isfinite(scene.fps))
        throw SessionError(node["fps"], "fps: must be a number above 0");
    if (node["frames"])
        ReadPair(node["frames"], "frames", scene.frameStart, scene.frameEnd);
    if (node["preview"])
        ReadPair(node["preview"], "preview", scene.previewStart, scene.previewEnd);
    if (node["time"])
        scene.time = ReadNumber(node["time"], "time");
    if (const YAML::Node items = node["items"]) {
        if (!items.IsSequence())
            throw SessionError(items, "items: expected a list");
        for (const YAML::Node &entry : items)
            AddItem(scene, entry);
    }
    if (const YAML::Node maps = node["morph_maps"]) {
        if (!maps.IsSequence())
            throw SessionError(maps, "morph_maps: expected a list of names");
        for (const YAML::Node &map : maps)
            scene.vertexMaps.emplace_back(LWVMAP_MORF, ReadText(map, "morph map"));
    }
    if (const YAML::Node views = node["viewports"]) {
        if (!views.IsSequence())
            throw SessionError(views, "viewports: expected a list");
        for (const YAML::Node &view : views) {
            Viewport viewport;
            viewport.type = ViewTypeOf(Need(view, "view", "viewport"));
            if (view["item"]) {
                const std::string itemName = ReadText(view["item"], "viewport item");
                const Item *item = scene.FindByName(itemName);
                if (!item)
                    throw SessionError(view["item"], "viewport item: no item named '" + itemName + "'");
                viewport.item = item->id;
            }
            if (const YAML::Node rect = view["rect"]) {
                if (!rect.IsSequence() || rect.size() != 4)
                    throw SessionError(rect, "rect: expected [left, top, width, height]");
                viewport.left = ReadInt(rect[0], "rect");
                viewport.top = ReadInt(rect[1], "rect");
                viewport.width = ReadInt(rect[2], "rect");
                viewport.height = ReadInt(rect[3], "rect");
                // Pictures of a viewport are bounded as render plates are.
                for (size_t side : {2, 3})
                    if (const int size = ReadInt(rect[side], "rect"); size < 0 || size > kMaxPictureSide)
                        throw SessionError(rect[side], "rect: width and height go from 0 to " +
                                                           std::to_string(kMaxPictureSide));
            }
            scene.viewports.push_back(viewport);
        }
    }
    if (const YAML::Node selection = node["selection"]) {
        if (!selection.IsSequence())
            throw SessionError(selection, "selection: expected a list of item names");
        for (const YAML::Node &name : selection) {
            const Item *item = scene.FindByName(ReadText(name, "selection"));
            if (!item)
                throw SessionError(name, "selection: no item named '" + name.Scalar() + "'");
            scene.selection.push_back(item->id);
        }
    }
}

namespace {

void WriteLines(const std::string &path, const std::vector<std::string> &lines)
{
    std::ofstream file(path, std::ios::binary);
    for (const std::string &line : lines)
        file << line << "\n";
}

// Longest message of a mistake printed whole (a name from the file may be of any length).
constexpr std::size_t kMaxErrorText = 1000;

// Runs one action; any failure of its own (memory, a file system error) ends the session as a
// mistake at the action's place, so that the logs are still written.
void RunAction(const Action &action, RunContext &context, const YAML::Node &key, const YAML::Node &value)
{
    try {
        action(context, value);
    } catch (const SessionError &e) {
        // YAML places an empty value where the next token starts: the mistake is at the action.
        if (value.IsNull() && e.line > key.Mark().line + 1)
            throw SessionError(key, e.what());
        throw;
    } catch (const YAML::Exception &) {
        throw;
    } catch (const std::bad_alloc &) {
        throw SessionError(key, key.Scalar() + ": out of memory");
    } catch (const std::exception &e) {
        throw SessionError(key, key.Scalar() + ": " + e.what());
    }
}

// The session file parsed; false after saying why it cannot be (exit status 2).
bool LoadSessionFile(const std::string &sessionPath, YAML::Node &root, std::ostream &err)
{
    std::string text;
    {
        std::ifstream file(sessionPath, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        if (!file || !bytes) {
            err << sessionPath << ": cannot read the session file\n";
            return false;
        }
        text = bytes.str();
    }
    try {
        root = YAML::Load(text);
    } catch (const YAML::ParserException &e) {
        // The parser's own words for a tab ("illegal block entry", ...) do not say what to change.
        const SessionError tab = TabInIndentation(text, e.mark.line);
        if (tab.line > 0)
            err << sessionPath << ":" << tab.line << ":" << tab.column << ": " << tab.what() << "\n";
        else
            err << sessionPath << ":" << e.mark.line + 1 << ":" << e.mark.column + 1 << ": " << e.msg << "\n";
        return false;
    }
    return true;
}

// Everything before the actions: the names checked, the locale, the scene, the module and the
// scene file. (The root is taken as a handle that may be written through: a missing key then reads
// as an undefined node rather than an invalid one.)
void StartSession(RunContext &context, YAML::Node root, const ActionTable &table,
                  const std::string &modulePath, const std::string &defaultModule)
{
    Host &host = context.host;
    if (!root.IsMap())
        throw SessionError(root, "a session is a map with the keys scene and actions");
    CheckSessionNames(root, table);
    if (root["locale"])
        host.services.SetLocale(static_cast<std::uint32_t>(ReadInt(root["locale"], "locale")));
    // A session may start from a scene file (its plug-ins need the module, so it loads after the
    // module); the scene's other keys then add to what the file holds.
    const YAML::Node sceneNode = root["scene"];
    const bool fromFile = sceneNode.IsMap() && static_cast<const YAML::Node &>(sceneNode)["file"];
    if (!fromFile)
        BuildScene(host.scene, sceneNode);
    // A module named on the command line wins over the session's own.
    const std::string module = !modulePath.empty()   ? modulePath
                               : root["module"] ? context.InPath(ReadText(root["module"], "module"))
                                                : defaultModule;
    if (!host.LoadModule(module))
        throw SessionError(root["module"], host.messages.back());
    CheckServerNames(root, table, *host.LoadedModule());
    if (fromFile) {
        const YAML::Node file = sceneNode["file"];
        if (!host.LoadScene(context.InPath(ReadText(file, "file"))))
            throw SessionError(file, host.messages.back());
        BuildScene(host.scene, sceneNode);
    }
}

void RunActions(RunContext &context, YAML::Node root, const ActionTable &table)
{
    const YAML::Node actions = root["actions"];
    if (actions && !actions.IsSequence())
        throw SessionError(actions, "actions: expected a list");
    for (const YAML::Node &step : actions) {
        if (!step.IsMap() || step.size() != 1)
            throw SessionError(step, "each action is a map with one key, such as {master_add: ZK:CameraFrame}");
        const std::string name = step.begin()->first.Scalar();
        const Action *action = table.Find(name);
        if (!action)
            throw SessionError(step.begin()->first, "unknown action '" + name + "'");
        RunAction(*action, context, step.begin()->first, step.begin()->second);
        if (context.deferred)
            throw SessionError(*context.deferred);
    }
}

} // namespace

int RunSession(const std::string &sessionPath, const std::string &outDir, const std::string &modulePath,
               const std::string &defaultModule, std::ostream &out, std::ostream &err)
{
    YAML::Node root;
    if (!LoadSessionFile(sessionPath, root, err))
        return 2;
    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (ec) {
        err << outDir << ": cannot create the output folder (" << ec.message() << ")\n";
        return 2;
    }

    Host host;
    RunContext context{host, outDir, fs::path(sessionPath).parent_path().string(), out, nullptr, {}};
    const ActionTable table = SessionActions();
    int status = 0;
    try {
        StartSession(context, root, table, modulePath, defaultModule);
        RunActions(context, root, table);
    } catch (const SessionError &e) {
        err << sessionPath;
        if (e.line > 0)
            err << ":" << e.line << ":" << e.column;
        err << ": " << PrintableText(e.what(), kMaxErrorText) << "\n";
        status = 2;
    } catch (const YAML::Exception &e) {
        err << sessionPath << ":" << e.mark.line + 1 << ":" << e.mark.column + 1 << ": " << e.msg << "\n";
        status = 2;
    } catch (const std::exception &e) {
        err << sessionPath << ": " << e.what() << "\n";
        status = 2;
    }
    WriteLines(context.OutPath("commands.log"), host.commands.transcript);
    WriteLines(context.OutPath("status.log"), host.commands.status);
    WriteLines(context.OutPath("host.log"), host.messages);
    out << "session " << sessionPath << ": " << host.commands.log.size() << " commands, "
        << host.commands.status.size() << " status lines, " << host.messages.size() << " host messages; output in "
        << outDir << "\n";
    return status;
}

} // namespace zkh
