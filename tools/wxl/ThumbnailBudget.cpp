#include "ThumbnailBudget.h"

#include "CommandLine.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#if defined(__SANITIZE_ADDRESS__)
#define WXL_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WXL_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

void Lower(int nResource, rlim_t nSoft, rlim_t nHard)
{
    rlimit limit{};
    if (getrlimit(nResource, &limit) != 0)
        return;
    limit.rlim_max = std::min(limit.rlim_max, nHard);
    limit.rlim_cur = std::min({limit.rlim_cur, nSoft, limit.rlim_max});
    setrlimit(nResource, &limit);
}

// Only what is safe in a signal handler. OUT is written last, under a
// temporary name renamed at the end, so a stop leaves no OUT behind (should
// it come during that last write, the temporary file stays beside OUT).
extern "C" void OnOutOfProcessorTime(int)
{
    constexpr char kMessage[] = "wxl: thumbnail: the record takes too long to draw\n";
    [[maybe_unused]] const auto nWritten = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    _exit(kExitFailed);
}

}  // namespace

void LimitThumbnailProcess()
{
    struct sigaction action{};
    action.sa_handler = OnOutOfProcessorTime;
    sigemptyset(&action.sa_mask);
    sigaction(SIGXCPU, &action, nullptr);
    // The hard limit a second later kills the process should the handler
    // not run.
    Lower(RLIMIT_CPU, kThumbnailCpuSeconds, kThumbnailCpuSeconds + 1);
#ifndef WXL_ADDRESS_SANITIZER
    Lower(RLIMIT_AS, kThumbnailAddressSpace, kThumbnailAddressSpace);
#endif
}
