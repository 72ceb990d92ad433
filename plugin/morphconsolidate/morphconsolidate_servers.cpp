// morphconsolidate_servers.cpp: activation of the ZK:MorphConsolidate generic command.
#include "morphconsolidate_servers.h"

#include "../common/lwglobals.h"
#include "../common/lwguard.h"

const char kMorphConsolidateServerName[] = "ZK:MorphConsolidate";

namespace {
constexpr int kGenericVersion = 7;
}

int ActivateMorphConsolidate(int version, GlobalFunc *global, void *, void *)
{
    return GuardedOr(AFUNC_OK, [&] {
        if (version != kGenericVersion)
            return AFUNC_BADVERSION;
        // The command keeps its own set of services and never touches the shared table.
        if (!AcquireToolGlobals(global))
            return AFUNC_BADGLOBAL;
        return AFUNC_OK;
    });
}
