// scene_reader.h: the host's scene from a scene file: timing, items, channels and their envelopes,
// cameras, morph mixer channels, expressions, and the plug-in blocks the host creates instances for.
#ifndef ZKH_LWSC_SCENE_READER_H
#define ZKH_LWSC_SCENE_READER_H

#include "document.h"
#include "expressions.h"
#include "scene.h"

#include <string>
#include <string_view>
#include <vector>

namespace zkh::lwsc {

// A plug-in block of a class the host creates instances of.
struct PluginToLoad {
    enum class Kind { Master, ImageFilter, ChannelHandler };
    Kind kind = Kind::Master;
    std::string server;
    size_t plugin = kNoLine;   // masters and image filters: index into the document's plug-ins
    HandlerPlace place;        // channel handlers
    ChannelKey channel = 0;    // channel handlers: the channel
    bool enabled = true;
    size_t line = 0;           // the block's first line
    std::vector<std::string_view> data; // the lines the instance's load callback reads
};

struct SceneFromFile {
    Scene scene;
    ExpressionTable expressions;
    std::vector<PluginToLoad> plugins; // in the order of the file
};

// Builds the host's scene from a parsed scene file. What cannot be taken (an item named twice, a
// channel an expression names that is not there) is added to warnings with its line.
void ReadSceneFile(const Document &document, SceneFromFile &result, Warnings &warnings);

// The morph mixer's data: its groups and forms, with the lines of each form's envelope.
struct MorphForm {
    std::string name;          // the morph map's name, as in the object file
    double value = 0.0;        // its value when it has no envelope
    size_t valueLine = kNoLine;
    bool hasEnvelope = false;
    EnvelopeBlock envelope;    // line numbers are those of the document
    std::string group;         // the group the form is in
};
struct MorphMixerData {
    std::vector<std::pair<std::string, long long>> groups; // name and member count
    std::vector<MorphForm> forms;
};
// Reads a morph mixer plug-in's data (LW_MorphMixer): count, group count, { Group } blocks and
// { MorfForm } blocks. False when the data is not in that form.
bool ReadMorphMixer(const Document &document, const PluginBlock &plugin, MorphMixerData &data);
// A morph's channel name under its group: the morph map's name without the group's "Group." prefix.
std::string MorphChannelName(const std::string &group, const std::string &form);

// A camera's render size from its lines and the scene's global resolution.
struct CameraLines {
    int frameW = 640, frameH = 480;  // FrameSize
    double multiplier = 1.0;         // ResolutionMultiplier
    double pixelAspect = 1.0;        // PixelAspect
    bool useGlobal = false;          // UseGlobalResolution 1
    int renderW = 640, renderH = 480;
    double renderPixelAspect = 1.0;
    double zoom = 3.2;               // ZoomFactor, when it has no envelope
    bool zoomEnvelope = false;
    double apertureHeight = 0.015;
};
CameraLines ReadCameraLines(const Document &document, const ItemDecl &camera);
// A camera's zoom factor: its envelope, or its one value.
Envelope CameraZoom(const Document &document, const ItemDecl &camera);
// What a camera's lines give the host's item: render size, multiplier, pixel aspect, aperture and
// zoom; the lines as read.
CameraLines ReadCamera(const Document &document, const ItemDecl &camera, Item &item);

// The scene's timing lines (range, step, preview, frames per second, current frame) into a scene.
void ReadTiming(const Document &document, Scene &scene, Warnings &warnings);
// The host's name of each item of the file, in order.
std::vector<std::string> ItemNames(const Document &document);

} // namespace zkh::lwsc

#endif
