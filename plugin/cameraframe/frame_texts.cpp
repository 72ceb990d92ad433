// frame_texts.cpp: the camera frames' label tables and Frame Calc items.
#include "frame_texts.h"

namespace {

const char *const kEnglish[kFrameTextCount] = {
    "Create Frame", "Delete Frame", "", "Frame Edit ON", "Frame Edit OFF", "Combined Frame", "Color", "",
    "Transparency", "", "Frame", "Name", "Active", "Camera", "Position X", "Position Y", "Frame Calc",
    "Frame W(px)", "H", "Aspect Ratio", "Rotate", "Margin W(%)", "H", "Margin W(px)", "H", "Color", "",
    "Transparency", "Memo", "Focal Length", "",
};

const char *const kJapanese[kFrameTextCount] = {
    "フレーム作成", "フレーム削除", "", "フレーム編集ツール", "ツール終了", "結合フレーム", "色", "",
    "透明度", "", "フレーム", "名前", "有効", "カメラ", "位置X(px)", "位置Y(px)", "フレーム計算",
    "フレーム幅(px)", "高さ", "縦横比", "回転", "余白幅(%)", "高さ", "余白幅(px)", "高さ", "色", "",
    "透明度", "メモ", "焦点距離", "",
};

const char *g_calcEnglish[] = {"W & H", "W & Aspect", "H & Aspect", nullptr};
const char *g_calcJapanese[] = {"幅と高さ", "幅と縦横比", "高さと縦横比", nullptr};

} // namespace

const char *FrameLabel(UiLanguage language, int id)
{
    if (id < 0 || id >= kFrameTextCount)
        return "";
    return language == UiLanguage::Japanese ? kJapanese[id] : kEnglish[id];
}

const char **FrameCalcItems(UiLanguage language)
{
    return language == UiLanguage::Japanese ? g_calcJapanese : g_calcEnglish;
}
