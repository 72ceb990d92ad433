// frame_texts.cpp: the camera frames' label tables and Frame Calc items.
#include "frame_texts.h"

namespace {

const char *const kEnglish[kFrameTextCount] = {
    "Create Frame", "Delete Frame", "", "Frame Edit ON", "Frame Edit OFF", "Combined Frame", "Color", "",
    "Transparency", "", "Frame", "Name", "Active", "Camera", "Position X", "Position Y", "Frame Calc",
    "Frame W(px)", "H", "Aspect Ratio", "Rotate", "Margin W(%)", "H", "Margin W(px)", "H", "Color", "",
    "Transparency", "Memo", "Focal Length", "", "Preset", "Thirds", "Golden", "Cross", "Diagonals",
    "Guide Opacity", "Title Safe", "Title Safe(%)", "Action Safe", "Action Safe(%)", "Burn Guides",
};

const char *const kJapanese[kFrameTextCount] = {
    "フレーム作成", "フレーム削除", "", "フレーム編集ツール", "ツール終了", "結合フレーム", "色", "",
    "透明度", "", "フレーム", "名前", "有効", "カメラ", "位置X(px)", "位置Y(px)", "フレーム計算",
    "フレーム幅(px)", "高さ", "縦横比", "回転", "余白幅(%)", "高さ", "余白幅(px)", "高さ", "色", "",
    "透明度", "メモ", "焦点距離", "", "プリセット", "三分割", "黄金分割", "中心十字", "対角線",
    "ガイド不透明度", "タイトルセーフ", "タイトル(%)", "アクションセーフ", "アクション(%)", "ガイド焼き込み",
};

const char *g_calcEnglish[] = {"W & H", "W & Aspect", "H & Aspect", nullptr};
const char *g_calcJapanese[] = {"幅と高さ", "幅と縦横比", "高さと縦横比", nullptr};

const char *g_presetEnglish[] = {"Custom", "2.39:1", "2:1", "1.85:1", "16:9", "4:3", "1:1", "4:5", "9:16", nullptr};
const char *g_presetJapanese[] = {"カスタム", "2.39:1", "2:1", "1.85:1", "16:9", "4:3", "1:1", "4:5", "9:16", nullptr};

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

const char **FramePresetItems(UiLanguage language)
{
    return language == UiLanguage::Japanese ? g_presetJapanese : g_presetEnglish;
}
