// libFuzzer target: every input is a .wxl file.
#include "fuzz/FuzzInputs.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (const std::string fault = RunRecordLoadInput(data, size); !fault.empty()) {
        std::fprintf(stderr, "record load: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
