// actions_cameraframe.cpp: the runner's actions for the camera frames (ZK:CameraFrame).
//
// Frames are created, edited and deleted through the master's panel, as the user does it. The
// scene-level settings are written into the master's block (through the module's door) and loaded
// into a new instance, as a scene file would carry them (the extra text and flag exist only there).
#include "filter_image.h"
#include "frame_door.h"
#include "image_files.h"
#include "lwsc/plugin_data.h"
#include "ring_peer.h"
#include "session.h"
#include "zktools/frame_panel_controls.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iomanip>
#include <iterator>
#include <stdexcept>

namespace zkh {

namespace {

constexpr char kServer[] = "ZK:CameraFrame";
constexpr double kPi = 3.14159265358979323846;

MasterInstance &NeedMaster(RunContext &c, const YAML::Node &where)
{
    MasterInstance *master = c.host.masters.Find(kServer);
    if (!master)
        throw SessionError(where, "no ZK:CameraFrame master in the scene (add it with master_add first)");
    return *master;
}

FrameSet SaveFrames(RunContext &c, const YAML::Node &where)
{
    NeedMaster(c, where);
    std::string error;
    FrameSet frames = SavedFrames(c.host, error);
    if (!frames)
        throw SessionError(where, error);
    return frames;
}

// Replaces the master instance by one loaded from the changed frames.
void LoadFrames(RunContext &c, const YAML::Node &where, const ZkDoorFrames &frames)
{
    std::string error;
    const std::vector<std::string> lines = FrameBlockLines(c.host, frames, error);
    if (lines.empty())
        throw SessionError(where, error);
    c.host.masters.Remove(kServer);
    MasterInstance *master = c.host.masters.Add(kServer);
    if (!master)
        throw SessionError(where, "cannot create the ZK:CameraFrame master again: " + c.host.messages.back());
    lwsc::PluginDataReader reader(std::vector<std::string_view>(lines.begin(), lines.end()));
    if (master->instFuncs.load)
        if (LWError refused = master->instFuncs.load(master->instance, reader.State()))
            throw SessionError(where, std::string("the ZK:CameraFrame master refused the frames: ") + refused);
}

void ReadColor(const YAML::Node &node, const std::string &what, double (&rgb)[3])
{
    if (!node.IsSequence() || node.size() != 3)
        throw SessionError(node, what + ": expected [red, green, blue] from 0 to 1");
    for (size_t i = 0; i < 3; ++i)
        rgb[i] = ReadNumber(node[i], what);
}

// The fields of a frame, as frame_create and frame_edit take them.
const std::vector<Key> kFrameFields = {
    {"name", "a text"},
    {"active", "true or false"},
    {"camera", "a camera's name"},
    {"position", "[x, y]: the frame centre's offset from the image centre, camera pixels"},
    {"width", "camera pixels (with aspect, or alone, the height follows)"},
    {"height", "camera pixels (the aspect follows)"},
    {"aspect", "width / height"},
    {"margin_percent", "[width %, height %]: the whole margin band"},
    {"color", "[red, green, blue] from 0 to 1"},
    {"transparency", "0 (opaque) to 1"},
    {"memo", "a text shown under the frame"},
    {"focal_length", "true: shows the camera's focal length under the frame"},
    {"rotation", "degrees"},
};

std::vector<Key> WithIndex(std::vector<Key> keys)
{
    keys.insert(keys.begin(), {"index", "the frame's number, from 0"});
    return keys;
}

void CheckFrameMap(const YAML::Node &v)
{
    if (!v.IsMap())
        throw SessionError(v, "frame: expected a map of frame fields");
}

// The panel's controls by their names in the module's list: a control's id is its place there.
int ControlId(const char *name)
{
    static const char *const kNames[] = {
#define ZK_FRAME_PANEL_NAME(id, text) text,
        ZK_FRAME_PANEL_CONTROLS(ZK_FRAME_PANEL_NAME)
#undef ZK_FRAME_PANEL_NAME
    };
    for (int id = 0; id < static_cast<int>(std::size(kNames)); ++id)
        if (std::strcmp(kNames[id], name) == 0)
            return id;
    throw std::logic_error(std::string("the camera frame panel has no control named ") + name);
}

enum CalcMode { kWidthHeight = 0, kWidthAspect = 1 };

// The master's panel, opened (or raised) as from Layout's master list.
Panel &OpenPanel(RunContext &c, const YAML::Node &where)
{
    NeedMaster(c, where);
    if (!c.host.masters.OpenOptions(kServer))
        throw SessionError(where, "cannot open the ZK:CameraFrame panel: " + c.host.messages.back());
    return FramePanelOf(c, where);
}

PanelControl &Field(Panel &panel, const char *name, const YAML::Node &where)
{
    PanelControl *control = PanelService::Find(panel, "#" + std::to_string(ControlId(name)));
    if (!control)
        throw SessionError(where, std::string("the ZK:CameraFrame panel has no control ") + name);
    return *control;
}

void Press(Panel &panel, const char *name, const YAML::Node &where) { PanelService::Fire(Field(panel, name, where)); }

void EnterInt(Panel &panel, const char *name, double value, const YAML::Node &where)
{
    PanelControl &control = Field(panel, name, where);
    PanelService::SetInt(control, static_cast<int>(std::lround(std::max(-2e9, std::min(2e9, value)))));
    PanelService::Fire(control);
}

void EnterFloat(Panel &panel, const char *name, double value, const YAML::Node &where)
{
    PanelControl &control = Field(panel, name, where);
    PanelService::SetFloat(control, value);
    PanelService::Fire(control);
}

void EnterText(Panel &panel, const char *name, const std::string &text, const YAML::Node &where)
{
    PanelControl &control = Field(panel, name, where);
    PanelService::SetText(control, text);
    PanelService::Fire(control);
}

int ByteOf(double component) { return static_cast<int>(std::lround(std::max(0.0, std::min(1.0, component)) * 255.0)); }

// Enters the fields given into the panel's fields of the current frame, in the panel's terms: the
// camera by its place in the camera popup, whole pixels, percentages, colour bytes, the size
// through the Frame Calc mode that keeps what was given.
void EnterFrameFields(RunContext &c, Panel &panel, const YAML::Node &v)
{
    CheckFrameMap(v);
    if (v["name"])
        EnterText(panel, "name", ReadText(v["name"], "name"), v["name"]);
    if (v["active"])
        EnterInt(panel, "active", ReadBool(v["active"], "active") ? 1 : 0, v["active"]);
    if (v["camera"]) {
        const std::uint32_t id = ReadItem(c, v["camera"], "camera");
        const auto cameras = c.host.scene.ItemsOfKind(ItemKind::Camera);
        const auto it = std::find_if(cameras.begin(), cameras.end(), [id](const Item *item) { return item->id == id; });
        if (it == cameras.end())
            throw SessionError(v["camera"], "camera: '" + v["camera"].Scalar() + "' is not a camera");
        EnterInt(panel, "camera", static_cast<double>(it - cameras.begin()), v["camera"]);
    }
    if (const YAML::Node p = v["position"]) {
        if (!p.IsSequence() || p.size() != 2)
            throw SessionError(p, "position: expected [x, y] in camera pixels from the image centre");
        EnterInt(panel, "position_x", ReadNumber(p[0], "position"), p);
        EnterInt(panel, "position_y", ReadNumber(p[1], "position"), p);
    }
    if (v["height"]) {
        const double height = ReadNumber(v["height"], "height");
        if (!(height > 0))
            throw SessionError(v["height"], "height: must be above 0");
        EnterInt(panel, "calc", kWidthHeight, v["height"]);
        if (v["width"])
            EnterInt(panel, "width", ReadNumber(v["width"], "width"), v["width"]);
        EnterInt(panel, "height", height, v["height"]);
    } else if (v["width"] || v["aspect"]) {
        EnterInt(panel, "calc", kWidthAspect, v);
        if (v["aspect"])
            EnterFloat(panel, "aspect", ReadNumber(v["aspect"], "aspect"), v["aspect"]);
        if (v["width"])
            EnterInt(panel, "width", ReadNumber(v["width"], "width"), v["width"]);
    }
    if (const YAML::Node m = v["margin_percent"]) {
        if (!m.IsSequence() || m.size() != 2)
            throw SessionError(m, "margin_percent: expected [width %, height %]");
        EnterFloat(panel, "margin_w_percent", ReadNumber(m[0], "margin_percent"), m);
        EnterFloat(panel, "margin_h_percent", ReadNumber(m[1], "margin_percent"), m);
    }
    if (v["color"]) {
        double rgb[3];
        ReadColor(v["color"], "color", rgb);
        PanelControl &control = Field(panel, "color", v["color"]);
        PanelService::SetVector(control, ByteOf(rgb[0]), ByteOf(rgb[1]), ByteOf(rgb[2]));
        PanelService::Fire(control);
    }
    if (v["transparency"])
        EnterFloat(panel, "transparency", ReadNumber(v["transparency"], "transparency") * 100.0, v["transparency"]);
    if (v["memo"])
        EnterText(panel, "memo", ReadText(v["memo"], "memo"), v["memo"]);
    if (v["focal_length"])
        EnterInt(panel, "focal_length", ReadBool(v["focal_length"], "focal_length") ? 1 : 0, v["focal_length"]);
    if (v["rotation"]) // the angle control holds radians
        EnterFloat(panel, "rotation", ReadNumber(v["rotation"], "rotation") * kPi / 180.0, v["rotation"]);
}

size_t ReadIndex(const YAML::Node &node, const FrameSet &s)
{
    const int index = ReadInt(node, "index");
    if (index < 0 || index >= s->count)
        throw SessionError(node, "index: no frame " + std::to_string(index) + " (there are " +
                                     std::to_string(s->count) + ")");
    return static_cast<size_t>(index);
}

void PrintFrames(RunContext &c, const FrameSet &s)
{
    c.out << "camera frames: " << s->count << (s->combined ? ", combined" : "") << "\n";
    for (int i = 0; i < s->count; ++i) {
        const ZkDoorFrame &f = s->frames[i];
        const Item *camera = c.host.scene.Find(f.camera);
        c.out << "  " << i << " \"" << f.name << "\"" << (f.active ? "" : " inactive") << " camera "
              << (camera ? camera->name : "(none)") << " at (" << f.posX << ", " << f.posY << ") " << f.width
              << " x " << f.width / f.aspect << " margins " << f.marginW * 100 << "% " << f.marginH * 100
              << "% rotation " << f.rotation * 180.0 / kPi << " color " << f.color[0] << " " << f.color[1] << " "
              << f.color[2] << " transparency " << f.transparency << (f.memo[0] ? " memo \"" + std::string(f.memo) + "\"" : "")
              << (f.focalLength ? " focal length" : "") << "\n";
    }
}

} // namespace

void AddCameraFrameActions(ActionTable &table)
{
    AddFramePanelActions(table);
    table.Add({"frame_create", "frame fields, or ~", "presses Create Frame in the frame panel, then enters the fields given", kFrameFields}, [](RunContext &c, const YAML::Node &v) {
        Panel &panel = OpenPanel(c, v);
        Press(panel, "create", v);
        if (v.IsMap())
            EnterFrameFields(c, panel, v);
    });
    table.Add({"frame_edit", "{index, frame fields}", "selects frame index in the frame panel and enters the fields given", WithIndex(kFrameFields)}, [](RunContext &c, const YAML::Node &v) {
        CheckFrameMap(v);
        const size_t index = ReadIndex(Need(v, "index", "frame_edit"), SaveFrames(c, v));
        Panel &panel = OpenPanel(c, v);
        EnterInt(panel, "frame", static_cast<double>(index), v["index"]);
        EnterFrameFields(c, panel, v);
    });
    table.Add({"frame_delete", "a frame index", "selects that frame and presses Delete Frame"}, [](RunContext &c, const YAML::Node &v) {
        const size_t index = ReadIndex(v, SaveFrames(c, v));
        Panel &panel = OpenPanel(c, v);
        EnterInt(panel, "frame", static_cast<double>(index), v);
        Press(panel, "delete", v);
    });
    table.Add({"frame_settings_set", "{combined, color, transparency, extra_text, extra_flag}",
               "the scene-level settings, written into the master's block and loaded into a new instance",
               {{"combined", "true: shading outside all frames"},
                {"color", "[red, green, blue] of that shading, 0 to 1"},
                {"transparency", "of that shading, 0 to 1"},
                {"extra_text", "the text reported on the ring"},
                {"extra_flag", "the flag reported on the ring"}}},
              [](RunContext &c, const YAML::Node &v) {
        FrameSet s = SaveFrames(c, v);
        if (!v.IsMap())
            throw SessionError(v, "frame_settings_set: expected a map (combined, color, transparency, extra_text, extra_flag)");
        if (v["combined"])
            s->combined = ReadBool(v["combined"], "combined") ? 1 : 0;
        if (v["color"])
            ReadColor(v["color"], "color", s->combinedColor);
        if (v["transparency"])
            s->combinedTransparency = ReadNumber(v["transparency"], "transparency");
        const std::string extraText = v["extra_text"] ? ReadText(v["extra_text"], "extra_text") : std::string();
        if (v["extra_text"])
            s->extraText = extraText.c_str();
        if (v["extra_flag"])
            s->extraFlag = ReadBool(v["extra_flag"], "extra_flag") ? 1 : 0;
        LoadFrames(c, v, *s);
    });
    table.Add({"frame_list", "~", "prints the frames as the master stores them"}, [](RunContext &c, const YAML::Node &v) { PrintFrames(c, SaveFrames(c, v)); });
    table.Add({"ring_query", "~", "asks the camera frames for their frames on the communication ring and prints the reply"}, [](RunContext &c, const YAML::Node &) {
        c.out << DescribeFrameQuery(QueryCameraFrames(c.host));
    });
}

} // namespace zkh
