// scene_writer.cpp: writing the host's scene into a scene file's lines.
//
// The writer compares the scene with what the file it came from holds (the file read again), and
// turns each difference into an edit of the file's lines: a line replaced, lines inserted next to
// related ones, a part deleted. Lines no edit touches are copied as they were. Regenerated parts
// (a plug-in's data, an envelope) keep each line that says the same as the original line.
#include "scene_writer.h"

#include "plugin_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <unordered_map>

namespace zkh::lwsc {

namespace {

// ---- the new scene

// A scene without items as LightWave 9.x writes LWSC 5; items, plug-ins and expressions are put
// into it as into any loaded file.
const char kNewScene[] = "LWSC\n"
                         "5\n"
                         "\n"
                         "RenderRangeType 0\n"
                         "FirstFrame 1\n"
                         "LastFrame 60\n"
                         "FrameStep 1\n"
                         "RenderRangeObject 0\n"
                         "RenderRangeArbitrary 1-60\n"
                         "PreviewFirstFrame 0\n"
                         "PreviewLastFrame 60\n"
                         "PreviewFrameStep 1\n"
                         "CurrentFrame 0\n"
                         "FramesPerSecond 30\n"
                         "ChangeScene 0\n"
                         "\n"
                         "AmbientColor 1 1 1\n"
                         "AmbientIntensity 0.05\n"
                         "DoubleSidedAreaLights 1\n"
                         "\n"
                         "GlobalFrameSize 640 480\n"
                         "GlobalMultiplier 1.0\n"
                         "GlobalFieldRendering 0\n"
                         "GlobalMotionBlur 0\n"
                         "GlobalMaskPosition 0 0 640 480\n"
                         "GlobalFilmHeight 0.015\n"
                         "GlobalPixelAspect 1\n"
                         "\n"
                         "Antialiasing 0\n"
                         "AntiAliasingLevel -1\n"
                         "ReconstructionFilter 0\n"
                         "AdaptiveSampling 0\n"
                         "\n"
                         "SolidBackdrop 1\n"
                         "BackdropColor 0 0 0\n"
                         "ZenithColor 0 0.1569 0.3137\n"
                         "SkyColor 0.4706 0.7059 0.9412\n"
                         "GroundColor 0.1961 0.1569 0.1176\n"
                         "NadirColor 0.3922 0.3137 0.2353\n"
                         "FogType 0\n"
                         "DitherIntensity 1\n"
                         "AnimatedDither 0\n"
                         "\n"
                         "RenderMode 2\n"
                         "RayTraceEffects 0\n"
                         "RayRecursionLimit 16\n"
                         "DataOverlayLabel  \n"
                         "SaveRGB 0\n"
                         "SaveAlpha 0\n"
                         "\n"
                         "ViewConfiguration 0\n"
                         "DefineView 0\n"
                         "ViewType 7\n"
                         "\n"
                         "GridNumber 80\n"
                         "GridSize 1\n"
                         "\n"
                         "CurrentObject 0\n"
                         "CurrentLight 0\n"
                         "CurrentCamera 0\n"
                         "GraphEditorData\n"
                         "{ GraphEd_Favorites\n"
                         "}\n"
                         "{ GE_Expression_Lib\n"
                         "  1\n"
                         "}\n"
                         "ImageEditorData\n"
                         "NumberOfClips 0\n";

// Scene keywords after the timing section, before which masters are not put.
const char *const kTimingKeywords[] = {"RenderRangeType", "FirstFrame", "LastFrame", "FrameStep",
                                       "RenderRangeObject", "RenderRangeArbitrary", "PreviewFirstFrame",
                                       "PreviewLastFrame", "PreviewFrameStep", "CurrentFrame", "FramesPerSecond",
                                       "ChangeScene", "AutoKeyFixedFrame"};

// Keywords that end an object's own lines after its bones: a new bone goes before the first.
const std::set<std::string_view> kObjectTailKeywords = {
    "ShadowOptions", "ExcludeLight", "UnseenByRays", "UnseenByCamera", "UnaffectedByFog", "MatteObject",
    "UseObjGI", "ObjGIBruteForceRays", "ObjGIRadiosityRays", "PolygonEdgeFlags", "NodeEdges", "Plugin"};

// ---- lines

std::string Indentation(std::string_view line) { return std::string(line.substr(0, IndentOf(line))); }

// Whether two lines say the same: the same words, numbers equal in value (as floats too, when
// floatValues: a plug-in's floats are written in the shortest form, Layout's in eight digits).
bool SameLine(std::string_view a, std::string_view b, bool floatValues)
{
    if (Trimmed(a) == Trimmed(b))
        return true;
    const std::vector<std::string_view> x = Words(a), y = Words(b);
    if (x.size() != y.size())
        return false;
    for (size_t i = 0; i < x.size(); ++i) {
        if (x[i] == y[i])
            continue;
        double u = 0, v = 0;
        if (!ParseNumber(x[i], u) || !ParseNumber(y[i], v))
            return false;
        if (u == v)
            continue;
        if (!floatValues || !std::isfinite(u) || !std::isfinite(v) || std::fabs(u) > 3.4e38 || std::fabs(v) > 3.4e38 ||
            static_cast<float>(u) != static_cast<float>(v))
            return false;
    }
    return true;
}

// A line the writer makes: its text and its end.
struct MadeLine {
    std::string text;
    std::string end;
};

struct Edit {
    size_t first = 0; // the lines [first, last) are replaced; an insertion when first == last
    size_t last = 0;
    std::vector<MadeLine> lines;
    size_t order = 0;
};

// The line that opens an item's motion block.
const char *MotionKeyword(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Light: return "LightMotion";
    case ItemKind::Camera: return "CameraMotion";
    case ItemKind::Bone: return "BoneMotion";
    case ItemKind::Object: break;
    }
    return "ObjectMotion";
}

class Writer {
public:
    Writer(const Document &document, const SceneToSave &save, std::vector<std::string> &messages)
        : doc_(document), save_(save), scene_(*save.scene), messages_(messages)
    {
        for (const Item &item : scene_.Items())
            if (item.kind == ItemKind::Bone)
                bones_[item.parent].push_back(&item);
        for (size_t i = 0; i < doc_.items.size(); ++i)
            firstDeclOfId_.emplace(doc_.items[i].id, i);
    }

    std::string Run();

private:
    // ---- edits
    MadeLine NewLine(std::string text) const { return MadeLine{std::move(text), doc_.lineEnd}; }
    void Replace(size_t first, size_t last, std::vector<MadeLine> lines)
    {
        edits_.push_back({first, last, std::move(lines), order_++});
    }
    void Insert(size_t at, const std::vector<std::string> &lines)
    {
        std::vector<MadeLine> made;
        for (const std::string &line : lines)
            made.push_back(NewLine(line));
        Replace(at, at, std::move(made));
    }
    void Delete(size_t first, size_t last) { Replace(first, last, {}); }
    void ReplaceLine(size_t line, std::string text)
    {
        Replace(line, line + 1, {MadeLine{std::move(text), std::string(doc_.lines.End(line))}});
    }
    // Replaces [first, last) with fresh lines, keeping the original of each line that says the same
    // (a common beginning and end are kept).
    void ReplaceMerged(size_t first, size_t last, const std::vector<std::string> &fresh, bool floatValues);
    std::string Apply() const;

    // ---- parts
    void Timing();
    void Items();
    void ExistingItem(const Item &item, const ItemDecl &decl, const std::string &name);
    // The parent the reader made of the item's ParentItem line (the first item declared with that
    // identifier, none when no item has it or when it is the item itself): a parent still the same
    // leaves the line as it stands.
    std::uint32_t ParentAsRead(const Item &item, const ItemDecl &decl) const
    {
        if (decl.parentLine == kNoLine)
            return 0;
        const auto found = firstDeclOfId_.find(decl.parentId);
        const Item *parent = found == firstDeclOfId_.end() ? nullptr : sceneBySource_[found->second];
        return parent && parent->id != item.id ? parent->id : 0;
    }
    void ItemChannels(const Item &item, const ItemDecl &decl);
    void Camera(const Item &item, const ItemDecl &decl);
    void MorphMixer(const Item &item, const ItemDecl &decl);
    void NewItems();
    void ScenePlugins();
    bool PluginRemoved(size_t plugin) const;
    int RenumberPlugins(const std::vector<size_t> &blocks);
    size_t NewPluginPlace(PluginToLoad::Kind kind, const std::vector<size_t> &blocks) const;
    void CurrentItems();
    void Expressions();

    // ---- text of new parts
    std::string Number(double value) const
    {
        if (!style_)
            style_ = DetectNumberStyle(doc_);
        return FormatNumber(value, *style_);
    }
    std::string Id(std::uint32_t id) const { return FormatItemId(id); }
    std::vector<std::string> EnvelopeLines(const lwsc::Envelope &envelope, const std::string &indent,
                                           const std::vector<const PluginToSave *> &handlers) const;
    std::vector<std::string> EnvelopeBody(const lwsc::Envelope &envelope, const std::string &indent) const;
    std::vector<std::string> HandlerLines(const PluginToSave &handler, const std::string &indent) const;
    std::vector<std::string> ItemLines(const Item &item) const;
    void ItemOpeningLines(const Item &item, std::vector<std::string> &lines) const;
    void ItemClosingLines(const Item &item, std::vector<std::string> &lines) const;
    std::vector<std::string> MorphMixerLines(const Item &item, const std::string &indent, bool withPlugin) const;
    std::vector<std::string> PluginLines(const PluginToSave &plugin, int index) const;
    std::vector<const PluginToSave *> NewHandlersOf(ChannelKey channel) const;
    std::vector<const PluginToSave *> MorphHandlersOf(ChannelKey channel) const;
    std::vector<const Channel *> MorphChannels(const Item &item, std::vector<std::string> &groups) const;

    // ---- identifiers as written
    void NumberItems();
    std::uint32_t OutputId(std::uint32_t hostId) const
    {
        const auto found = outputIds_.find(hostId);
        return found == outputIds_.end() ? hostId : found->second;
    }
    size_t InsertionPoint(ItemKind kind, const Item &item) const;
    // The bones of an object, in the scene's order (an index, as a scene may hold many thousands).
    const std::vector<const Item *> &BonesOf(std::uint32_t object) const
    {
        static const std::vector<const Item *> none;
        const auto found = bones_.find(object);
        return found == bones_.end() ? none : found->second;
    }
    size_t SectionLine(std::initializer_list<const char *> keywords) const;

    const Document &doc_;
    const SceneToSave &save_;
    const Scene &scene_;
    std::vector<std::string> &messages_;
    std::unordered_map<std::uint32_t, std::vector<const Item *>> bones_;
    std::unordered_map<std::uint32_t, size_t> firstDeclOfId_; // the file's identifiers: their first declaration
    std::vector<const Item *> sceneBySource_; // the scene's item of each declaration, or null when removed
    mutable std::optional<NumberStyle> style_; // the file's number style, found when a number is written
    std::map<std::uint32_t, std::uint32_t> outputIds_;
    std::vector<Edit> edits_;
    size_t order_ = 0;
};

void Writer::ReplaceMerged(size_t first, size_t last, const std::vector<std::string> &fresh, bool floatValues)
{
    size_t head = 0;
    while (head < fresh.size() && first + head < last && SameLine(doc_.Text(first + head), fresh[head], floatValues))
        ++head;
    size_t tail = 0;
    while (tail < fresh.size() - head && first + head + tail < last &&
           SameLine(doc_.Text(last - 1 - tail), fresh[fresh.size() - 1 - tail], floatValues))
        ++tail;
    if (head == fresh.size() && first + head == last)
        return; // nothing changed
    std::vector<MadeLine> middle;
    for (size_t i = head; i < fresh.size() - tail; ++i)
        middle.push_back(NewLine(fresh[i]));
    Replace(first + head, last - tail, std::move(middle));
}

std::string Writer::Apply() const
{
    std::vector<const Edit *> edits;
    for (const Edit &edit : edits_)
        edits.push_back(&edit);
    std::stable_sort(edits.begin(), edits.end(), [](const Edit *a, const Edit *b) {
        if (a->first != b->first)
            return a->first < b->first;
        const bool ai = a->first == a->last, bi = b->first == b->last;
        if (ai != bi)
            return ai; // insertions before a replacement at the same line
        return a->order < b->order;
    });
    std::string out;
    out.reserve(doc_.lines.Bytes().size() + 1024);
    bool endless = false; // the line written last has no end
    auto emit = [&](std::string_view text, std::string_view end) {
        if (endless)
            out += doc_.lineEnd; // a last line without an end gets one when lines follow it
        out += text;
        out += end;
        endless = end.empty();
    };
    size_t next = 0;
    size_t line = 0;
    while (line < doc_.lines.size() || next < edits.size()) {
        bool replaced = false;
        while (next < edits.size() && edits[next]->first <= line) {
            const Edit &edit = *edits[next++];
            if (edit.first < line)
                continue; // overlaps an edit already made: the writer never makes such edits
            for (const MadeLine &made : edit.lines)
                emit(made.text, made.end);
            if (edit.last > edit.first) {
                line = edit.last;
                replaced = true;
                break;
            }
        }
        if (replaced)
            continue;
        if (line >= doc_.lines.size())
            break;
        // The lines up to the next edit, as they are.
        const size_t stop = next < edits.size() ? std::min(edits[next]->first, doc_.lines.size()) : doc_.lines.size();
        const size_t last = std::max(stop, line + 1);
        if (endless)
            out += doc_.lineEnd;
        out += doc_.lines.Range(line, last);
        endless = doc_.lines.End(last - 1).empty();
        line = last;
    }
    while (next < edits.size()) {
        for (const MadeLine &made : edits[next]->lines)
            emit(made.text, made.end);
        ++next;
    }
    return out;
}

// ---- timing

void Writer::Timing()
{
    // What the file says now.
    Scene before;
    Warnings ignored;
    ReadTiming(doc_, before, ignored);
    auto integer = [&](const char *keyword, int value, int old) {
        if (value == old)
            return;
        const auto found = doc_.sceneKeywords.find(keyword);
        if (found != doc_.sceneKeywords.end()) {
            ReplaceLine(found->second, Indentation(doc_.Text(found->second)) + keyword + " " + std::to_string(value));
            return;
        }
        Insert(SectionLine({"FramesPerSecond", "CurrentFrame", "PreviewFrameStep", "FrameStep"}) + 1,
               {std::string(keyword) + " " + std::to_string(value)});
    };
    integer("FirstFrame", scene_.frameStart, before.frameStart);
    integer("LastFrame", scene_.frameEnd, before.frameEnd);
    integer("FrameStep", scene_.frameStep, before.frameStep);
    integer("PreviewFirstFrame", scene_.previewStart, before.previewStart);
    integer("PreviewLastFrame", scene_.previewEnd, before.previewEnd);
    integer("PreviewFrameStep", scene_.previewStep, before.previewStep);
    // The file keeps the current frame: a time between frames goes to the nearest one.
    const double frame = std::isfinite(scene_.time * scene_.fps) ? std::floor(scene_.time * scene_.fps + 0.5) : 0.0;
    const int current = frame > 2147483647.0 ? 2147483647 : frame < -2147483647.0 ? -2147483647 : static_cast<int>(frame);
    integer("CurrentFrame", current, static_cast<int>(std::floor(before.time * before.fps + 0.5)));
    if (scene_.fps != before.fps && std::isfinite(scene_.fps) && scene_.fps > 0) {
        const auto found = doc_.sceneKeywords.find("FramesPerSecond");
        const std::string text = "FramesPerSecond " + FormatDouble(scene_.fps);
        if (found != doc_.sceneKeywords.end())
            ReplaceLine(found->second, text);
        else
            Insert(SectionLine({"CurrentFrame", "PreviewFrameStep", "FrameStep"}) + 1, {text});
    }
}

size_t Writer::SectionLine(std::initializer_list<const char *> keywords) const
{
    for (const char *keyword : keywords) {
        const auto found = doc_.sceneKeywords.find(keyword);
        if (found != doc_.sceneKeywords.end())
            return found->second;
    }
    return 1; // after the version line
}

// ---- items

void Writer::NumberItems()
{
    // Files of version 4 and later write each item's identifier; in version 3 it is the item's
    // position among those of its kind (bones: among their object's bones).
    for (const Item &item : scene_.Items())
        outputIds_[item.id] = item.id;
    if (doc_.version >= 4)
        return;
    std::uint32_t objects = 0, lights = 0, cameras = 0;
    std::map<std::uint32_t, std::uint32_t> bones; // output object id -> bones so far
    auto number = [&](const Item &item) {
        switch (item.kind) {
        case ItemKind::Object: outputIds_[item.id] = PositionalId(DeclKind::Object, objects++, 0); break;
        case ItemKind::Light: outputIds_[item.id] = PositionalId(DeclKind::Light, lights++, 0); break;
        case ItemKind::Camera: outputIds_[item.id] = PositionalId(DeclKind::Camera, cameras++, 0); break;
        case ItemKind::Bone: {
            const std::uint32_t object = OutputId(item.parent);
            outputIds_[item.id] = PositionalId(DeclKind::Bone, bones[object]++, object & 0xFFFFu);
            break;
        }
        }
    };
    // The file's items in their order, then the new ones, which go after the last of their kind.
    for (const Item *item : sceneBySource_)
        if (item && item->kind != ItemKind::Bone)
            number(*item);
    for (const Item &item : scene_.Items())
        if (item.source >= doc_.items.size() && item.kind != ItemKind::Bone)
            number(item);
    for (const Item *item : sceneBySource_)
        if (item && item->kind == ItemKind::Bone)
            number(*item);
    for (const Item &item : scene_.Items())
        if (item.source >= doc_.items.size() && item.kind == ItemKind::Bone)
            number(item);
}

void Writer::Items()
{
    const std::vector<std::string> names = ItemNames(doc_);
    for (const Item &item : scene_.Items())
        if (item.source < doc_.items.size() && !sceneBySource_[item.source])
            sceneBySource_[item.source] = &item;
    NumberItems();
    for (size_t i = 0; i < doc_.items.size(); ++i) {
        const ItemDecl &decl = doc_.items[i];
        const Item *item = sceneBySource_[i];
        if (!item) {
            Delete(decl.first, decl.end);
            continue;
        }
        ExistingItem(*item, decl, names[i]);
    }
    NewItems();
}

void Writer::ExistingItem(const Item &item, const ItemDecl &decl, const std::string &name)
{
    // The declaration: the identifier (version 4 and later), an object's file and layer, a null's name.
    const bool ids = doc_.version >= 4;
    const std::uint32_t id = OutputId(item.id);
    const bool isNull = item.kind == ItemKind::Object && item.fileName.empty();
    // A declaration whose identifier could not be read gets the one the item was given.
    bool declChanged = ids && (id != decl.id || !decl.idWritten);
    if (item.kind == ItemKind::Object)
        declChanged = declChanged || item.fileName != decl.file || item.layer != decl.layer ||
                      (isNull && item.name != name);
    if (declChanged) {
        const std::string idText = ids ? Id(id) + " " : std::string();
        std::string text;
        switch (item.kind) {
        case ItemKind::Object:
            text = isNull ? "AddNullObject " + idText + item.name
                          : "LoadObjectLayer " + std::to_string(item.layer) + " " + idText + item.fileName;
            break;
        case ItemKind::Light: text = "AddLight" + (ids ? " " + Id(id) : std::string()); break;
        case ItemKind::Camera: text = "AddCamera" + (ids ? " " + Id(id) : std::string()); break;
        case ItemKind::Bone: text = "AddBone" + (ids ? " " + Id(id) : std::string()); break;
        }
        ReplaceLine(decl.first, text);
    }
    // The name line of lights, cameras and bones.
    if (item.kind != ItemKind::Object && item.name != name) {
        const char *keyword = item.kind == ItemKind::Light ? "LightName" : item.kind == ItemKind::Camera ? "CameraName" : "BoneName";
        if (decl.nameLine != kNoLine)
            ReplaceLine(decl.nameLine, std::string(keyword) + " " + item.name);
        else
            Insert(decl.first + 1, {std::string(keyword) + " " + item.name});
    }
    // The parent of objects, lights and cameras, as the file names it.
    const std::uint32_t hostParent = item.parent != 0 && scene_.Find(item.parent) ? item.parent : 0;
    if (item.kind != ItemKind::Bone && hostParent != ParentAsRead(item, decl)) {
        const std::uint32_t parent = hostParent != 0 ? OutputId(hostParent) : 0;
        const bool written = decl.parentLine != kNoLine;
        if (parent == 0 && written) {
            Delete(decl.parentLine, decl.parentLine + 1);
        } else if (parent != 0 && (!written || parent != decl.parentId)) {
            if (written) {
                ReplaceLine(decl.parentLine, Indentation(doc_.Text(decl.parentLine)) + "ParentItem " + Id(parent));
            } else {
                size_t at = decl.first + 1;
                for (const ChannelSlot &slot : decl.channels)
                    at = std::max(at, slot.envelope.close + 1);
                Insert(at, {"ParentItem " + Id(parent)});
            }
        }
    }
    ItemChannels(item, decl);
    if (item.kind == ItemKind::Camera)
        Camera(item, decl);
    if (item.kind == ItemKind::Object)
        MorphMixer(item, decl);
}

std::vector<const PluginToSave *> Writer::NewHandlersOf(ChannelKey channel) const
{
    std::vector<const PluginToSave *> list;
    for (const PluginToSave &plugin : save_.plugins)
        if (plugin.kind == PluginToLoad::Kind::ChannelHandler && plugin.channel == channel &&
            plugin.place.item == kNoLine && !plugin.place.morph)
            list.push_back(&plugin);
    return list;
}

std::vector<const PluginToSave *> Writer::MorphHandlersOf(ChannelKey channel) const
{
    // A morph channel's handlers, new or read from its form, are written with the mixer's block.
    std::vector<const PluginToSave *> list;
    for (const PluginToSave &plugin : save_.plugins)
        if (plugin.kind == PluginToLoad::Kind::ChannelHandler && plugin.channel == channel &&
            (plugin.place.morph || plugin.place.item == kNoLine))
            list.push_back(&plugin);
    return list;
}

void Writer::ItemChannels(const Item &item, const ItemDecl &decl)
{
    const std::vector<const Channel *> channels = scene_.ChannelsIn(item.chanGroup);
    const size_t motion = item.kind == ItemKind::Camera ? 6 : 9;
    for (size_t s = 0; s < decl.channels.size(); ++s) {
        const ChannelSlot &slot = decl.channels[s];
        if (slot.number < 0 || static_cast<size_t>(slot.number) >= motion ||
            static_cast<size_t>(slot.number) >= channels.size())
            continue;
        const Channel &channel = *channels[static_cast<size_t>(slot.number)];
        const EnvelopeBlock &block = slot.envelope;
        const std::string indent = Indentation(doc_.Text(block.open)) + "  ";
        const Envelope &was = block.envelope;
        const bool same = was.pre == channel.envelope.pre && was.post == channel.envelope.post &&
                          was.keys.size() == channel.envelope.keys.size() &&
                          std::equal(was.keys.begin(), was.keys.end(), channel.envelope.keys.begin(),
                                     [](const EnvelopeKey &a, const EnvelopeKey &b) {
                                         return a.value == b.value && a.time == b.time && a.shape == b.shape &&
                                                std::equal(a.p, a.p + 6, b.p);
                                     });
        if (!same) {
            // The count, keys and behaviours; nested handler blocks stay where they are.
            size_t last = block.behaviorsLine != kNoLine ? block.behaviorsLine + 1
                          : block.handlers.empty()       ? block.close
                                                         : block.handlers.front().open;
            ReplaceMerged(block.open + 1, last, EnvelopeBody(channel.envelope, indent), false);
        }
        // Handlers loaded from this block: rewritten from their instance, or removed.
        for (size_t h = 0; h < block.handlers.size(); ++h) {
            const HandlerBlock &handler = block.handlers[h];
            const size_t itemIndex = static_cast<size_t>(&decl - doc_.items.data());
            bool removed = false;
            for (const HandlerPlace &place : save_.removedHandlers)
                removed = removed || (place.item == itemIndex && place.slot == s && place.handler == h);
            if (removed) {
                Delete(handler.open, handler.close + 1);
                continue;
            }
            for (const PluginToSave &plugin : save_.plugins)
                if (plugin.kind == PluginToLoad::Kind::ChannelHandler && plugin.place.item == itemIndex &&
                    plugin.place.slot == s && plugin.place.handler == h) {
                    const std::string inner = Indentation(doc_.Text(handler.open)) + "  ";
                    std::vector<std::string> fresh;
                    for (const std::string &line : plugin.data)
                        fresh.push_back(inner + line);
                    const size_t first = handler.server.empty() ? handler.open + 1 : handler.open + 2;
                    ReplaceMerged(first, handler.close, fresh, true);
                }
        }
        // Handlers added since: after the envelope's last line.
        std::vector<std::string> added;
        for (const PluginToSave *plugin : NewHandlersOf(channel.id))
            for (const std::string &line : HandlerLines(*plugin, indent))
                added.push_back(line);
        if (!added.empty())
            Insert(block.close, added);
    }
}

void Writer::Camera(const Item &item, const ItemDecl &decl)
{
    auto keywordLine = [&](const char *keyword) { return decl.KeywordLine(keyword); };
    // Camera lines go before UseGlobalResolution (or at the item's end) when the file has none.
    auto set = [&](const char *keyword, const std::string &value) {
        const size_t line = keywordLine(keyword);
        const std::string text = std::string(keyword) + " " + value;
        if (line != kNoLine)
            ReplaceLine(line, Indentation(doc_.Text(line)) + text);
        else
            Insert(keywordLine("UseGlobalResolution") != kNoLine ? keywordLine("UseGlobalResolution") : decl.end, {text});
    };
    // What the file says now.
    Item before;
    const CameraLines lines = ReadCamera(doc_, decl, before);
    if (item.resolutionW != before.resolutionW || item.resolutionH != before.resolutionH) {
        set("FrameSize", std::to_string(item.resolutionW) + " " + std::to_string(item.resolutionH));
        if (lines.useGlobal)
            set("UseGlobalResolution", "0");
    }
    if (item.resolutionMultiplier != before.resolutionMultiplier)
        set("ResolutionMultiplier", FormatDouble(item.resolutionMultiplier));
    if (item.pixelAspect != before.pixelAspect)
        set("PixelAspect", FormatDouble(item.pixelAspect));
    if (item.apertureHeight != before.apertureHeight)
        set("ApertureHeight", FormatDouble(item.apertureHeight));
    const bool sameZoom = item.zoom.pre == before.zoom.pre && item.zoom.post == before.zoom.post &&
                          item.zoom.keys.size() == before.zoom.keys.size() &&
                          std::equal(item.zoom.keys.begin(), item.zoom.keys.end(), before.zoom.keys.begin(),
                                     [](const EnvelopeKey &a, const EnvelopeKey &b) {
                                         return a.value == b.value && a.time == b.time && a.shape == b.shape;
                                     });
    if (sameZoom)
        return;
    const size_t line = keywordLine("ZoomFactor");
    std::vector<std::string> fresh;
    if (item.zoom.keys.size() <= 1) {
        fresh.push_back("ZoomFactor " + Number(item.zoom.keys.empty() ? 0.0 : item.zoom.keys.front().value));
    } else {
        fresh.push_back("ZoomFactor (envelope)");
        for (const std::string &text : EnvelopeLines(item.zoom, "", {}))
            fresh.push_back(text);
    }
    if (line == kNoLine) {
        Insert(keywordLine("ResolutionMultiplier") != kNoLine ? keywordLine("ResolutionMultiplier") : decl.end, fresh);
        return;
    }
    const auto envelope = decl.keywordEnvelopes.find("ZoomFactor");
    const size_t last = envelope != decl.keywordEnvelopes.end() ? envelope->second.close + 1 : line + 1;
    ReplaceMerged(line, last, fresh, false);
}

std::vector<const Channel *> Writer::MorphChannels(const Item &item, std::vector<std::string> &groups) const
{
    // The channel groups below the object's own group (not its bones' groups) hold its morphs.
    std::vector<const Channel *> channels;
    std::set<ChannelKey> boneGroups;
    for (const Item *bone : BonesOf(item.id))
        boneGroups.insert(bone->chanGroup);
    for (const ChannelGroup *group = scene_.NextGroupIn(item.chanGroup, 0); group;
         group = scene_.NextGroupIn(item.chanGroup, group->id)) {
        if (boneGroups.count(group->id))
            continue;
        groups.push_back(group->name);
        for (const Channel *channel : scene_.ChannelsIn(group->id))
            channels.push_back(channel);
    }
    return channels;
}

std::vector<std::string> Writer::MorphMixerLines(const Item &item, const std::string &indent, bool withPlugin) const
{
    std::vector<std::string> groups;
    const std::vector<const Channel *> channels = MorphChannels(item, groups);
    std::vector<std::string> lines;
    if (withPlugin)
        lines.push_back("Plugin DisplacementHandler 1 LW_MorphMixer");
    lines.push_back(indent + std::to_string(channels.size()));
    lines.push_back(indent + std::to_string(groups.size()));
    for (const ChannelGroup *group = scene_.NextGroupIn(item.chanGroup, 0); group;
         group = scene_.NextGroupIn(item.chanGroup, group->id)) {
        if (std::find(groups.begin(), groups.end(), group->name) == groups.end())
            continue;
        lines.push_back(indent + "{ Group");
        lines.push_back(indent + "  " + std::to_string(scene_.ChannelsIn(group->id).size()));
        lines.push_back(indent + "  \"" + group->name + "\"");
        lines.push_back(indent + "}");
    }
    for (const Channel *channel : channels) {
        const ChannelGroup *group = scene_.FindGroup(channel->group);
        // The form keeps the morph map's name: "Group.Name" unless the map is named as the channel.
        std::string form = group ? group->name + "." + channel->name : channel->name;
        for (const auto &[type, name] : scene_.vertexMaps)
            if (type == LWVMAP_MORF && group && MorphChannelName(group->name, name) == channel->name &&
                (name == channel->name || name == form))
                form = name;
        lines.push_back(indent + "{ MorfForm");
        lines.push_back(indent + "  \"" + form + "\"");
        const std::vector<const PluginToSave *> handlers = MorphHandlersOf(channel->id);
        if (channel->envelope.keys.size() <= 1 && handlers.empty()) {
            lines.push_back(indent + "  " + Number(channel->envelope.keys.empty() ? 0.0 : channel->envelope.keys.front().value));
        } else {
            lines.push_back(indent + "  " + Number(channel->envelope.keys.empty() ? 0.0 : channel->envelope.keys.front().value));
            for (const std::string &text : EnvelopeLines(channel->envelope, indent + "  ", handlers))
                lines.push_back(text);
        }
        lines.push_back(indent + "}");
    }
    if (withPlugin)
        lines.push_back("EndPlugin");
    return lines;
}

void Writer::MorphMixer(const Item &item, const ItemDecl &decl)
{
    std::vector<std::string> groups;
    const std::vector<const Channel *> channels = MorphChannels(item, groups);
    const size_t itemIndex = static_cast<size_t>(&decl - doc_.items.data());
    const PluginBlock *mixer = nullptr;
    for (const PluginBlock &plugin : doc_.plugins)
        if (plugin.owner == static_cast<long>(itemIndex) && plugin.className == "DisplacementHandler" &&
            plugin.server == "LW_MorphMixer") {
            mixer = &plugin; // the first: the reader takes the object's morphs from it alone
            break;
        }
    if (!mixer) {
        if (channels.empty())
            return;
        // Before the object's own closing lines (its shadow options), after its bones.
        size_t at = decl.end;
        for (size_t line = decl.first + 1; line < decl.end; ++line)
            if (FirstWord(doc_.Text(line)) == "ShadowOptions") {
                at = line;
                break;
            }
        Insert(at, MorphMixerLines(item, "", true));
        return;
    }
    // Rewritten when the morphs say something else than the block: the block read again is the baseline.
    MorphMixerData data;
    const bool readable = ReadMorphMixer(doc_, *mixer, data);
    bool same = readable && data.forms.size() == channels.size();
    for (size_t i = 0; same && i < channels.size(); ++i) {
        const MorphForm &form = data.forms[i];
        const Channel &channel = *channels[i];
        const ChannelGroup *group = scene_.FindGroup(channel.group);
        const Envelope was = form.hasEnvelope ? form.envelope.envelope : ConstantEnvelope(form.value);
        same = group && group->name == form.group && MorphChannelName(form.group, form.name) == channel.name &&
               MorphHandlersOf(channel.id).empty() && form.envelope.handlers.empty() && was.pre == channel.envelope.pre &&
               was.post == channel.envelope.post && was.keys.size() == channel.envelope.keys.size() &&
               std::equal(was.keys.begin(), was.keys.end(), channel.envelope.keys.begin(),
                          [](const EnvelopeKey &a, const EnvelopeKey &b) {
                              return a.value == b.value && a.time == b.time && a.shape == b.shape;
                          });
    }
    if (same)
        return;
    if (!readable) {
        messages_.push_back("the morph mixer of " + item.name + " is not in the form Layout writes and is kept as it was");
        return;
    }
    ReplaceMerged(mixer->first + 1, mixer->end, MorphMixerLines(item, "", false), false);
}

size_t Writer::InsertionPoint(ItemKind kind, const Item &item) const
{
    auto lastEnd = [&](std::initializer_list<DeclKind> kinds) {
        size_t at = kNoLine;
        for (size_t i = 0; i < doc_.items.size(); ++i)
            if (std::find(kinds.begin(), kinds.end(), doc_.items[i].kind) != kinds.end())
                at = doc_.items[i].end;
        return at;
    };
    auto firstOf = [&](std::initializer_list<DeclKind> kinds) {
        for (const ItemDecl &decl : doc_.items)
            if (std::find(kinds.begin(), kinds.end(), decl.kind) != kinds.end())
                return decl.first;
        return kNoLine;
    };
    auto keywordLine = [&](std::initializer_list<const char *> keywords) {
        size_t at = kNoLine;
        for (const char *keyword : keywords) {
            const auto found = doc_.sceneKeywords.find(keyword);
            if (found != doc_.sceneKeywords.end())
                at = std::min(at, found->second);
        }
        return at;
    };
    const size_t cameraSection = keywordLine({"GlobalFrameSize", "GlobalMultiplier", "Antialiasing", "AntiAliasingLevel",
                                              "SolidBackdrop", "BGImage", "BackdropColor", "FogType", "RenderMode",
                                              "ViewConfiguration", "CurrentObject", "GraphEditorData"});
    size_t at = kNoLine;
    switch (kind) {
    case ItemKind::Bone: {
        // After the object's last bone, before the object's own closing lines.
        const Item *object = scene_.Find(item.parent);
        if (object && object->source < doc_.items.size()) {
            const ItemDecl &decl = doc_.items[object->source];
            size_t familyEnd = decl.end, lastBone = decl.first;
            for (size_t i = object->source + 1; i < doc_.items.size() && doc_.items[i].kind == DeclKind::Bone; ++i) {
                familyEnd = doc_.items[i].end;
                lastBone = doc_.items[i].first;
            }
            for (size_t line = lastBone + 1; line < familyEnd; ++line)
                if (kObjectTailKeywords.count(FirstWord(doc_.Text(line))))
                    return line;
            return familyEnd;
        }
        at = lastEnd({DeclKind::Object, DeclKind::Null, DeclKind::Bone});
        break;
    }
    case ItemKind::Object:
        at = lastEnd({DeclKind::Object, DeclKind::Null, DeclKind::Bone});
        if (at == kNoLine)
            at = firstOf({DeclKind::Light, DeclKind::Camera});
        if (at == kNoLine)
            at = keywordLine({"AmbientColor", "AmbIntensity", "AmbientIntensity", "GlobalLightIntensity"});
        if (at == kNoLine)
            at = cameraSection;
        break;
    case ItemKind::Light:
        at = lastEnd({DeclKind::Light});
        if (at == kNoLine)
            at = firstOf({DeclKind::Camera});
        if (at == kNoLine)
            at = cameraSection;
        break;
    case ItemKind::Camera:
        at = lastEnd({DeclKind::Camera});
        if (at == kNoLine)
            at = cameraSection;
        break;
    }
    return at == kNoLine ? doc_.lines.size() : at;
}

void Writer::NewItems()
{
    // New objects first, each followed by its new bones; then lights and cameras.
    for (const ItemKind kind : {ItemKind::Object, ItemKind::Light, ItemKind::Camera}) {
        for (const Item &item : scene_.Items()) {
            if (item.kind != kind || item.source < doc_.items.size())
                continue;
            std::vector<std::string> lines = ItemLines(item);
            if (kind == ItemKind::Object) {
                // Its bones before its closing lines.
                std::vector<std::string> bones;
                for (const Item *bone : BonesOf(item.id))
                    if (bone->source >= doc_.items.size())
                        for (const std::string &line : ItemLines(*bone))
                            bones.push_back(line);
                const auto tail = std::find_if(lines.begin(), lines.end(), [](const std::string &line) {
                    return line.compare(0, 13, "ShadowOptions") == 0;
                });
                lines.insert(tail, bones.begin(), bones.end());
            }
            Insert(InsertionPoint(kind, item), lines);
        }
    }
    // New bones of objects the file has.
    for (const Item &item : scene_.Items()) {
        if (item.kind != ItemKind::Bone || item.source < doc_.items.size())
            continue;
        const Item *object = scene_.Find(item.parent);
        if (object && object->source >= doc_.items.size())
            continue; // written with its new object
        Insert(InsertionPoint(ItemKind::Bone, item), ItemLines(item));
    }
}

std::vector<std::string> Writer::EnvelopeBody(const Envelope &envelope, const std::string &indent) const
{
    std::vector<std::string> lines;
    lines.push_back(indent + std::to_string(envelope.keys.size()));
    for (const EnvelopeKey &key : envelope.keys) {
        std::string line = indent + "Key " + Number(key.value) + " " + Number(key.time) + " " + std::to_string(key.shape);
        for (double p : key.p)
            line += " " + Number(p);
        lines.push_back(line);
    }
    lines.push_back(indent + "Behaviors " + std::to_string(envelope.pre) + " " + std::to_string(envelope.post));
    return lines;
}

std::vector<std::string> Writer::HandlerLines(const PluginToSave &handler, const std::string &indent) const
{
    std::vector<std::string> lines;
    lines.push_back(indent + "{ ChannelHandler");
    lines.push_back(indent + "  \"" + handler.server + "\"");
    for (const std::string &line : handler.data)
        lines.push_back(indent + "  " + line);
    lines.push_back(indent + "}");
    return lines;
}

std::vector<std::string> Writer::EnvelopeLines(const Envelope &envelope, const std::string &indent,
                                               const std::vector<const PluginToSave *> &handlers) const
{
    std::vector<std::string> lines;
    lines.push_back(indent + "{ Envelope");
    for (const std::string &line : EnvelopeBody(envelope, indent + "  "))
        lines.push_back(line);
    for (const PluginToSave *handler : handlers)
        for (const std::string &line : HandlerLines(*handler, indent + "  "))
            lines.push_back(line);
    lines.push_back(indent + "}");
    return lines;
}

// The lines that add the item and name it, as Layout writes them for a new item.
void Writer::ItemOpeningLines(const Item &item, std::vector<std::string> &lines) const
{
    const bool ids = doc_.version >= 4;
    const std::string id = ids ? " " + Id(OutputId(item.id)) : std::string();
    switch (item.kind) {
    case ItemKind::Object:
        if (item.fileName.empty())
            lines.push_back("AddNullObject" + id + " " + item.name);
        else
            lines.push_back("LoadObjectLayer " + std::to_string(item.layer) + id + " " + item.fileName);
        lines.push_back("ShowObject 6 3");
        break;
    case ItemKind::Light:
        lines.push_back("AddLight" + id);
        lines.push_back("LightName " + item.name);
        lines.push_back("ShowLight 1 5");
        break;
    case ItemKind::Camera:
        lines.push_back("AddCamera" + id);
        lines.push_back("CameraName " + item.name);
        lines.push_back("ShowCamera 1 2");
        break;
    case ItemKind::Bone:
        lines.push_back("AddBone" + id);
        lines.push_back("BoneName " + item.name);
        lines.push_back("ShowBone 1 -1");
        lines.push_back("BoneActive 1");
        lines.push_back("BoneRestPosition 0 0 0");
        lines.push_back("BoneRestDirection 0 0 0");
        lines.push_back("BoneRestLength 1");
        break;
    }
}

// The lines after the motion: the morph mixer, light and camera settings Layout writes for a new item.
void Writer::ItemClosingLines(const Item &item, std::vector<std::string> &lines) const
{
    switch (item.kind) {
    case ItemKind::Object: {
        std::vector<std::string> groups;
        if (!MorphChannels(item, groups).empty())
            for (const std::string &line : MorphMixerLines(item, "", true))
                lines.push_back(line);
        lines.push_back("ShadowOptions 7");
        lines.push_back("");
        break;
    }
    case ItemKind::Light:
        lines.push_back("LightColor 1 1 1");
        lines.push_back("LightIntensity 1");
        lines.push_back("LightType 0");
        lines.push_back("ShadowType 1");
        lines.push_back("");
        break;
    case ItemKind::Camera:
        if (item.zoom.keys.size() <= 1) {
            lines.push_back("ZoomFactor " + Number(item.zoom.keys.empty() ? 0.0 : item.zoom.keys.front().value));
        } else {
            lines.push_back("ZoomFactor (envelope)");
            for (const std::string &line : EnvelopeLines(item.zoom, "", {}))
                lines.push_back(line);
        }
        lines.push_back("ResolutionMultiplier " + FormatDouble(item.resolutionMultiplier));
        lines.push_back("FrameSize " + std::to_string(item.resolutionW) + " " + std::to_string(item.resolutionH));
        lines.push_back("PixelAspect " + FormatDouble(item.pixelAspect));
        lines.push_back("ApertureHeight " + FormatDouble(item.apertureHeight));
        lines.push_back("UseGlobalResolution 0");
        lines.push_back("");
        break;
    case ItemKind::Bone: break;
    }
}

std::vector<std::string> Writer::ItemLines(const Item &item) const
{
    std::vector<std::string> lines;
    ItemOpeningLines(item, lines);
    const std::vector<const Channel *> channels = scene_.ChannelsIn(item.chanGroup);
    const size_t count = std::min<size_t>(channels.size(), item.kind == ItemKind::Camera ? 6 : 9);
    lines.push_back(MotionKeyword(item.kind));
    lines.push_back("NumChannels " + std::to_string(count));
    for (size_t i = 0; i < count; ++i) {
        lines.push_back("Channel " + std::to_string(i));
        for (const std::string &line : EnvelopeLines(channels[i]->envelope, "", NewHandlersOf(channels[i]->id)))
            lines.push_back(line);
    }
    if (item.kind != ItemKind::Bone && item.parent != 0 && scene_.Find(item.parent))
        lines.push_back("ParentItem " + Id(OutputId(item.parent)));
    ItemClosingLines(item, lines);
    return lines;
}

// ---- scene plug-ins

std::vector<std::string> Writer::PluginLines(const PluginToSave &plugin, int index) const
{
    std::vector<std::string> lines;
    lines.push_back("Plugin " + std::string(plugin.kind == PluginToLoad::Kind::Master ? LWMASTER_HCLASS : LWIMAGEFILTER_HCLASS) +
                    " " + std::to_string(index) + " " + plugin.server);
    for (const std::string &line : plugin.data)
        lines.push_back(line);
    lines.push_back("EndPlugin");
    return lines;
}

bool Writer::PluginRemoved(size_t plugin) const
{
    return std::find(save_.removedPlugins.begin(), save_.removedPlugins.end(), plugin) != save_.removedPlugins.end();
}

// The positions of a class's kept blocks counted again; gives the last.
int Writer::RenumberPlugins(const std::vector<size_t> &blocks)
{
    int position = 0;
    for (size_t p : blocks) {
        if (PluginRemoved(p))
            continue;
        const PluginBlock &block = doc_.plugins[p];
        if (block.index != ++position)
            ReplaceLine(block.first, "Plugin " + block.className + " " + std::to_string(position) + " " + block.server);
    }
    return position;
}

// Where new blocks of a class go: after the class's last block; masters otherwise after the timing
// section, filters after the pixel filters or the dither lines of the effects section.
size_t Writer::NewPluginPlace(PluginToLoad::Kind kind, const std::vector<size_t> &blocks) const
{
    const auto after = [](const PluginBlock &block) {
        return (block.enabledLine != kNoLine ? block.enabledLine : block.end) + 1;
    };
    if (!blocks.empty())
        return after(doc_.plugins[blocks.back()]);
    if (kind == PluginToLoad::Kind::Master) {
        size_t last = 1;
        for (const char *keyword : kTimingKeywords) {
            const auto found = doc_.sceneKeywords.find(keyword);
            if (found != doc_.sceneKeywords.end())
                last = std::max(last, found->second);
        }
        for (const PluginBlock &block : doc_.plugins)
            if (block.owner < 0 && block.first < (doc_.items.empty() ? doc_.lines.size() : doc_.items.front().first))
                last = std::max(last, after(block) - 1);
        return last + 1;
    }
    size_t at = kNoLine;
    for (const PluginBlock &block : doc_.plugins)
        if (block.owner < 0 && block.className == "PixelFilterHandler")
            at = after(block);
    if (at != kNoLine)
        return at;
    for (const char *keyword : {"AnimatedDither", "DitherIntensity"}) {
        const auto found = doc_.sceneKeywords.find(keyword);
        if (found != doc_.sceneKeywords.end())
            return found->second + 1;
    }
    const auto render = doc_.sceneKeywords.find("RenderMode");
    return render != doc_.sceneKeywords.end() ? render->second : doc_.lines.size();
}

void Writer::ScenePlugins()
{
    for (const char *className : {LWMASTER_HCLASS, LWIMAGEFILTER_HCLASS}) {
        const PluginToLoad::Kind kind =
            std::string(className) == LWMASTER_HCLASS ? PluginToLoad::Kind::Master : PluginToLoad::Kind::ImageFilter;
        // The file's blocks of this class at scene level, in order: kept, rewritten or removed.
        std::vector<size_t> blocks;
        for (size_t p = 0; p < doc_.plugins.size(); ++p)
            if (doc_.plugins[p].owner < 0 && doc_.plugins[p].className == className)
                blocks.push_back(p);
        bool changedList = false;
        int index = 0;
        for (size_t p : blocks) {
            const PluginBlock &block = doc_.plugins[p];
            if (PluginRemoved(p)) {
                Delete(block.first, (block.enabledLine != kNoLine ? block.enabledLine : block.end) + 1);
                changedList = true;
                continue;
            }
            ++index;
            for (const PluginToSave &plugin : save_.plugins)
                if (plugin.kind == kind && plugin.plugin == p)
                    ReplaceMerged(block.first + 1, block.end, plugin.data, true);
        }
        std::vector<const PluginToSave *> added;
        for (const PluginToSave &plugin : save_.plugins)
            if (plugin.kind == kind && plugin.plugin == kNoLine)
                added.push_back(&plugin);
        if (changedList || !added.empty())
            index = RenumberPlugins(blocks);
        if (added.empty())
            continue;
        std::vector<std::string> lines;
        for (const PluginToSave *plugin : added)
            for (const std::string &line : PluginLines(*plugin, ++index))
                lines.push_back(line);
        Insert(NewPluginPlace(kind, blocks), lines);
    }
}

// ---- current items

void Writer::CurrentItems()
{
    auto ordinal = [&](ItemKind kind, std::uint32_t id) {
        const std::vector<const Item *> items = scene_.ItemsOfKind(kind);
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i]->id == id)
                return static_cast<int>(i);
        return -1;
    };
    auto set = [&](const char *keyword, int value) {
        const auto found = doc_.sceneKeywords.find(keyword);
        int old = 0;
        if (found != doc_.sceneKeywords.end()) {
            long long number = 0;
            if (ParseInteger(Trimmed(AfterFirstWord(doc_.Text(found->second))), number))
                old = static_cast<int>(number);
        }
        if (value < 0 || value == old)
            return;
        if (found != doc_.sceneKeywords.end())
            ReplaceLine(found->second, std::string(keyword) + " " + std::to_string(value));
    };
    set("CurrentCamera", ordinal(ItemKind::Camera, scene_.RenderCamera()));
    for (std::uint32_t id : scene_.selection) {
        const Item *item = scene_.Find(id);
        if (item && item->kind == ItemKind::Object) {
            set("CurrentObject", ordinal(ItemKind::Object, id));
            break;
        }
    }
}

// ---- expressions

void Writer::Expressions()
{
    const ExpressionTable &table = *save_.expressions;
    // The expressions and the channels each is attached to, as the file names them (item, channel).
    using Attached = std::vector<std::pair<std::uint32_t, std::string>>;
    std::vector<std::tuple<std::string, std::string, Attached>> now;
    for (const Expression &expression : table.Expressions()) {
        Attached channels;
        for (ChannelKey id : table.ChannelsOf(expression.name)) {
            const Channel *channel = scene_.FindChannel(id);
            std::string name;
            if (const Item *owner = channel ? ChannelOwner(scene_, *channel, name) : nullptr)
                channels.emplace_back(OutputId(owner->id), name);
        }
        now.emplace_back(expression.name, expression.text, std::move(channels));
    }
    bool same = now.size() == doc_.expressions.size();
    for (size_t i = 0; same && i < now.size(); ++i)
        same = std::get<0>(now[i]) == doc_.expressions[i].name && std::get<1>(now[i]) == doc_.expressions[i].text &&
               std::get<2>(now[i]) == doc_.expressions[i].channels;
    if (same)
        return;
    std::vector<std::string> lines;
    lines.push_back("  1");
    for (const Expression &expression : table.Expressions()) {
        std::vector<std::string> channels;
        for (ChannelKey id : table.ChannelsOf(expression.name)) {
            const Channel *channel = scene_.FindChannel(id);
            std::string name;
            const Item *owner = channel ? ChannelOwner(scene_, *channel, name) : nullptr;
            if (!owner) {
                messages_.push_back("the expression " + expression.name + " is attached to a channel of no item: not saved");
                continue;
            }
            channels.push_back("  ExpressionChannel " + Id(OutputId(owner->id)) + " \"" + name + "\"");
        }
        lines.push_back("  Expression \"" + expression.name + "\" \"" + expression.text + "\" " +
                        std::to_string(channels.size()));
        lines.insert(lines.end(), channels.begin(), channels.end());
    }
    if (doc_.expressionLibOpen != kNoLine) {
        ReplaceMerged(doc_.expressionLibOpen + 1, doc_.expressionLibClose, lines, false);
        return;
    }
    // A file without an expression library gets the Graph Editor's block at its end (before the
    // image editor's lines of later versions).
    std::vector<std::string> block = {"GraphEditorData", "{ GraphEd_Favorites", "}", "{ GE_Expression_Lib"};
    block.insert(block.end(), lines.begin(), lines.end());
    block.push_back("}");
    const auto images = doc_.sceneKeywords.find("ImageEditorData");
    Insert(images != doc_.sceneKeywords.end() ? images->second : doc_.lines.size(), block);
}

std::string Writer::Run()
{
    sceneBySource_.assign(doc_.items.size(), nullptr);
    Timing();
    Items();
    ScenePlugins();
    CurrentItems();
    Expressions();
    return Apply();
}

} // namespace

const Document &NewSceneDocument()
{
    // Parsed once; never freed, as it lives as long as the program.
    static const Document *document = [] {
        auto *parsed = new Document;
        ParseError error;
        ParseDocument(kNewScene, *parsed, error);
        return parsed;
    }();
    return *document;
}

std::string WriteSceneFile(const Document *source, const SceneToSave &save, std::vector<std::string> &messages)
{
    Writer writer(source ? *source : NewSceneDocument(), save, messages);
    return writer.Run();
}

} // namespace zkh::lwsc
