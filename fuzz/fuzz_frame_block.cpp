// fuzz_frame_block.cpp: the camera frames' scene block loader on arbitrary blocks.
//
// The input is a sequence of typed items: a type byte (0 Str, 1 I4, 2 U4, 3 FP; taken modulo 4),
// then for Str a length byte and that many bytes, for the numbers four little-endian bytes. The
// loader must neither crash nor hang, and what it accepted must save and load back to the same block.
#include "cameraframe/frame_list.h"
#include "cameraframe/frame_scene_block.h"
#include "scene_block.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

zkh::Block Decode(const std::uint8_t *data, std::size_t size)
{
    zkh::Block block;
    std::size_t at = 0;
    while (at < size) {
        const int type = data[at++] % 4;
        zkh::BlockItem item;
        if (type == 0) {
            const std::size_t length = at < size ? data[at++] : 0;
            const std::size_t take = length < size - at ? length : size - at;
            item.type = zkh::BlockItem::Type::Str;
            item.text.assign(reinterpret_cast<const char *>(data + at), take);
            at += take;
        } else {
            std::uint8_t bytes[4] = {};
            for (int k = 0; k < 4 && at < size; ++k)
                bytes[k] = data[at++];
            std::uint32_t raw = 0;
            std::memcpy(&raw, bytes, 4);
            if (type == 1) {
                item.type = zkh::BlockItem::Type::I4;
                item.number = static_cast<std::int32_t>(raw);
            } else if (type == 2) {
                item.type = zkh::BlockItem::Type::U4;
                item.number = raw;
            } else {
                float value = 0;
                std::memcpy(&value, &raw, 4);
                item.type = zkh::BlockItem::Type::FP;
                item.number = value;
            }
        }
        block.push_back(item);
    }
    return block;
}

zkh::Block SaveAll(const CameraFrameState &state)
{
    zkh::Block block;
    zkh::BlockWriter writer(block);
    SaveFrameBlock(state, writer.State());
    return block;
}

bool Same(const zkh::Block &a, const zkh::Block &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (zkh::FormatBlockItem(a[i]) != zkh::FormatBlockItem(b[i]))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const zkh::Block block = Decode(data, size);
    CameraFrameState state;
    {
        zkh::BlockReader reader(block);
        LoadFrameBlock(state, reader.State());
    }
    const zkh::Block saved = SaveAll(state);
    ClearFrames();

    CameraFrameState again;
    {
        zkh::BlockReader reader(saved);
        if (LoadFrameBlock(again, reader.State()) != nullptr) {
            std::fprintf(stderr, "a saved block was refused\n");
            std::abort();
        }
    }
    const zkh::Block resaved = SaveAll(again);
    ClearFrames();
    if (!Same(saved, resaved)) {
        std::fprintf(stderr, "a saved block does not load back to itself\n");
        std::abort();
    }
    return 0;
}
