// clipmixer_messages.h: the clip mixer's messages in both languages and how they are shown.
#ifndef ZK_CLIPMIXER_MESSAGES_H
#define ZK_CLIPMIXER_MESSAGES_H

#include "../common/lwtool2.h"

#include <cstddef>
#include <string>
#include <utility>

enum MixerMessage {
    kMsgClipName = 0,
    kMsgClipStep = 1,
    kMsgClipSequence = 2,
    kMsgTrackInOut = 3,
    kMsgTrackClip = 4,
    kMsgTrackSequence = 5,
    // The file's own messages, after the rebuild's.
    kMsgFileReference = 6,
    kMsgClipUnwritable = 7,
    kMsgTrackUnwritable = 8,
    kMsgFileWrite = 9,
    kMsgLast = kMsgFileWrite,
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

// Longest text (a name, a token, a sequence) quoted whole in a message: a longer one is cut to
// it, at a character boundary, and followed by "...". A message line thus stays under 512 bytes,
// as every other command line does, whatever the names hold.
constexpr std::size_t kMaxMessageArgument = 200;

// The text as a message quotes it.
std::string MessageArgument(const std::string &text);

// What a compile, a file read or a file write of the mixer came to: nothing to report, or the
// status line's text of its first problem. The mixer's data code returns it and posts nothing; the
// servers show it with ShowMixerOutcome.
class MixerOutcome {
public:
    static MixerOutcome Done() { return MixerOutcome(); }
    static MixerOutcome Problem(std::string text) { return MixerOutcome(std::move(text)); }
    // Formats the message (a MixerMessage; an int, as the last parameter before the arguments) in
    // the current language.
    static MixerOutcome Message(int which, ...);

    bool ok() const { return text_.empty(); }
    explicit operator bool() const { return ok(); }
    const std::string &text() const { return text_; }

private:
    MixerOutcome() = default;
    explicit MixerOutcome(std::string text) : text_(std::move(text)) {}
    std::string text_;
};

// Shows a problem as one "StatusMsg {1.0} " line (control characters become spaces, so text from
// files or names never starts a second command); nothing for an outcome without one.
void ShowMixerOutcome(const MixerOutcome &outcome);

#endif
