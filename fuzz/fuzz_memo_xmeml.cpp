// fuzz_memo_xmeml.cpp: the timeline memo's xmeml reader on arbitrary text (see fuzz_marker_input.h).
#include "fuzz_marker_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return FuzzMarkerImport(MarkerFormat::Xmeml, data, size);
}
