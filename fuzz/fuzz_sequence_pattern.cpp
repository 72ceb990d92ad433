// fuzz_sequence_pattern.cpp: sequence patterns and frame ranges of zkhost burn and crop.
//
// The input's first line is read as a pattern, the rest as a frame range. Checked: an accepted
// pattern has one place of 1 to 12 digits and gives back its head and tail around each number;
// an accepted range holds from 1 to 1,000,000 frames, in order.
#include "sequence.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "sequence: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const size_t line = text.find('\n');
    const std::string pattern = text.substr(0, line), range = line == std::string::npos ? "" : text.substr(line + 1);
    zkh::SequencePattern p;
    std::string error;
    if (zkh::ParseSequencePattern(pattern, p, error)) {
        if (p.digits < 1 || p.digits > 12)
            Fail("digits out of range");
        for (std::int64_t frame : {std::int64_t{0}, std::int64_t{-7}, std::int64_t{999999999}}) {
            const std::string path = zkh::SequencePath(p, frame);
            if (path.compare(0, p.head.size(), p.head) != 0 || path.size() < p.head.size() + p.tail.size() ||
                path.compare(path.size() - p.tail.size(), p.tail.size(), p.tail) != 0)
                Fail("a path lost its head or tail");
        }
    } else if (error.empty()) {
        Fail("a refused pattern without a message");
    }
    zkh::FrameRange r;
    if (zkh::ParseFrameRange(range, r, error)) {
        const std::int64_t count = (r.last - r.first) / r.step + 1;
        if (r.step < 1 || r.last < r.first || count < 1 || count > zkh::kMaxSequenceFrames)
            Fail("an accepted range out of bounds");
    } else if (error.empty()) {
        Fail("a refused range without a message");
    }
    return 0;
}
