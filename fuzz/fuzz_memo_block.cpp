// fuzz_memo_block.cpp: the timeline memo's scene block loader on arbitrary blocks.
//
// The input is cut into typed items: a type byte (string, I4, U4, FP), then a length byte and
// that many bytes for a string, or four bytes for a number. Absurd counts and truncated blocks
// must never hang, exhaust memory or crash; a foreign version leaves the memo as it was.
#include "scene_block.h"
#include "timelinememo/memo_master.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

zkh::Block BlockOf(const std::uint8_t *data, std::size_t size)
{
    zkh::Block block;
    std::size_t i = 0;
    while (i < size) {
        zkh::BlockItem item;
        const int type = data[i++] % 4;
        if (type == 0) {
            item.type = zkh::BlockItem::Type::Str;
            const std::size_t length = i < size ? data[i++] : 0;
            const std::size_t take = length < size - i ? length : size - i;
            item.text.assign(reinterpret_cast<const char *>(data + i), take);
            i += take;
        } else {
            std::uint8_t bytes[4] = {0, 0, 0, 0};
            const std::size_t take = size - i < 4 ? size - i : 4;
            std::memcpy(bytes, data + i, take);
            i += take;
            std::int32_t i4;
            std::uint32_t u4;
            float fp;
            std::memcpy(&i4, bytes, 4);
            std::memcpy(&u4, bytes, 4);
            std::memcpy(&fp, bytes, 4);
            item.type = type == 1 ? zkh::BlockItem::Type::I4 : type == 2 ? zkh::BlockItem::Type::U4 : zkh::BlockItem::Type::FP;
            item.number = type == 1 ? static_cast<double>(i4) : type == 2 ? static_cast<double>(u4) : static_cast<double>(fp);
        }
        block.push_back(std::move(item));
    }
    return block;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const zkh::Block block = BlockOf(data, size);
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
