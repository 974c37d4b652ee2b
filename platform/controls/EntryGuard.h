// The guard around every entry from the system (window procedures, the DDE callback, the key
// preview) and the receiver of the failures it stops.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace zentra::win32 {

// Receives the failures that GuardEntry stopped; the program's window installs one that shows
// them. Without one, a failure only beeps.
class FaultReceiver {
  public:
    virtual void OnInternalFault(const std::string& what) = 0;

  protected:
    ~FaultReceiver() = default;
};

inline FaultReceiver*& CurrentFaultReceiver() {
    static FaultReceiver* receiver = nullptr;
    return receiver;
}

inline void SetFaultReceiver(FaultReceiver* receiver) {
    CurrentFaultReceiver() = receiver;
}

inline void ReportInternalFault(const char* what) noexcept {
    try {
        if (FaultReceiver* receiver = CurrentFaultReceiver()) {
            receiver->OnInternalFault(what);
            return;
        }
    } catch (...) {
        // Reporting failed as well: the beep below is all that is left.
    }
    MessageBeep(MB_ICONHAND);
}

// Runs one entry from the system (a window procedure, a DDE callback); when it throws, the
// failure is reported and `failed()` answers instead. The 32-bit runtime unwinds with tables that
// cannot cross the system's frames, so an exception escaping a callback would end the program.
template <typename Work, typename Failed>
auto GuardEntry(Work&& work, Failed&& failed) noexcept -> decltype(work()) {
    try {
        return work();
    } catch (const std::exception& error) {
        ReportInternalFault(error.what());
    } catch (...) {
        ReportInternalFault("unknown failure");
    }
    return failed();
}

}  // namespace zentra::win32
