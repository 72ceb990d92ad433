// actions_memo.cpp: the runner's actions for the timeline memo: its panel (and a picture of it),
// its strip drawn in a viewport, its file.
#include "panel_picture.h"
#include "session.h"

#include <cstdio>
#include <cstdlib>

namespace zkh {

namespace {

const char kMemoServer[] = "ZK:TimeLineMemo";

MasterInstance &Memo(RunContext &c, const YAML::Node &at)
{
    MasterInstance *master = c.host.masters.Find(kMemoServer);
    if (!master)
        throw SessionError(at, "the scene has no ZK:TimeLineMemo (add it first with memo_add or master_add)");
    return *master;
}

// The memo's open panel; opened when it is not.
XPanel &MemoPanel(RunContext &c, const YAML::Node &at)
{
    MasterInstance &master = Memo(c, at);
    if (XPanel *panel = c.host.xpanels.ForInstance(master.instance))
        return *panel;
    XPanel *panel = c.host.masters.OpenPanel(kMemoServer);
    if (!panel)
        throw SessionError(at, "cannot open the memo's panel: " + c.host.messages.back());
    return *panel;
}

// A control by data name, label or identifier (0x8015).
const XPanelControl &ControlOf(RunContext &c, XPanel &panel, const YAML::Node &node)
{
    const std::string name = ReadTextOrNumber(node, "control");
    const XPanelControl *control = c.host.xpanels.ControlByName(panel, name);
    if (!control)
        control = c.host.xpanels.ControlByLabel(panel, name);
    if (!control && name.compare(0, 2, "0x") == 0)
        control = c.host.xpanels.Control(panel, static_cast<unsigned int>(std::strtoul(name.c_str(), nullptr, 16)));
    if (!control)
        throw SessionError(node, "the memo's panel has no control '" + name + "'");
    return *control;
}

std::string Shown(RunContext &c, XPanel &panel, const XPanelControl &control)
{
    const XPanelValue value = c.host.xpanels.Get(panel, control.cid);
    if (!value.present)
        return "-";
    if (control.dataType == "string")
        return "\"" + value.text + "\"";
    if (control.dataType == "color") {
        char text[96];
        std::snprintf(text, sizeof text, "[%g, %g, %g]", value.color[0], value.color[1], value.color[2]);
        return text;
    }
    return std::to_string(value.integer);
}

void ShowPanel(RunContext &c, XPanel &panel)
{
    c.out << "memo panel \"" << panel.title << "\"\n";
    for (const XPanelControl &control : panel.controls) {
        if (control.dataType.empty())
            continue;
        c.out << "  " << control.label << " (" << control.dataName << "): " << Shown(c, panel, control);
        if (control.popCount) {
            c.out << " of [";
            const std::vector<std::string> items = c.host.xpanels.PopupItems(panel, control.cid);
            for (size_t i = 0; i < items.size(); ++i)
                c.out << (i ? ", " : "") << items[i];
            c.out << "]";
        }
        c.out << "\n";
    }
}

void Press(RunContext &c, XPanel &panel, const YAML::Node &node)
{
    const XPanelControl &control = ControlOf(c, panel, node);
    if (!c.host.xpanels.Press(panel, control.cid))
        throw SessionError(node, "'" + node.Scalar() + "' is not a button of the memo's panel");
}

} // namespace

namespace {

void MemoSet(RunContext &c, const YAML::Node &value)
{
    if (!value.IsMap())
        throw SessionError(value, "memo_set: expected {control: NAME, value: VALUE}");
    XPanel &panel = MemoPanel(c, value);
    const XPanelControl &control = ControlOf(c, panel, Need(value, "control", "memo_set"));
    const YAML::Node input = Need(value, "value", "memo_set");
    int result = -1;
    if (control.dataType == "integer" && control.popCount && input.IsScalar() &&
        input.Scalar().find_first_not_of("-0123456789") != std::string::npos) {
        // A popup's entry by its text, or by the name in brackets that ends it ("[otio]").
        const std::vector<std::string> items = c.host.xpanels.PopupItems(panel, control.cid);
        const std::string text = input.Scalar(), tail = "[" + text + "]";
        int at = -1;
        for (size_t i = 0; i < items.size() && at < 0; ++i)
            if (items[i] == text || (items[i].size() >= tail.size() &&
                                     items[i].compare(items[i].size() - tail.size(), tail.size(), tail) == 0))
                at = static_cast<int>(i);
        if (at < 0)
            throw SessionError(input, "memo_set: '" + control.label + "' has no entry '" + text + "'");
        result = c.host.xpanels.SetInteger(panel, control.cid, at);
    } else if (control.dataType == "integer") {
        result = c.host.xpanels.SetInteger(panel, control.cid, ReadInt(input, "memo_set value"));
    } else if (control.dataType == "string") {
        result = c.host.xpanels.SetText(panel, control.cid, input.IsNull() ? "" : ReadText(input, "memo_set value"));
    } else if (control.dataType == "color") {
        if (!input.IsSequence() || input.size() != 3)
            throw SessionError(input, "memo_set value: expected [red, green, blue] from 0 to 1");
        result = c.host.xpanels.SetColor(panel, control.cid,
                                         {ReadNumber(input[0], "red"), ReadNumber(input[1], "green"),
                                          ReadNumber(input[2], "blue")});
    } else {
        throw SessionError(value["control"], "memo_set: '" + control.label + "' holds no value (press it instead)");
    }
    if (result == 0)
        c.out << "memo_set " << control.label << ": nothing changed\n";
}

void MemoDraw(RunContext &c, const YAML::Node &value)
{
    const std::string file = ReadText(value.IsMap() ? Need(value, "path", "memo_draw") : value, "memo_draw path");
    const int view = value.IsMap() && value["view"] ? ReadInt(value["view"], "memo_draw view") : 0;
    if (view < 0 || static_cast<size_t>(view) >= c.host.scene.viewports.size())
        throw SessionError(value, "memo_draw: the scene has no viewport " + std::to_string(view));
    Memo(c, value);
    const Viewport &port = c.host.scene.viewports[static_cast<size_t>(view)];
    DrawRecorder recorder(view);
    c.host.DrawViewport(view, recorder);
    const std::string path = c.OutPath(file);
    if (!RasterizeToPng(recorder.calls, port.width, port.height, path))
        throw SessionError(value, "memo_draw: cannot write " + path);
    c.out << "memo_draw: " << recorder.calls.size() << " drawing calls into " << file << "\n";
}

} // namespace

void AddMemoActions(ActionTable &table)
{
    table.Add({"memo_add", "~", "adds the timeline memo master and opens its panel; a refusal is printed"}, [](RunContext &c, const YAML::Node &value) {
        if (!c.host.masters.Add(kMemoServer))
            c.out << "memo_add: " << c.host.messages.back() << "\n";
        else
            MemoPanel(c, value);
    });
    table.Add({"memo_set", "{control, value}", "sets a value of the memo's panel",
               {{"control", "a data name, a label or an identifier (0x8015)"}, {"value", "a number, a text, an entry's text or [red, green, blue]"}}},
              MemoSet);
    table.Add({"memo_press", "a button, or a list of them", "presses the memo panel's buttons in order"}, [](RunContext &c, const YAML::Node &value) {
        XPanel &panel = MemoPanel(c, value);
        if (value.IsSequence()) {
            for (const YAML::Node &button : value)
                Press(c, panel, button);
        } else {
            Press(c, panel, value);
        }
    });
    table.Add({"memo_show", "~", "prints every value of the memo's panel"}, [](RunContext &c, const YAML::Node &value) { ShowPanel(c, MemoPanel(c, value)); });
    table.Add({"memo_panel_paint", "a PNG file (output)", "paints the memo's panel"}, [](RunContext &c, const YAML::Node &value) {
        XPanel &panel = MemoPanel(c, value);
        const std::string path = c.OutPath(ReadText(value, "memo_panel_paint"));
        const PanelPicture picture = ViewPanelPicture(c.host.xpanels, panel);
        if (!WritePanelPicture(picture, path))
            throw SessionError(value, "memo_panel_paint: cannot write " + path);
        c.out << "memo_panel_paint: " << panel.controls.size() << " controls, " << path << "\n";
    });
    table.Add({"memo_export", "a file (output)", "answers the save requester with the file and presses Export"}, [](RunContext &c, const YAML::Node &value) {
        XPanel &panel = MemoPanel(c, value);
        c.host.requesters.AnswerFile(c.OutPath(ReadText(value, "memo_export")));
        c.host.xpanels.Press(panel, 0x8004);
    });
    table.Add({"memo_import", "a file (input)", "answers the load requester with the file and presses Import"}, [](RunContext &c, const YAML::Node &value) {
        XPanel &panel = MemoPanel(c, value);
        c.host.requesters.AnswerFile(c.InPath(ReadText(value, "memo_import")));
        c.host.xpanels.Press(panel, 0x8005);
    });
    table.Add({"memo_draw", "a PNG file (output), or {path, view}", "draws a viewport with every master gizmo into a PNG",
               {{"path", "a PNG file (output)"}, {"view", "a viewport index (default 0)"}}},
              MemoDraw);
}

} // namespace zkh
