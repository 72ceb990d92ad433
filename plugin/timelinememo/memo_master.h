// memo_master.h: the memo's master handler: instance lifecycle, scene block, events.
#ifndef ZK_MEMO_MASTER_H
#define ZK_MEMO_MASTER_H

#include "memo_records.h"

// Version of the memo's scene block; load accepts any version starting with "01".
extern const char kMemoBlockVersion[];
// Create error for a truncated or foreign block.
extern const char kMemoInvalidFormat[];

// Writes the memo's scene block; always succeeds.
void SaveMemoBlock(const MemoInstance &instance, const LWSaveState &save);

// Reads the memo's scene block. A foreign version leaves the memo as it was and returns
// kMemoInvalidFormat; a block that ends early keeps what was read before the end and returns
// kMemoInvalidFormat too. Null when the whole block was read.
LWError LoadMemoBlock(MemoInstance &instance, const LWLoadState &load);

// Fills the MasterHandler record with the memo's callbacks.
void FillMemoMasterHandler(LWMasterHandler &handler);

// The instance callbacks, for tests that drive them directly.
LWInstance CreateMemoInstance(void *priv, void *context, LWError *error);
void DestroyMemoInstance(LWInstance inst);
const char *MemoDescription(LWInstance inst);
double MemoEvent(LWInstance inst, const LWMasterAccess *access);

#endif
