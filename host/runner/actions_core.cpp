// actions_core.cpp: the runner's actions on the host itself.
#include "expressions.h"
#include "session.h"

#include <fstream>

namespace zkh {

namespace {

int EventCodeOf(const YAML::Node &value)
{
    const std::string name = ReadText(value, "master_event");
    if (name == "time")
        return LWEVNT_TIME;
    if (name == "select")
        return LWEVNT_SELECT;
    return ReadInt(value, "master_event (time, select or a number)");
}

std::vector<std::uint32_t> ReadItems(RunContext &context, const YAML::Node &value, const std::string &what)
{
    std::vector<std::uint32_t> ids;
    if (value.IsScalar())
        return {ReadItem(context, value, what)};
    if (!value.IsSequence())
        throw SessionError(value, what + ": expected an item name or a list of them");
    for (const YAML::Node &name : value)
        ids.push_back(ReadItem(context, name, what));
    return ids;
}

// {item, channel, value} or {item, channel, keys}: the channel, named relative to its item, gets one
// value or keys (linear between them); the keys it had go.
void SetChannel(RunContext &c, const YAML::Node &value)
{
    if (!value.IsMap())
        throw SessionError(value, "set_channel: expected {item, channel, value} or {item, channel, keys}");
    const Item &item = *c.host.scene.Find(ReadItem(c, Need(value, "item", "set_channel"), "set_channel item"));
    const std::string name = ReadText(Need(value, "channel", "set_channel"), "set_channel channel");
    const Channel *found = FindItemChannel(c.host.scene, item, name);
    if (!found)
        throw SessionError(value["channel"], "set_channel: " + item.name + " has no channel named '" + name + "'");
    Channel &channel = *c.host.scene.FindChannel(found->id);
    if (value["value"]) {
        channel.envelope = ConstantEnvelope(ReadNumber(value["value"], "set_channel value"));
        return;
    }
    const YAML::Node keys = Need(value, "keys", "set_channel");
    if (!keys.IsSequence() || keys.size() == 0)
        throw SessionError(keys, "set_channel keys: expected a list of [frame, value]");
    std::map<double, double> linear;
    for (const YAML::Node &key : keys) {
        if (!key.IsSequence() || key.size() != 2)
            throw SessionError(key, "set_channel keys: each key is [frame, value]");
        linear[ReadNumber(key[0], "key frame") / c.host.scene.fps] = ReadNumber(key[1], "key value");
    }
    channel.envelope = LinearEnvelope(linear);
}

} // namespace

void AddCoreActions(ActionTable &table)
{
    table.Add({"set_channel", "{item, channel, value} or {item, channel, keys}",
               "gives an item's channel one value, or keys linear between them (its keys go)",
               {{"item", "the item's name"},
                {"channel", "the channel's name relative to the item (Position.Y, MorphGroup.Smile)"},
                {"value", "the one value"},
                {"keys", "[[frame, value], ...]"}}},
              SetChannel);
    table.Add({"servers", "~", "prints every server of the module: class, name and (tagged)"}, [](RunContext &c, const YAML::Node &) {
        for (const ServerInfo &server : c.host.LoadedModule()->Servers())
            c.out << server.className << " " << server.name << (server.hasTags ? " (tagged)" : "") << "\n";
    });
    table.Add({"add_master", "a server name", "adds a master handler instance to the scene; a refusal is printed", {}, {}, "MasterHandler"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "add_master");
        if (!c.host.AddMaster(server))
            c.out << "add_master: " << c.host.messages.back() << "\n";
    });
    table.Add({"remove_master", "a server name", "removes the scene's first instance of that master handler", {}, {}, "MasterHandler"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "remove_master");
        if (!c.host.RemoveMaster(server))
            throw SessionError(value, "remove_master: no instance of " + server + " in the scene");
    });
    table.Add({"copy_master", "a server name", "copies that master's instance into a new one, as Layout duplicates a handler", {}, {}, "MasterHandler"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "copy_master");
        MasterInstance *master = c.host.FindMaster(server);
        if (!master)
            throw SessionError(value, "copy_master: no instance of " + server + " in the scene");
        if (!c.host.CopyMaster(*master))
            c.out << "copy_master: " << c.host.messages.back() << "\n";
    });
    table.Add({"add_image_filter", "a server name", "adds the image filter to the scene's image filters", {}, {}, "ImageFilterHandler"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "add_image_filter");
        if (!c.host.AddImageFilter(server))
            throw SessionError(value, "add_image_filter: " + c.host.messages.back());
    });
    table.Add({"remove_image_filter", "a server name", "removes that image filter from the scene", {}, {}, "ImageFilterHandler"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "remove_image_filter");
        if (!c.host.RemoveImageFilter(server))
            throw SessionError(value, "remove_image_filter: no image filter " + server + " in the scene");
    });
    table.Add({"master_event", "time, select or an event number", "sends the event to every master instance"}, [](RunContext &c, const YAML::Node &value) { c.host.SendMasterEvent(EventCodeOf(value)); });
    table.Add({"command", "a command line", "sends the line through the host's command interface; a failure is printed"}, [](RunContext &c, const YAML::Node &value) {
        const std::string line = ReadText(value, "command");
        if (!c.host.commands.Send(line))
            c.out << "command failed: " << line << "\n";
    });
    table.Add({"reject_commands", "all, none or a list of command words", "makes the host refuse every command, none, or those words too"}, [](RunContext &c, const YAML::Node &value) {
        if (value.IsScalar() && value.Scalar() == "all") {
            c.host.commands.rejectAll = true;
            return;
        }
        if (value.IsScalar() && value.Scalar() == "none") {
            c.host.commands.rejectAll = false;
            c.host.commands.rejectWords.clear();
            return;
        }
        if (!value.IsSequence())
            throw SessionError(value, "reject_commands: expected all, none or a list of command words");
        for (const YAML::Node &word : value)
            c.host.commands.rejectWords.insert(ReadText(word, "reject_commands"));
    });
    table.Add({"change_item_ids", "[[item, new identifier], ...]", "gives items new identifiers and tells the handlers (changeID)"}, [](RunContext &c, const YAML::Node &value) {
        if (!value.IsSequence())
            throw SessionError(value, "change_item_ids: expected a list of [item, new identifier]");
        std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
        for (const YAML::Node &pair : value) {
            if (!pair.IsSequence() || pair.size() != 2)
                throw SessionError(pair, "change_item_ids: each entry is [item, new identifier]");
            pairs.emplace_back(ReadItem(c, pair[0], "change_item_ids"),
                               static_cast<std::uint32_t>(ReadInt(pair[1], "change_item_ids identifier")));
        }
        if (!c.host.ChangeItemIds(pairs))
            throw SessionError(value, "change_item_ids: " + c.host.messages.back());
    });
    table.Add({"set_time", "seconds", "sets the current time and sends a time event"}, [](RunContext &c, const YAML::Node &value) {
        c.host.scene.time = ReadNumber(value, "set_time");
        c.host.SendMasterEvent(LWEVNT_TIME);
    });
    table.Add({"set_frame", "a frame number", "sets the time to frame / fps and sends a time event"}, [](RunContext &c, const YAML::Node &value) {
        c.host.scene.time = ReadNumber(value, "set_frame") / c.host.scene.fps;
        c.host.SendMasterEvent(LWEVNT_TIME);
    });
    table.Add({"select", "an item name or a list of them", "replaces the selection and sends a selection event"}, [](RunContext &c, const YAML::Node &value) {
        c.host.scene.selection = ReadItems(c, value, "select");
        c.host.SendMasterEvent(LWEVNT_SELECT);
    });
    table.Add({"locale", "a language identifier", "changes the locale the host reports from now on"}, [](RunContext &c, const YAML::Node &value) {
        c.host.services.SetLocale(static_cast<std::uint32_t>(ReadInt(value, "locale")));
    });
    table.Add({"remove_service", "a global service name", "removes the service, so that lookups of it fail"}, [](RunContext &c, const YAML::Node &value) {
        c.host.services.Remove(ReadText(value, "remove_service"));
    });
    table.Add({"answer_file", "a path", "the next file requester answers it (a load reads from the session's folder, a save writes into the output folder)"}, [](RunContext &c, const YAML::Node &value) {
        const std::string path = ReadText(value, "answer_file");
        c.host.requesters.AnswerFile(c.OutPath(path), c.InPath(path));
    });
    table.Add({"cancel_file", "~", "the next file requester is cancelled"}, [](RunContext &c, const YAML::Node &) { c.host.requesters.CancelFile(); });
    table.Add({"answer_color", "[red, green, blue] from 0 to 1", "the next colour picker answers this colour"}, [](RunContext &c, const YAML::Node &value) {
        if (!value.IsSequence() || value.size() != 3)
            throw SessionError(value, "answer_color: expected [red, green, blue] from 0 to 1");
        c.host.requesters.AnswerColor(static_cast<float>(ReadNumber(value[0], "answer_color")),
                                      static_cast<float>(ReadNumber(value[1], "answer_color")),
                                      static_cast<float>(ReadNumber(value[2], "answer_color")));
    });
    table.Add({"cancel_color", "~", "the next colour picker is cancelled"}, [](RunContext &c, const YAML::Node &) { c.host.requesters.CancelColor(); });
    table.Add({"run_command", "a server name", "runs a generic command server and prints its activation result", {}, {}, "LayoutGeneric"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "run_command");
        const int result = c.host.RunGeneric(server);
        c.out << "run_command " << server << ": activation result " << result << "\n";
    });
    table.Add({"save_scene", "a file (output)", "writes the scene as a Layout scene file"}, [](RunContext &c, const YAML::Node &value) {
        const std::string path = c.OutPath(ReadText(value, "save_scene"));
        if (!c.host.SaveScene(path))
            throw SessionError(value, "save_scene: " + c.host.messages.back());
    });
    table.Add({"load_scene", "a file (input)", "replaces the scene by a Layout scene file, with its plug-ins"}, [](RunContext &c, const YAML::Node &value) {
        const std::string path = c.InPath(ReadText(value, "load_scene"));
        if (!c.host.LoadScene(path))
            throw SessionError(value, "load_scene: " + c.host.messages.back());
    });
    table.Add({"print", "a text", "prints the text"}, [](RunContext &c, const YAML::Node &value) { c.out << ReadText(value, "print") << "\n"; });
    table.Add({"print_status", "~", "prints every status line so far, as status: TEXT"}, [](RunContext &c, const YAML::Node &) {
        for (const std::string &line : c.host.commands.status)
            c.out << "status: " << line << "\n";
    });
}

} // namespace zkh
