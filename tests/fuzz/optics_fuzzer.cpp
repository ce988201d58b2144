// libFuzzer driver of the optics harness: a case that finds a problem stops the fuzzer with its message.

#include "optics_harness.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string problem = lens::fuzz::runOpticsCase(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
