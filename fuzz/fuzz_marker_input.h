// fuzz_marker_input.h: the harness of the memo's marker readers.
//
// A reader must never crash, hang or grow without bound: it reads the input at a rate picked from
// the input's length, or refuses it with an ExchangeError, and a refusal leaves the memo as it
// was. What was read is added to the memo and can be written again in the same format.
#ifndef ZK_FUZZ_MARKER_INPUT_H
#define ZK_FUZZ_MARKER_INPUT_H

#include "timelinememo/memo_exchange.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

inline int FuzzMarkerImport(MarkerFormat format, const std::uint8_t *data, std::size_t size)
{
    static const double kRates[] = {24.0, 24000.0 / 1001, 30000.0 / 1001, 60000.0 / 1001, 25.0};
    ExchangeSettings settings;
    settings.fps = kRates[size % 5];
    settings.title = "title";
    settings.sourceName = "source";
    const std::string text(reinterpret_cast<const char *>(data), size);
    MemoTrackList tracks;
    AddMemoTrackTo(tracks)->name = "kept";
    try {
        const ImportedMemo imported = ImportMarkers(format, text, settings);
        size_t clips = 0;
        for (const ImportTrack &track : imported.tracks)
            clips += track.clips.size();
        if (clips != imported.markers || clips > kMaxImportMarkers)
            std::abort();
        ApplyImport(imported, settings.fps, tracks, false);
    } catch (const ExchangeError &) {
        if (tracks.size() != 1 || tracks[0]->name != "kept" || !tracks[0]->clips.empty())
            std::abort();
        return 0;
    }
    if (tracks[0]->name != "kept")
        std::abort();
    std::vector<const MemoTrack *> all;
    for (const auto &track : tracks) {
        if (track->owner != &tracks)
            std::abort();
        all.push_back(track.get());
    }
    try {
        const ExportResult written = ExportMarkers(format, all, settings);
        (void)written;
    } catch (const ExchangeError &) {
        // A time the format cannot hold (before 00:00:00:00, past 99 hours) is refused on export.
    }
    return 0;
}

#endif
