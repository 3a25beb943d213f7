// libFuzzer target: every input is an SGF file for `wxl import`.
#include "fuzz/FuzzInputs.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (const std::string fault = RunSgfInput(data, size); !fault.empty()) {
        std::fprintf(stderr, "sgf: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
