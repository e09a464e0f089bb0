// libFuzzer target for the SZDD code of the disk builder: any bytes must be
// compressed into a file that expands back to them, and any bytes given to the
// expander as a file must be refused or expanded without reading out of bounds.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "szdd.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> input(data, data + size), packed, back;
    if (!szdd::Compress(input, 'x', &packed) || !szdd::Expand(packed, &back) || back != input) abort();
    // The same bytes read as a compressed file: a damaged one is refused, never overrun.
    if (szdd::Expand(input, &back) && int64_t(back.size()) != szdd::PromisedLength(data, size)) abort();
    return 0;
}
