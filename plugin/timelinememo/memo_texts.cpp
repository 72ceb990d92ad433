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
    {"%s: reading stopped where the memo passed what one import takes (2,000,000 tracks and clips, and names of "
     "four times the file's size); the tracks and clips before it were imported",
     "%s: 一度に読み込める量 (トラックとクリップ 2,000,000 個、名前はファイルの 4 倍の大きさ) を超えたところで"
     "読み込みを中断しました。それより前のトラックとクリップを読み込みました"},
    {"Cannot write %s: the name of track %d is not UTF-8 text, or holds a Unicode noncharacter such as U+FFFE or "
     "U+FFFF, which YAML files cannot carry; nothing was written",
     "%s に書き込めません: トラック%d の名前が UTF-8 のテキストでないか、YAML ファイルに書けない非文字 (U+FFFE、U+FFFF など) "
     "を含んでいます。何も書き込んでいません"},
    {"Cannot write %s: the name of clip %d of track %d is not UTF-8 text, or holds a Unicode noncharacter such as "
     "U+FFFE or U+FFFF, which YAML files cannot carry; nothing was written",
     "%s に書き込めません: クリップ%d (トラック%d) の名前が UTF-8 のテキストでないか、YAML ファイルに書けない非文字 "
     "(U+FFFE、U+FFFF など) を含んでいます。何も書き込んでいません"},
};

} // namespace

const char *MemoText(MemoTextId id)
{
    const TextPair &pair = kTexts[static_cast<int>(id)];
    return Pick(g_memoLanguage, pair.english, pair.japanese);
}

void PostMemoNameStatus(const std::string &path, int track, int clip)
{
    const std::string text = clip > 0 ? FormatString(MemoText(MemoTextId::ExportClipNameNotText), path.c_str(), clip, track)
                                      : FormatString(MemoText(MemoTextId::ExportTrackNameNotText), path.c_str(), track);
    SendCommand("StatusMsg " + OneLine(text));
}

void PostMemoStatus(MemoTextId id, const std::string &path)
{
    std::string text = MemoText(id);
    const size_t slot = text.find("%s");
    if (slot != std::string::npos)
        text.replace(slot, 2, path);
    SendCommand("StatusMsg " + OneLine(text));
}
