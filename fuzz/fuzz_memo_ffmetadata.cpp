// fuzz_memo_ffmetadata.cpp: the timeline memo's ffmetadata reader on arbitrary text (see fuzz_marker_input.h).
#include "fuzz_marker_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return FuzzMarkerImport(MarkerFormat::Ffmetadata, data, size);
}
