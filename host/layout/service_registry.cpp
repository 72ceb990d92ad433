// service_registry.cpp: the registry of global services.
#include "service_registry.h"

#include "lwhost/lwhost.h"

namespace zkh {

void ServiceRegistry::Set(const std::string &name, void *table)
{
    SetProvider(name, [table] { return table; });
}

void ServiceRegistry::SetProvider(const std::string &name, std::function<void *()> provider)
{
    std::lock_guard<std::mutex> lock(mutex_);
    services_[name] = std::move(provider);
}

void ServiceRegistry::Remove(const std::string &name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    services_.erase(name);
}

void ServiceRegistry::SetLocale(std::uint32_t localeId)
{
    Set(LWLOCALEINFO_GLOBAL, reinterpret_cast<void *>(static_cast<std::uintptr_t>(localeId)));
}

void *ServiceRegistry::Lookup(const char *name)
{
    std::function<void *()> provider;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const std::string key = name ? name : "";
        lookupLog_.push_back(key);
        ++lookupCount_[key];
        auto found = services_.find(key);
        if (found == services_.end())
            return nullptr;
        provider = found->second;
    }
    return provider();
}

std::vector<std::string> ServiceRegistry::LookupLog() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return lookupLog_;
}

int ServiceRegistry::LookupCount(const std::string &name) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = lookupCount_.find(name);
    return found == lookupCount_.end() ? 0 : found->second;
}

void ServiceRegistry::ClearLookupLog()
{
    std::lock_guard<std::mutex> lock(mutex_);
    lookupLog_.clear();
    lookupCount_.clear();
}

} // namespace zkh
