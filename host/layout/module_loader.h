// module_loader.h: loads a plug-in module file by path and reads its descriptor, as Layout does.
#ifndef ZKH_MODULE_LOADER_H
#define ZKH_MODULE_LOADER_H

#include "lwhost/lwhost.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zkh {

struct ServerInfo {
    std::string className;
    std::string name;
    ActivateFunc *activate = nullptr;
    bool hasTags = false;
    std::vector<std::pair<std::string, unsigned int>> tags;
};

// The handler version the host offers to each server class.
int HostVersionOf(const std::string &className);

class Module {
public:
    // Opens the file, finds _mod_descrip, checks the sync word, calls startup and reads the
    // server table. Null with a message on failure.
    static std::unique_ptr<Module> Load(const std::string &path, std::string &error);
    ~Module();
    Module(const Module &) = delete;
    Module &operator=(const Module &) = delete;

    const std::vector<ServerInfo> &Servers() const { return servers_; }
    const ServerInfo *Find(const std::string &className, const std::string &name) const;
    const ModuleDescriptor *Descriptor() const { return descriptor_; }
    void *ServerData() const { return serverData_; }
    // Another name the file exports (dlsym, GetProcAddress), or null. Layout looks up nothing but
    // _mod_descrip; zkhost asks for the doors a module offers to the hosts that drive it.
    void *Symbol(const char *name) const;

    // Calls a server's activation with the host's global function.
    int Activate(const ServerInfo &server, int version, GlobalFunc *global, void *local) const;

private:
    Module() = default;
    void *handle_ = nullptr;
    const ModuleDescriptor *descriptor_ = nullptr;
    void *serverData_ = nullptr;
    std::vector<ServerInfo> servers_;
};

} // namespace zkh

#endif
