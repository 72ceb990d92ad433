// fuzz_memo_block.cpp: the timeline memo's scene block loader on arbitrary blocks.
//
// The input is read as plug-in data by DataFromBytes. Absurd counts and truncated blocks must never
// hang, exhaust memory or crash; a foreign version leaves the memo as it was.
#include "fuzz_data_input.h"
#include "timelinememo/memo_master.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const DataLines lines = DataFromBytes(data, size);
    MemoInstance instance;
    AddMemoTrack(instance)->name = "kept";
    auto reader = ReaderOf(lines);
    const LWError error = LoadMemoBlock(instance, *reader.State());
    const bool foreign = lines.empty() || lines[0].compare(0, 3, "\"01") != 0;
    if (foreign && (!error || instance.tracks.size() != 1 || instance.tracks[0]->name != "kept"))
        std::abort();
    if (!foreign && instance.tracks.size() > lines.size())
        std::abort();
    Written([&](const LWSaveState *save) { SaveMemoBlock(instance, *save); });
    return 0;
}
