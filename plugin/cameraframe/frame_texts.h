// frame_texts.h: the camera frames' label tables (English and Japanese) and Frame Calc items.
#ifndef ZK_CAMERAFRAME_FRAME_TEXTS_H
#define ZK_CAMERAFRAME_FRAME_TEXTS_H

#include "../common/lwlanguage.h"

// Entries of the label table: one per control id of the frame panel, plus one spare.
constexpr int kFrameTextCount = 31;

// The label of a control id in a language; the empty text outside the table.
const char *FrameLabel(UiLanguage language, int id);

// The three Frame Calc items, in FrameCalcMode order, followed by a null entry (the popup's list).
const char **FrameCalcItems(UiLanguage language);

#endif
