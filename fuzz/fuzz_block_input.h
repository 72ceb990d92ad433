// fuzz_block_input.h: fuzzer bytes read as a plug-in's scene block.
//
// The input is a sequence of typed items: a type byte (0 Str, 1 I4, 2 U4, 3 FP; taken modulo 4),
// then for Str a length byte and that many bytes, for the numbers four little-endian bytes (fewer
// at the end of the input, the rest zero).
#ifndef ZK_FUZZ_BLOCK_INPUT_H
#define ZK_FUZZ_BLOCK_INPUT_H

#include "scene_block.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

inline zkh::Block BlockFromBytes(const std::uint8_t *data, std::size_t size)
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
            const std::size_t take = size - at < 4 ? size - at : 4;
            std::memcpy(bytes, data + at, take);
            at += take;
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
        block.push_back(std::move(item));
    }
    return block;
}

#endif
