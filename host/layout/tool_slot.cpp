// tool_slot.cpp: Layout tools of the module and the mouse events a viewport sends them.
#include "tool_slot.h"

#include "host.h"

namespace zkh {

bool ToolSlot::Activate(const std::string &server)
{
    LWLayoutTool local{};
    if (host_.Activate(LWLAYOUTTOOL_CLASS, server, &local) != AFUNC_OK)
        return false;
    if (!local.tool) {
        host_.Message("LayoutTool " + server + ": the activation gave no tool record");
        return false;
    }
    tool_ = local;
    active_ = server;
    return true;
}

void ToolSlot::Release()
{
    current.clear();
    active_.clear();
    tool_ = LWLayoutTool{};
}

bool ToolSlot::Ensure()
{
    if (!active_.empty() && active_ == current)
        return true;
    if (current.empty() && !active_.empty())
        return true; // activated directly, without the command
    if (current.empty()) {
        host_.Message("no Layout tool is current");
        return false;
    }
    return Activate(current);
}

LWToolEvent ToolSlot::Event(int view, double x, double y, int flags)
{
    LWToolEvent event{};
    event.posRaw[0] = event.posSnap[0] = x;
    event.posRaw[1] = event.posSnap[1] = y;
    event.deltaRaw[0] = event.deltaSnap[0] = x - lastX_;
    event.deltaRaw[1] = event.deltaSnap[1] = y - lastY_;
    event.pxRaw = event.pxSnap = x;
    event.pyRaw = event.pySnap = y;
    event.dx = static_cast<int>(x - lastX_);
    event.dy = static_cast<int>(y - lastY_);
    event.flags = flags;
    event.viewNumber = view;
    lastX_ = x;
    lastY_ = y;
    return event;
}

int ToolSlot::Down(int view, double x, double y, int flags)
{
    if (!Ensure() || !tool_.tool->down)
        return 0;
    lastX_ = x;
    lastY_ = y;
    LWToolEvent event = Event(view, x, y, flags);
    return tool_.tool->down(tool_.instance, &event);
}

void ToolSlot::Move(int view, double x, double y, int flags)
{
    if (!Ensure() || !tool_.tool->move)
        return;
    LWToolEvent event = Event(view, x, y, flags);
    tool_.tool->move(tool_.instance, &event);
}

void ToolSlot::Up(int view, double x, double y, int flags)
{
    if (!Ensure() || !tool_.tool->up)
        return;
    LWToolEvent event = Event(view, x, y, flags);
    tool_.tool->up(tool_.instance, &event);
}

void ToolSlot::Draw(int view, DrawRecorder &recorder)
{
    if (!Ensure() || !tool_.tool->draw)
        return;
    recorder.Access()->view = view;
    tool_.tool->draw(tool_.instance, recorder.Access());
}

std::string ToolSlot::Help()
{
    if (!Ensure() || !tool_.tool->help)
        return std::string();
    LWToolEvent event = Event(0, lastX_, lastY_, 0);
    const char *text = tool_.tool->help(tool_.instance, &event);
    return text ? text : std::string();
}

} // namespace zkh
