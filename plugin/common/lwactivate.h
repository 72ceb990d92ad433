// lwactivate.h: shared pieces of the servers' activation functions and handler records.
#ifndef ZK_LWACTIVATE_H
#define ZK_LWACTIVATE_H

#include "lwguard.h"
#include "lwlanguage.h"

// Shared steps of every handler-class activation: the version check (AFUNC_BADVERSION on a
// mismatch, touching nothing), the shared globals fill and the language choice.
int BeginHandlerActivation(int version, int expectedVersion, GlobalFunc *global, UiLanguage &language);

// A whole handler-class activation: the shared steps, then fill(record) on the host's record when
// there is one. No exception leaves it: an unexpected one gives AFUNC_BADGLOBAL.
template <class Record, class Fill>
int ActivateHandler(int version, int expectedVersion, GlobalFunc *global, void *local, UiLanguage &language,
                    Fill fill)
{
    return GuardedOr(AFUNC_BADGLOBAL, [&] {
        const int result = BeginHandlerActivation(version, expectedVersion, global, language);
        if (result != AFUNC_OK || !local)
            return result;
        fill(*static_cast<Record *>(local));
        return AFUNC_OK;
    });
}

// Shared callbacks for the slots a plug-in does not need.
LWError NoCopy(LWInstance to, LWInstance from);
LWError NoLoad(LWInstance inst, const LWLoadState *load);
LWError NoSave(LWInstance inst, const LWSaveState *save);
const LWItemID *NoItems(LWInstance inst);
void IgnoreChangeID(LWInstance inst, const LWItemID *idList);
void IgnoreChangeName(LWInstance inst, const LWNameChangeData *names);
unsigned int NoFlags(LWInstance inst);

// The item part of a handler that uses no items (no list; identifier and name changes ignored),
// filled in place when the host offers one: Modeler, for one, offers none.
void FillNoItems(LWItemFuncs *item);

#endif
