// clipmixer_panel.h: the modal options panel of a clip mixer instance.
#ifndef ZK_CLIPMIXER_PANEL_H
#define ZK_CLIPMIXER_PANEL_H

#include "lwhost/lwhost.h"

// The ChannelInterface options callback: edits the instance's clips and tracks in a modal panel,
// then compiles them with RebuildAll.
LWError MixerOptions(LWInstance inst);

#endif
