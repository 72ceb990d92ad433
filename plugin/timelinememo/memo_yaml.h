// memo_yaml.h: the memo's YAML file (keys "_General" and "View").
#ifndef ZK_MEMO_YAML_H
#define ZK_MEMO_YAML_H

#include "memo_records.h"

#include <string>

// The document for a track list, as the file holds it.
std::string MemoYamlText(const MemoTrackList &tracks);

// Writes the document to path, replacing the file; false when it could not be written.
bool ExportMemoFile(const std::string &path, const MemoTrackList &tracks);

enum class MemoImportResult {
    Replaced,  // a memo document, read to its end: it replaced the tracks
    Partial,   // a memo document whose reading stopped at a value that could not be read: what was
               // read before it replaced the tracks
    NotOpened, // the file could not be opened: the tracks are unchanged
    NotParsed, // not YAML: the tracks are unchanged
    NotMemo,   // YAML, but not a map whose "View" is a map holding a "Tracks" sequence (an empty
               // file, another kind of document): the tracks are unchanged
};

// Most tracks and clips, together, that one import reads. Aliases let a short text name the same
// clip list many times over; reading stops (Partial) when the next record would pass this bound,
// which keeps an import within a few hundred megabytes whatever the text.
constexpr size_t kMaxMemoRecords = 2000000;

// Reads a memo document into a new list and replaces the given tracks with it (see above).
MemoImportResult ImportMemoFile(const std::string &path, MemoTrackList &tracks);
MemoImportResult ImportMemoText(const std::string &text, MemoTrackList &tracks);

#endif
