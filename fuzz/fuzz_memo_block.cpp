// fuzz_memo_block.cpp: the timeline memo's scene block loader on arbitrary blocks.
//
// The input is read as a block by BlockFromBytes. Absurd counts and truncated blocks must never
// hang, exhaust memory or crash; a foreign version leaves the memo as it was.
#include "fuzz_block_input.h"
#include "scene_block.h"
#include "timelinememo/memo_master.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const zkh::Block block = BlockFromBytes(data, size);
    MemoInstance instance;
    AddMemoTrack(instance)->name = "kept";
    zkh::BlockReader reader(block);
    const LWError error = LoadMemoBlock(instance, *reader.State());
    const bool foreign = block.empty() || block[0].type != zkh::BlockItem::Type::Str ||
                         block[0].text.compare(0, 2, "01") != 0;
    if (foreign && (!error || instance.tracks.size() != 1 || instance.tracks[0]->name != "kept"))
        std::abort();
    if (!foreign && instance.tracks.size() > block.size())
        std::abort();
    zkh::Block saved;
    zkh::BlockWriter writer(saved);
    SaveMemoBlock(instance, *writer.State());
    return 0;
}
