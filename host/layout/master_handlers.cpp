// master_handlers.cpp: master handler instances created, copied, removed, and sent events.
#include "master_handlers.h"

#include "host.h"
#include "unserved.h"

namespace zkh {

MasterInstance *MasterHandlers::Add(const std::string &server)
{
    auto master = std::make_unique<MasterInstance>();
    master->server = server;
    master->handler.inst = &master->instFuncs;
    master->handler.item = &master->itemFuncs;
    if (host_.Activate(LWMASTER_HCLASS, server, &master->handler) != AFUNC_OK)
        return nullptr;
    if (!master->instFuncs.create) {
        host_.Message(server + ": the handler has no create callback");
        return nullptr;
    }
    LWError error = nullptr;
    master->instance = master->instFuncs.create(master->instFuncs.priv, nullptr, &error);
    if (!master->instance) {
        host_.Message("cannot add " + server + ": " + (error ? error : ""));
        return nullptr;
    }
    masters_.push_back(std::move(master));
    return masters_.back().get();
}

MasterInstance *MasterHandlers::Copy(MasterInstance &from)
{
    const std::string server = from.server;
    const LWInstance original = from.instance;
    MasterInstance *copy = Add(server);
    if (!copy)
        return nullptr;
    if (LWError error = copy->instFuncs.copy ? copy->instFuncs.copy(copy->instance, original) : nullptr) {
        host_.Message("cannot copy " + server + ": " + error);
        if (copy->instFuncs.destroy)
            copy->instFuncs.destroy(copy->instance);
        masters_.pop_back();
        return nullptr;
    }
    return copy;
}

MasterInstance *MasterHandlers::Find(const std::string &server)
{
    for (auto &master : masters_)
        if (master->server == server)
            return master.get();
    return nullptr;
}

bool MasterHandlers::Remove(const std::string &server)
{
    for (auto it = masters_.begin(); it != masters_.end(); ++it) {
        if ((*it)->server != server)
            continue;
        host_.xpanels.DestroyFor((*it)->instance);
        if ((*it)->instFuncs.destroy)
            (*it)->instFuncs.destroy((*it)->instance);
        host_.PluginRemoved((*it)->source);
        masters_.erase(it);
        return true;
    }
    return false;
}

void MasterHandlers::DestroyAll()
{
    while (!masters_.empty()) {
        MasterInstance &master = *masters_.back();
        host_.xpanels.DestroyFor(master.instance);
        if (master.instFuncs.destroy)
            master.instFuncs.destroy(master.instance);
        masters_.pop_back();
    }
}

void MasterHandlers::SendEvent(int eventCode)
{
    LWMasterAccess access{};
    access.eventCode = eventCode;
    access.evaluate = Host::EvaluateCommand;
    TrapUnserved(access);
    for (auto &master : masters_)
        if (master->handler.event)
            master->handler.event(master->instance, &access);
}

XPanel *MasterHandlers::OpenPanel(const std::string &server)
{
    MasterInstance *master = Find(server);
    if (!master) {
        host_.Message("no instance of " + server + " to open a panel for");
        return nullptr;
    }
    LWInterface local{};
    if (!host_.ActivateInterface(LWMASTER_ICLASS, server, master->instance, local))
        return nullptr;
    XPanel *panel = host_.xpanels.Find(local.panel);
    if (!panel)
        host_.Message(server + ": the interface gave no view panel");
    return panel;
}

bool MasterHandlers::OpenOptions(const std::string &server)
{
    MasterInstance *master = Find(server);
    if (!master) {
        host_.Message("no instance of " + server + " to open options for");
        return false;
    }
    LWInterface local{};
    if (!host_.ActivateInterface(LWMASTER_ICLASS, server, master->instance, local))
        return false;
    if (!local.options) {
        host_.Message(server + ": the interface has no options callback");
        return false;
    }
    if (LWError error = local.options(local.inst)) {
        host_.Message(server + ": " + error);
        return false;
    }
    return true;
}

} // namespace zkh
