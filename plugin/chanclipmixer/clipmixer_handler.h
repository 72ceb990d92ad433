// clipmixer_handler.h: the channel handler's instance callbacks and its evaluation.
#ifndef ZK_CLIPMIXER_HANDLER_H
#define ZK_CLIPMIXER_HANDLER_H

#include "lwhost/lwhost.h"

// Fills the instance part of a channel handler record (create, destroy, copy, load, save,
// description line); the other callbacks are filled by the activation.
void FillMixerInstanceFuncs(LWInstanceFuncs &funcs);

// Base value from get-channel plus the first matching track's entry, written with set-channel.
void EvaluateMixer(LWInstance inst, const LWChannelAccess *access);

#endif
