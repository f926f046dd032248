#pragma once

#include "ui/scan/ScanSource.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class SaneDevice;

// The SANE library for as long as the object lives: sane_init on construction,
// sane_exit on destruction. SANE keeps global state, so one session at a time in the
// process, and every call of a session and its devices from the thread that made it.
class SaneSession {
public:
    // A session still open elsewhere is waited for, up to `wait`; one that outlasts it
    // (a driver that never returned) leaves this session closed.
    explicit SaneSession(std::chrono::milliseconds wait = kDefaultWait);
    static constexpr std::chrono::milliseconds kDefaultWait{5000};
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
    std::unique_lock<std::timed_mutex> m_turn;
    bool m_open = false;
};
