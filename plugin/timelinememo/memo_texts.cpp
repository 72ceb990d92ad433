// memo_texts.cpp: the timeline memo's texts in English and Japanese.
#include "memo_texts.h"

#include "../common/lwtool2.h"
#include "timelinememo_servers.h"

namespace {

struct TextPair {
    const char *english;
    const char *japanese;
};

const TextPair kTexts[] = {
    {"Track%d", "トラック%d"},
    {"Clip%d", "クリップ%d"},
    {"Already exists!", "既に存在しています！"},
    {"Cannot open %s: the memo is unchanged", "%s を開けません。メモは変更されていません"},
    {"%s is not valid YAML: the memo is unchanged", "%s は正しい YAML ではありません。メモは変更されていません"},
    {"%s holds no memo tracks (View: Tracks): the memo is unchanged",
     "%s にはメモのトラック (View: Tracks) がありません。メモは変更されていません"},
    {"%s: reading stopped at a value that could not be read; the tracks and clips before it were imported",
     "%s: 読めない値で読み込みを中断しました。それより前のトラックとクリップを読み込みました"},
    {"Cannot write %s", "%s に書き込めません"},
};

} // namespace

const char *MemoText(MemoTextId id)
{
    const TextPair &pair = kTexts[static_cast<int>(id)];
    return Pick(g_memoLanguage, pair.english, pair.japanese);
}

void PostMemoStatus(MemoTextId id, const std::string &path)
{
    std::string text = MemoText(id);
    const size_t slot = text.find("%s");
    if (slot != std::string::npos)
        text.replace(slot, 2, path);
    SendCommand("StatusMsg " + OneLine(text));
}
