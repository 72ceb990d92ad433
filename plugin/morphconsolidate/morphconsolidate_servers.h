// morphconsolidate_servers.h: activation of the ZK:MorphConsolidate generic command.
#ifndef ZK_MORPHCONSOLIDATE_SERVERS_H
#define ZK_MORPHCONSOLIDATE_SERVERS_H

#include "lwhost/lwhost.h"

extern const char kMorphConsolidateServerName[];

// Runs the whole command inside the activation: AFUNC_BADGLOBAL when a service is missing.
int ActivateMorphConsolidate(int version, GlobalFunc *global, void *local, void *serverData);

#endif
