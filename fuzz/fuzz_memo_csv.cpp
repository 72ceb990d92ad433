// fuzz_memo_csv.cpp: the timeline memo's csv reader on arbitrary text (see fuzz_marker_input.h).
#include "fuzz_marker_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return FuzzMarkerImport(MarkerFormat::Csv, data, size);
}
