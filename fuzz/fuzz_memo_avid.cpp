// fuzz_memo_avid.cpp: the timeline memo's avid reader on arbitrary text (see fuzz_marker_input.h).
#include "fuzz_marker_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return FuzzMarkerImport(MarkerFormat::Avid, data, size);
}
