// memo_exchange_messages.cpp: the status lines of marker exports and imports.
#include "memo_exchange_messages.h"

#include "timelinememo_servers.h"

namespace {

struct TextPair {
    const char *english;
    const char *japanese;
};

const char *Text(const TextPair &pair) { return Pick(g_memoLanguage, pair.english, pair.japanese); }

// By ExchangeErrorId; "%s" stands for the error's detail.
const TextPair kErrors[] = {
    {"cannot be read", "読めません"},
    {"cannot be written", "書き込めません"},
    {"the file is larger than %s bytes", "ファイルが %s バイトを超えています"},
    {"it holds more than %s markers", "マーカーが %s 個を超えています"},
    {"a text is longer than %s bytes", "%s バイトを超える文字列があります"},
    {"the file is not %s text", "ファイルが %s のテキストではありません"},
    {"not a file of this format (%s expected)", "この形式のファイルではありません (%s が必要です)"},
    {"syntax error: %s", "構文エラー: %s"},
    {"\"%s\" is not a timecode of the scene's rate", "\"%s\" はシーンのレートのタイムコードではありません"},
    {"\"%s\" is not a whole number", "\"%s\" は整数ではありません"},
    {"the rate \"%s\" cannot be used", "レート \"%s\" は使えません"},
    {"a time lies beyond 10,000,000 seconds", "10,000,000 秒を超える時刻があります"},
    {"the start timecode \"%s\" is not a timecode of the scene's rate",
     "開始タイムコード \"%s\" はシーンのレートのタイムコードではありません"},
    {"the scene's rate of %s fps cannot be used", "シーンのレート %s fps は使えません"},
    {"this format counts in timecode, which %s fps does not have",
     "この形式はタイムコードで数えますが、%s fps にはタイムコードがありません"},
    {"the clip \"%s\" starts before 00:00:00:00 (set a later start timecode)",
     "クリップ \"%s\" が 00:00:00:00 より前に始まります (開始タイムコードを後にしてください)"},
    {"an EDL holds at most %s events (export fewer markers)", "EDL のイベントは %s 個までです (書き出すマーカーを減らしてください)"},
    {"%s is newer than this reader knows (OpenTimelineIO 0.18)",
     "%s はこの読み込みが知る形式 (OpenTimelineIO 0.18) より新しいものです"},
    {"there is no Start Frame nor Start Timecode", "Start Frame も Start Timecode もありません"},
    {"%s files are only written", "%s は書き出し専用です"},
};

// By Unkept; "%s" stands for the count.
const TextPair kUnkept[] = {
    {"%s media clips", "メディアクリップ %s 個"},
    {"%s transitions", "トランジション %s 個"},
    {"%s effects", "エフェクト %s 個"},
    {"the metadata of %s markers", "マーカー %s 個のメタデータ"},
    {"%s unknown color names (the format's default color taken)", "不明な色名 %s 個 (形式の既定の色を使用)"},
    {"%s markers on items whose place is not given", "位置の分からない項目のマーカー %s 個"},
    {"%s markers inside clips", "クリップ内のマーカー %s 個"},
    {"%s stream sections", "ストリームのセクション %s 個"},
    {"%s other tags", "その他のタグ %s 個"},
    {"the track column of %s markers", "マーカー %s 個のトラック列"},
    {"%s other columns", "その他の列 %s 個"},
    {"", ""}, // BeforeStart: kept, told apart
};

// By ExportNote; "%s" stands for the count.
const TextPair kNotes[] = {
    {"%s markers on a frame already taken merged into it", "同じフレームのマーカー %s 個を統合"},
    {"line breaks, tabs or \"|\" replaced in %s texts", "%s 個の文字列の改行・タブ・\"|\" を置き換え"},
    {"\"0:00 Intro\" added", "\"0:00 Intro\" を追加"},
    {"%s notes less than 10 s after the chapter before left out", "前のチャプターから 10 秒未満のメモ %s 個を除外"},
    {"%s notes before 0:00 left out", "0:00 より前のメモ %s 個を除外"},
    {"%s notes less than 10 s before the scene's end left out", "シーンの終わりまで 10 秒未満のメモ %s 個を除外"},
    {"YouTube shows chapters from 3 on (%s written)", "YouTube はチャプターが 3 個以上のときだけ表示します (%s 個)"},
};

std::string WithDetail(const char *text, const std::string &detail)
{
    std::string out = text;
    const size_t slot = out.find("%s");
    if (slot != std::string::npos)
        out.replace(slot, 2, detail);
    return out;
}

// Items joined by the language's list separator.
std::string Joined(const std::vector<std::string> &items)
{
    std::string out;
    for (const std::string &item : items)
        out += (out.empty() ? "" : Pick(g_memoLanguage, ", ", "、")) + item;
    return out;
}

} // namespace

std::string ExchangeFailureText(const std::string &path, const ExchangeError &error, bool importing)
{
    std::string text = path + ": ";
    if (error.line > 0)
        text += WithDetail(Pick(g_memoLanguage, "line %s: ", "%s 行目: "), std::to_string(error.line));
    if (error.id == ExchangeErrorId::NotUtf8 && !importing)
        text += WithDetail(Pick(g_memoLanguage, "the name \"%s\" is not UTF-8 text", "名前 \"%s\" は UTF-8 ではありません"),
                           error.detail);
    else
        text += WithDetail(Text(kErrors[static_cast<int>(error.id)]), error.detail);
    text += importing ? Pick(g_memoLanguage, "; the memo is unchanged", "。メモは変更されていません")
                      : Pick(g_memoLanguage, "; nothing was written", "。何も書き出していません");
    return text;
}

std::string ExportDoneText(const std::string &path, MarkerFormat format, const ExportResult &result)
{
    const char *name = InfoOf(format).name;
    std::string text =
        g_memoLanguage == UiLanguage::Japanese
            ? path + " に " + std::to_string(result.markers) + " 個のマーカーを書き出しました (" + name + ")"
            : "Exported " + std::to_string(result.markers) + " markers to " + path + " (" + name + ")";
    std::vector<std::string> notes;
    for (const auto &[note, count] : result.notes)
        notes.push_back(WithDetail(Text(kNotes[static_cast<int>(note)]), std::to_string(count)));
    if (!notes.empty())
        text += Pick(g_memoLanguage, "; ", "。") + Joined(notes);
    return text;
}

std::string ImportDoneText(const std::string &path, MarkerFormat format, const ImportedMemo &imported)
{
    const char *name = InfoOf(format).name;
    std::string text = g_memoLanguage == UiLanguage::Japanese
                           ? path + " から " + std::to_string(imported.markers) + " 個のマーカーを " +
                                 std::to_string(imported.tracks.size()) + " トラックに読み込みました (" + name + ")"
                           : "Imported " + std::to_string(imported.markers) + " markers in " +
                                 std::to_string(imported.tracks.size()) + " tracks from " + path + " (" + name + ")";
    std::vector<std::string> lost;
    long before = 0;
    for (const auto &[what, count] : imported.unkept) {
        if (what == Unkept::BeforeStart)
            before = count;
        else
            lost.push_back(WithDetail(Text(kUnkept[static_cast<int>(what)]), std::to_string(count)));
    }
    if (!lost.empty())
        text += Pick(g_memoLanguage, "; not kept: ", "。保持できないもの: ") + Joined(lost);
    if (before > 0)
        text += WithDetail(Pick(g_memoLanguage, "; %s markers lie before the start timecode",
                                "。開始タイムコードより前のマーカー %s 個"),
                           std::to_string(before));
    return text;
}
