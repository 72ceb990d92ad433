// fuzz_memo_edl.cpp: the timeline memo's EDL reader (both marker dialects) on arbitrary text (see
// fuzz_marker_input.h).
#include "fuzz_marker_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return FuzzMarkerImport(MarkerFormat::EdlResolve, data, size);
}
