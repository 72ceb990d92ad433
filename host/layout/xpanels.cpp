// xpanels.cpp: the host's view panels and their service table.
#include "xpanels.h"

#include "unserved.h"

#include "host.h"
#include "printable_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace zkh {

namespace {

XPanels &Panels() { return Host::Current().xpanels; }

std::uintptr_t Word(LWXPanelHint hint) { return reinterpret_cast<std::uintptr_t>(hint); }

XPanelControl *MutableControl(XPanel &panel, std::uintptr_t cid)
{
    for (XPanelControl &control : panel.controls)
        if (control.cid == cid)
            return &control;
    return nullptr;
}

std::string Hex(std::uintptr_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

LWXPanelID Create(int type, LWXPanelControl *controls)
{
    auto panel = std::make_unique<XPanel>();
    panel->type = type;
    for (const LWXPanelControl *c = controls; c && c->cid != 0; ++c) {
        XPanelControl control;
        control.cid = c->cid;
        control.label = c->label ? c->label : "";
        control.ctrlclass = c->ctrlclass ? c->ctrlclass : "";
        panel->controls.push_back(std::move(control));
    }
    return Panels().Add(std::move(panel));
}

void Destroy(LWXPanelID panel) { Panels().Destroy(panel); }

void Describe(LWXPanelID id, LWXPanelDataDesc *data, LWXPanelGetFunc *get, LWXPanelSetFunc *set)
{
    XPanel *panel = Panels().Find(id);
    if (!panel)
        return;
    panel->get = get;
    panel->set = set;
    for (const LWXPanelDataDesc *d = data; d && d->vid != 0; ++d) {
        XPanelControl *control = MutableControl(*panel, d->vid);
        if (!control) {
            Panels().log.push_back("data description names no control: " + Hex(d->vid));
            continue;
        }
        control->dataName = d->name ? d->name : "";
        control->dataType = d->datatype ? d->datatype : "";
    }
}

// Reads a hint array as the host does: each tag is followed by as many words as its low seven bits
// give, and by a list ended by 0 when bit 0x80 is set; the array ends with a 0 tag. Tags the
// simulated host does not act on are logged and skipped by that length.
void Hint(LWXPanelID id, unsigned int, LWXPanelHint *hints)
{
    XPanel *panel = Panels().Find(id);
    if (!panel || !hints)
        return;
    auto &log = Panels().log;
    auto controlFor = [&](std::uintptr_t cid) {
        XPanelControl *control = MutableControl(*panel, cid);
        if (!control)
            log.push_back("hint names no control: " + Hex(cid));
        return control;
    };
    for (size_t i = 0;;) {
        const std::uintptr_t tag = Word(hints[i++]);
        if (tag == XPTAG_END)
            return;
        LWXPanelHint *words = hints + i;
        i += tag & 0x7F;
        std::vector<std::uintptr_t> list;
        if (tag & 0x80)
            for (std::uintptr_t member; (member = Word(hints[i++])) != 0;)
                list.push_back(member);
        if (tag == XPTAG_LABEL) {
            const std::uintptr_t target = Word(words[0]);
            const char *text = static_cast<const char *>(words[1]);
            if (target == 0)
                panel->title = text ? text : "";
            else if (XPanelControl *control = controlFor(target))
                control->label = text ? text : "";
        } else if (tag == XPTAG_DESTROYNOTIFY) {
            panel->destroyNotify = reinterpret_cast<LWXPanelDestroyNotifyFunc *>(words[0]);
        } else if (tag == XPTAG_BUTNOTIFY) {
            if (XPanelControl *control = controlFor(Word(words[0])))
                control->button = reinterpret_cast<LWXPanelBtnClickFunc *>(words[1]);
        } else if (tag == XPTAG_POPFUNCS) {
            if (XPanelControl *control = controlFor(Word(words[0]))) {
                control->popCount = reinterpret_cast<LWXPanelPopCntFunc *>(words[1]);
                control->popName = reinterpret_cast<LWXPanelPopNameFunc *>(words[2]);
            }
        } else if (tag == XPTAG_MIN || tag == XPTAG_STEP) {
            XPanelControl *control = controlFor(Word(words[0]));
            const int value = static_cast<int>(static_cast<std::intptr_t>(Word(words[1])));
            if (control && tag == XPTAG_MIN) {
                control->hasMin = true;
                control->min = value;
            } else if (control) {
                control->hasStep = true;
                control->step = value;
            }
        } else if (tag == XPTAG_GROUP) {
            XPanelGroup group;
            group.gid = static_cast<unsigned int>(Word(words[0]));
            for (std::uintptr_t member : list)
                group.members.push_back(static_cast<unsigned int>(member));
            panel->groups.push_back(std::move(group));
        } else {
            log.push_back("hint tag " + Hex(tag) + " is not served by the simulated host: skipped");
        }
    }
}

void *GetData(LWXPanelID id, unsigned int which)
{
    XPanel *panel = Panels().Find(id);
    return panel && which == 0 ? panel->userData : nullptr;
}

void SetData(LWXPanelID id, unsigned int which, void *data)
{
    XPanel *panel = Panels().Find(id);
    if (panel && which == 0)
        panel->userData = data;
}

void ViewInst(LWXPanelID id, void *inst)
{
    if (XPanel *panel = Panels().Find(id))
        panel->inst = inst;
}

void ViewRefresh(LWXPanelID id)
{
    if (XPanel *panel = Panels().Find(id))
        ++panel->refreshCount;
}

// A form panel shown modally: the user confirms it at once (the transcript names it).
int Post(LWXPanelID id)
{
    XPanel *panel = Panels().Find(id);
    if (!panel)
        return 0;
    Host::Current().commands.Note("modal panel \"" + PrintableText(panel->title) + "\": OK");
    return 1;
}
int Open(LWXPanelID id) { return Panels().Find(id) ? 1 : 0; }

} // namespace

LWXPanelID ToPanelID(XPanel *panel) { return reinterpret_cast<LWXPanelID>(panel); }

XPanels::XPanels()
{
    funcs_ = LWXPanelFuncs{};
    funcs_.version = 3;
    funcs_.drawf = nullptr;
    funcs_.create = Create;
    funcs_.destroy = zkh::Destroy;
    funcs_.describe = Describe;
    funcs_.hint = Hint;
    funcs_.getData = GetData;
    funcs_.setData = SetData;
    funcs_.viewInst = ViewInst;
    funcs_.viewRefresh = ViewRefresh;
    funcs_.post = Post;
    funcs_.open = Open;
    TrapUnserved(funcs_);
}

// Panels left at the end go without notifications: their module may be gone already.
XPanels::~XPanels() { panels_.clear(); }

LWXPanelID XPanels::Add(std::unique_ptr<XPanel> panel)
{
    panels_.push_back(std::move(panel));
    return ToPanelID(panels_.back().get());
}

XPanel *XPanels::Find(LWXPanelID id)
{
    for (auto &panel : panels_)
        if (ToPanelID(panel.get()) == id)
            return panel.get();
    return nullptr;
}

XPanel *XPanels::ForInstance(void *inst)
{
    for (auto &panel : panels_)
        if (panel->inst == inst)
            return panel.get();
    return nullptr;
}

const XPanelControl *XPanels::Control(const XPanel &panel, unsigned int cid) const
{
    for (const XPanelControl &control : panel.controls)
        if (control.cid == cid)
            return &control;
    return nullptr;
}

const XPanelControl *XPanels::ControlByName(const XPanel &panel, const std::string &dataName) const
{
    for (const XPanelControl &control : panel.controls)
        if (!dataName.empty() && control.dataName == dataName)
            return &control;
    return nullptr;
}

const XPanelControl *XPanels::ControlByLabel(const XPanel &panel, const std::string &label) const
{
    for (const XPanelControl &control : panel.controls)
        if (control.label == label)
            return &control;
    return nullptr;
}

XPanelValue XPanels::Get(XPanel &panel, unsigned int cid)
{
    XPanelValue value;
    const XPanelControl *control = Control(panel, cid);
    if (!control || !panel.get || control->dataType.empty())
        return value;
    void *result = panel.get(panel.inst, cid);
    if (!result)
        return value;
    value.present = true;
    if (control->dataType == "integer")
        value.integer = *static_cast<const int *>(result);
    else if (control->dataType == "string")
        value.text = static_cast<const char *>(result);
    else if (control->dataType == "color")
        std::copy_n(static_cast<const double *>(result), 3, value.color.begin());
    else
        value.present = false;
    return value;
}

int XPanels::SetInteger(XPanel &panel, unsigned int cid, int value)
{
    const XPanelControl *control = Control(panel, cid);
    if (!control || !panel.set || control->dataType != "integer")
        return -1;
    if (control->hasMin && value < control->min)
        value = control->min;
    const int result = panel.set(panel.inst, cid, &value);
    ++panel.refreshCount;
    return result;
}

int XPanels::SetText(XPanel &panel, unsigned int cid, const std::string &text)
{
    const XPanelControl *control = Control(panel, cid);
    if (!control || !panel.set || control->dataType != "string")
        return -1;
    std::string copy = text;
    const int result = panel.set(panel.inst, cid, copy.data());
    ++panel.refreshCount;
    return result;
}

int XPanels::SetColor(XPanel &panel, unsigned int cid, const std::array<double, 3> &rgb)
{
    const XPanelControl *control = Control(panel, cid);
    if (!control || !panel.set || control->dataType != "color")
        return -1;
    double values[3] = {rgb[0], rgb[1], rgb[2]};
    const int result = panel.set(panel.inst, cid, values);
    ++panel.refreshCount;
    return result;
}

bool XPanels::Press(XPanel &panel, unsigned int cid)
{
    const XPanelControl *control = Control(panel, cid);
    if (!control || !control->button)
        return false;
    control->button(ToPanelID(&panel), static_cast<int>(cid));
    return true;
}

std::vector<std::string> XPanels::PopupItems(XPanel &panel, unsigned int cid)
{
    std::vector<std::string> items;
    const XPanelControl *control = Control(panel, cid);
    if (!control || !control->popCount)
        return items;
    const int count = control->popCount(panel.userData);
    for (int i = 0; i < count; ++i) {
        const char *name = control->popName ? control->popName(panel.userData, i) : nullptr;
        items.push_back(name ? name : "");
    }
    return items;
}

void XPanels::Destroy(LWXPanelID id)
{
    for (auto it = panels_.begin(); it != panels_.end(); ++it) {
        if (ToPanelID(it->get()) != id)
            continue;
        std::unique_ptr<XPanel> panel = std::move(*it);
        panels_.erase(it);
        if (panel->destroyNotify)
            panel->destroyNotify(panel->userData);
        return;
    }
}

void XPanels::DestroyFor(void *inst)
{
    while (XPanel *panel = ForInstance(inst))
        Destroy(ToPanelID(panel));
}

void XPanels::DestroyAll()
{
    while (!panels_.empty())
        Destroy(ToPanelID(panels_.back().get()));
}

} // namespace zkh
