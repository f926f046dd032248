#pragma once

#include "ui/scan/SaneSession.h"

#include <chrono>
#include <future>
#include <thread>

// SANE held by a session on a thread of its own, as a driver stuck in a call holds it,
// until Release or the end of the object.
class HeldSane {
public:
    HeldSane() = default;
    ~HeldSane() { Release(); }
    HeldSane(const HeldSane&) = delete;
    HeldSane& operator=(const HeldSane&) = delete;

    // Whether the session is open, within a deadline.
    bool Held() { return m_opened.wait_for(std::chrono::seconds(20)) == std::future_status::ready; }
    void Release()
    {
        if (!m_thread.joinable()) return;
        m_release.set_value();
        m_thread.join();
    }

private:
    std::promise<void> m_held;
    std::future<void> m_opened = m_held.get_future();
    std::promise<void> m_release;
    // Last, so it starts once the rest exists.
    std::thread m_thread{[this] {
        const SaneSession session;
        m_held.set_value();
        m_release.get_future().wait();
    }};
};
