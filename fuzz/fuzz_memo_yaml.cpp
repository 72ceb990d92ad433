// fuzz_memo_yaml.cpp: the timeline memo's YAML import on arbitrary text.
//
// The import must never crash, hang or grow past its bounds; a document that is not a memo leaves
// the tracks as they were, and whatever was read can be written again: names that a file can
// carry read back byte for byte.
#include "timelinememo/memo_yaml.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    MemoTrackList tracks;
    AddMemoTrackTo(tracks)->name = "kept";
    const MemoImportResult result = ImportMemoText(text, tracks);
    const bool unchanged = result == MemoImportResult::NotParsed || result == MemoImportResult::NotMemo ||
                           result == MemoImportResult::NotOpened;
    if (unchanged && (tracks.size() != 1 || tracks[0]->name != "kept"))
        std::abort();
    size_t records = tracks.size(), nameBytes = 0;
    for (const auto &track : tracks) {
        records += track->clips.size();
        nameBytes += track->name.size();
        for (const auto &clip : track->clips)
            nameBytes += clip->name.size();
        if (track->owner != &tracks)
            std::abort();
    }
    if (!unchanged && (records > kMaxMemoRecords || nameBytes > MemoImportTextBound(size)))
        std::abort();
    // Names that a file can carry come back byte for byte from what is written.
    MemoNamePlace place;
    const std::string written = MemoYamlText(tracks);
    if (unchanged || FindUnwritableName(tracks, place))
        return 0;
    MemoTrackList read;
    if (ImportMemoText(written, read) != MemoImportResult::Replaced || read.size() != tracks.size())
        std::abort();
    for (size_t t = 0; t < tracks.size(); ++t) {
        if (read[t]->name != tracks[t]->name || read[t]->clips.size() != tracks[t]->clips.size())
            std::abort();
        for (size_t c = 0; c < tracks[t]->clips.size(); ++c)
            if (read[t]->clips[c]->name != tracks[t]->clips[c]->name)
                std::abort();
    }
    return 0;
}
