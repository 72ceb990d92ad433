// frame_texts.h: the items of the camera frames' Frame Calc and Preset popups (English and Japanese).
#ifndef ZK_CAMERAFRAME_FRAME_TEXTS_H
#define ZK_CAMERAFRAME_FRAME_TEXTS_H

#include "../common/lwlanguage.h"

// The three Frame Calc items, in FrameCalcMode order, followed by a null entry (the popup's list).
const char **FrameCalcItems(UiLanguage language);

// The Preset popup's items: the custom entry (the frame's own aspect), then the delivery aspects in
// the order of AspectPresetAt, followed by a null entry.
const char **FramePresetItems(UiLanguage language);

#endif
