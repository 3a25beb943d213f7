#include "TempFileSignals.h"

#include <array>
#include <cerrno>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace fw {
namespace {

// A slot goes free -> filling -> registered, and back to free when the save
// ends. A handler takes a registered slot over (removing) for good, so that
// no save reuses it while the handler reads the name.
enum SlotState : int { kFree, kFilling, kRegistered, kRemoving };

struct CTempFileSlot {
    std::atomic<int> state{kFree};
    int nFolder = -1;
    char szName[NAME_MAX + 1] = {};
};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only touch lock-free atomics");

// Saves at once: one is the rule; a few more cost nothing.
std::array<CTempFileSlot, 8> g_slots;

constexpr std::array kEndingSignals{SIGTERM, SIGHUP, SIGINT};

extern "C" void RemoveTempFilesAndEnd(int nSignal)
{
    const int nSavedErrno = errno;
    for (CTempFileSlot& slot : g_slots) {
        int nExpected = kRegistered;
        if (slot.state.compare_exchange_strong(nExpected, kRemoving))
            unlinkat(slot.nFolder, slot.szName, 0);
    }
    // The handler was reset to the default on entry (SA_RESETHAND) and the
    // signal is blocked until it returns: then it ends the program as it
    // would have without us, so the parent sees the signal, not an exit code.
    raise(nSignal);
    errno = nSavedErrno;
}

}  // namespace

void RemoveTempFilesOnSignals()
{
    for (const int nSignal : kEndingSignals) {
        struct sigaction current {};
        if (sigaction(nSignal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = RemoveTempFilesAndEnd;
        sigfillset(&action.sa_mask);  // one cleanup at a time
        action.sa_flags = SA_RESETHAND;
        sigaction(nSignal, &action, nullptr);
    }
}

CTempFileRegistration::CTempFileRegistration(int nFolder, const char* pszName) noexcept
{
    const std::size_t nLength = std::strlen(pszName);
    if (nLength == 0 || nLength > NAME_MAX)
        return;
    for (std::size_t i = 0; i < g_slots.size(); ++i) {
        CTempFileSlot& slot = g_slots[i];
        int nExpected = kFree;
        if (!slot.state.compare_exchange_strong(nExpected, kFilling))
            continue;
        slot.nFolder = nFolder;
        std::memcpy(slot.szName, pszName, nLength + 1);
        slot.state.store(kRegistered);
        m_nSlot = static_cast<int>(i);
        return;
    }
}

CTempFileRegistration::~CTempFileRegistration()
{
    if (m_nSlot < 0)
        return;
    int nExpected = kRegistered;
    g_slots[static_cast<std::size_t>(m_nSlot)].state.compare_exchange_strong(nExpected, kFree);
}

}  // namespace fw
