// fuzz_block_item.cpp: zkh::ParseBlockItem on one arbitrary line.
//
// When a line parses, the item's text form must parse again to the same item, and must itself be
// a fixed point of formatting.
#include "scene_block.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char *TypeName(zkh::BlockItem::Type type)
{
    switch (type) {
    case zkh::BlockItem::Type::Str: return "Str";
    case zkh::BlockItem::Type::I4: return "I4";
    case zkh::BlockItem::Type::U4: return "U4";
    case zkh::BlockItem::Type::FP: return "FP";
    case zkh::BlockItem::Type::Begin: return "Begin";
    case zkh::BlockItem::Type::End: return "End";
    }
    return "?";
}

bool SameItem(const zkh::BlockItem &a, const zkh::BlockItem &b)
{
    if (a.type != b.type)
        return false;
    if (a.type == zkh::BlockItem::Type::Str)
        return a.text == b.text;
    if (std::isnan(a.number) || std::isnan(b.number))
        return std::isnan(a.number) && std::isnan(b.number);
    // Bit-level sameness: 0 and -0 are different floats.
    return a.number == b.number && std::signbit(a.number) == std::signbit(b.number);
}

[[noreturn]] void Fail(const char *what, const std::string &line, const std::string &formatted,
                       const zkh::BlockItem &first, const zkh::BlockItem &second)
{
    std::fprintf(stderr, "block item %s\n  line:      %s\n  formatted: %s\n  first:  %s %.17g (%zu bytes)\n"
                         "  second: %s %.17g (%zu bytes)\n",
                 what, line.c_str(), formatted.c_str(), TypeName(first.type), first.number, first.text.size(),
                 TypeName(second.type), second.number, second.text.size());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string line(reinterpret_cast<const char *>(data), size);
    // The scene file hands over one line at a time.
    const size_t newline = line.find('\n');
    if (newline != std::string::npos)
        line.erase(newline);

    zkh::BlockItem item;
    std::string error;
    if (!zkh::ParseBlockItem(line, item, error)) {
        if (error.empty())
            Fail("refused without an error message", line, std::string(), item, item);
        return 0;
    }
    const std::string formatted = zkh::FormatBlockItem(item);
    zkh::BlockItem again;
    error.clear();
    if (!zkh::ParseBlockItem(formatted, again, error))
        Fail("text form does not parse again", line, formatted, item, again);
    if (!SameItem(item, again))
        Fail("text form parses to another item", line, formatted, item, again);
    if (zkh::FormatBlockItem(again) != formatted)
        Fail("text form is not stable", line, formatted, item, again);
    return 0;
}
