// tools.cpp: Layout tools of the module and the mouse events a viewport sends them.
#include "host.h"

namespace zkh {

bool Host::ActivateTool(const std::string &server)
{
    LWLayoutTool local{};
    if (Activate(LWLAYOUTTOOL_CLASS, server, &local) != AFUNC_OK)
        return false;
    if (!local.tool) {
        Message("LayoutTool " + server + ": the activation gave no tool record");
        return false;
    }
    tool_ = local;
    activeTool_ = server;
    return true;
}

bool Host::EnsureTool()
{
    if (!activeTool_.empty() && activeTool_ == currentTool)
        return true;
    if (currentTool.empty() && !activeTool_.empty())
        return true; // activated directly, without the command
    if (currentTool.empty()) {
        Message("no Layout tool is current");
        return false;
    }
    return ActivateTool(currentTool);
}

LWToolEvent Host::ToolEvent(int view, double x, double y, int flags)
{
    LWToolEvent event{};
    event.posRaw[0] = event.posSnap[0] = x;
    event.posRaw[1] = event.posSnap[1] = y;
    event.deltaRaw[0] = event.deltaSnap[0] = x - toolLastX_;
    event.deltaRaw[1] = event.deltaSnap[1] = y - toolLastY_;
    event.pxRaw = event.pxSnap = x;
    event.pyRaw = event.pySnap = y;
    event.dx = static_cast<int>(x - toolLastX_);
    event.dy = static_cast<int>(y - toolLastY_);
    event.flags = flags;
    event.viewNumber = view;
    toolLastX_ = x;
    toolLastY_ = y;
    return event;
}

int Host::ToolDown(int view, double x, double y, int flags)
{
    if (!EnsureTool() || !tool_.tool->down)
        return 0;
    toolLastX_ = x;
    toolLastY_ = y;
    LWToolEvent event = ToolEvent(view, x, y, flags);
    return tool_.tool->down(tool_.instance, &event);
}

void Host::ToolMove(int view, double x, double y, int flags)
{
    if (!EnsureTool() || !tool_.tool->move)
        return;
    LWToolEvent event = ToolEvent(view, x, y, flags);
    tool_.tool->move(tool_.instance, &event);
}

void Host::ToolUp(int view, double x, double y, int flags)
{
    if (!EnsureTool() || !tool_.tool->up)
        return;
    LWToolEvent event = ToolEvent(view, x, y, flags);
    tool_.tool->up(tool_.instance, &event);
}

void Host::ToolDraw(int view, DrawRecorder &recorder)
{
    if (!EnsureTool() || !tool_.tool->draw)
        return;
    recorder.Access()->view = view;
    tool_.tool->draw(tool_.instance, recorder.Access());
}

std::string Host::ToolHelp()
{
    if (!EnsureTool() || !tool_.tool->help)
        return std::string();
    LWToolEvent event = ToolEvent(0, toolLastX_, toolLastY_, 0);
    const char *text = tool_.tool->help(tool_.instance, &event);
    return text ? text : std::string();
}

} // namespace zkh
