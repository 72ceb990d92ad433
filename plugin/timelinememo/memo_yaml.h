// memo_yaml.h: the memo's YAML file (keys "_General" and "View").
#ifndef ZK_MEMO_YAML_H
#define ZK_MEMO_YAML_H

#include "memo_records.h"

#include <algorithm>
#include <cstddef>
#include <string>

// The document for a track list, as the file holds it.
std::string MemoYamlText(const MemoTrackList &tracks);

// A track or clip whose name a YAML file cannot carry byte for byte: text that is not UTF-8 (from
// an older scene in another encoding) or holds a Unicode noncharacter (IsInterchangeText). YAML
// readers refuse such bytes written as they are, the library writes U+FFFD in their place inside
// quotes, and an escape (\xNN) reads back as another character. Positions count from 1; clip 0
// names the track's own name.
struct MemoNamePlace {
    int track = 0;
    int clip = 0;
};
bool FindUnwritableName(const MemoTrackList &tracks, MemoNamePlace &place);

enum class MemoExportResult {
    Written,
    NotWritten,     // the file could not be written
    NameNotWritable // a name FindUnwritableName finds: nothing was written
};

// Writes the document to path, replacing the file, unless a name cannot be written.
MemoExportResult ExportMemoFile(const std::string &path, const MemoTrackList &tracks,
                                MemoNamePlace *unwritable = nullptr);

enum class MemoImportResult {
    Replaced,  // a memo document, read to its end: it replaced the tracks
    Partial,   // a memo document whose reading stopped at a value that could not be read: what was
               // read before it replaced the tracks
    NotOpened, // the file could not be opened: the tracks are unchanged
    NotParsed, // not YAML: the tracks are unchanged
    NotMemo,   // YAML, but not a map whose "View" is a map holding a "Tracks" sequence (an empty
               // file, another kind of document): the tracks are unchanged
    Bounded,   // a memo document that makes more than one import takes (the bounds below):
               // what was read before the bound replaced the tracks
};

// Most tracks and clips, together, that one import reads. Aliases let a short text name the same
// clip list many times over; reading stops (Bounded) when the next record would pass this bound,
// which keeps an import within a few hundred megabytes whatever the text.
constexpr size_t kMaxMemoRecords = 2000000;

// Most bytes of names one import keeps from a document of the given size: four per byte of the
// document, and 1 MiB at least. A name written out is never longer than its text (escapes such
// as \L give at most 1.5 bytes a byte), so only aliases, which name one text many times over,
// reach the bound; reading stops (Bounded) at the name that would pass it. The names an import
// holds thus stay in proportion to the file.
constexpr size_t kMemoImportTextPerByte = 4;
constexpr size_t kMemoImportTextFloor = size_t{1} << 20;
constexpr size_t MemoImportTextBound(size_t documentBytes)
{
    return std::max(kMemoImportTextFloor, documentBytes * kMemoImportTextPerByte);
}

// Reads a memo document into a new list and replaces the given tracks with it (see above).
MemoImportResult ImportMemoFile(const std::string &path, MemoTrackList &tracks);
MemoImportResult ImportMemoText(const std::string &text, MemoTrackList &tracks);

#endif
