// libFuzzer target: every input is the stdin of `wxl session`.
#include "fuzz/FuzzInputs.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (const std::string fault = RunSessionInput(data, size); !fault.empty()) {
        std::fprintf(stderr, "session: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
