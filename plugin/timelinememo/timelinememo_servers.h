// timelinememo_servers.h: activation functions of the three ZK:TimeLineMemo servers.
#ifndef ZK_TIMELINEMEMO_SERVERS_H
#define ZK_TIMELINEMEMO_SERVERS_H

#include "../common/lwlanguage.h"

extern const char kTimeLineMemoServerName[];

// Language of the memo's texts; set by every activation of its three servers.
extern UiLanguage g_memoLanguage;

int ActivateMemoMaster(int version, GlobalFunc *global, void *local, void *serverData);
int ActivateMemoInterface(int version, GlobalFunc *global, void *local, void *serverData);
int ActivateMemoGizmo(int version, GlobalFunc *global, void *local, void *serverData);

#endif
