// fuzz_data_input.h: fuzzer bytes read as a plug-in's data in a scene file.
//
// The input is a sequence of typed writes: a type byte (0 writeStr, 1 writeI4, 2 writeU4, 3 writeFP;
// taken modulo 4), then for a string a length byte and that many bytes, for the numbers four
// little-endian bytes (fewer at the end of the input, the rest zero). Each write becomes the line a
// text scene holds for it; a string loses its line breaks, which no line of a file can hold.
#ifndef ZK_FUZZ_DATA_INPUT_H
#define ZK_FUZZ_DATA_INPUT_H

#include "lwsc/numbers.h"
#include "lwsc/plugin_data.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using DataLines = std::vector<std::string>;

inline DataLines DataFromBytes(const std::uint8_t *data, std::size_t size)
{
    DataLines lines;
    std::size_t at = 0;
    while (at < size) {
        const int type = data[at++] % 4;
        if (type == 0) {
            const std::size_t length = at < size ? data[at++] : 0;
            const std::size_t take = length < size - at ? length : size - at;
            std::string text;
            for (std::size_t i = 0; i < take; ++i)
                if (data[at + i] != '\n' && data[at + i] != '\r')
                    text += static_cast<char>(data[at + i]);
            at += take;
            lines.push_back("\"" + text + "\"");
            continue;
        }
        std::uint8_t bytes[4] = {};
        const std::size_t take = size - at < 4 ? size - at : 4;
        std::memcpy(bytes, data + at, take);
        at += take;
        std::uint32_t raw = 0;
        std::memcpy(&raw, bytes, 4);
        if (type == 1) {
            lines.push_back(std::to_string(static_cast<std::int32_t>(raw)));
        } else if (type == 2) {
            char text[16];
            std::snprintf(text, sizeof text, "%x", raw);
            lines.push_back(text);
        } else {
            float value = 0;
            std::memcpy(&value, &raw, 4);
            lines.push_back(zkh::lwsc::FormatFloat(value));
        }
    }
    return lines;
}

// A reader over the lines (which must outlive it).
inline zkh::lwsc::PluginDataReader ReaderOf(const DataLines &lines)
{
    return zkh::lwsc::PluginDataReader(std::vector<std::string_view>(lines.begin(), lines.end()));
}

// What a save callback writes, as lines.
template <typename Save> DataLines Written(Save save)
{
    zkh::lwsc::PluginDataWriter writer;
    save(writer.State());
    return writer.Finish();
}

#endif
