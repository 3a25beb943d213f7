// Named temporary files that a signal ending the program removes first.
//
// A save writes into a temporary file and names it as the target only when it
// is complete. Where the system cannot keep that file unnamed, a program
// stopped by SIGTERM, SIGHUP or SIGINT in the middle of a save would leave
// the hidden file behind, as large as the record. A save registers its
// temporary file while the file has a name; the handlers that
// RemoveTempFilesOnSignals() installs remove every registered file, then end
// the program as the signal would have. The handlers do only what a signal
// handler may: no allocation, no locks.
#pragma once

namespace fw {

// Installs the handlers for SIGTERM, SIGHUP and SIGINT, except for a signal
// the program was started with ignored (nohup, a background job). A program
// calls it once, at its start, before any thread.
void RemoveTempFilesOnSignals();

// While it lives, the file strName in the folder open as nFolder is removed by
// the handlers. The folder must stay open as long. A name longer than a file
// name may be, or more saves at once than the registry holds, are not
// registered: such a file is left behind as before.
class CTempFileRegistration {
public:
    CTempFileRegistration(int nFolder, const char* pszName) noexcept;
    CTempFileRegistration(const CTempFileRegistration&) = delete;
    CTempFileRegistration& operator=(const CTempFileRegistration&) = delete;
    ~CTempFileRegistration();

private:
    int m_nSlot = -1;
};

}  // namespace fw
