// actions_plugins.cpp: the runner's actions on the module's servers in the scene: masters and image filters.
#include "session.h"

namespace zkh {

namespace {

int EventCodeOf(const YAML::Node &value)
{
    const std::string name = ReadText(value, "master_event_send");
    if (name == "time")
        return LWEVNT_TIME;
    if (name == "select")
        return LWEVNT_SELECT;
    return ReadInt(value, "master_event_send (time, select or a number)");
}

} // namespace

void AddPluginActions(ActionTable &table)
{
    table.Add({"server_list", "~", "prints every server of the module: class, name and (tagged)"}, [](RunContext &c, const YAML::Node &) {
        for (const ServerInfo &server : c.host.LoadedModule()->Servers())
            c.out << server.className << " " << server.name << (server.hasTags ? " (tagged)" : "") << "\n";
    });
    table.Add({"master_add", "a server name", "adds a master handler instance to the scene; a refusal is printed", {}, {}, "MasterHandler"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "master_add");
        if (!c.host.masters.Add(server))
            c.out << "master_add: " << c.host.messages.back() << "\n";
    });
    table.Add({"master_remove", "a server name", "removes the scene's first instance of that master handler", {}, {}, "MasterHandler"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "master_remove");
        if (!c.host.masters.Remove(server))
            throw SessionError(value, "master_remove: no instance of " + server + " in the scene");
    });
    table.Add({"master_copy", "a server name", "copies that master's instance into a new one, as Layout duplicates a handler", {}, {}, "MasterHandler"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "master_copy");
        MasterInstance *master = c.host.masters.Find(server);
        if (!master)
            throw SessionError(value, "master_copy: no instance of " + server + " in the scene");
        if (!c.host.masters.Copy(*master))
            c.out << "master_copy: " << c.host.messages.back() << "\n";
    });
    table.Add({"image_filter_add", "a server name", "adds the image filter to the scene's image filters", {}, {}, "ImageFilterHandler"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "image_filter_add");
        if (!c.host.imageFilters.Add(server))
            throw SessionError(value, "image_filter_add: " + c.host.messages.back());
    });
    table.Add({"image_filter_remove", "a server name", "removes that image filter from the scene", {}, {}, "ImageFilterHandler"}, [](RunContext &c, const YAML::Node &value) {
        const std::string server = ReadText(value, "image_filter_remove");
        if (!c.host.imageFilters.Remove(server))
            throw SessionError(value, "image_filter_remove: no image filter " + server + " in the scene");
    });
    table.Add({"master_event_send", "time, select or an event number", "sends the event to every master instance"}, [](RunContext &c, const YAML::Node &value) { c.host.masters.SendEvent(EventCodeOf(value)); });
}

} // namespace zkh
