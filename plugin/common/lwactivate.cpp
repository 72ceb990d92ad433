// lwactivate.cpp: activation steps shared by the handler servers, and the shared empty callbacks.
#include "lwactivate.h"

#include "lwglobals.h"

#include <cstdint>

UiLanguage LanguageFromLocale(GlobalFunc *global)
{
    const auto locale = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(global(LWLOCALEINFO_GLOBAL, GFUSE_TRANSIENT)));
    return (locale & 0xFFFFu) == kJapaneseLocale ? UiLanguage::Japanese : UiLanguage::English;
}

int BeginHandlerActivation(int version, int expectedVersion, GlobalFunc *global, UiLanguage &language)
{
    if (version != expectedVersion)
        return AFUNC_BADVERSION;
    AcquireHostGlobals(g_hostGlobals, global);
    if (global)
        language = LanguageFromLocale(global);
    return AFUNC_OK;
}

LWError NoCopy(LWInstance, LWInstance) { return nullptr; }
LWError NoLoad(LWInstance, const LWLoadState *) { return nullptr; }
LWError NoSave(LWInstance, const LWSaveState *) { return nullptr; }
const LWItemID *NoItems(LWInstance) { return nullptr; }
void IgnoreChangeID(LWInstance, const LWItemID *) {}
void IgnoreChangeName(LWInstance, const LWNameChangeData *) {}

void FillNoItems(LWItemFuncs *item)
{
    if (item)
        *item = {NoItems, IgnoreChangeID, IgnoreChangeName};
}
unsigned int NoFlags(LWInstance) { return 0; }
