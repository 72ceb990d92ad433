// fuzz_plugin_data.cpp: the load state over arbitrary lines of a plug-in's data.
//
// The input's first line is a script of read calls, one letter each (i readI4, u readU4, f readFP,
// d readDP, s readStr, b readI1, w readU2, r read, F findBlk, I readID, E endBlk); the lines after
// it are the data. No call may crash, hang, write past its buffer, claim more values than asked, or
// take a line beyond the data. Each value read is written back through the save state and must
// read back the same.
#include "fuzz_data_input.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

[[noreturn]] void Fail(const char *what, char call)
{
    std::fprintf(stderr, "%s (read call '%c')\n", what, call);
    std::abort();
}

const LWBlockIdent kBlocks[] = {{LWID_('F', 'R', 'A', 'M'), "Frame"}, {LWID_('G', 'U', 'I', 'D'), "FrameGuides"}, {0, nullptr}};

bool SameFloat(float a, float b) { return std::isnan(a) ? std::isnan(b) : a == b && std::signbit(a) == std::signbit(b); }

// A value read once is written as its line and read again.
void CheckFloat(float value, char call)
{
    const DataLines lines = Written([&](const LWSaveState *save) { save->writeFP(save->writeData, &value, 1); });
    auto reader = ReaderOf(lines);
    float again = 0;
    if (reader.State()->readFP(reader.State()->readData, &again, 1) != 1 || !SameFloat(value, again))
        Fail("a float written does not read back the same", call);
}

void CheckInt(int value, char call)
{
    const DataLines lines = Written([&](const LWSaveState *save) { save->writeI4(save->writeData, &value, 1); });
    auto reader = ReaderOf(lines);
    int again = 0;
    if (reader.State()->readI4(reader.State()->readData, &again, 1) != 1 || again != value)
        Fail("an integer written does not read back the same", call);
}

void CheckText(const char *text, char call)
{
    const DataLines lines = Written([&](const LWSaveState *save) { save->writeStr(save->writeData, text); });
    auto reader = ReaderOf(lines);
    char again[300];
    reader.State()->readStr(reader.State()->readData, again, sizeof again);
    if (std::strcmp(text, again) != 0)
        Fail("a text written does not read back the same", call);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string script = input.substr(0, newline == std::string::npos ? input.size() : newline);
    DataLines lines;
    for (std::size_t at = newline; at != std::string::npos && at < input.size();) {
        const std::size_t next = input.find('\n', at + 1);
        lines.push_back(input.substr(at + 1, (next == std::string::npos ? input.size() : next) - at - 1));
        at = next;
    }

    auto reader = ReaderOf(lines);
    const LWLoadState *load = reader.State();
    for (char call : script) {
        constexpr int kCount = 4;
        int got = 0;
        switch (call) {
        case 'i': {
            int values[kCount] = {};
            got = load->readI4(load->readData, values, kCount);
            for (int i = 0; i < got && i < kCount; ++i)
                CheckInt(values[i], call);
            break;
        }
        case 'u': {
            unsigned int values[kCount] = {};
            got = load->readU4(load->readData, values, kCount);
            break;
        }
        case 'f': {
            float values[kCount] = {};
            got = load->readFP(load->readData, values, kCount);
            for (int i = 0; i < got && i < kCount; ++i)
                CheckFloat(values[i], call);
            break;
        }
        case 'd': {
            double values[kCount] = {};
            got = load->readDP(load->readData, values, kCount);
            break;
        }
        case 'b': {
            char values[kCount] = {};
            got = load->readI1(load->readData, values, kCount);
            break;
        }
        case 'w': {
            unsigned short values[kCount] = {};
            got = load->readU2(load->readData, values, kCount);
            break;
        }
        case 's': {
            // A guard byte after the buffer the reader is told of.
            char buffer[257];
            buffer[256] = 'G';
            const int length = load->readStr(load->readData, buffer, 256);
            if (buffer[256] != 'G' || std::memchr(buffer, '\0', 256) == nullptr)
                Fail("a text read past its buffer or without its end", call);
            if (length >= 0 && length < 256 && std::strchr(buffer, '"') == nullptr)
                CheckText(buffer, call);
            break;
        }
        case 'r': {
            char bytes[kCount + 1];
            bytes[kCount] = 'G';
            got = load->read(load->readData, bytes, kCount);
            if (bytes[kCount] != 'G')
                Fail("raw bytes read past their buffer", call);
            break;
        }
        case 'F': load->findBlk(load->readData, kBlocks); break;
        case 'I': load->readID(load->readData, kBlocks); break;
        case 'E': load->endBlk(load->readData); break;
        default: break;
        }
        if (got > kCount)
            Fail("more values than asked for", call);
        if (reader.Position() > lines.size())
            Fail("a line beyond the data was taken", call);
        if (load->depth(load->readData) < 0)
            Fail("a negative block depth", call);
    }
    return 0;
}
