// The libFuzzer entry of one harness; QUORVELLA_FUZZ_TARGET names it.
#include "tests/fuzz/harnesses.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return QUORVELLA_FUZZ_TARGET(data, size);
}
