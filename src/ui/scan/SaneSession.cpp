#include "ui/scan/SaneSession.h"

#include "ui/scan/SaneDevice.h"

namespace {

std::timed_mutex& SessionTurn()
{
    static std::timed_mutex turn;
    return turn;
}

}  // namespace

SaneSession::SaneSession(std::chrono::milliseconds wait) : m_turn(SessionTurn(), std::defer_lock)
{
    if (!m_turn.try_lock_for(wait)) return;
    SANE_Int version = 0;
    m_open = sane_init(&version, nullptr) == SANE_STATUS_GOOD;
}

SaneSession::~SaneSession()
{
    if (m_open) sane_exit();
}

std::vector<ScanSource> SaneSession::Devices() const
{
    std::vector<ScanSource> found;
    if (!m_open) return found;
    const SANE_Device** list = nullptr;
    if (sane_get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list) return found;
    for (; *list; ++list) {
        const SANE_Device& d = **list;
        found.push_back({d.name ? d.name : "", d.vendor ? d.vendor : "", d.model ? d.model : "",
                         d.type ? d.type : ""});
    }
    return found;
}

std::unique_ptr<SaneDevice> SaneSession::Open(const ScanSource& source) const
{
    if (!m_open) return nullptr;
    std::string name = source.name;
    if (!source.IsChosen()) {
        const std::vector<ScanSource> all = Devices();
        if (all.empty()) return nullptr;
        name = all.front().name;
    }
    SANE_Handle handle = nullptr;
    if (sane_open(name.c_str(), &handle) != SANE_STATUS_GOOD || !handle) return nullptr;
    return std::make_unique<SaneDevice>(handle);
}
