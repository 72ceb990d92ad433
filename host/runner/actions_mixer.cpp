// actions_mixer.cpp: the runner's actions for the channel clip mixer: channel keys, applying the
// mixer to a channel, working its options panel, and evaluating the channel over frames.
#include "channel_plot.h"
#include "panel_lists.h"
#include "panel_picture.h"
#include "session.h"
#include "zktools/mixer_panel_controls.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zkh {

namespace {

const char kServer[] = "ZK:ChanClipMixer";

// The options panel's controls by their names in the module's list: a control's place in the
// panel is its place there.
constexpr const char *kControlNames[] = {
#define ZK_MIXER_PANEL_NAME(id, text) text,
    ZK_MIXER_PANEL_CONTROLS(ZK_MIXER_PANEL_NAME)
#undef ZK_MIXER_PANEL_NAME
};

size_t ControlIndex(const std::string &name)
{
    for (size_t index = 0; index < std::size(kControlNames); ++index)
        if (name == kControlNames[index])
            return index;
    throw std::logic_error("the clip mixer panel has no control named " + name);
}

// {item: NAME, channel: NAME}: a channel of an item's channel group.
ChannelKey ReadChannel(RunContext &c, const YAML::Node &value, const std::string &what)
{
    if (!value.IsMap())
        throw SessionError(value, what + ": expected a map with item and channel");
    const std::uint32_t itemId = ReadItem(c, Need(value, "item", what), what + " item");
    const std::string name = ReadText(Need(value, "channel", what), what + " channel");
    const Item *item = c.host.scene.Find(itemId);
    if (const Channel *channel = c.host.scene.ChannelNamed(item->chanGroup, name))
        return channel->id;
    throw SessionError(value["channel"], what + ": " + item->name + " has no channel named '" + name + "'");
}

ChannelModifier &MixerOn(RunContext &c, const YAML::Node &value, const std::string &what)
{
    const ChannelKey channel = ReadChannel(c, value, what);
    for (ChannelModifier *modifier : c.host.channelHandlers.Of(channel))
        if (modifier->server == kServer)
            return *modifier;
    throw SessionError(value, what + ": no clip mixer on that channel (use clip_mixer_apply first)");
}

PanelControl &Control(Panel &panel, const std::string &name, const YAML::Node &at)
{
    if (panel.controls.size() != std::size(kControlNames))
        throw SessionError(at, "the open panel is not the clip mixer's options panel");
    return *panel.controls[ControlIndex(name)];
}

void SetInt(Panel &panel, const std::string &name, const YAML::Node &node, const std::string &what)
{
    PanelControl &control = Control(panel, name, node);
    PanelService::SetInt(control, ReadInt(node, what));
    PanelService::Fire(control);
}

void SetText(Panel &panel, const std::string &name, const YAML::Node &node, const std::string &what)
{
    PanelControl &control = Control(panel, name, node);
    PanelService::SetText(control, ReadText(node, what));
    PanelService::Fire(control);
}

// {name:, step:, sequence:} or {enable:, in:, out:, repeat:, sequence:}, in the order given.
void SetFields(Panel &panel, const YAML::Node &fields, bool clip)
{
    const std::string what = clip ? "clip" : "track";
    if (!fields.IsMap())
        throw SessionError(fields, what + ": expected a map of fields");
    for (const auto &field : fields) {
        const std::string key = field.first.Scalar();
        const YAML::Node &v = field.second;
        if (clip && key == "name")
            SetText(panel, "clip_name", v, "clip name");
        else if (clip && key == "step")
            SetInt(panel, "clip_step", v, "clip step");
        else if (clip && key == "sequence")
            SetText(panel, "clip_sequence", v, "clip sequence");
        else if (!clip && key == "enable")
            SetInt(panel, "track_enable", v, "track enable");
        else if (!clip && key == "in")
            SetInt(panel, "track_in", v, "track in");
        else if (!clip && key == "out")
            SetInt(panel, "track_out", v, "track out");
        else if (!clip && key == "repeat")
            SetInt(panel, "track_repeat", v, "track repeat");
        else if (!clip && key == "sequence")
            SetText(panel, "track_sequence", v, "track sequence");
        else
            throw SessionError(field.first, what + ": unknown field '" + key + "'");
    }
}

void PressButton(Panel &panel, const YAML::Node &value, bool clips)
{
    const std::string name = ReadText(value, clips ? "clips" : "tracks");
    if (name != "add" && name != "delete" && name != "up" && name != "down")
        throw SessionError(value, "expected add, delete, up or down");
    PanelService::Fire(Control(panel, (clips ? "clip_" : "track_") + name, value));
}

// Clicks on rows: the titles first (clearing the selection), then each row given.
void SelectRows(Panel &panel, const YAML::Node &rows, bool clips)
{
    PanelControl &list = Control(panel, clips ? "clip_list" : "track_list", rows);
    ListSelect(list, -1, false);
    if (rows.IsScalar()) {
        ListSelect(list, ReadInt(rows, "select row"), true);
        return;
    }
    if (!rows.IsSequence())
        throw SessionError(rows, "select: expected a row number or a list of them");
    for (const YAML::Node &row : rows)
        ListSelect(list, ReadInt(row, "select row"), true);
}

void PrintLists(Panel &panel, std::ostream &out, const YAML::Node &at)
{
    for (const char *list : {"clip", "track"}) {
        out << list << "s:\n";
        for (const std::string &line : ListLines(Control(panel, list + std::string("_list"), at)))
            out << "  " << line << "\n";
    }
}

// The enabled tracks' frames, read from the track list's Enable, In and Out columns.
std::vector<FrameSpan> TrackFrames(const PanelControl &list)
{
    std::vector<FrameSpan> spans;
    const int rows = ListRowCount(list);
    for (int row = 0; row < rows; ++row) {
        const std::vector<std::string> cells = ListRow(list, row);
        if (cells.size() >= 3 && !cells[0].empty())
            spans.push_back({std::atoi(cells[1].c_str()), std::atoi(cells[2].c_str())});
    }
    return spans;
}

const std::vector<Key> kChannelKeys = {{"item", "the item's name"}, {"channel", "the channel's name (Position.Y, ...)"}};

// The steps of clip_mixer_options_edit; those of every modal panel (set, press, close) follow them.
std::vector<Key> MixerSteps()
{
    std::vector<Key> steps = {
        {"clips", "add, delete, up or down: presses that button under the clip list"},
        {"tracks", "add, delete, up or down: the same under the track list"},
        {"select_clips", "a row or a list of rows, from 0: clicks them in the clip list"},
        {"select_tracks", "the same in the track list"},
        {"clip", "{name, step, sequence}: types into the clip fields, in the order given",
         {{"name", "a text"}, {"step", "frames each number is held"}, {"sequence", "the numbers"}}},
        {"track", "{enable, in, out, repeat, sequence}: types into the track fields, in the order given",
         {{"enable", "1 on, 0 off"},
          {"in", "first frame"},
          {"out", "last frame"},
          {"repeat", "1 loops, 0 holds"},
          {"sequence", "clip names, NAME:COUNT repeats"}}},
        {"import", "a file (input), or ~ to cancel: File > Import"},
        {"export", "a file (output), or ~ to cancel: File > Export"},
        {"print_lists", "~: prints both lists"},
        {"picture", "a PNG file (output): paints the panel"},
    };
    steps.insert(steps.end(), PanelSteps().begin(), PanelSteps().end());
    return steps;
}

// One step of clip_mixer_options_edit; the modal result when the step closes the panel, else -1. The
// panel's own steps (set, press, close) are those of every modal panel.
int RunMixerStep(RunContext &c, Panel &panel, const YAML::Node &step)
{
    if (!step.IsMap() || step.size() != 1)
        return RunPanelStep(panel, step);
    const std::string key = step.begin()->first.Scalar();
    const YAML::Node value = step.begin()->second;
    if (key == "clips" || key == "tracks") {
        PressButton(panel, value, key == "clips");
    } else if (key == "select_clips" || key == "select_tracks") {
        SelectRows(panel, value, key == "select_clips");
    } else if (key == "clip" || key == "track") {
        SetFields(panel, value, key == "clip");
    } else if (key == "import" || key == "export") {
        if (value.IsNull())
            c.host.requesters.CancelFile();
        else if (key == "import")
            c.host.requesters.AnswerFile(c.InPath(ReadText(value, key)));
        else
            c.host.requesters.AnswerFile(c.OutPath(ReadText(value, key)));
        PanelControl &popup = Control(panel, "file", value);
        PanelService::SetInt(popup, key == "import" ? 0 : 1);
        PanelService::Fire(popup);
    } else if (key == "print_lists") {
        PrintLists(panel, c.out, value);
    } else if (key == "picture") {
        const std::string path = c.OutPath(ReadText(value, "picture"));
        if (!WritePanelPicture(ClassicPanelPicture(panel), path))
            throw SessionError(value, "picture: cannot write " + path);
    } else {
        return RunPanelStep(panel, step);
    }
    return -1;
}

std::string FormatNumber(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

} // namespace

namespace {

void ClipMixerOptions(RunContext &c, const YAML::Node &value)
{
    ChannelModifier &modifier = MixerOn(c, value, "clip_mixer_options_edit");
    const ChannelKey channel = ReadChannel(c, value, "clip_mixer_options_edit");
    const YAML::Node steps = value["steps"];
    if (steps && !steps.IsSequence())
        throw SessionError(steps, "clip_mixer_options_edit steps: expected a list of steps");
    RunContext *context = &c;
    const ModalScript answer = [context, steps, channel](Panel &panel) {
        int result = -1;
        if (steps) {
            for (const YAML::Node &step : steps) {
                result = RunMixerStep(*context, panel, step);
                if (result >= 0)
                    break;
            }
        }
        context->mixerTrackFrames[channel] = TrackFrames(Control(panel, "track_list", steps));
        return result >= 0 ? result : 1;
    };
    std::string error;
    WithModalScript(c, answer, [&] {
        if (!c.host.channelHandlers.OpenOptions(modifier, error))
            throw SessionError(value, "clip_mixer_options_edit: " + c.host.messages.back());
    });
    if (!error.empty())
        c.out << "clip_mixer_options_edit: " << error << "\n";
}

void EvaluateChannelAction(RunContext &c, const YAML::Node &value)
{
    const ChannelKey channel = ReadChannel(c, value, "channel_evaluate");
    const YAML::Node frames = Need(value, "frames", "channel_evaluate");
    if (!frames.IsSequence() || frames.size() != 2)
        throw SessionError(frames, "channel_evaluate frames: expected [first, last]");
    const int first = ReadInt(frames[0], "first frame");
    const int last = ReadInt(frames[1], "last frame");
    if (last < first || static_cast<long long>(last) - first + 1 > 1000000)
        throw SessionError(frames, "channel_evaluate frames: expected first <= last, at most a million frames");
    std::vector<ChannelSample> samples;
    for (int frame = first;; ++frame) {
        samples.push_back({frame, c.host.channelHandlers.EvaluateBefore(channel, 0, frame / c.host.scene.fps),
                           c.host.channelHandlers.Evaluate(channel, frame)});
        if (frame == last)
            break;
    }
    std::string csv = "frame,base,value\n";
    for (const ChannelSample &s : samples)
        csv += std::to_string(s.frame) + "," + FormatNumber(s.base) + "," + FormatNumber(s.value) + "\n";
    if (const YAML::Node file = value["csv"]) {
        std::ofstream out(c.OutPath(ReadText(file, "channel_evaluate csv")), std::ios::binary);
        out << csv;
        if (!out)
            throw SessionError(file, "channel_evaluate csv: cannot write the file");
    }
    if (const YAML::Node file = value["png"]) {
        const auto spans = c.mixerTrackFrames.find(channel);
        if (!WriteChannelPlot(samples, spans == c.mixerTrackFrames.end() ? std::vector<FrameSpan>() : spans->second,
                              c.OutPath(ReadText(file, "channel_evaluate png"))))
            throw SessionError(file, "channel_evaluate png: cannot write the file");
    }
    if (const YAML::Node print = value["print"]; print && print.IsScalar() && print.Scalar() == "true")
        c.out << csv;
}

} // namespace

void AddClipMixerActions(ActionTable &table)
{
    table.Add({"clip_mixer_apply", "{item, channel}", "adds a clip mixer to the channel and prints its description", kChannelKeys}, [](RunContext &c, const YAML::Node &value) {
        const ChannelKey channel = ReadChannel(c, value, "clip_mixer_apply");
        ChannelModifier *modifier = c.host.channelHandlers.Add(kServer, channel);
        if (!modifier)
            throw SessionError(value, "clip_mixer_apply: " + c.host.messages.back());
        const char *description = modifier->instFuncs.descln ? modifier->instFuncs.descln(modifier->instance) : "";
        c.out << "clip_mixer_apply: " << (description ? description : "") << "\n";
    });
    table.Add({"clip_mixer_copy", "{item, channel, to: {item, channel}}", "copies the channel's first clip mixer onto another channel",
               {kChannelKeys[0], kChannelKeys[1], {"to", "the channel copied to, {item, channel}", kChannelKeys}}},
              [](RunContext &c, const YAML::Node &value) {
        ChannelModifier &from = MixerOn(c, value, "clip_mixer_copy");
        const ChannelKey channel = ReadChannel(c, Need(value, "to", "clip_mixer_copy"), "clip_mixer_copy to");
        if (!c.host.channelHandlers.Copy(from, channel))
            throw SessionError(value, "clip_mixer_copy: " + c.host.messages.back());
    });
    table.Add({"clip_mixer_options_edit", "{item, channel, steps}", "opens the options panel of the channel's first clip mixer and runs the steps",
               {kChannelKeys[0], kChannelKeys[1], {"steps", "a list of steps, each a map with one key", {}, MixerSteps()}}},
              ClipMixerOptions);
    table.Add({"channel_evaluate", "{item, channel, frames, csv, png, print}", "evaluates the channel over frames: base and mixed values",
               {kChannelKeys[0], kChannelKeys[1],
                {"frames", "[first, last], at most a million frames"},
                {"csv", "a file (output): the lines frame,base,value"},
                {"png", "a PNG file (output): both curves"},
                {"print", "true: prints the CSV text"}}},
              EvaluateChannelAction);
}

} // namespace zkh
