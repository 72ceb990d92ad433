// frame_texts.cpp: the items of the camera frames' Frame Calc and Preset popups.
#include "frame_texts.h"

namespace {

const char *g_calcEnglish[] = {"W & H", "W & Aspect", "H & Aspect", nullptr};
const char *g_calcJapanese[] = {"幅と高さ", "幅と縦横比", "高さと縦横比", nullptr};

const char *g_presetEnglish[] = {"Custom", "2.39:1", "2:1", "1.85:1", "16:9", "4:3", "1:1", "4:5", "9:16", nullptr};
const char *g_presetJapanese[] = {"カスタム", "2.39:1", "2:1", "1.85:1", "16:9", "4:3", "1:1", "4:5", "9:16", nullptr};

} // namespace

const char **FrameCalcItems(UiLanguage language)
{
    return language == UiLanguage::Japanese ? g_calcJapanese : g_calcEnglish;
}

const char **FramePresetItems(UiLanguage language)
{
    return language == UiLanguage::Japanese ? g_presetJapanese : g_presetEnglish;
}
