// scene_reader.cpp: building the host's scene from a parsed scene file.
#include "scene_reader.h"

#include "plugin_data.h"

#include <cmath>
#include <map>
#include <set>

namespace zkh::lwsc {

namespace {


ItemKind HostKind(DeclKind kind)
{
    switch (kind) {
    case DeclKind::Object:
    case DeclKind::Null: return ItemKind::Object;
    case DeclKind::Light: return ItemKind::Light;
    case DeclKind::Camera: return ItemKind::Camera;
    case DeclKind::Bone: return ItemKind::Bone;
    }
    return ItemKind::Object;
}

// The value of an item's keyword line ("FrameSize 640 480" -> "640 480"); "" when absent.
std::string_view ItemValue(const Document &document, const ItemDecl &item, const std::string &keyword)
{
    const size_t line = item.KeywordLine(keyword);
    return line == kNoLine ? std::string_view() : Trimmed(AfterFirstWord(document.Text(line)));
}

bool PositiveSize(std::string_view text, int &w, int &h)
{
    const std::vector<std::string_view> words = Words(text);
    long long a = 0, b = 0;
    if (words.size() < 2 || !ParseInteger(words[0], a) || !ParseInteger(words[1], b) || a < 1 || b < 1 ||
        a > 1000000 || b > 1000000)
        return false;
    w = static_cast<int>(a);
    h = static_cast<int>(b);
    return true;
}

bool FiniteNumber(std::string_view text, double &value)
{
    double number = 0;
    if (!ParseNumber(FirstWord(text), number) || !std::isfinite(number))
        return false;
    value = number;
    return true;
}

bool IntegerValue(std::string_view text, int &value)
{
    long long number = 0;
    if (!ParseInteger(FirstWord(text), number) || number < -2147483647LL || number > 2147483647LL)
        return false;
    value = static_cast<int>(number);
    return true;
}

// Layout never writes an item that is its own ancestor, but a file edited by hand may: the link
// that closes a loop is dropped, so that whoever walks up the parents gets to the top.
void BreakParentCycles(const Document &document, const std::vector<std::uint32_t> &hostIds, Scene &scene,
                       Warnings &warnings)
{
    for (size_t i = 0; i < document.items.size(); ++i) {
        Item &item = *scene.Find(hostIds[i]);
        if (document.items[i].kind == DeclKind::Bone)
            continue;
        std::set<std::uint32_t> seen{item.id};
        for (const Item *up = scene.Find(item.parent); up;
             up = up->kind == ItemKind::Bone ? nullptr : scene.Find(up->parent)) {
            if (up->id == item.id) {
                warnings.push_back({document.items[i].parentLine, "the parent of " + item.name +
                                   " is its own child: it is left without a parent"});
                item.parent = 0;
                break;
            }
            if (!seen.insert(up->id).second)
                break; // a loop above this item, broken at one of its own items
        }
    }
}

} // namespace

void ReadTiming(const Document &document, Scene &scene, Warnings &warnings)
{
    auto integer = [&](const char *keyword, int &out) {
        const std::string_view text = document.SceneValue(keyword);
        if (!text.empty() && !IntegerValue(text, out))
            warnings.push_back({document.sceneKeywords.at(keyword), std::string(keyword) + " is not a whole number"});
    };
    double fps = 30.0; // Layout's default when the line is missing
    const std::string_view fpsText = document.SceneValue("FramesPerSecond");
    if (!fpsText.empty() && (!FiniteNumber(fpsText, fps) || !(fps > 0) || fps > 1e6)) {
        warnings.push_back({document.sceneKeywords.at("FramesPerSecond"), "FramesPerSecond is not a number above 0 (30 is taken)"});
        fps = 30.0;
    }
    scene.fps = fps;
    integer("FirstFrame", scene.frameStart);
    integer("LastFrame", scene.frameEnd);
    integer("FrameStep", scene.frameStep);
    integer("PreviewFirstFrame", scene.previewStart);
    integer("PreviewLastFrame", scene.previewEnd);
    integer("PreviewFrameStep", scene.previewStep);
    int current = 0;
    integer("CurrentFrame", current);
    scene.time = current / fps;
}

std::vector<std::string> ItemNames(const Document &document)
{
    // Objects are named after their files; a file loaded again gives "Name (2)", "Name (3)".
    std::vector<std::string> names;
    std::map<std::string, int> objectNames;
    for (const ItemDecl &decl : document.items) {
        std::string name = decl.name;
        if (decl.kind == DeclKind::Object && ++objectNames[name] > 1)
            name += " (" + std::to_string(objectNames[name]) + ")";
        names.push_back(std::move(name));
    }
    return names;
}

Envelope CameraZoom(const Document &document, const ItemDecl &camera)
{
    const CameraLines lines = ReadCameraLines(document, camera);
    const auto zoom = camera.keywordEnvelopes.find("ZoomFactor");
    return lines.zoomEnvelope && zoom != camera.keywordEnvelopes.end() ? zoom->second.envelope
                                                                       : ConstantEnvelope(lines.zoom);
}

CameraLines ReadCameraLines(const Document &document, const ItemDecl &camera)
{
    CameraLines lines;
    PositiveSize(ItemValue(document, camera, "FrameSize"), lines.frameW, lines.frameH);
    FiniteNumber(ItemValue(document, camera, "ResolutionMultiplier"), lines.multiplier);
    FiniteNumber(ItemValue(document, camera, "PixelAspect"), lines.pixelAspect);
    FiniteNumber(ItemValue(document, camera, "ApertureHeight"), lines.apertureHeight);
    int useGlobal = 0;
    lines.useGlobal = IntegerValue(ItemValue(document, camera, "UseGlobalResolution"), useGlobal) && useGlobal != 0;
    // The frame size is the size the camera renders (its multiplier already applied): Layout's
    // samples write "ResolutionMultiplier .5" with "FrameSize 320 240" and a 640 x 480 mask.
    lines.renderW = lines.frameW;
    lines.renderH = lines.frameH;
    lines.renderPixelAspect = lines.pixelAspect;
    if (lines.useGlobal) {
        PositiveSize(document.SceneValue("GlobalFrameSize"), lines.renderW, lines.renderH);
        FiniteNumber(document.SceneValue("GlobalPixelAspect"), lines.renderPixelAspect);
    }
    const std::string_view zoom = ItemValue(document, camera, "ZoomFactor");
    lines.zoomEnvelope = Trimmed(zoom) == "(envelope)";
    if (!lines.zoomEnvelope)
        FiniteNumber(zoom, lines.zoom);
    return lines;
}

std::string MorphChannelName(const std::string &group, const std::string &form)
{
    if (form.size() > group.size() + 1 && form.compare(0, group.size(), group) == 0 && form[group.size()] == '.')
        return form.substr(group.size() + 1);
    return form;
}

bool ReadMorphMixer(const Document &document, const PluginBlock &plugin, MorphMixerData &data)
{
    data = MorphMixerData();
    size_t at = plugin.first + 1;
    long long total = 0, groups = 0;
    if (at + 1 >= plugin.end || !ParseInteger(Trimmed(document.Text(at)), total) ||
        !ParseInteger(Trimmed(document.Text(at + 1)), groups))
        return false;
    at += 2;
    Warnings warnings;
    while (at < plugin.end) {
        const std::string_view text = document.Text(at);
        if (!OpensBlock(text)) {
            ++at;
            continue;
        }
        const size_t close = BlockClose(document.lines, at, plugin.end);
        if (close == kNoLine)
            return false;
        const std::string_view token = BlockToken(text);
        if (token == "Group" && at + 2 < close) {
            long long members = 0;
            ParseInteger(Trimmed(document.Text(at + 1)), members);
            data.groups.emplace_back(Unquoted(document.Text(at + 2)), members);
        } else if (token == "MorfForm" && at + 2 <= close) {
            MorphForm form;
            form.name = Unquoted(document.Text(at + 1));
            for (size_t line = at + 2; line < close; ++line) {
                const std::string_view inner = document.Text(line);
                if (OpensBlock(inner) && BlockToken(inner) == "Envelope") {
                    form.hasEnvelope = ParseEnvelopeBlock(document.lines, line, close, form.envelope, warnings);
                    line = form.envelope.close;
                } else if (form.valueLine == kNoLine && !Trimmed(inner).empty()) {
                    form.valueLine = line;
                    FiniteNumber(Trimmed(inner), form.value);
                }
            }
            data.forms.push_back(std::move(form));
        }
        at = close + 1;
    }
    // Forms belong to the groups in order, each group taking its member count.
    size_t form = 0;
    for (const auto &[name, members] : data.groups)
        for (long long i = 0; i < members && form < data.forms.size(); ++i)
            data.forms[form++].group = name;
    for (; form < data.forms.size(); ++form)
        data.forms[form].group = data.groups.empty() ? "Miscellaneous" : data.groups.back().first;
    return true;
}

CameraLines ReadCamera(const Document &document, const ItemDecl &camera, Item &item)
{
    const CameraLines lines = ReadCameraLines(document, camera);
    item.resolutionW = lines.renderW;
    item.resolutionH = lines.renderH;
    item.resolutionMultiplier = lines.multiplier;
    item.pixelAspect = lines.renderPixelAspect;
    item.apertureHeight = lines.apertureHeight > 0 ? lines.apertureHeight : 0.015;
    item.zoom = CameraZoom(document, camera);
    return lines;
}

namespace {

// What a reading of one file shares between its steps: the file, what it gives, its warnings and
// the host identifier each of the file's items got.
struct SceneReading {
    const Document &document;
    SceneFromFile &result;
    Warnings &warnings;
    std::vector<std::uint32_t> hostIds;               // by the file's item index
    std::map<std::uint32_t, std::uint32_t> fileToHost; // the file's identifiers to the host's

    Scene &scene() { return result.scene; }
    Item &ItemAt(size_t index) { return *result.scene.Find(hostIds[index]); }
};

// Items, in the order of the file, with their own identifiers.
void ReadItems(SceneReading &r)
{
    const Document &document = r.document;
    r.hostIds.assign(document.items.size(), 0);
    const std::vector<std::string> names = ItemNames(document);
    for (size_t i = 0; i < document.items.size(); ++i) {
        const ItemDecl &decl = document.items[i];
        std::uint32_t id = decl.id;
        if (r.scene().Find(id)) {
            r.warnings.push_back({decl.first, "item identifier " + FormatItemId(id) +
                                 " is used twice: this item gets another one"});
            id = 0;
        }
        Item &item = r.scene().AddDeclaredItem(HostKind(decl.kind), names[i], id);
        item.source = i;
        item.fileName = decl.file;
        item.layer = decl.layer;
        if (decl.kind == DeclKind::Bone && decl.owner >= 0)
            item.parent = r.hostIds[static_cast<size_t>(decl.owner)];
        r.hostIds[i] = item.id;
    }
    for (size_t i = 0; i < document.items.size(); ++i)
        r.fileToHost.emplace(document.items[i].id, r.hostIds[i]);
}

// Parents (objects, lights and cameras; a bone stays with its object), loops broken.
void ReadParents(SceneReading &r)
{
    for (size_t i = 0; i < r.document.items.size(); ++i) {
        const ItemDecl &decl = r.document.items[i];
        Item &item = r.ItemAt(i);
        if (decl.kind != DeclKind::Bone && decl.parentLine != kNoLine) {
            const auto parent = r.fileToHost.find(decl.parentId);
            if (parent != r.fileToHost.end() && parent->second != item.id)
                item.parent = parent->second;
        }
    }
    BreakParentCycles(r.document, r.hostIds, r.scene(), r.warnings);
}

// Each item's motion channels with their envelopes, and the cameras' settings.
void ReadChannels(SceneReading &r)
{
    for (size_t i = 0; i < r.document.items.size(); ++i) {
        const ItemDecl &decl = r.document.items[i];
        Item &item = r.ItemAt(i);
        r.scene().AddMotionChannels(item);
        const std::vector<const Channel *> channels = r.scene().ChannelsIn(item.chanGroup);
        for (const ChannelSlot &slot : decl.channels)
            if (slot.number >= 0 && static_cast<size_t>(slot.number) < channels.size())
                r.scene().FindChannel(channels[static_cast<size_t>(slot.number)]->id)->envelope = slot.envelope.envelope;
        if (decl.kind == DeclKind::Camera)
            ReadCamera(r.document, decl, item);
    }
}

PluginToLoad ChannelHandlerToLoad(const Document &document, const HandlerBlock &handler, ChannelKey channel)
{
    PluginToLoad load;
    load.kind = PluginToLoad::Kind::ChannelHandler;
    load.server = handler.server;
    load.line = handler.open;
    load.channel = channel;
    load.data = document.HandlerData(handler);
    return load;
}

// One object's morph mixer: its forms as channels in their groups, with the channel handlers of
// their envelopes, and the morph maps they name.
void ReadMorphMixerChannels(SceneReading &r, const PluginBlock &plugin)
{
    MorphMixerData morphs;
    if (!ReadMorphMixer(r.document, plugin, morphs)) {
        r.warnings.push_back({plugin.first, "the morph mixer's data is not in the form Layout writes"});
        return;
    }
    Scene &scene = r.scene();
    Item &item = r.ItemAt(static_cast<size_t>(plugin.owner));
    std::map<std::string, ChannelKey> groups;
    for (const MorphForm &form : morphs.forms) {
        auto group = groups.find(form.group);
        if (group == groups.end())
            group = groups.emplace(form.group, scene.AddGroup(form.group, item.chanGroup).id).first;
        Channel &channel = scene.AddChannel(MorphChannelName(form.group, form.name), group->second);
        channel.envelope = form.hasEnvelope ? form.envelope.envelope : ConstantEnvelope(form.value);
        for (const HandlerBlock &handler : form.envelope.handlers) {
            if (handler.className != LWCHANNEL_HCLASS || handler.server.empty())
                continue;
            PluginToLoad load = ChannelHandlerToLoad(r.document, handler, channel.id);
            load.place.morph = true;
            r.result.plugins.push_back(std::move(load));
        }
        bool known = false;
        for (const auto &[type, name] : scene.vertexMaps)
            known = known || (type == LWVMAP_MORF && name == form.name);
        if (!known)
            scene.vertexMaps.emplace_back(LWVMAP_MORF, form.name);
    }
}

// Plug-ins: the scene's masters and image filters, and each object's morph mixer channels.
void ReadPlugins(SceneReading &r)
{
    std::set<long> itemsWithMixer;
    for (size_t p = 0; p < r.document.plugins.size(); ++p) {
        const PluginBlock &plugin = r.document.plugins[p];
        if (plugin.owner < 0 && (plugin.className == LWMASTER_HCLASS || plugin.className == LWIMAGEFILTER_HCLASS)) {
            PluginToLoad load;
            load.kind = plugin.className == LWMASTER_HCLASS ? PluginToLoad::Kind::Master
                                                            : PluginToLoad::Kind::ImageFilter;
            load.server = plugin.server;
            load.plugin = p;
            load.line = plugin.first;
            load.enabled = plugin.enabled;
            load.data = r.document.PluginData(plugin);
            r.result.plugins.push_back(std::move(load));
            continue;
        }
        if (plugin.owner < 0 || plugin.className != "DisplacementHandler" || plugin.server != "LW_MorphMixer")
            continue;
        // Layout has one morph mixer per object; further ones in a file are kept as they stand.
        if (!itemsWithMixer.insert(plugin.owner).second)
            r.warnings.push_back({plugin.first, "a second morph mixer on one item is kept as it is"});
        else
            ReadMorphMixerChannels(r, plugin);
    }
}

// Channel handlers inside the items' envelopes.
void ReadEnvelopeHandlers(SceneReading &r)
{
    for (size_t i = 0; i < r.document.items.size(); ++i) {
        const ItemDecl &decl = r.document.items[i];
        const std::vector<const Channel *> channels = r.scene().ChannelsIn(r.ItemAt(i).chanGroup);
        for (size_t s = 0; s < decl.channels.size(); ++s) {
            const ChannelSlot &slot = decl.channels[s];
            if (slot.number < 0 || static_cast<size_t>(slot.number) >= channels.size())
                continue;
            for (size_t h = 0; h < slot.envelope.handlers.size(); ++h) {
                const HandlerBlock &handler = slot.envelope.handlers[h];
                if (handler.className != LWCHANNEL_HCLASS || handler.server.empty())
                    continue;
                PluginToLoad load =
                    ChannelHandlerToLoad(r.document, handler, channels[static_cast<size_t>(slot.number)]->id);
                load.place.item = i;
                load.place.slot = s;
                load.place.handler = h;
                r.result.plugins.push_back(std::move(load));
            }
        }
    }
}

// The render camera and the current object.
void ReadCurrentItems(SceneReading &r)
{
    Scene &scene = r.scene();
    int currentCamera = 0, currentObject = -1;
    IntegerValue(r.document.SceneValue("CurrentCamera"), currentCamera);
    if (!IntegerValue(r.document.SceneValue("CurrentObject"), currentObject))
        currentObject = -1;
    const std::vector<const Item *> cameras = scene.ItemsOfKind(ItemKind::Camera);
    if (currentCamera >= 0 && static_cast<size_t>(currentCamera) < cameras.size())
        scene.renderCamera = cameras[static_cast<size_t>(currentCamera)]->id;
    const std::vector<const Item *> objects = scene.ItemsOfKind(ItemKind::Object);
    if (currentObject >= 0 && static_cast<size_t>(currentObject) < objects.size())
        scene.selection.push_back(objects[static_cast<size_t>(currentObject)]->id);
}

// Expressions and the channels they are attached to.
void ReadExpressions(SceneReading &r)
{
    for (const ExpressionLine &expression : r.document.expressions) {
        r.result.expressions.Define(expression.name, expression.text);
        for (const auto &[itemId, channelName] : expression.channels) {
            const auto host = r.fileToHost.find(itemId);
            const Item *item = host == r.fileToHost.end() ? nullptr : r.scene().Find(host->second);
            const Channel *channel = item ? FindItemChannel(r.scene(), *item, channelName) : nullptr;
            if (!channel) {
                r.warnings.push_back({expression.line, "the expression " + expression.name +
                                     " is attached to a channel the scene does not have (" + FormatItemId(itemId) +
                                     " " + channelName + ")"});
                continue;
            }
            r.result.expressions.Attach(channel->id, expression.name);
        }
    }
}

} // namespace

void ReadSceneFile(const Document &document, SceneFromFile &result, Warnings &warnings)
{
    result.scene.Clear();
    ReadTiming(document, result.scene, warnings);
    SceneReading reading{document, result, warnings, {}, {}};
    ReadItems(reading);
    ReadParents(reading);
    ReadChannels(reading);
    ReadPlugins(reading);
    ReadEnvelopeHandlers(reading);
    ReadCurrentItems(reading);
    ReadExpressions(reading);
}

} // namespace zkh::lwsc
