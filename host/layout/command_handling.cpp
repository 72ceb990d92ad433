// command_handling.cpp: the command lines the simulated host understands.
#include "host.h"

#include <cmath>
#include <cstdlib>

namespace zkh {

namespace {

// Reads an item identifier written as "0x%x".
bool ParseItemId(const std::string &text, std::uint32_t &id)
{
    char *end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 16);
    if (end == text.c_str() || value == 0 || value > 0xFFFFFFFFul)
        return false;
    id = static_cast<std::uint32_t>(value);
    return true;
}

} // namespace

void Host::InstallCommands()
{
    commands.Register("StatusMsg", [this](const std::string &text) {
        commands.status.push_back(text);
        return 1;
    });
    commands.Register("RefreshNow", [this](const std::string &) {
        ++commands.refreshCount;
        return 1;
    });
    commands.Register("SelectItem", [this](const std::string &arguments) {
        std::uint32_t id = 0;
        if (!ParseItemId(arguments, id) || !scene.Find(id))
            return 0;
        scene.selection = {id};
        return 1;
    });
    commands.Register("AddToSelection", [this](const std::string &arguments) {
        std::uint32_t id = 0;
        if (!ParseItemId(arguments, id) || !scene.Find(id))
            return 0;
        for (std::uint32_t selected : scene.selection)
            if (selected == id)
                return 1;
        scene.selection.push_back(id);
        return 1;
    });
    commands.Register("ClearSelection", [this](const std::string &) {
        scene.selection.clear();
        return 1;
    });
    for (const char *mode : {"EditObjects", "EditBones", "EditLights", "EditCameras"}) {
        commands.Register(mode, [this, mode](const std::string &) {
            editMode = mode + 4;
            return 1;
        });
    }
    // "Tool_<name>" makes a Layout tool of the module current.
    commands.RegisterPrefix("Tool_", [this](const std::string &name) {
        if (!module_ || !module_->Find(LWLAYOUTTOOL_CLASS, name))
            return 0;
        tool.current = name;
        return 1;
    });
    // "GoToFrame <frame>" makes that frame the current time, as Layout's command does, and the
    // master handlers hear of it as of any change of time. Where the SDK says no more, this host
    // does what Layout's frame field does: a fractional frame is kept, a frame outside the scene's
    // range is allowed, a word that is not a number is refused.
    commands.Register("GoToFrame", [this](const std::string &arguments) {
        char *end = nullptr;
        const double frame = std::strtod(arguments.c_str(), &end);
        if (end == arguments.c_str() || !std::isfinite(frame) || !(scene.fps > 0.0))
            return 0;
        for (; *end; ++end)
            if (*end != ' ' && *end != '\t')
                return 0;
        scene.time = frame / scene.fps;
        masters.SendEvent(LWEVNT_TIME);
        return 1;
    });
    commands.Register("ChangeTool", [this](const std::string &) {
        tool.Release();
        return 1;
    });
}

} // namespace zkh
