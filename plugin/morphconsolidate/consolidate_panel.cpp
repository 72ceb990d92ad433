// consolidate_panel.cpp: building the panel, switching its tabs and handling its events.
#include "consolidate_panel.h"

#include "../common/lwcontrol.h"
#include "../common/lwglobals.h"
#include "../common/lwguard.h"
#include "../common/lwtool2.h"
#include "morph_link.h"
#include "zktools/morph_panel_controls.h"

#include <iterator>

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

void OnTabChange(LWControlID, void *userData)
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

namespace {

// The panel's controls, numbered by their place in the shared list: the host numbers them in the
// order they are made, and a script finds them by the list's names.
enum MorphControlId {
#define ZK_MORPH_CONTROL_ID(name, text) kMorph##name,
    ZK_MORPH_PANEL_CONTROLS(ZK_MORPH_CONTROL_ID)
#undef ZK_MORPH_CONTROL_ID
    kMorphControlCount
};

// The panel's controls, one row each, in the order they are made: its id, the state member that
// holds it, its host type, descriptor and label, where it sits (a field starting at kFieldX, or x and
// y), its event, and the tab it shows on.
enum class OnTab { Both, Create, Remove };

struct ControlRow {
    MorphControlId id;
    LWControl *ConsolidateState::*member;
    const char *type;
    LWPanControlDesc (*describe)();
    const char *label;
    bool field;
    int x, y;
    LWCtlEventFunc event;
    bool userData; // hands the state back to its callbacks
    OnTab tab;
};

constexpr ControlRow kControls[] = {
    {kMorphTab, &ConsolidateState::tab, "TabChoiceControl",
     [] {
         LWPanControlDesc d{};
         d.choice = {LWT_CHOICE, g_tabNames, 0};
         return d;
     },
     "", false, 0, 2, &OnTabChange, true, OnTab::Both},
    {kMorphBorder, &ConsolidateState::border, "BorderControl",
     [] {
         LWPanControlDesc d{};
         d.area = {LWT_AREA, 400, 0};
         return d;
     },
     "", false, 0, 22, nullptr, false, OnTab::Both},
    {kMorphController, &ConsolidateState::itemPopup, "CustomPopupControl",
     [] {
         LWPanControlDesc d{};
         d.popup = {LWT_POPUP, 200, PopupCount, PopupName, nullptr, nullptr, nullptr};
         return d;
     },
     "Ctrl item", true, 0, 40, nullptr, true, OnTab::Create},
    {kMorphPrefix, &ConsolidateState::prefixEdit, "EditControl",
     [] {
         LWPanControlDesc d{};
         d.string = {LWT_STRING, 38};
         return d;
     },
     "Exp prefix", true, 0, 70, &OnPrefix, true, OnTab::Create},
    {kMorphRemoveExpressions, &ConsolidateState::removeButton, "ButtonControl",
     [] {
         LWPanControlDesc d{};
         d.area = {LWT_AREA, 160, 0};
         return d;
     },
     "Remove Expressions", true, 0, 40, &OnRemove, true, OnTab::Remove},
};

// The host numbers the controls in the order they are made: the rows follow the shared list.
constexpr bool RowsInListOrder()
{
    for (int i = 0; i < kMorphControlCount; ++i)
        if (kControls[i].id != i)
            return false;
    return std::size(kControls) == kMorphControlCount;
}
static_assert(RowsInListOrder(), "one row for each control of the shared list, in its order");

} // namespace

void BuildPanel(ConsolidateState &state)
{
    LWPanelFuncs *funcs = ToolGlobals::panelFuncs;
    if (!PanelServiceUsable(funcs))
        return;
    state.panel = funcs->create(state.title.c_str(), funcs);
    if (!state.panel)
        return;

    for (const ControlRow &row : kControls) {
        LWPanControlDesc desc = row.describe();
        state.*row.member = funcs->addControl(state.panel, row.type, &desc, row.label);
    }
    // A host that could not make every control gets no panel at all.
    for (const ControlRow &row : kControls)
        if (!ControlUsable(state.*row.member)) {
            DestroyPanel(state);
            return;
        }
    for (const ControlRow &row : kControls) {
        if (row.field)
            PlaceField(state.*row.member, row.y);
        else
            Place(state.*row.member, row.x, row.y);
    }

    SetControlInt(state.tab, CTL_VALUE, 0);
    SetControlInt(state.itemPopup, CTL_VALUE, 0);
    SetText(state.prefixEdit, state.prefix);

    for (const ControlRow &row : kControls)
        if (row.userData)
            SetControlPointer(state.*row.member, CTL_USERDATA, &state);
    for (const ControlRow &row : kControls)
        if (row.event)
            SetControlPointer(state.*row.member, CTL_USEREVENT, reinterpret_cast<void *>(row.event));

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
    for (const ControlRow &row : kControls)
        if (row.tab != OnTab::Both)
            Draw(state.*row.member, (row.tab == OnTab::Create) == create ? DR_RENDER : DR_ERASE);
    ToolGlobals::panelFuncs->draw(state.panel, DR_REFRESH);
}

int ItemPopupValue(const ConsolidateState &state)
{
    return state.panel && state.itemPopup ? GetControlInt(state.itemPopup, CTL_VALUE) : 0;
}
