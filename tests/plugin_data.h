// plugin_data.h: a plug-in's data as a scene file holds it (one line per write call), for tests that
// hand a master's load callback data of their own or read what its save callback wrote.
#ifndef ZK_TESTS_PLUGIN_DATA_H
#define ZK_TESTS_PLUGIN_DATA_H

#include "lwsc/numbers.h"
#include "lwsc/plugin_data.h"
#include "lwsc/text_lines.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

using DataLines = std::vector<std::string>;

// The lines of single writes: writeStr, writeI4, writeFP (a float), writeU4 (hexadecimal).
inline std::string StrLine(const std::string &text) { return "\"" + text + "\""; }
inline std::string IntLine(long long value) { return std::to_string(value); }
inline std::string FloatLine(double value) { return zkh::lwsc::FormatFloat(static_cast<float>(value)); }
inline std::string HexLine(unsigned int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%x", value);
    return text;
}

// The number a line holds (its first word), 0 when it holds none.
inline double NumberOf(const std::string &line)
{
    double value = 0;
    zkh::lwsc::ParseNumber(zkh::lwsc::FirstWord(line), value);
    return value;
}

// What an instance's save callback writes.
inline DataLines SaveData(const LWInstanceFuncs &funcs, LWInstance instance, LWError *error = nullptr)
{
    zkh::lwsc::PluginDataWriter writer;
    const LWError result = funcs.save(instance, writer.State());
    if (error)
        *error = result;
    return writer.Finish();
}

// Hands the lines to an instance's load callback; its answer.
inline LWError LoadData(const LWInstanceFuncs &funcs, LWInstance instance, const DataLines &lines)
{
    zkh::lwsc::PluginDataReader reader(std::vector<std::string_view>(lines.begin(), lines.end()));
    return funcs.load(instance, reader.State());
}

#endif
