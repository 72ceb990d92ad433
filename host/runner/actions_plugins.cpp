// actions_plugins.cpp: the runner's actions on the module's servers in the scene: masters and image filters.
#include "session.h"

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

} // namespace

void AddPluginActions(ActionTable &table)
{
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
}

} // namespace zkh
