// session.h: running a session file: a scene and a list of host actions.
#ifndef ZKH_SESSION_H
#define ZKH_SESSION_H

#include "channel_plot.h"
#include "host.h"

#include <yaml-cpp/yaml.h>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace zkh {

// A mistake in the session file, with the place it was found.
class SessionError : public std::runtime_error {
public:
    SessionError(const YAML::Node &node, const std::string &message);
    SessionError(int line, int column, const std::string &message);
    int line, column; // 1-based; 0 when unknown
};

// What actions work on.
struct RunContext {
    Host &host;
    std::string outDir;
    std::string sessionDir;
    std::ostream &out;
    // A mistake found inside a host callback (a modal panel's steps): raised after the action.
    std::shared_ptr<SessionError> deferred;
    // The enabled tracks' frames of each channel's clip mixer, as its options panel last showed
    // them; channel_evaluate shades them in its plot.
    std::map<ChannelKey, std::vector<FrameSpan>> mixerTrackFrames;
    // A path the session writes: relative paths are taken inside the output folder.
    std::string OutPath(const std::string &path) const;
    // A path the session reads: relative paths are taken from the session file's folder, and
    // "$OUT/NAME" names a file in the output folder (one the session wrote).
    std::string InPath(const std::string &path) const;
};

// The prefix of a session path that names the output folder.
constexpr char kOutPrefix[] = "$OUT/";

using Action = std::function<void(RunContext &, const YAML::Node &value)>;

// A key of a map value, or a step of a list of steps: its name, what it takes (one line), and the
// keys or steps of its own value.
struct Key {
    std::string name;
    std::string help;
    std::vector<Key> keys = {};  // the value is a map (or a list of maps) with these keys
    std::vector<Key> steps = {}; // the value is a list of one-key maps, each key one of these
};

// What an action takes and does: `zkhost help` prints it, and a session is checked against it
// before it runs.
struct ActionSpec {
    std::string name;
    std::string value;   // the value, as written in a session ("a server name", "{view, png}")
    std::string summary; // what the action does, one line
    std::vector<Key> keys = {};
    std::vector<Key> steps = {};
    std::string serverClass = {}; // the value names a server of this class of the module
};

class ActionTable {
public:
    void Add(ActionSpec spec, Action action);
    // An older name of a registered action: a session may still use it, for the same action.
    void AddOldName(const std::string &oldName, const std::string &name);
    // Find and Spec take an action's name or one of its old names.
    const Action *Find(const std::string &name) const;
    const ActionSpec *Spec(const std::string &name) const;
    // Every action's name, in alphabetical order (old names are not listed).
    std::vector<std::string> Names() const;
    // Every old name, with the action's name it stands for.
    const std::map<std::string, std::string> &OldNames() const { return oldNames_; }

private:
    const std::pair<ActionSpec, Action> *Entry(const std::string &name) const;
    std::map<std::string, std::pair<ActionSpec, Action>> actions_;
    std::map<std::string, std::string> oldNames_;
};

// Every action a session can use.
ActionTable SessionActions();

// The actions, by what they act on. The scene: items, channels, time, selection, scene files.
void AddSceneActions(ActionTable &table);
// The module's servers in the scene: masters and image filters added, removed, copied, sent events.
void AddPluginActions(ActionTable &table);
// Commands sent, and the answers given to what the host asks the user (file requesters, colours).
void AddRequestActions(ActionTable &table);
// The host's environment (locale, services, code page, render node) and the session's printed lines.
void AddHostActions(ActionTable &table);
// The viewports: their gizmos drawn, and whether they ask for a redraw.
void AddViewportActions(ActionTable &table);
// Renders: the render camera, and a frame run through the scene's image filters.
void AddRenderActions(ActionTable &table);
// Actions of the timeline memo: its panel, its picture, its YAML file.
void AddMemoActions(ActionTable &table);
// The names actions had before they were all named thing_verb, each kept for its action.
void AddOldActionNames(ActionTable &table);

// Acting on classic panels: panel_set, panel_press, panel_close, panel_dump, panel_paint,
// modal_answer.
void AddPanelActions(ActionTable &table);
// The steps of a modal panel script, each a map with one key: set, press or close.
const std::vector<Key> &PanelSteps();
// Runs one step of a modal panel script; returns the modal result when the step closes the panel,
// else -1.
int RunPanelStep(Panel &panel, const YAML::Node &step);
// The entry of a popup whose text is `text`, from the entries the control was made with or, for
// a popup that lists them through its callbacks, from those; -1 when there is none.
int PopupEntry(PanelControl &popup, const std::string &text);

// A script answering a modal panel: the modal result. A SessionError it throws never reaches the
// module: the panel is cancelled and the error is raised once the action returns.
using ModalScript = std::function<int(Panel &panel)>;
// Queues the script for the next modal panel that opens.
void QueueModalScript(RunContext &context, ModalScript script);
// Runs `open` (an action that opens a modal panel) with the script queued for that panel; when no
// panel used it (the command was refused, the panel could not be made), the script is dropped so
// that it answers nothing else.
void WithModalScript(RunContext &context, ModalScript script, const std::function<void()> &open);

// The channel clip mixer: clip_mixer_apply, clip_mixer_copy, clip_mixer_options_edit, channel_evaluate.
void AddClipMixerActions(ActionTable &table);
// The morph consolidation command: morph_rig_build, morph_consolidate, expression_list, channel_list.
void AddMorphActions(ActionTable &table);

// Actions of the camera frames: frames created, edited and listed, their settings, ring queries.
void AddCameraFrameActions(ActionTable &table);
// Actions of the camera frames' panel and frame edit tool (called by AddCameraFrameActions).
void AddFramePanelActions(ActionTable &table);
// The camera frames' panel, once opened; raises SessionError when it never was.
Panel &FramePanelOf(RunContext &c, const YAML::Node &at);

// Reading helpers: each raises SessionError naming the field.
YAML::Node Need(const YAML::Node &map, const char *key, const std::string &what);
// A text: a value YAML reads as null, a number or true/false is refused with the way to quote it.
std::string ReadText(const YAML::Node &node, const std::string &what);
// A text or a number, as written (a control named by its identifier, 0x8015).
std::string ReadTextOrNumber(const YAML::Node &node, const std::string &what);
double ReadNumber(const YAML::Node &node, const std::string &what);
int ReadInt(const YAML::Node &node, const std::string &what);
bool ReadBool(const YAML::Node &node, const std::string &what);
// A viewport number of the scene.
int ReadViewport(RunContext &context, const YAML::Node &node, const std::string &what);
std::uint32_t ReadItem(RunContext &context, const YAML::Node &node, const std::string &what);

// The top-level keys of a session file, with those of its scene map.
const std::vector<Key> &SessionKeys();
// The kinds of scene items ({camera: NAME, ...}), each with the other keys its entry takes.
const std::vector<Key> &ItemKinds();

// Builds the scene from the session's "scene" map.
void BuildScene(Scene &scene, const YAML::Node &node);

// Runs a whole session file; the exit status of the runner. The module is modulePath when given,
// else the session's "module", else defaultModule.
int RunSession(const std::string &sessionPath, const std::string &outDir, const std::string &modulePath,
               const std::string &defaultModule, std::ostream &out, std::ostream &err);

} // namespace zkh

#endif
