// clipmixer_labels.cpp: the options panel's texts in English and Japanese.
#include "clipmixer_labels.h"

#include "chanclipmixer_servers.h"

namespace {

// Byte 0x03 starts the host panel's rich-text marker: here its built-in down-arrow image.
const MixerLabels kEnglishLabels = {"\x03(i:MIMG_DOWNARROW) Clip", "\x03(i:MIMG_DOWNARROW) Track", "File"};
const MixerLabels kJapaneseLabels = {"▼クリップ", "▼トラック", "ファイル"};

const ListButtonLabels kEnglishButtons = {"Add", "Delete", "Up", "Down"};
const ListButtonLabels kJapaneseButtons = {"追加", "削除", "上に", "下に"};

const char *g_englishFileItems[] = {"Import", "Export", nullptr};
const char *g_japaneseFileItems[] = {"読み込み", "書き出し", nullptr};

const ListColumn kEnglishClipColumns[] = {{"Name", 60}, {"Step", 50}, {"Sequence", 210}};
const ListColumn kJapaneseClipColumns[] = {{"名前", 60}, {"ステップ", 50}, {"シーケンス", 210}};
const ListColumn kEnglishTrackColumns[] = {{"Enable", 30}, {"In", 40}, {"Out", 40}, {"Repeat", 40}, {"Sequence", 250}};
const ListColumn kJapaneseTrackColumns[] = {{"有効", 30}, {"イン", 40}, {"アウト", 40}, {"リピート", 40}, {"シーケンス", 250}};

bool Japanese() { return g_clipMixerLanguage == UiLanguage::Japanese; }

} // namespace

const MixerLabels &CurrentMixerLabels() { return Japanese() ? kJapaneseLabels : kEnglishLabels; }

const ListButtonLabels &CurrentListButtonLabels() { return Japanese() ? kJapaneseButtons : kEnglishButtons; }

const char **CurrentFileItems() { return Japanese() ? g_japaneseFileItems : g_englishFileItems; }

const ListColumn *CurrentClipColumns(int &count)
{
    count = 3;
    return Japanese() ? kJapaneseClipColumns : kEnglishClipColumns;
}

const ListColumn *CurrentTrackColumns(int &count)
{
    count = 5;
    return Japanese() ? kJapaneseTrackColumns : kEnglishTrackColumns;
}
