// fuzz_memo_yaml.cpp: the timeline memo's YAML import on arbitrary text.
//
// The import must never crash, hang or grow without bound; a document that is not a memo leaves
// the tracks as they were, and whatever was read can be written again.
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
    size_t records = tracks.size();
    for (const auto &track : tracks) {
        records += track->clips.size();
        if (track->owner != &tracks)
            std::abort();
    }
    if (records > size + 16 && !unchanged)
        std::abort();
    const std::string written = MemoYamlText(tracks);
    (void)written;
    return 0;
}
