// frame_texts.h: the camera frames' label tables (English and Japanese) and Frame Calc items.
#ifndef ZK_CAMERAFRAME_FRAME_TEXTS_H
#define ZK_CAMERAFRAME_FRAME_TEXTS_H

#include "../common/lwlanguage.h"

// Entries of the label table: one per control id of the frame panel.
constexpr int kFrameTextCount = 42;

// The label of a control id in a language; the empty text outside the table.
const char *FrameLabel(UiLanguage language, int id);

// The three Frame Calc items, in FrameCalcMode order, followed by a null entry (the popup's list).
const char **FrameCalcItems(UiLanguage language);

// The Preset popup's items: the custom entry (the frame's own aspect), then the delivery aspects in
// the order of AspectPresetAt, followed by a null entry.
const char **FramePresetItems(UiLanguage language);

#endif
