// lwcontrol.cpp: control values through the host's control get and set callbacks.
#include "lwcontrol.h"

#include <cstring>

void SetControlInt(LWControl *control, cTag tag, int value)
{
    if (!control)
        return;
    LWValue v{};
    v.intv = {LWT_INTEGER, value, 0};
    control->set(control, tag, &v);
}

int GetControlInt(LWControl *control, cTag tag)
{
    if (!control)
        return 0;
    LWValue v{};
    v.intv = {LWT_INTEGER, 0, 0};
    control->get(control, tag, &v);
    return v.intv.value;
}

void SetControlPointer(LWControl *control, cTag tag, void *pointer)
{
    if (!control)
        return;
    LWValue v{};
    v.ptr = {LWT_NULL, pointer};
    control->set(control, tag, &v);
}

std::string GetControlText(LWControl *control, int maxLength)
{
    if (!control || maxLength < 0)
        return std::string();
    std::string buffer(static_cast<size_t>(maxLength) + 1, '\0');
    LWValue v{};
    v.str = {LWT_STRING, buffer.data(), maxLength + 1};
    control->get(control, CTL_VALUE, &v);
    buffer[static_cast<size_t>(maxLength)] = '\0';
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}
