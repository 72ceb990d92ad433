// tool_slot.h: the Layout tool that receives a viewport's mouse events.
#ifndef ZKH_TOOL_SLOT_H
#define ZKH_TOOL_SLOT_H

#include "drawing.h"
#include "lwhost/lwhost.h"

#include <string>

namespace zkh {

class Host;

// Activating a tool makes it the one that receives the viewport's mouse events (positions in
// window pixels of the viewport; flags LWTOOLF_*). Without an active tool the current tool (set by
// "Tool_<server>") is activated first. The slot needs its host to activate servers and to report
// what went wrong.
class ToolSlot {
public:
    explicit ToolSlot(Host &host) : host_(host) {}
    ToolSlot(const ToolSlot &) = delete;
    ToolSlot &operator=(const ToolSlot &) = delete;

    std::string current; // set by "Tool_<server>", cleared by "ChangeTool"

    // False with a message when the server refused or gave no tool.
    bool Activate(const std::string &server);
    int Down(int view, double x, double y, int flags = 0);
    void Move(int view, double x, double y, int flags = 0);
    void Up(int view, double x, double y, int flags = 0);
    void Draw(int view, DrawRecorder &recorder);
    std::string Help();
    const std::string &Active() const { return active_; }
    // "ChangeTool": no tool is current or active; the viewport's mouse goes back to Layout's own
    // tools.
    void Release();

private:
    // The tool the events go to; false with a message when there is none or it refused.
    bool Ensure();
    LWToolEvent Event(int view, double x, double y, int flags);

    Host &host_;
    std::string active_;
    LWLayoutTool tool_{};
    double lastX_ = 0.0, lastY_ = 0.0;
};

} // namespace zkh

#endif
