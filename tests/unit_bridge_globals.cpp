// The shared globals table and the language choice.
#include "cameraframe/cameraframe_servers.h"
#include "common/lwactivate.h"
#include "common/lwglobals.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::uintptr_t g_locale = 1033;
int g_tableA, g_tableB;

// Two lookup functions: each answers every service with its own table, and the locale.
template <int *Table> void *Lookup(const char *name, int)
{
    return std::string(name) == "Locale Info" ? reinterpret_cast<void *>(g_locale) : static_cast<void *>(Table);
}
constexpr GlobalFunc *LookupA = &Lookup<&g_tableA>;
constexpr GlobalFunc *LookupB = &Lookup<&g_tableB>;

TEST(HostGlobalsFill, LanguageFromTheLowBitsOfTheLocale)
{
    for (const auto &[locale, japanese] : std::vector<std::pair<std::uintptr_t, bool>>{
             {0x00010411, true}, {1041, true}, {0x0411 | 0xFFFF0000u, true}, {1033, false}, {0x00010409, false}, {0, false}}) {
        SCOPED_TRACE(locale);
        g_locale = locale;
        EXPECT_EQ(LanguageFromLocale(LookupA) == UiLanguage::Japanese, japanese);
    }
}

TEST(HostGlobalsFill, EveryActivationChoosesTheLanguageAgain)
{
    g_hostGlobals = HostGlobals{};
    LWMasterHandler master{};
    g_locale = 0x00010411;
    ASSERT_EQ(ActivateCameraFrameMaster(5, LookupA, &master, nullptr), AFUNC_OK);
    EXPECT_EQ(g_cameraFrameLanguage, UiLanguage::Japanese);
    g_locale = 1033;
    ASSERT_EQ(ActivateCameraFrameGizmo(5, LookupB, nullptr, nullptr), AFUNC_OK);
    EXPECT_EQ(g_cameraFrameLanguage, UiLanguage::English);
    EXPECT_EQ(g_hostGlobals.global, LookupA); // the second fill, with another lookup, changed nothing
    EXPECT_EQ(g_hostGlobals.itemInfo, static_cast<const void *>(&g_tableA));
    // A refused version leaves the language as it was.
    g_locale = 1041;
    EXPECT_EQ(ActivateCameraFrameGizmo(4, LookupB, nullptr, nullptr), AFUNC_BADVERSION);
    EXPECT_EQ(g_cameraFrameLanguage, UiLanguage::English);
}

} // namespace
