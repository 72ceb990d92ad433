// memo_texts.h: the timeline memo's texts in English and Japanese.
#ifndef ZK_MEMO_TEXTS_H
#define ZK_MEMO_TEXTS_H

#include <string>

enum class MemoTextId {
    TrackFormat,     // fallback track label, with the position from 1
    ClipFormat,      // fallback clip label, likewise
    AlreadyExists,   // create error for a second memo
    ImportNotOpened, // status lines of the YAML import, each with the path
    ImportNotParsed,
    ImportNotMemo,
    ImportPartial,
    ExportFailed,    // status line of the YAML export, with the path
    ImportBounded,   // status line of the YAML import, with the path
    ExportTrackNameNotText, // status lines of the YAML export: path and track (and clip) positions
    ExportClipNameNotText,
};

// The text in the language chosen by the memo's last activation.
const char *MemoText(MemoTextId id);

// Sends "StatusMsg " + text with the path put in its place; the result is ignored.
void PostMemoStatus(MemoTextId id, const std::string &path);
// The export's refusal of a name: the track's own name when clip is 0, else that clip's (positions
// from 1).
void PostMemoNameStatus(const std::string &path, int track, int clip);

#endif
