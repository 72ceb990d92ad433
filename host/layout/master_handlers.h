// master_handlers.h: the master handler instances of the scene.
#ifndef ZKH_MASTER_HANDLERS_H
#define ZKH_MASTER_HANDLERS_H

#include "lwhost/lwhost.h"
#include "xpanels.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace zkh {

class Host;

// A master handler instance the host created from a server.
struct MasterInstance {
    std::string server;
    LWInstanceFuncs instFuncs{};
    LWItemFuncs itemFuncs{};
    LWMasterHandler handler{};
    LWInstance instance = nullptr;
    size_t source = static_cast<size_t>(-1); // its block in the scene file it was loaded from
};

// The slot needs its host to activate servers, report what went wrong, close an instance's view
// panels and tell the scene file of a removed instance.
class MasterHandlers {
public:
    explicit MasterHandlers(Host &host) : host_(host) {}
    MasterHandlers(const MasterHandlers &) = delete;
    MasterHandlers &operator=(const MasterHandlers &) = delete;

    // Activates the server, creates an instance and keeps it; null with a message when refused.
    MasterInstance *Add(const std::string &server);
    // Destroys the first instance of the server; false when there is none.
    bool Remove(const std::string &server);
    // Copies a master instance into a new instance of its server, as Layout does when it
    // duplicates a handler: create, then the copy callback from the original; the copy is kept.
    // Null with a message when the server refuses the new instance or the copy.
    MasterInstance *Copy(MasterInstance &from);
    MasterInstance *Find(const std::string &server);
    const std::vector<std::unique_ptr<MasterInstance>> &All() const { return masters_; }
    // Sends the event (LWEVNT_*) to every instance.
    void SendEvent(int eventCode);
    // Opens the view panel of an instance's MasterInterface server; null with a message when the
    // server refused or gave no panel.
    XPanel *OpenPanel(const std::string &server);
    // Calls the options callback of an instance's MasterInterface server (a classic panel of the
    // module's own); false with a message when there is no instance or no options callback.
    bool OpenOptions(const std::string &server);
    // Destroys every instance, the last first (before the module's code goes).
    void DestroyAll();

private:
    Host &host_;
    std::vector<std::unique_ptr<MasterInstance>> masters_;
};

} // namespace zkh

#endif
