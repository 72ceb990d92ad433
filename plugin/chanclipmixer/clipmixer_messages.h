// clipmixer_messages.h: the clip mixer's messages in both languages and how they are shown.
#ifndef ZK_CLIPMIXER_MESSAGES_H
#define ZK_CLIPMIXER_MESSAGES_H

#include "../common/lwtool2.h"

#include <cstddef>
#include <string>

enum MixerMessage {
    kMsgClipName = 0,
    kMsgClipStep = 1,
    kMsgClipSequence = 2,
    kMsgTrackInOut = 3,
    kMsgTrackClip = 4,
    kMsgTrackSequence = 5,
};

// One row of a message table: a title, the message (a printf format) and an unused text.
struct MessageRow {
    const char *title;
    const char *message;
    const char *extra;
};

// The table of the language chosen at the last activation.
const MessageRow &MixerMessageRow(MixerMessage which);

// The error the options return when the panel cannot be built, in the current language.
const char *MixerPanelError();

// The status text of an export whose file was opened but not written whole (a full disk), in the
// current language.
const char *MixerWriteError();

// Longest text (a name, a token, a sequence) quoted whole in a message: a longer one is cut to
// it, at a character boundary, and followed by "...". A message line thus stays under 512 bytes,
// as every other command line does, whatever the names hold.
constexpr std::size_t kMaxMessageArgument = 200;

// The text as a message quotes it.
std::string MessageArgument(const std::string &text);

// Formats the message (a MixerMessage; an int, as the last parameter before the arguments) and
// shows it as one "StatusMsg {1.0} " line (control characters become spaces, so text from files
// or names never starts a second command).
void ShowMixerMessage(int which, ...);

#endif
