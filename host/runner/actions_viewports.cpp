// actions_viewports.cpp: the runner's actions on the viewports: their gizmos drawn.
#include "drawing.h"
#include "drawing_raster.h"
#include "session.h"

namespace zkh {

void AddViewportActions(ActionTable &table)
{
    table.Add({"viewport_draw", "{view, png, print}", "draws a viewport's gizmos and paints them into a PNG",
               {{"view", "a viewport index"}, {"png", "a PNG file (output)"}, {"print", "true: lists every drawing call"}}},
              [](RunContext &c, const YAML::Node &v) {
        const int view = ReadViewport(c, Need(v, "view", "viewport_draw"), "view");
        DrawRecorder recorder(view);
        c.host.DrawViewport(view, recorder);
        if (v["print"] && ReadBool(v["print"], "print"))
            c.out << recorder.Describe();
        if (v["png"]) {
            const Viewport &port = c.host.scene.viewports[static_cast<size_t>(view)];
            const std::string path = c.OutPath(ReadText(v["png"], "png"));
            if (!RasterizeToPng(recorder.calls, port.width, port.height, path))
                throw SessionError(v["png"], "png: cannot write " + path);
            c.out << "viewport_draw " << view << ": " << recorder.calls.size() << " calls, " << path << "\n";
        }
    });
    table.Add({"gizmo_dirty_check", "~", "prints whether the gizmos ask for a redraw (gizmo dirty: 1 or 0)"}, [](RunContext &c, const YAML::Node &) {
        c.out << "gizmo dirty: " << (c.host.GizmosDirty() ? 1 : 0) << "\n";
    });
}

} // namespace zkh
