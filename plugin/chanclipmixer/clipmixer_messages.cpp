// clipmixer_messages.cpp: the clip mixer's message tables and their display on the status line.
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
};

const MessageRow kJapanese[] = {
    {"Error", "クリップ名が異常です！(name='%s')", ""},
    {"Error", "クリップのステップが異常です！(name='%s', step=%d)", ""},
    {"Error", "クリップのシーケンスが異常です！(name='%s', value='%s')", ""},
    {"Error", "トラック インアウトが異常です！(track_in=%d, track_out=%d)", ""},
    {"Error", "トラックで指定したクリップが存在しません！(target_clip=%s)", ""},
    {"Error", "トラックのシーケンスが異常です！", ""},
};

const char kEnglishNoPanel[] = "Cannot open the clip mixer panel!";
const char kJapaneseNoPanel[] = "クリップミキサーのパネルを開けません！";
const char kEnglishNotWritten[] = "Cannot write the clip mixer file!";
const char kJapaneseNotWritten[] = "クリップミキサーのファイルを書き込めません！";

} // namespace

const char *MixerPanelError()
{
    return g_clipMixerLanguage == UiLanguage::Japanese ? kJapaneseNoPanel : kEnglishNoPanel;
}

const char *MixerWriteError()
{
    return g_clipMixerLanguage == UiLanguage::Japanese ? kJapaneseNotWritten : kEnglishNotWritten;
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

void ShowMixerMessage(int which, ...)
{
    const char *format = which >= kMsgClipName && which <= kMsgTrackSequence
                             ? MixerMessageRow(static_cast<MixerMessage>(which)).message
                             : "";
    va_list args;
    va_start(args, which);
    const std::string text = VFormatString(format, args);
    va_end(args);
    PostStatus(OneLine(text));
}
