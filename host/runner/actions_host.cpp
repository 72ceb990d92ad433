// actions_host.cpp: the runner's actions on the host's environment, and the session's printed lines.
#include "session.h"

namespace zkh {

void AddHostActions(ActionTable &table)
{
    table.Add({"locale_set", "a language identifier", "changes the locale the host reports from now on"}, [](RunContext &c, const YAML::Node &value) {
        c.host.services.SetLocale(static_cast<std::uint32_t>(ReadInt(value, "locale_set")));
    });
    table.Add({"service_remove", "a global service name", "removes the service, so that lookups of it fail"}, [](RunContext &c, const YAML::Node &value) {
        c.host.services.Remove(ReadText(value, "service_remove"));
    });
    table.Add({"narrow_code_page_set", "UTF-8 or CP932", "the narrow code page that viewport texts are converted to"}, [](RunContext &c, const YAML::Node &v) {
        const std::string name = ReadText(v, "narrow_code_page_set");
        if (!c.host.SetNarrowCodePage(name))
            throw SessionError(v, "narrow_code_page_set: this system's code page is " + c.host.NarrowCodePage() +
                                      " and cannot be changed to " + name);
    });
    table.Add({"render_node_become", "~", "makes the host a render node: no panels, viewports or ring"}, [](RunContext &c, const YAML::Node &) { c.host.BecomeRenderNode(); });
    table.Add({"text_print", "a text", "prints the text"}, [](RunContext &c, const YAML::Node &value) { c.out << ReadText(value, "text_print") << "\n"; });
    table.Add({"status_list", "~", "prints every status line so far, as status: TEXT"}, [](RunContext &c, const YAML::Node &) {
        for (const std::string &line : c.host.commands.status)
            c.out << "status: " << line << "\n";
    });
}

} // namespace zkh
