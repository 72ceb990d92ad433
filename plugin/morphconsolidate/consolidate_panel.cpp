// consolidate_panel.cpp: building the panel, switching its tabs and handling its events.
#include "consolidate_panel.h"

#include "../common/lwcontrol.h"
#include "../common/lwglobals.h"
#include "../common/lwguard.h"
#include "../common/lwtool2.h"
#include "morph_link.h"


namespace {

constexpr int kFieldX = 100; // where the working controls' fields start
constexpr int kPrefixLength = 511;

const char *g_tabNames[] = {"Create", "Remove", nullptr};

void SetText(LWControl *control, const std::string &text)
{
    std::string copy = text;
    LWValue v{};
    v.str = {LWT_STRING, copy.data(), static_cast<int>(copy.size()) + 1};
    control->set(control, CTL_VALUE, &v);
}

void Place(LWControl *control, int x, int y)
{
    SetControlInt(control, CTL_X, x);
    SetControlInt(control, CTL_Y, y);
}

// A working control: its field starts at x = 100 whatever its label's width.
void PlaceField(LWControl *control, int y)
{
    Place(control, kFieldX - GetControlInt(control, CTL_LABELWIDTH), y);
}

void Draw(LWControl *control, DrMode mode)
{
    if (control && control->draw)
        control->draw(control, mode);
}

// ---- callbacks of the host ----

// The tool's state behind the user data the panel's controls hand back.
ConsolidateState *StateOf(void *userData) { return static_cast<ConsolidateState *>(userData); }

int PopupCount(void *userData)
{
    return GuardedOr(0, [&] {
        const ConsolidateState *state = StateOf(userData);
        return state ? static_cast<int>(state->itemList.size()) : 0;
    });
}

const char *PopupName(void *userData, int index)
{
    return GuardedOr(static_cast<const char *>(nullptr), [&]() -> const char * {
        auto *state = StateOf(userData);
        if (!state || index < 0 || static_cast<size_t>(index) >= state->itemList.size())
            return nullptr;
        state->popupName = ItemName(state->itemList[index]);
        return state->popupName.c_str();
    });
}

void OnTab(LWControlID, void *userData)
{
    Guarded([&] {
        if (auto *state = StateOf(userData))
            UpdateTabs(*state);
    });
}

void OnPrefix(LWControlID control, void *userData)
{
    Guarded([&] {
        if (auto *state = StateOf(userData))
            state->prefix = GetControlText(control, kPrefixLength);
    });
}

void OnRemove(LWControlID, void *userData)
{
    Guarded([&] {
        auto *state = StateOf(userData);
        if (!state)
            return;
        RemoveMorphExpressions();
        ShowStatus("start expressions remove...done");
        EvalF("RefreshNow");
        state->itemList.clear();
        // The panel's own open is still running: it is closed now and destroyed once open returns.
        state->removed = true;
        if (state->panel && PanelServiceUsable(ToolGlobals::panelFuncs))
            ToolGlobals::panelFuncs->close(state->panel);
    });
}

bool ControlUsable(const LWControl *control) { return control && control->get && control->set; }

} // namespace

bool PanelServiceUsable(const LWPanelFuncs *funcs)
{
    return funcs && funcs->create && funcs->destroy && funcs->open && funcs->close && funcs->draw && funcs->set &&
           funcs->addControl;
}

void DestroyPanel(ConsolidateState &state)
{
    LWPanelFuncs *funcs = ToolGlobals::panelFuncs;
    if (state.panel && PanelServiceUsable(funcs)) {
        funcs->close(state.panel);
        funcs->destroy(state.panel);
    }
    state.panel = nullptr;
    state.tab = state.border = state.itemPopup = state.prefixEdit = state.removeButton = nullptr;
}

void BuildPanel(ConsolidateState &state)
{
    LWPanelFuncs *funcs = ToolGlobals::panelFuncs;
    if (!PanelServiceUsable(funcs))
        return;
    state.panel = funcs->create(state.title.c_str(), funcs);
    if (!state.panel)
        return;

    LWPanControlDesc desc{};
    desc.choice = {LWT_CHOICE, g_tabNames, 0};
    state.tab = funcs->addControl(state.panel, "TabChoiceControl", &desc, "");
    desc = {};
    desc.area = {LWT_AREA, 400, 0};
    state.border = funcs->addControl(state.panel, "BorderControl", &desc, "");
    desc = {};
    desc.popup = {LWT_POPUP, 200, PopupCount, PopupName, nullptr, nullptr, nullptr};
    state.itemPopup = funcs->addControl(state.panel, "CustomPopupControl", &desc, "Ctrl item");
    desc = {};
    desc.string = {LWT_STRING, 38};
    state.prefixEdit = funcs->addControl(state.panel, "EditControl", &desc, "Exp prefix");
    desc = {};
    desc.area = {LWT_AREA, 160, 0};
    state.removeButton = funcs->addControl(state.panel, "ButtonControl", &desc, "Remove Expressions");

    // A host that could not make every control gets no panel at all.
    for (const LWControl *control : {state.tab, state.border, state.itemPopup, state.prefixEdit, state.removeButton})
        if (!ControlUsable(control)) {
            DestroyPanel(state);
            return;
        }

    Place(state.tab, 0, 2);
    Place(state.border, 0, 22);
    PlaceField(state.itemPopup, 40);
    PlaceField(state.prefixEdit, 70);
    PlaceField(state.removeButton, 40);

    SetControlInt(state.tab, CTL_VALUE, 0);
    SetControlInt(state.itemPopup, CTL_VALUE, 0);
    SetText(state.prefixEdit, state.prefix);

    for (LWControl *control : {state.tab, state.itemPopup, state.prefixEdit, state.removeButton})
        SetControlPointer(control, CTL_USERDATA, &state);
    SetControlPointer(state.tab, CTL_USEREVENT, reinterpret_cast<void *>(&OnTab));
    SetControlPointer(state.prefixEdit, CTL_USEREVENT, reinterpret_cast<void *>(&OnPrefix));
    SetControlPointer(state.removeButton, CTL_USEREVENT, reinterpret_cast<void *>(&OnRemove));

    int width = 320, height = 150;
    funcs->set(state.panel, PAN_W, &width);
    funcs->set(state.panel, PAN_H, &height);
    UpdateTabs(state);
}

void UpdateTabs(ConsolidateState &state)
{
    if (!state.panel || !state.tab)
        return;
    const bool create = GetControlInt(state.tab, CTL_VALUE) == 0;
    Draw(state.itemPopup, create ? DR_RENDER : DR_ERASE);
    Draw(state.prefixEdit, create ? DR_RENDER : DR_ERASE);
    Draw(state.removeButton, create ? DR_ERASE : DR_RENDER);
    ToolGlobals::panelFuncs->draw(state.panel, DR_REFRESH);
}

int ItemPopupValue(const ConsolidateState &state)
{
    return state.panel && state.itemPopup ? GetControlInt(state.itemPopup, CTL_VALUE) : 0;
}
