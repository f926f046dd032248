#pragma once

#include "ui/scan/ScanSource.h"

#include <memory>
#include <string>
#include <vector>

class SaneDevice;

// The SANE library for as long as the object lives: sane_init on construction,
// sane_exit on destruction. SANE keeps global state, so one session at a time, and
// every call of a session and its devices from one thread.
class SaneSession {
public:
    SaneSession();
    ~SaneSession();
    SaneSession(const SaneSession&) = delete;
    SaneSession& operator=(const SaneSession&) = delete;

    bool IsOpen() const { return m_open; }
    // Every device the backends find; can take seconds when the net backend asks hosts.
    std::vector<ScanSource> Devices() const;
    // The named device, or the first one found for an unchosen source; nullptr when
    // there is none or it cannot be opened.
    std::unique_ptr<SaneDevice> Open(const ScanSource& source) const;

private:
    bool m_open = false;
};
