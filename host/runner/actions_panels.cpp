// actions_panels.cpp: the runner acting as the user on classic panels.
//
// Non-modal panels are reached as "the panel opened last". Modal panels block inside the module,
// so their steps are given beforehand with modal_answer and run while the panel is open.
#include "panel_picture.h"
#include "session.h"

#include <fstream>

namespace zkh {

namespace {

Panel &CurrentPanel(RunContext &c, const YAML::Node &at)
{
    Panel *panel = c.host.panels.LastOpened();
    if (!panel || !panel->open)
        throw SessionError(at, "no panel is open");
    return *panel;
}

PanelControl &ControlByLabel(Panel &panel, const YAML::Node &node, const std::string &what)
{
    const std::string label = ReadText(node, what);
    PanelControl *control = PanelService::Find(panel, label);
    if (!control)
        throw SessionError(node, what + ": the panel has no control labelled '" + label + "'");
    return *control;
}

// A popup's entry by its text ("2.39:1"), else the value as a whole number.
int ChoiceOrInt(PanelControl &control, const YAML::Node &v)
{
    if (v.IsScalar())
        if (const int entry = PopupEntry(control, v.Scalar()); entry >= 0)
            return entry;
    return ReadInt(v, "panel_set value");
}

// [label, value]: sets the value as the user would type it (a popup also takes one of its entries'
// texts), then fires the control's event.
void SetControl(Panel &panel, const YAML::Node &value)
{
    if (!value.IsSequence() || value.size() != 2)
        throw SessionError(value, "panel_set: expected [label, value]");
    PanelControl &control = ControlByLabel(panel, value[0], "panel_set");
    const YAML::Node &v = value[1];
    switch (control.kind) {
    case ValueKind::Int: PanelService::SetInt(control, ChoiceOrInt(control, v)); break;
    case ValueKind::Float: PanelService::SetFloat(control, ReadNumber(v, "panel_set value")); break;
    case ValueKind::Text: PanelService::SetText(control, ReadText(v, "panel_set value")); break;
    case ValueKind::IntVector:
    case ValueKind::FloatVector:
        if (!v.IsSequence() || v.size() != 3)
            throw SessionError(v, "panel_set value: expected [r, g, b]");
        PanelService::SetVector(control, ReadInt(v[0], "r"), ReadInt(v[1], "g"), ReadInt(v[2], "b"));
        break;
    case ValueKind::None: throw SessionError(value[0], "panel_set: that control holds no value (use panel_press)");
    }
    PanelService::Fire(control);
}

void DumpPanel(const Panel &panel, std::ostream &out)
{
    out << "panel \"" << panel.title << "\" " << panel.w << "x" << panel.h << (panel.open ? " open" : " closed") << "\n";
    for (const auto &control : panel.controls) {
        out << "  " << control->type << " \"" << control->label << "\" at " << control->x << "," << control->y << " "
            << control->w << "x" << control->h << (control->visible ? "" : " hidden") << (control->ghosted ? " ghosted" : "");
        switch (control->kind) {
        case ValueKind::Int: out << " = " << control->intValue; break;
        case ValueKind::Float: out << " = " << control->floatValue; break;
        case ValueKind::Text: out << " = \"" << control->text << "\""; break;
        case ValueKind::IntVector: out << " = " << control->ivec[0] << " " << control->ivec[1] << " " << control->ivec[2]; break;
        case ValueKind::FloatVector: out << " = " << control->fvec[0] << " " << control->fvec[1] << " " << control->fvec[2]; break;
        case ValueKind::None: break;
        }
        out << "\n";
    }
}

} // namespace

int PopupEntry(PanelControl &popup, const std::string &text)
{
    for (size_t i = 0; i < popup.items.size(); ++i)
        if (popup.items[i] == text)
            return static_cast<int>(i);
    // A custom popup's entries come from its count and name callbacks (items of the scene, ...).
    if (popup.type != "CustomPopupControl")
        return -1;
    const LWDescPopup &desc = popup.desc.popup;
    if (!desc.countFn || !desc.nameFn)
        return -1;
    const int count = desc.countFn(popup.userData);
    for (int i = 0; i < count; ++i)
        if (const char *entry = desc.nameFn(popup.userData, i); entry && text == entry)
            return i;
    return -1;
}

const std::vector<Key> &PanelSteps()
{
    static const std::vector<Key> steps = {
        {"set", "[label, value]: sets a control's value, as panel_set"},
        {"press", "a label: presses that control"},
        {"close", "ok or cancel: closes the panel"},
    };
    return steps;
}

int RunPanelStep(Panel &panel, const YAML::Node &step)
{
    if (!step.IsMap() || step.size() != 1)
        throw SessionError(step, "a panel step is a map with one key, such as {press: OK}");
    const std::string key = step.begin()->first.Scalar();
    const YAML::Node value = step.begin()->second;
    if (key == "set") {
        SetControl(panel, value);
    } else if (key == "press") {
        PanelService::Fire(ControlByLabel(panel, value, "press"));
    } else if (key == "close") {
        const std::string how = ReadText(value, "close");
        if (how != "ok" && how != "cancel")
            throw SessionError(value, "close: expected ok or cancel");
        return how == "ok" ? 1 : 0;
    } else {
        throw SessionError(step.begin()->first, "unknown panel step '" + key + "'");
    }
    return -1;
}

void QueueModalScript(RunContext &context, ModalScript script)
{
    RunContext *c = &context;
    context.host.panels.modalScripts.push_back([c, script = std::move(script)](Panel &panel) {
        try {
            return script(panel);
        } catch (const SessionError &e) {
            c->deferred = std::make_shared<SessionError>(e);
            return 0;
        }
    });
}

void WithModalScript(RunContext &context, ModalScript script, const std::function<void()> &open)
{
    auto used = std::make_shared<bool>(false);
    QueueModalScript(context, [used, script = std::move(script)](Panel &panel) {
        *used = true;
        return script(panel);
    });
    // Nothing else is queued while the action runs: an unused script is still the last one.
    auto &scripts = context.host.panels.modalScripts;
    try {
        open();
    } catch (...) {
        if (!*used && !scripts.empty())
            scripts.pop_back();
        throw;
    }
    if (!*used && !scripts.empty())
        scripts.pop_back();
}

void AddPanelActions(ActionTable &table)
{
    table.Add({"panel_set", "[label, value]", "sets a control of the panel opened last (a popup also by an entry's text) and fires its event"}, [](RunContext &c, const YAML::Node &value) { SetControl(CurrentPanel(c, value), value); });
    table.Add({"panel_press", "a label", "presses that control of the panel opened last"}, [](RunContext &c, const YAML::Node &value) {
        PanelService::Fire(ControlByLabel(CurrentPanel(c, value), value, "panel_press"));
    });
    table.Add({"panel_close", "~", "the user closes the panel opened last"}, [](RunContext &c, const YAML::Node &value) {
        PanelService::CloseByUser(CurrentPanel(c, value));
    });
    table.Add({"panel_dump", "a file (output), or ~ to print", "lists every control of the panel opened last with its place, size, state and value"}, [](RunContext &c, const YAML::Node &value) {
        Panel &panel = CurrentPanel(c, value);
        if (value.IsScalar() && !value.Scalar().empty() && value.Scalar() != "~") {
            std::ofstream file(c.OutPath(value.Scalar()), std::ios::binary);
            DumpPanel(panel, file);
        } else {
            DumpPanel(panel, c.out);
        }
    });
    table.Add({"panel_paint", "a PNG file (output)", "paints the panel opened last with its controls and values"}, [](RunContext &c, const YAML::Node &value) {
        const std::string path = c.OutPath(ReadText(value, "panel_paint"));
        if (!WritePanelPicture(ClassicPanelPicture(CurrentPanel(c, value)), path))
            throw SessionError(value, "panel_paint: cannot write " + path);
    });
    table.Add({"modal_answer", "a list of steps", "runs the steps while the next modal panel is open (confirmed when none closes it)", {}, PanelSteps()}, [](RunContext &c, const YAML::Node &value) {
        if (!value.IsSequence())
            throw SessionError(value, "modal_answer: expected a list of panel steps");
        const YAML::Node steps = value;
        QueueModalScript(c, [steps](Panel &panel) {
            for (const YAML::Node &step : steps) {
                const int result = RunPanelStep(panel, step);
                if (result >= 0 || !panel.open)
                    return result >= 0 ? result : panel.result;
            }
            return 1;
        });
    });
}

} // namespace zkh
