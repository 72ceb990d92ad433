// module_loader.cpp: opening module files (dlopen here, LoadLibrary on Windows).
#include "module_loader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace zkh {

namespace {

void *OpenLibrary(const std::string &path, std::string &error)
{
#if defined(_WIN32)
    HMODULE handle = LoadLibraryA(path.c_str());
    if (!handle)
        error = "cannot open " + path + " (error " + std::to_string(GetLastError()) + ")";
    return reinterpret_cast<void *>(handle);
#else
    void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        error = dlerror();
    return handle;
#endif
}

void *FindSymbol(void *handle, const char *name)
{
#if defined(_WIN32)
    return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(handle), name));
#else
    return dlsym(handle, name);
#endif
}

void CloseLibrary(void *handle)
{
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(handle));
#else
    dlclose(handle);
#endif
}

} // namespace

void *Module::Symbol(const char *name) const { return handle_ ? FindSymbol(handle_, name) : nullptr; }

int HostVersionOf(const std::string &className)
{
    if (className == LWLAYOUTGENERIC_CLASS || className == LWIMAGEFILTER_HCLASS)
        return 7;
    if (className == LWLAYOUTTOOL_CLASS)
        return 4;
    return 5; // MasterHandler, MasterInterface, MasterGizmo, ChannelHandler, ChannelInterface
}

std::unique_ptr<Module> Module::Load(const std::string &path, std::string &error)
{
    void *handle = OpenLibrary(path, error);
    if (!handle)
        return nullptr;
    std::unique_ptr<Module> module(new Module());
    module->handle_ = handle;
    const auto *descriptor = static_cast<const ModuleDescriptor *>(FindSymbol(handle, "_mod_descrip"));
    if (!descriptor) {
        error = path + " has no _mod_descrip";
        return nullptr;
    }
    if (descriptor->sysSync != MOD_SYSSYNC) {
        error = path + ": _mod_descrip has a wrong sync word";
        return nullptr;
    }
    module->descriptor_ = descriptor;
    if (module->descriptor_->startup)
        module->serverData_ = module->descriptor_->startup();
    for (const ServerRecord *record = module->descriptor_->serverDefs; record && record->className; ++record) {
        ServerInfo info;
        info.className = record->className;
        info.name = record->name ? record->name : "";
        info.activate = record->activate;
        info.hasTags = record->tagInfo != nullptr;
        for (const ServerTagInfo *tag = record->tagInfo; tag && tag->string; ++tag)
            info.tags.emplace_back(tag->string, tag->tag);
        module->servers_.push_back(std::move(info));
    }
    return module;
}

Module::~Module()
{
    if (descriptor_ && descriptor_->shutdown)
        descriptor_->shutdown(serverData_);
    if (handle_)
        CloseLibrary(handle_);
}

const ServerInfo *Module::Find(const std::string &className, const std::string &name) const
{
    for (const ServerInfo &server : servers_)
        if (server.className == className && server.name == name)
            return &server;
    return nullptr;
}

int Module::Activate(const ServerInfo &server, int version, GlobalFunc *global, void *local) const
{
    return server.activate ? server.activate(version, global, local, serverData_) : AFUNC_BADGLOBAL;
}

} // namespace zkh
