// One libFuzzer program: RX93_FUZZ_ENTRY names the entry function it drives.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return RX93_FUZZ_ENTRY(data, size); }
