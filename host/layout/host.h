// host.h: the simulated Layout host.
//
// One Host is current at a time: the global lookup and the command interface are plain C
// functions, so they reach the host through Host::Current(). A Host owns the scene, the service
// registry, the command interface, the scripted requesters, the loaded module, and one object for
// each group of what it does with the module's servers (the ring, the tool slot, the master
// handlers, the image filters, the channel handlers); callers use those directly
// (host.masters.Add(...)). The groups that activate servers hold their Host for Activate, Message
// and the scene.
#ifndef ZKH_HOST_H
#define ZKH_HOST_H

#include "channel_handlers.h"
#include "command_interface.h"
#include "drawing.h"
#include "expressions.h"
#include "image_filters.h"
#include "lwsc/document.h"
#include "lwsc/scene_reader.h"
#include "master_handlers.h"
#include "module_loader.h"
#include "panels.h"
#include "requesters.h"
#include "ring.h"
#include "scene.h"
#include "service_registry.h"
#include "tool_slot.h"
#include "xpanels.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zkh {

class Host {
public:
    Host();
    ~Host();
    Host(const Host &) = delete;
    Host &operator=(const Host &) = delete;

    static Host &Current();
    static bool HasCurrent();

    // The global lookup function handed to activations, and the command entries: a line in UTF-8
    // ("LW Command Interface 2", the evaluate members of access records) or in the system's narrow
    // code page (the legacy "LW Command Interface"); both answer alike.
    static void *GlobalLookup(const char *serviceName, int useMode);
    static int CommandLine(const char *command);
    static int NarrowCommandLine(const char *command);
    // The command entry of master event and generic command records: a command line as typed.
    static int EvaluateCommand(void *, const char *command);

    Scene scene;
    ServiceRegistry services;
    CommandInterface commands;
    Requesters requesters;
    PanelService panels;
    ExpressionTable expressions;            // the graph editor's expressions ("GE_..." commands)
    XPanels xpanels;
    CommunicationRing ring;                 // served but on a render node
    ToolSlot tool{*this};                   // the Layout tool the viewports' mouse events go to
    MasterHandlers masters{*this};          // the scene's master handler instances
    ImageFilters imageFilters{*this};       // the scene's image filters, in the order they run
    ChannelHandlers channelHandlers{*this}; // the channel modifiers of the scene's channels
    std::string editMode = "Objects";
    std::vector<std::string> messages; // the host's own messages (refused servers, load errors)

    // Loads the module file; false with a message in messages.
    bool LoadModule(const std::string &path);
    Module *LoadedModule() { return module_.get(); }

    // Activates a server of the loaded module with the host's version for its class.
    int Activate(const std::string &className, const std::string &name, void *local, int version = -1);

    // Gives items new identifiers, as Layout may (deleting an item of a scene numbered by
    // position, merging items from another scene), then calls changeID on every handler instance
    // with item functions: the pairs of old and new identifiers, each item once, ended by a null.
    // False with a message, changing nothing, when the scene refuses the pairs.
    bool ChangeItemIds(const std::vector<std::pair<std::uint32_t, std::uint32_t>> &pairs);
    // Draws one viewport: every master instance whose server also has a MasterGizmo draws into
    // the recorder (the gizmo's instance is the master handler's instance).
    void DrawViewport(int view, DrawRecorder &recorder);
    // Asks every master gizmo whether it needs a redraw; true when one answered non-zero.
    bool GizmosDirty();

    // Runs a generic command server; the activation result.
    int RunGeneric(const std::string &server);

    // Scene files, in Layout's scene format (LWSC). A scene loaded from a file is saved into that
    // file's lines: what did not change keeps its bytes. A new scene is written as LWSC 5. Load
    // replaces the scene and its instances (the viewports stay); false with a message in messages
    // ("FILE:LINE: reason") when the file cannot be read, and nothing of the scene changes.
    bool SaveScene(const std::string &path);
    bool LoadScene(const std::string &path);
    std::string SceneText();
    bool LoadSceneText(const std::string &text, const std::string &sourceName);
    // The scene file the scene was loaded from; null for a new scene.
    const lwsc::Document *SceneFile() const { return sceneFile_.get(); }

    void Message(const std::string &text);

    // Activates an interface server for an instance; false when refused.
    bool ActivateInterface(const std::string &className, const std::string &server, LWInstance instance,
                           LWInterface &local);
    // An instance loaded from a block of the scene file (`source`; none: -1) was removed: the
    // block is left out when the scene is saved into the file.
    void PluginRemoved(size_t source);

    // The system's narrow code page, as an iconv name ("UTF-8" by default, "CP932" for Japanese
    // Windows). On Linux plug-ins read it from the environment, as they would read the ANSI code
    // page, and any name can be set. On Windows it is the ANSI code page of the process, which no
    // program can change: setting succeeds only for the one in use ("CP932" under a Japanese locale).
    static bool SetNarrowCodePage(const std::string &name);
    static std::string NarrowCodePage();
    // A text in the narrow code page as UTF-8; a byte it cannot read becomes U+FFFD.
    static std::string NarrowToUtf8(const std::string &text);

    // Turns this host into a render node: no panels, XPanels, viewports, interface info or
    // communication ring. Call before the module is first activated.
    void BecomeRenderNode();
    bool IsRenderNode() const { return renderNode_; }

private:
    void InstallServices();
    void InstallCommands();
    void InstallExpressionCommands();
    // Creates the instances a loaded scene file names and loads each from its block.
    void LoadScenePlugins(const std::vector<lwsc::PluginToLoad> &plugins, const std::string &sourceName);
    void UnloadModule();
    std::mutex messagesMutex_; // messages may come from a render or ring thread
    bool renderNode_ = false;
    std::unique_ptr<Module> module_;
    // The scene file of the scene, and the blocks of it whose instances are gone since.
    std::shared_ptr<const lwsc::Document> sceneFile_;
    std::vector<size_t> removedPlugins_;
    std::vector<lwsc::HandlerPlace> removedHandlers_;
};

} // namespace zkh

#endif
