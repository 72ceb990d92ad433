// lwpanel_control.cpp: CLWctl, one host control created by its type name.
#include "lwpanel.h"

#include <algorithm>
#include <cstring>

namespace lwp::lwpanel {

namespace {

// One descriptor shared by every construction: each sets only its own fields, the others keep
// what the previous construction left.
LWPanControlDesc s_desc;
// One value record shared by the position and value calls.
LWValue s_value;
// Text exchange buffer.
char s_text[260];

struct TypeEntry {
    int code;
    const char *name;
    bool area; // area descriptor (buttons); otherwise a string of the given length
    std::int32_t kind;
};

const TypeEntry kTypes[] = {
    {kEditControl, "EditControl", false, kValueString},
    {kInfoControl, "InfoControl", false, kValueString},
    {kButtonControl, "ButtonControl", true, kValueNone},
    {kBoolButtonControl, "BoolButtonControl", true, kValueInt},
    {kFileControl, "FileControl", false, kValueString},
    {kLoadControl, "LoadControl", false, kValueString},
    {kSaveControl, "SaveControl", false, kValueString},
    {kDirControl, "DirControl", false, kValueString},
    {kFileButtonControl, "FileButtonControl", false, kValueString},
    {kLoadButtonControl, "LoadButtonControl", false, kValueString},
    {kSaveButtonControl, "SaveButtonControl", false, kValueString},
    {kDirButtonControl, "DirButtonControl", false, kValueString},
};

const TypeEntry *FindType(int code)
{
    for (const TypeEntry &entry : kTypes)
        if (entry.code == code)
            return &entry;
    return nullptr;
}

} // namespace

CLWctl::CLWctl(std::uint32_t id, std::int32_t valueKind) : id_(id), valueKind_(valueKind) {}

CLWctl::CLWctl(CLWwindow *window, std::uint32_t id, int typeCode, const char *label, int width) : CLWctl(id, kValueNone)
{
    const TypeEntry *entry = FindType(typeCode);
    if (!entry)
        return;
    valueKind_ = entry->kind;
    if (entry->area) {
        s_desc.area.type = LWT_AREA;
        s_desc.area.width = width;
        s_desc.area.height = 0;
    } else {
        s_desc.string.type = LWT_STRING;
        s_desc.string.width = width;
    }
    Create(window, entry->name, label);
}

CLWctl::CLWctl(CLWwindow *window, std::uint32_t id, const char *label, int min, int max) : CLWctl(id, kValueInt)
{
    s_desc.range.type = LWT_RANGE;
    s_desc.range.width = 80;
    s_desc.range.min = min;
    s_desc.range.max = max;
    Create(window, "MiniSliderControl", label);
}

CLWctl::CLWctl(CLWwindow *window, std::uint32_t id, const char *label) : CLWctl(id, kValueNone)
{
    s_desc.area.type = LWT_AREA;
    s_desc.area.width = 160;
    s_desc.area.height = 0;
    Create(window, "BorderControl", label);
}

CLWctl *CLWctl::Bool(CLWwindow *window, std::uint32_t id, const char *label)
{
    auto *control = new CLWctl(id, kValueInt);
    s_desc.type = LWT_BOOLEAN;
    control->Create(window, "BoolControl", label);
    return control;
}

CLWctl *CLWctl::CustomPopup(CLWwindow *window, std::uint32_t id, const char *label, int width, int (*count)(void *),
                            const char *(*name)(void *, int))
{
    auto *control = new CLWctl(id, kValueInt);
    s_desc.popup.type = LWT_POPUP;
    s_desc.popup.width = width;
    s_desc.popup.countFn = count;
    s_desc.popup.nameFn = name;
    control->Create(window, "CustomPopupControl", label);
    return control;
}

CLWctl *CLWctl::Popup(CLWwindow *window, std::uint32_t id, const char *label, const char **items)
{
    auto *control = new CLWctl(id, kValueInt);
    s_desc.choice.type = LWT_CHOICE;
    s_desc.choice.items = items;
    s_desc.choice.vertical = 120;
    control->Create(window, "PopupControl", label);
    return control;
}

CLWctl *CLWctl::RGBVec(CLWwindow *window, std::uint32_t id, const char *label)
{
    auto *control = new CLWctl(id, kValueIntVector);
    s_desc.type = LWT_VINT;
    control->Create(window, "RGBVecControl", label);
    return control;
}

// A floating point control over a range from 0.
CLWctl *CLWctl::FloatRange(CLWctl *control, CLWwindow *window, const char *typeName, const char *label, int max)
{
    s_desc.range.type = LWT_RANGE;
    s_desc.range.min = 0;
    s_desc.range.max = max;
    control->Create(window, typeName, label);
    return control;
}

CLWctl *CLWctl::Percent(CLWwindow *window, std::uint32_t id, const char *label)
{
    return FloatRange(new CLWctl(id, kValueFloat), window, "PercentControl", label, 100);
}

CLWctl *CLWctl::MiniFloat(CLWwindow *window, std::uint32_t id, const char *label)
{
    return FloatRange(new CLWctl(id, kValueFloat), window, "MiniFloatControl", label, 100);
}

CLWctl *CLWctl::Angle(CLWwindow *window, std::uint32_t id, const char *label)
{
    return FloatRange(new CLWctl(id, kValueFloat), window, "AngleControl", label, 360);
}

void CLWctl::Create(CLWwindow *window, const char *typeName, const char *label)
{
    LWPanelFuncs *funcs = window ? window->PanelFuncs() : nullptr;
    if (!funcs || !funcs->addControl || !window->Panel())
        return;
    control_ = funcs->addControl(window->Panel(), typeName, &s_desc, label ? label : "");
}

LWRasterID CLWctl::Draw(DrMode mode)
{
    if (control_)
        control_->draw(control_, mode);
    return nullptr;
}

void CLWctl::SetMargins(int top, int bottom, int left, int right)
{
    top_ = top;
    bottom_ = bottom;
    left_ = left;
    right_ = right;
}

void CLWctl::GetMargins(int &top, int &bottom, int &left, int &right)
{
    top = top_;
    bottom = bottom_;
    left = left_;
    right = right_;
}

void CLWctl::SetTag(cTag tag, int value)
{
    if (!control_)
        return;
    s_value.intv.type = LWT_INTEGER;
    s_value.intv.value = value;
    control_->set(control_, tag, &s_value);
}

int CLWctl::GetTag(cTag tag)
{
    if (!control_)
        return 0;
    s_value.intv.type = LWT_INTEGER;
    s_value.intv.value = 0;
    control_->get(control_, tag, &s_value);
    return s_value.intv.value;
}

std::string CLWctl::GetText()
{
    if (!control_)
        return std::string();
    s_text[0] = '\0';
    LWValue value{};
    value.str.type = LWT_STRING;
    value.str.buf = s_text;
    value.str.bufLen = sizeof s_text;
    control_->get(control_, CTL_VALUE, &value);
    s_text[sizeof s_text - 1] = '\0';
    return std::string(s_text);
}

void CLWctl::SetText(std::string &text)
{
    std::string taken = std::move(text);
    text.clear();
    if (!control_)
        return;
    const size_t length = std::min(taken.size(), sizeof s_text - 1);
    std::memcpy(s_text, taken.data(), length);
    s_text[length] = '\0';
    LWValue value{};
    value.str.type = LWT_STRING;
    value.str.buf = s_text;
    value.str.bufLen = sizeof s_text;
    control_->set(control_, CTL_VALUE, &value);
}

int CLWctl::GetInt() { return GetTag(CTL_VALUE); }

void CLWctl::SetInt(int value) { SetTag(CTL_VALUE, value); }

void CLWctl::GetIVec(int rgb[3])
{
    LWValue value{};
    value.ivec.type = LWT_VINT;
    if (control_)
        control_->get(control_, CTL_VALUE, &value);
    std::copy(value.ivec.val, value.ivec.val + 3, rgb);
}

void CLWctl::SetIVec(const int rgb[3])
{
    if (!control_)
        return;
    LWValue value{};
    value.ivec.type = LWT_VINT;
    std::copy(rgb, rgb + 3, value.ivec.val);
    control_->set(control_, CTL_VALUE, &value);
}

double CLWctl::GetFloat()
{
    LWValue value{};
    value.flt.type = LWT_FLOAT;
    if (control_)
        control_->get(control_, CTL_VALUE, &value);
    return value.flt.value;
}

void CLWctl::SetFloat(double number)
{
    if (!control_)
        return;
    LWValue value{};
    value.flt.type = LWT_FLOAT;
    value.flt.value = number;
    control_->set(control_, CTL_VALUE, &value);
}

void CLWctl::SetEvent(LWCtlEventFunc event, void *userData)
{
    if (!control_)
        return;
    LWValue value{};
    value.ptr.type = LWT_NULL;
    value.ptr.ptr = reinterpret_cast<void *>(event);
    control_->set(control_, CTL_USEREVENT, &value);
    value.ptr.ptr = userData;
    control_->set(control_, CTL_USERDATA, &value);
}

} // namespace lwp::lwpanel
