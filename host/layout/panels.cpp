// panels.cpp: the classic panel service of the simulated host.
#include "panels.h"

#include "unserved.h"

#include "host.h"
#include "printable_text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zkh {

namespace {

PanelService &Service() { return Host::Current().panels; }
Panel *P(LWPanelID id) { return reinterpret_cast<Panel *>(id); }
PanelControl *C(LWControlID id) { return id ? static_cast<PanelControl *>(id->priv_data) : nullptr; }

ValueKind KindOf(const std::string &type)
{
    static const char *const kText[] = {"EditControl", "InfoControl", "FileControl", "LoadControl", "SaveControl",
                                        "DirControl", "FileButtonControl", "LoadButtonControl", "SaveButtonControl",
                                        "DirButtonControl"};
    static const char *const kInt[] = {"BoolControl", "BoolButtonControl", "NumControl", "SliderControl",
                                       "MiniSliderControl", "HSlideControl", "VSlideControl", "PopupControl",
                                       "CustomPopupControl", "ChoiceControl", "HChoiceControl", "VChoiceControl",
                                       "TabChoiceControl", "ListBoxControl", "MultiListBoxControl", "PopDownControl"};
    static const char *const kFloat[] = {"FloatControl", "PercentControl", "MiniFloatControl", "AngleControl",
                                         "DistanceControl", "MiniPercentControl", "MiniAngleControl", "MiniDistanceControl"};
    for (const char *name : kText)
        if (type == name)
            return ValueKind::Text;
    for (const char *name : kInt)
        if (type == name)
            return ValueKind::Int;
    for (const char *name : kFloat)
        if (type == name)
            return ValueKind::Float;
    if (type == "RGBVecControl" || type == "VecControl" || type == "IVecControl")
        return ValueKind::IntVector;
    if (type == "FVecControl" || type == "DistVecControl" || type == "RGBColorControl")
        return ValueKind::FloatVector;
    return ValueKind::None;
}

bool KnownType(const std::string &type)
{
    static const char *const kPlain[] = {"ButtonControl", "BorderControl", "TextControl", "AreaControl",
                                         "DragAreaControl", "OpenGLControl", "CanvasControl"};
    for (const char *name : kPlain)
        if (type == name)
            return true;
    return KindOf(type) != ValueKind::None;
}

// Field width of a control of a type, from its descriptor.
int FieldWidth(const PanelControl &c)
{
    const std::string &t = c.type;
    if (t == "ButtonControl" || t == "BoolButtonControl" || t == "BorderControl" || t == "AreaControl" ||
        t == "DragAreaControl")
        return c.desc.area.width > 0 ? c.desc.area.width : PanelService::TextWidth(c.label) + 16;
    if (c.kind == ValueKind::Text) // a character of the field's width is as wide as one of a label
        return std::max(1, c.desc.string.width) * 7 + 8;
    if (t == "CustomPopupControl")
        return c.desc.popup.width > 0 ? c.desc.popup.width : 120;
    if (t == "MiniSliderControl" || t == "SliderControl")
        return c.desc.range.width > 0 ? c.desc.range.width : 80;
    if (t == "PopupControl") { // the chosen item and the arrow: as wide as the widest item
        int width = 0;
        for (const std::string &item : c.items)
            width = std::max(width, PanelService::TextWidth(item));
        return std::max(width + 24, 40);
    }
    if (t == "ChoiceControl" || t == "TabChoiceControl" || t == "HChoiceControl") { // the items side by side
        int width = 16;
        for (const std::string &item : c.items)
            width += PanelService::TextWidth(item) + 8;
        return std::max(width, 40);
    }
    if (t == "BoolControl")
        return 20;
    if (t == "MultiListBoxControl")
        return c.desc.multiList.width > 0 ? c.desc.multiList.width : 200;
    if (c.kind == ValueKind::IntVector || c.kind == ValueKind::FloatVector)
        return 150;
    if (t == "TextControl") // the label is the text; lines beyond it are not kept
        return 0;
    return 80;
}

// ---- control callbacks ----

void ControlDraw(LWControlID id, DrMode mode)
{
    PanelControl *c = C(id);
    if (!c)
        return;
    c->draws.push_back(mode);
    if (mode == DR_ERASE) {
        c->visible = false;
    } else if (mode == DR_GHOST) {
        c->visible = true;
        c->ghosted = true;
    } else if (mode == DR_RENDER) {
        c->visible = true;
        c->ghosted = false;
    }
}

void ControlGet(LWControlID id, cTag tag, LWValue *value)
{
    PanelControl *c = C(id);
    if (!c || !value)
        return;
    switch (tag) {
    case CTL_X: value->intv.value = c->x; break;
    case CTL_Y: value->intv.value = c->y; break;
    case CTL_W: value->intv.value = c->w; break;
    case CTL_H: value->intv.value = c->h; break;
    case CTL_HOTX: value->intv.value = c->HotX(); break;
    case CTL_HOTY: value->intv.value = c->y; break;
    case CTL_HOTW: value->intv.value = c->w - c->labelWidth; break;
    case CTL_HOTH: value->intv.value = c->h; break;
    case CTL_LABELWIDTH: value->intv.value = c->labelWidth; break;
    case CTL_FLAGS: value->intv.value = c->flags; break;
    case CTL_RANGEMIN: value->intv.value = c->rangeMin; break;
    case CTL_RANGEMAX: value->intv.value = c->rangeMax; break;
    case CTL_USERDATA: value->ptr.ptr = c->userData; break;
    case CTL_VALUE:
        switch (c->kind) {
        case ValueKind::Int: value->intv.value = c->intValue; break;
        case ValueKind::Float: value->flt.value = c->floatValue; break;
        case ValueKind::Text:
            if (value->str.buf && value->str.bufLen > 0) {
                const size_t n = std::min(c->text.size(), static_cast<size_t>(value->str.bufLen - 1));
                std::memcpy(value->str.buf, c->text.data(), n);
                value->str.buf[n] = '\0';
            }
            break;
        case ValueKind::IntVector: std::copy(c->ivec, c->ivec + 3, value->ivec.val); break;
        case ValueKind::FloatVector: std::copy(c->fvec, c->fvec + 3, value->fvec.val); break;
        case ValueKind::None: break;
        }
        break;
    default: break;
    }
}

void ControlSet(LWControlID id, cTag tag, LWValue *value)
{
    PanelControl *c = C(id);
    if (!c || !value)
        return;
    switch (tag) {
    case CTL_X: c->x = value->intv.value; break;
    case CTL_Y:
    case CTL_HOTY: c->y = value->intv.value; break;
    case CTL_W: c->w = value->intv.value; break;
    case CTL_H:
    case CTL_HOTH: c->h = value->intv.value; break;
    case CTL_HOTX: c->x = value->intv.value - c->labelWidth; break;
    case CTL_HOTW: c->w = value->intv.value + c->labelWidth; break;
    case CTL_FLAGS: c->flags = value->intv.value; break;
    case CTL_RANGEMIN: c->rangeMin = value->intv.value; break;
    case CTL_RANGEMAX: c->rangeMax = value->intv.value; break;
    case CTL_USEREVENT: c->event = reinterpret_cast<LWCtlEventFunc>(value->ptr.ptr); break;
    case CTL_SELECTEVENT: c->select = reinterpret_cast<LWCtlSelectHook>(value->ptr.ptr); break;
    case CTL_USERDATA: c->userData = value->ptr.ptr; break;
    case CTL_USERDRAW: c->userDraw = value->ptr.ptr; break;
    case CTL_VALUE:
        switch (c->kind) {
        case ValueKind::Int: c->intValue = value->intv.value; break;
        case ValueKind::Float: c->floatValue = value->flt.value; break;
        case ValueKind::Text:
            c->text = value->str.buf ? std::string(value->str.buf, strnlen(value->str.buf, std::max(0, value->str.bufLen)))
                                     : std::string();
            break;
        case ValueKind::IntVector: std::copy(value->ivec.val, value->ivec.val + 3, c->ivec); break;
        case ValueKind::FloatVector: std::copy(value->fvec.val, value->fvec.val + 3, c->fvec); break;
        case ValueKind::None: break;
        }
        break;
    default: break;
    }
}

// ---- panel callbacks ----

bool IsHookTag(pTag tag)
{
    return (tag >= PAN_USERDRAW && tag <= PAN_USERCLOSE) || tag == PAN_USERKEYS || tag == PAN_MOUSEBUTTON ||
           tag == PAN_MOUSEMOVE || tag == PAN_USERKEYUPS || tag == PAN_MOUSEWHEEL || tag == PAN_USERRESIZE;
}

template <class Hook, class... Args>
void CallHook(Panel &panel, pTag tag, Args... args)
{
    auto found = panel.hooks.find(tag);
    if (found != panel.hooks.end() && found->second)
        reinterpret_cast<Hook>(found->second)(reinterpret_cast<LWPanelID>(&panel), panel.userData, args...);
}

} // namespace

struct PanelAccess {
    static LWPanelID Create(const char *title, void *)
    {
        auto panel = std::make_unique<Panel>();
        panel->title = title ? title : "";
        Service().panels_.push_back(std::move(panel));
        return reinterpret_cast<LWPanelID>(Service().panels_.back().get());
    }

    // A panel is destroyed after it was closed, never while it is open (a modal one is open until
    // its open call returns): the host refuses and says so.
    static void Destroy(LWPanelID id)
    {
        auto &panels = Service().panels_;
        for (auto it = panels.begin(); it != panels.end(); ++it) {
            if (it->get() != P(id))
                continue;
            if ((*it)->open || (*it)->inModalOpen) {
                Host::Current().Message("panel \"" + (*it)->title + "\": not destroyed, it is open");
                return;
            }
            if (Service().lastOpened_ == it->get())
                Service().lastOpened_ = nullptr;
            panels.erase(it);
            return;
        }
    }

    static int Open(LWPanelID id, int flags)
    {
        Panel *panel = P(id);
        if (!panel)
            return 0;
        PanelService &service = Service();
        panel->openFlags = flags;
        panel->open = true;
        panel->result = 1;
        service.lastOpened_ = panel;
        CallHook<LWPanHook>(*panel, PAN_USEROPEN);
        if (!(flags & PANF_BLOCKING))
            return 1;
        ++service.modalOpens;
        int result = 1;
        panel->inModalOpen = true;
        // The title the user saw, in the runner's transcript; how the panel closed follows it there.
        CommandInterface &commands = Host::Current().commands;
        const std::size_t note = commands.Note("modal panel \"" + PrintableText(panel->title) + "\"");
        if (!service.modalScripts.empty()) {
            auto script = std::move(service.modalScripts.front());
            service.modalScripts.pop_front();
            result = script(*panel);
        }
        panel->inModalOpen = false;
        // The panel may have been closed from inside one of its events (not destroyed: that is refused).
        for (auto &owned : service.panels_) {
            if (owned.get() != panel)
                continue;
            if (panel->open)
                PanelService::CloseByUser(*panel, result);
            result = panel->result;
            break;
        }
        if (note < commands.transcript.size())
            commands.transcript[note] += result ? ": OK" : ": Cancel";
        return result;
    }

    static int Handle(LWPanelID id, int) { return P(id) && P(id)->open ? 0 : -1; }

    static void DrawPanel(LWPanelID id, DrMode mode)
    {
        if (P(id))
            CallHook<LWPanDrawHook>(*P(id), PAN_USERDRAW, mode);
    }

    static void Close(LWPanelID id)
    {
        Panel *panel = P(id);
        if (!panel || !panel->open)
            return;
        panel->open = false;
        CallHook<LWPanHook>(*panel, PAN_USERCLOSE);
    }

    static void Get(LWPanelID id, pTag tag, void *value)
    {
        Panel *panel = P(id);
        if (!panel || !value)
            return;
        if (IsHookTag(tag)) {
            *static_cast<void **>(value) = panel->hooks[tag];
            return;
        }
        int *number = static_cast<int *>(value);
        switch (tag) {
        case PAN_X: *number = panel->x; break;
        case PAN_Y: *number = panel->y; break;
        case PAN_W: *number = panel->w; break;
        case PAN_H: *number = panel->h; break;
        case PAN_RESULT: *number = panel->result; break;
        case PAN_TITLE: *static_cast<const char **>(value) = panel->title.c_str(); break;
        case PAN_USERDATA: *static_cast<void **>(value) = panel->userData; break;
        case PAN_LWINSTANCE: *static_cast<void **>(value) = panel->lwInstance; break;
        default: *number = panel->values[tag]; break;
        }
    }

    static void Set(LWPanelID id, pTag tag, void *value)
    {
        Panel *panel = P(id);
        if (!panel)
            return;
        if (IsHookTag(tag)) {
            panel->hooks[tag] = value;
            return;
        }
        switch (tag) {
        case PAN_TITLE: panel->title = value ? static_cast<const char *>(value) : ""; return;
        case PAN_USERDATA: panel->userData = value; return;
        case PAN_LWINSTANCE: panel->lwInstance = value; return;
        default: break;
        }
        if (!value)
            return;
        const int number = *static_cast<const int *>(value);
        switch (tag) {
        case PAN_X: panel->x = number; break;
        case PAN_Y: panel->y = number; break;
        case PAN_W: panel->w = number; break;
        case PAN_H: panel->h = number; break;
        default: panel->values[tag] = number; break;
        }
    }

    static LWControl *AddControl(LWPanelID id, const char *typeName, LWPanControlDesc *desc, const char *label)
    {
        Panel *panel = P(id);
        const std::string type = typeName ? typeName : "";
        if (!panel || !KnownType(type))
            return nullptr;
        auto control = std::make_unique<PanelControl>();
        PanelControl &c = *control;
        c.record.draw = ControlDraw;
        c.record.get = ControlGet;
        c.record.set = ControlSet;
        c.record.priv_data = &c;
        c.panel = panel;
        c.type = type;
        c.label = label ? label : "";
        if (desc)
            c.desc = *desc;
        if (desc && desc->type == LWT_CHOICE && desc->choice.items)
            for (const char **item = desc->choice.items; *item; ++item)
                c.items.emplace_back(*item);
        if (desc && desc->type == LWT_RANGE) {
            c.rangeMin = desc->range.min;
            c.rangeMax = desc->range.max;
        }
        c.kind = KindOf(type);
        const bool labelInside = type == "ButtonControl" || type == "BoolButtonControl" || type == "BorderControl";
        c.labelWidth = labelInside ? 0 : PanelService::TextWidth(c.label);
        c.w = c.labelWidth + FieldWidth(c);
        c.h = type == "BorderControl" ? std::max(2, c.desc.area.height) : 20;
        if (type == "MultiListBoxControl") // a title row and the visible rows
            c.h = PanelService::kListRowHeight * (1 + std::max(1, c.desc.multiList.visItems));
        c.x = 4;
        c.y = panel->nextY;
        panel->nextY += c.h + 4;
        panel->controls.push_back(std::move(control));
        return &panel->controls.back()->record;
    }

    static LWControl *NextControl(LWPanelID id, LWControlID previous)
    {
        Panel *panel = P(id);
        if (!panel)
            return nullptr;
        bool passed = previous == nullptr;
        for (auto &control : panel->controls) {
            if (passed)
                return &control->record;
            passed = &control->record == previous;
        }
        return nullptr;
    }

    static int TextWidthOf(LWPanelID, const char *text) { return PanelService::TextWidth(text ? text : ""); }

    static const LWDisplayMetrics *Metrics()
    {
        static const LWDisplayMetrics metrics = {1920, 1080, 1, 1, 1 << 24, 24, 14, 11};
        return &metrics;
    }
};

PanelService::PanelService()
{
    drawFuncs_.textWidth = PanelAccess::TextWidthOf;
    drawFuncs_.dispMetrics = PanelAccess::Metrics;
    funcs_.create = PanelAccess::Create;
    funcs_.destroy = PanelAccess::Destroy;
    funcs_.open = PanelAccess::Open;
    funcs_.handle = PanelAccess::Handle;
    funcs_.draw = PanelAccess::DrawPanel;
    funcs_.close = PanelAccess::Close;
    funcs_.get = PanelAccess::Get;
    funcs_.set = PanelAccess::Set;
    funcs_.addControl = PanelAccess::AddControl;
    funcs_.nextControl = PanelAccess::NextControl;
    funcs_.drawFuncs = &drawFuncs_;
    TrapUnserved(drawFuncs_);
    TrapUnserved(funcs_);
}

std::vector<Panel *> PanelService::Panels()
{
    std::vector<Panel *> list;
    for (auto &panel : panels_)
        list.push_back(panel.get());
    return list;
}

int PanelService::TextWidth(const std::string &text)
{
    int width = 0;
    for (size_t i = 0; i < text.size();) {
        // A rich-text image ("\x03(i:MIMG_CHECKMARK)") is one icon.
        const size_t close = text[i] == '\x03' && i + 1 < text.size() && text[i + 1] == '(' ? text.find(')', i) : text.npos;
        if (close != text.npos) {
            width += kIconWidth;
            i = close + 1;
            continue;
        }
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 14 : 7; // three-byte and longer sequences are the wide characters
        i += length;
    }
    return width > 0 ? width + 8 : 0;
}

PanelControl *PanelService::Find(Panel &panel, const std::string &label)
{
    if (label.size() > 1 && label[0] == '#') {
        const size_t index = static_cast<size_t>(std::atoi(label.c_str() + 1));
        return index < panel.controls.size() ? panel.controls[index].get() : nullptr;
    }
    for (auto &control : panel.controls)
        if (control->label == label)
            return control.get();
    return nullptr;
}

void PanelService::SetInt(PanelControl &c, int value)
{
    if (c.kind == ValueKind::Float)
        c.floatValue = value;
    else
        c.intValue = value;
}

void PanelService::SetFloat(PanelControl &c, double value)
{
    if (c.kind == ValueKind::Int) // truncated, within the int range; NaN as 0
        c.intValue = std::isnan(value) ? 0 : static_cast<int>(std::clamp(value, -2147483648.0, 2147483647.0));
    else
        c.floatValue = value;
}

void PanelService::SetText(PanelControl &c, const std::string &text) { c.text = text; }

void PanelService::SetVector(PanelControl &c, int r, int g, int b)
{
    c.ivec[0] = r;
    c.ivec[1] = g;
    c.ivec[2] = b;
    c.fvec[0] = r;
    c.fvec[1] = g;
    c.fvec[2] = b;
}

void PanelService::Fire(PanelControl &c)
{
    if (c.event)
        c.event(&c.record, c.userData);
}

void PanelService::Mouse(Panel &panel, int qualifiers, int x, int y, bool move)
{
    CallHook<LWPanMouseHook>(panel, move ? PAN_MOUSEMOVE : PAN_MOUSEBUTTON, qualifiers, x, y);
}

int PanelService::Key(Panel &panel, LWDualKey key, bool up)
{
    auto found = panel.hooks.find(up ? PAN_USERKEYUPS : PAN_USERKEYS);
    if (found == panel.hooks.end() || !found->second)
        return 0;
    return reinterpret_cast<LWPanKeyHook>(found->second)(reinterpret_cast<LWPanelID>(&panel), panel.userData, key);
}

void PanelService::Wheel(Panel &panel, int value, int x, int y)
{
    using WheelHook = void (*)(LWPanelID, void *, int, int, int); // the host names no type for it
    CallHook<WheelHook>(panel, PAN_MOUSEWHEEL, value, x, y);
}

void PanelService::UserResize(Panel &panel, int width, int height) { CallHook<LWPanResizeHook>(panel, PAN_USERRESIZE, width, height); }

void PanelService::Activate(Panel &panel) { CallHook<LWPanHook>(panel, PAN_USERACTIVATE); }

void PanelService::Draw(Panel &panel, DrMode mode) { CallHook<LWPanDrawHook>(panel, PAN_USERDRAW, mode); }

void PanelService::CloseByUser(Panel &panel, int result)
{
    if (!panel.open)
        return;
    panel.result = result;
    panel.open = false;
    CallHook<LWPanHook>(panel, PAN_USERCLOSE);
}

} // namespace zkh
