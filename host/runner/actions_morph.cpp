// actions_morph.cpp: the runner's actions for the morph consolidation command.
//
//   morph_rig_build            builds a face rig: controller, meshes with morph channels, bone, light, camera
//   morph_consolidate    runs ZK:MorphConsolidate, answering its panel (create, remove or cancel),
//                        with a picture of the panel as answered when "picture" names a file
//   expression_list    the host's expression table and where each expression is attached
//   channel_list       the values of items' grouped channels and the expressions they follow
#include "morph_rig.h"
#include "panel_picture.h"
#include "session.h"
#include "zktools/morph_panel_controls.h"

#include <cstdio>
#include <iterator>
#include <stdexcept>

namespace zkh {

namespace {

const char kServer[] = "ZK:MorphConsolidate";

// The command panel's controls by their names in the module's list: a control's place in the
// panel is its place there.
PanelControl *Control(Panel &panel, const std::string &name)
{
    static const char *const kNames[] = {
#define ZK_MORPH_PANEL_NAME(id, text) text,
        ZK_MORPH_PANEL_CONTROLS(ZK_MORPH_PANEL_NAME)
#undef ZK_MORPH_PANEL_NAME
    };
    if (panel.controls.size() != std::size(kNames))
        return nullptr;
    for (size_t index = 0; index < std::size(kNames); ++index)
        if (name == kNames[index])
            return panel.controls[index].get();
    throw std::logic_error("the morph command panel has no control named " + name);
}

std::vector<std::string> ReadNames(const YAML::Node &node, const std::string &what)
{
    if (node.IsScalar())
        return {ReadText(node, what)};
    if (!node.IsSequence())
        throw SessionError(node, what + ": expected a name or a list of names");
    std::vector<std::string> names;
    for (const YAML::Node &name : node)
        names.push_back(ReadText(name, what));
    return names;
}

std::string Number(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// "Item.Full.Name" of a channel: the item whose own channels hold it (not a bone's owner).
std::string ChannelLabel(const Scene &scene, ChannelKey id)
{
    const Channel *channel = scene.FindChannel(id);
    if (!channel)
        return "0x" + std::to_string(id);
    std::string name;
    const Item *owner = ChannelOwner(scene, *channel, name);
    return owner ? owner->name + "." + name : channel->name;
}

void BuildRig(RunContext &c, const YAML::Node &value)
{
    MorphRig rig;
    if (value.IsMap()) {
        auto text = [&](const char *key, std::string &field) {
            if (value[key])
                field = value[key].IsNull() ? std::string() : ReadText(value[key], std::string("morph_rig_build ") + key);
        };
        text("controller", rig.controller);
        text("bone", rig.bone);
        text("light", rig.light);
        text("camera", rig.camera);
        if (value["morphs"])
            rig.morphs = ReadNames(value["morphs"], "morph_rig_build morphs");
        if (value["meshes"])
            rig.meshes = ReadNames(value["meshes"], "morph_rig_build meshes");
    } else if (!value.IsNull()) {
        throw SessionError(value, "morph_rig_build: expected a map (controller, morphs, meshes, bone, light, camera) or ~");
    }
    if (rig.controller.empty())
        throw SessionError(value, "morph_rig_build: the controller needs a name");
    for (const std::string &name : rig.meshes)
        if (c.host.scene.FindByName(name) || name == rig.controller)
            throw SessionError(value, "morph_rig_build: the scene already has an item named '" + name + "'");
    if (c.host.scene.FindByName(rig.controller))
        throw SessionError(value, "morph_rig_build: the scene already has an item named '" + rig.controller + "'");
    BuildMorphRig(c.host.scene, rig);
}

void Consolidate(RunContext &c, const YAML::Node &value)
{
    if (!value.IsMap())
        throw SessionError(value, "morph_consolidate: expected {mode: create, controller: NAME, prefix: TEXT, picture: FILE}");
    const std::string mode = ReadText(Need(value, "mode", "morph_consolidate"), "morph_consolidate mode");
    if (mode != "create" && mode != "remove" && mode != "cancel")
        throw SessionError(value["mode"], "morph_consolidate mode: expected create, remove or cancel");
    const std::string controller = value["controller"] ? ReadText(value["controller"], "controller") : std::string();
    const bool hasPrefix = static_cast<bool>(value["prefix"]);
    const std::string prefix = hasPrefix ? (value["prefix"].IsNull() ? std::string() : ReadText(value["prefix"], "prefix"))
                                         : std::string();
    const std::string picture = value["picture"] ? c.OutPath(ReadText(value["picture"], "picture")) : std::string();
    const YAML::Node at = value;
    // The user's answer to the command's panel.
    const ModalScript answer = [=](Panel &panel) {
        if (mode == "cancel")
            return 0;
        PanelControl *tab = Control(panel, "tab");
        PanelControl *popup = Control(panel, "controller");
        PanelControl *edit = Control(panel, "prefix");
        PanelControl *remove = Control(panel, "remove_expressions");
        if (!tab || !popup || !edit || !remove)
            throw SessionError(at, "morph_consolidate: the panel lacks its controls");
        PanelService::SetInt(*tab, mode == "create" ? 0 : 1);
        PanelService::Fire(*tab);
        if (mode == "remove") {
            PanelService::Fire(*remove);
            return 0; // the button closed the panel; nothing more to confirm
        }
        if (!controller.empty()) {
            const int index = PopupEntry(*popup, controller);
            if (index < 0)
                throw SessionError(at["controller"],
                                   "morph_consolidate: '" + controller + "' is not in the Ctrl item popup");
            PanelService::SetInt(*popup, index);
        }
        if (hasPrefix) {
            PanelService::SetText(*edit, prefix);
            PanelService::Fire(*edit);
        }
        if (!picture.empty() && !WritePanelPicture(ClassicPanelPicture(panel), picture))
            throw SessionError(at["picture"], "picture: cannot write " + picture);
        return 1;
    };
    int result = 0;
    WithModalScript(c, answer, [&] { result = c.host.RunGeneric(kServer); });
    c.out << "morph_consolidate " << mode << ": activation result " << result << "\n";
}

void PrintExpressions(RunContext &c)
{
    const ExpressionTable &table = c.host.expressions;
    c.out << "expressions: " << table.Expressions().size() << "\n";
    for (const Expression &expression : table.Expressions()) {
        c.out << "  " << expression.name << " \"" << expression.text << "\" ->";
        const auto channels = table.ChannelsOf(expression.name);
        if (channels.empty())
            c.out << " (not attached)";
        for (size_t i = 0; i < channels.size(); ++i)
            c.out << (i ? ", " : " ") << ChannelLabel(c.host.scene, channels[i]);
        c.out << "\n";
    }
}

void PrintChannels(RunContext &c, const YAML::Node &value)
{
    const YAML::Node items = value.IsMap() ? Need(value, "items", "channel_list") : value;
    const Scene &scene = c.host.scene;
    for (const std::string &name : ReadNames(items, "channel_list")) {
        const Item *item = scene.FindByName(name);
        if (!item)
            throw SessionError(items, "channel_list: no item named '" + name + "' in the scene");
        for (const Channel &channel : scene.Channels()) {
            if (channel.group == item->chanGroup)
                continue; // the motion channels
            const std::string fullName = ChannelFullName(scene, *item, channel);
            if (fullName.empty() || FindItemChannel(scene, *item, fullName) != &channel)
                continue;
            c.out << item->name << "." << fullName << " = "
                  << Number(EvaluateChannel(scene, c.host.expressions, channel, scene.time));
            const auto attached = c.host.expressions.AttachedTo(channel.id);
            if (!attached.empty())
                c.out << " <- " << attached.back();
            c.out << "\n";
        }
    }
}

} // namespace

void AddMorphActions(ActionTable &table)
{
    table.Add({"morph_rig_build", "a map, or ~", "builds a face rig: a controller and meshes with morph channels, a bone, a light, a camera",
               {{"controller", "the null object that drives (default Face)"},
                {"morphs", "the morph channels' names (default [Smile, Blink])"},
                {"meshes", "the objects that follow (default [Head, Brows])"},
                {"bone", "a bone under the first mesh (default Jaw; ~ for none)"},
                {"light", "default Key; ~ for none"},
                {"camera", "default Camera; ~ for none"}}},
              BuildRig);
    table.Add({"morph_consolidate", "{mode, controller, prefix, picture}", "runs ZK:MorphConsolidate and answers its panel",
               {{"mode", "create, remove or cancel"},
                {"controller", "the item picked in the Ctrl item popup"},
                {"prefix", "the text typed into Exp prefix"},
                {"picture", "a PNG file (output): the panel as answered"}}},
              Consolidate);
    table.Add({"expression_list", "~", "prints the host's expressions and the channels each is attached to"},
              [](RunContext &c, const YAML::Node &) { PrintExpressions(c); });
    table.Add({"channel_list", "an item name or a list of them", "prints the items' grouped channels at the current time",
               {{"items", "an item name or a list of them"}}},
              PrintChannels);
}

} // namespace zkh
