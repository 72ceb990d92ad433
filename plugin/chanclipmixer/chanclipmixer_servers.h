// chanclipmixer_servers.h: activation functions of the two ZK:ChanClipMixer servers.
#ifndef ZK_CHANCLIPMIXER_SERVERS_H
#define ZK_CHANCLIPMIXER_SERVERS_H

#include "../common/lwlanguage.h"

extern const char kClipMixerServerName[];

// Language of the clip mixer's texts; set by every activation of either server.
extern UiLanguage g_clipMixerLanguage;

int ActivateClipMixerHandler(int version, GlobalFunc *global, void *local, void *serverData);
int ActivateClipMixerInterface(int version, GlobalFunc *global, void *local, void *serverData);

#endif
