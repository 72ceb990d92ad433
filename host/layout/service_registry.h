// service_registry.h: the host's global services, looked up by name with version.
#ifndef ZKH_SERVICE_REGISTRY_H
#define ZKH_SERVICE_REGISTRY_H

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace zkh {

class ServiceRegistry {
public:
    // A fixed table, or a provider that answers at each lookup (snapshot services).
    void Set(const std::string &name, void *table);
    void SetProvider(const std::string &name, std::function<void *()> provider);
    void Remove(const std::string &name);
    // "Locale Info" answers the language identifier itself.
    void SetLocale(std::uint32_t localeId);

    void *Lookup(const char *name);

    // Every lookup, in order, and the count per name.
    std::vector<std::string> LookupLog() const;
    int LookupCount(const std::string &name) const;
    void ClearLookupLog();

private:
    mutable std::mutex mutex_;
    std::map<std::string, std::function<void *()>> services_;
    std::vector<std::string> lookupLog_;
    std::map<std::string, int> lookupCount_;
};

} // namespace zkh

#endif
