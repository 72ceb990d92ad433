// clipmixer_messages.cpp: the clip mixer's message tables, its outcomes and their display on the status line.
#include "clipmixer_messages.h"

#include "chanclipmixer_servers.h"

#include <cstdarg>

namespace {

const MessageRow kEnglish[] = {
    {"Error", "Clip name is invalid!(name='%s')", ""},
    {"Error", "Step of clip is invalid!(name='%s', step=%d)", ""},
    {"Error", "Sequence of clip is invalid!(name='%s', value='%s')", ""},
    {"Error", "Track in-out is invalid!(track_in=%d, track_out=%d)", ""},
    {"Error", "Not exist clip specified in  track!(target_clip=%s)", ""},
    {"Error", "Sequence of Track is invalid!", ""},
    {"Error", "Character reference of file is invalid!(ref='%s')", ""},
    {"Error", "Clip has a character that cannot be written!(name='%s')", ""},
    {"Error", "Track has a character that cannot be written!(track_in=%d, track_out=%d)", ""},
    {"Error", "Could not write the file!(file='%s')", ""},
};

const MessageRow kJapanese[] = {
    {"Error", "クリップ名が異常です！(name='%s')", ""},
    {"Error", "クリップのステップが異常です！(name='%s', step=%d)", ""},
    {"Error", "クリップのシーケンスが異常です！(name='%s', value='%s')", ""},
    {"Error", "トラック インアウトが異常です！(track_in=%d, track_out=%d)", ""},
    {"Error", "トラックで指定したクリップが存在しません！(target_clip=%s)", ""},
    {"Error", "トラックのシーケンスが異常です！", ""},
    {"Error", "ファイルの文字参照が異常です！(ref='%s')", ""},
    {"Error", "クリップに書き出せない文字があります！(name='%s')", ""},
    {"Error", "トラックに書き出せない文字があります！(track_in=%d, track_out=%d)", ""},
    {"Error", "ファイルを書き込めませんでした！(file='%s')", ""},
};

const char kEnglishNoPanel[] = "Cannot open the clip mixer panel!";
const char kJapaneseNoPanel[] = "クリップミキサーのパネルを開けません！";

} // namespace

const char *MixerPanelError()
{
    return g_clipMixerLanguage == UiLanguage::Japanese ? kJapaneseNoPanel : kEnglishNoPanel;
}

const MessageRow &MixerMessageRow(MixerMessage which)
{
    const MessageRow *table = g_clipMixerLanguage == UiLanguage::Japanese ? kJapanese : kEnglish;
    return table[which];
}

std::string MessageArgument(const std::string &text)
{
    if (text.size() <= kMaxMessageArgument)
        return text;
    std::size_t end = kMaxMessageArgument;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end; // not inside a UTF-8 sequence
    return text.substr(0, end) + "...";
}

MixerOutcome MixerOutcome::Message(int which, ...)
{
    const char *format = which >= kMsgClipName && which <= kMsgLast
                             ? MixerMessageRow(static_cast<MixerMessage>(which)).message
                             : "";
    va_list args;
    va_start(args, which);
    std::string text = VFormatString(format, args);
    va_end(args);
    return Problem(std::move(text));
}

void ShowMixerOutcome(const MixerOutcome &outcome)
{
    if (!outcome.ok())
        PostStatus(OneLine(outcome.text()));
}
