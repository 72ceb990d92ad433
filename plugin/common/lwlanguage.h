// lwlanguage.h: the user-interface language chosen at each activation.
#ifndef ZK_LWLANGUAGE_H
#define ZK_LWLANGUAGE_H

#include "lwhost/lwhost.h"

#include <cstdint>

enum class UiLanguage { English, Japanese };

// Locale identifier of the Japanese language in the low 16 bits of "Locale Info".
constexpr std::uint32_t kJapaneseLocale = 1041;

// Reads "Locale Info" (the identifier itself, not a table) and chooses the language.
UiLanguage LanguageFromLocale(GlobalFunc *global);

// Picks one of two texts by language.
inline const char *Pick(UiLanguage language, const char *english, const char *japanese)
{
    return language == UiLanguage::Japanese ? japanese : english;
}

#endif
