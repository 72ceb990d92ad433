// actions_framepanel.cpp: the runner acting on the camera frames' panel and frame edit tool.
//
// frame_panel_open opens the master's options panel (the panel_* actions then press its buttons and set
// its fields by label), frame_panel_paint paints its controls with their values into a PNG,
// and frame_drag drags the mouse in a viewport through the current Layout tool.
#include "panel_picture.h"
#include "session.h"

#include <cmath>

namespace zkh {

namespace {

constexpr char kServer[] = "ZK:CameraFrame";

Panel *FindFramePanel(RunContext &c)
{
    for (Panel *panel : c.host.panels.Panels())
        if (panel->title.rfind(kServer, 0) == 0)
            return panel;
    return nullptr;
}

} // namespace

Panel &FramePanelOf(RunContext &c, const YAML::Node &at)
{
    if (Panel *panel = FindFramePanel(c))
        return *panel;
    throw SessionError(at, "the ZK:CameraFrame panel was never opened (use frame_panel_open)");
}

namespace {

std::array<double, 2> ReadPoint(const YAML::Node &node, const std::string &what)
{
    if (!node || !node.IsSequence() || node.size() != 2)
        throw SessionError(node, what + ": expected [x, y] in viewport pixels");
    const double x = ReadNumber(node[0], what + " x");
    const double y = ReadNumber(node[1], what + " y");
    if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > 1e6 || std::fabs(y) > 1e6)
        throw SessionError(node, what + ": the point is out of range");
    return {x, y};
}

} // namespace

void AddFramePanelActions(ActionTable &table)
{
    table.Add({"frame_panel_open", "~", "opens the camera frames' panel and prints its title, size and control count"}, [](RunContext &c, const YAML::Node &v) {
        if (!c.host.masters.Find(kServer))
            throw SessionError(v, "frame_panel_open: add the ZK:CameraFrame master first (master_add)");
        if (!c.host.masters.OpenOptions(kServer))
            throw SessionError(v, "frame_panel_open: " + (c.host.messages.empty() ? std::string("refused") : c.host.messages.back()));
        const Panel *opened = FindFramePanel(c);
        if (!opened)
            throw SessionError(v, c.host.IsRenderNode()
                                      ? "frame_panel_open: a render node has no panels (the options opened none)"
                                      : "frame_panel_open: the ZK:CameraFrame options opened no panel");
        const Panel &panel = *opened;
        c.out << "frame_panel_open: \"" << panel.title << "\" " << panel.w << "x" << panel.h << ", "
              << panel.controls.size() << " controls\n";
    });
    table.Add({"frame_panel_paint", "a PNG file (output)", "paints the camera frames' panel and prints how many controls are ghosted"}, [](RunContext &c, const YAML::Node &v) {
        const Panel &panel = FramePanelOf(c, v);
        const std::string path = c.OutPath(ReadText(v, "frame_panel_paint"));
        if (!WritePanelPicture(ClassicPanelPicture(panel), path))
            throw SessionError(v, "frame_panel_paint: cannot write " + path);
        int ghosted = 0;
        for (const auto &control : panel.controls)
            ghosted += control->ghosted ? 1 : 0;
        c.out << "frame_panel_paint: " << panel.controls.size() << " controls (" << ghosted << " ghosted), " << path
              << "\n";
    });
    table.Add({"frame_drag", "{view, from, to, alt, steps}", "drags the mouse in a viewport through the current Layout tool",
               {{"view", "a viewport index"},
                {"from", "[x, y] in viewport pixels, where the button goes down"},
                {"to", "[x, y] in viewport pixels, where it goes up"},
                {"alt", "true: the alternate mouse button (rotates)"},
                {"steps", "moves between them, 1 to 1000 (default 1)"}}},
              [](RunContext &c, const YAML::Node &v) {
        if (!v.IsMap())
            throw SessionError(v, "frame_drag: expected a map (view, from, to, alt, steps)");
        const int view = ReadViewport(c, Need(v, "view", "frame_drag"), "view");
        const auto from = ReadPoint(Need(v, "from", "frame_drag"), "from");
        const auto to = ReadPoint(Need(v, "to", "frame_drag"), "to");
        const bool alt = v["alt"] && ReadBool(v["alt"], "alt");
        const int steps = v["steps"] ? ReadInt(v["steps"], "steps") : 1;
        if (steps < 1 || steps > 1000)
            throw SessionError(v["steps"], "steps: expected a whole number from 1 to 1000");
        if (c.host.tool.current.empty() && c.host.tool.Active().empty())
            throw SessionError(v, "frame_drag: no Layout tool is current (press Frame Edit ON first)");
        const int flags = alt ? LWTOOLF_ALT_BUTTON : 0;
        const int grabbed = c.host.tool.Down(view, from[0], from[1], flags);
        for (int i = 1; i <= steps && grabbed; ++i) {
            const double t = static_cast<double>(i) / steps;
            c.host.tool.Move(view, from[0] + (to[0] - from[0]) * t, from[1] + (to[1] - from[1]) * t, flags);
        }
        c.host.tool.Up(view, to[0], to[1], flags);
        c.out << "frame_drag: " << (grabbed ? "grabbed a frame" : "nothing grabbed") << "\n";
    });
}

} // namespace zkh
