// host.cpp: the simulated host: current-host plumbing, the module, item identifiers, generic commands.
#include "host.h"

#include "unserved.h"

#include <cassert>
#include <cstdio>

namespace zkh {

namespace {
Host *g_current = nullptr;
}

Host::Host()
{
    assert(!g_current && "only one simulated host at a time");
    g_current = this;
    InstallServices();
    InstallCommands();
    InstallExpressionCommands();
    SetNarrowCodePage("UTF-8");
}

Host::~Host()
{
    UnloadModule();
    g_current = nullptr;
}

Host &Host::Current()
{
    assert(g_current && "no simulated host");
    return *g_current;
}

bool Host::HasCurrent() { return g_current != nullptr; }

void *Host::GlobalLookup(const char *serviceName, int)
{
    return g_current ? g_current->services.Lookup(serviceName) : nullptr;
}

int Host::CommandLine(const char *command) { return g_current ? g_current->commands.Send(command ? command : "") : 0; }

int Host::NarrowCommandLine(const char *command) { return CommandLine(NarrowToUtf8(command ? command : "").c_str()); }

void Host::Message(const std::string &text)
{
    std::lock_guard<std::mutex> lock(messagesMutex_);
    messages.push_back(text);
}

void Host::UnloadModule()
{
    // Every instance and panel of the module goes before its code does.
    channelHandlers.DestroyAll();
    masters.DestroyAll();
    imageFilters.DestroyAll();
    xpanels.DestroyAll();
    module_.reset();
}

bool Host::LoadModule(const std::string &path)
{
    UnloadModule();
    std::string error;
    module_ = Module::Load(path, error);
    if (!module_) {
        Message("cannot load module: " + error);
        return false;
    }
    return true;
}

int Host::Activate(const std::string &className, const std::string &name, void *local, int version)
{
    if (!module_) {
        Message("no module loaded");
        return -1;
    }
    const ServerInfo *server = module_->Find(className, name);
    if (!server) {
        Message("no " + className + " server named " + name);
        return -1;
    }
    const int result = module_->Activate(*server, version < 0 ? HostVersionOf(className) : version, GlobalLookup, local);
    if (result == AFUNC_BADVERSION)
        Message(className + " " + name + ": refused the handler version");
    else if (result == AFUNC_BADGLOBAL)
        Message(className + " " + name + ": a required global service is missing");
    else if (result != AFUNC_OK)
        Message(className + " " + name + ": activation failed (" + std::to_string(result) + ")");
    return result;
}

int Host::EvaluateCommand(void *, const char *command) { return CommandLine(command); }

void Host::PluginRemoved(size_t source)
{
    if (source != static_cast<size_t>(-1))
        removedPlugins_.push_back(source);
}

bool Host::ChangeItemIds(const std::vector<std::pair<std::uint32_t, std::uint32_t>> &pairs)
{
    if (!scene.RenumberItems(pairs)) {
        Message("item identifiers not changed: each must name an item once and get a new one no other item has");
        return false;
    }
    std::vector<LWItemID> idList;
    for (const auto &[from, to] : pairs) {
        idList.push_back(ToItemID(from));
        idList.push_back(ToItemID(to));
    }
    idList.push_back(LWITEM_NULL);
    for (auto &master : masters.All())
        if (master->itemFuncs.changeID)
            master->itemFuncs.changeID(master->instance, idList.data());
    for (auto &modifier : channelHandlers.All())
        if (modifier->itemFuncs.changeID)
            modifier->itemFuncs.changeID(modifier->instance, idList.data());
    return true;
}

bool Host::ActivateInterface(const std::string &className, const std::string &server, LWInstance instance,
                             LWInterface &local)
{
    local.inst = instance;
    return Activate(className, server, &local) == AFUNC_OK;
}

namespace {

int GenericSaveScene(const char *fileName) { return fileName && Host::Current().SaveScene(fileName) ? 1 : 0; }
int GenericLoadScene(const char *fileName, const char *) { return fileName && Host::Current().LoadScene(fileName) ? 1 : 0; }
// The runner starts generic commands without arguments.
const char *GenericArguments(void *) { return ""; }

} // namespace

int Host::RunGeneric(const std::string &server)
{
    LWLayoutGeneric local{};
    local.saveScene = GenericSaveScene;
    local.loadScene = GenericLoadScene;
    local.evaluate = EvaluateCommand;
    local.commandArguments = GenericArguments;
    TrapUnserved(local);
    return Activate(LWLAYOUTGENERIC_CLASS, server, &local);
}

} // namespace zkh
