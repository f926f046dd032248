#pragma once

#include <sane/sane.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// An open SANE device, closed on destruction. Options are addressed by their SANE
// names ("mode", "resolution", "tl-x" ...); a device without an option simply lacks it.
class SaneDevice {
public:
    explicit SaneDevice(SANE_Handle handle) : m_handle(handle) {}
    ~SaneDevice();
    SaneDevice(const SaneDevice&) = delete;
    SaneDevice& operator=(const SaneDevice&) = delete;

    // The allowed values of a string option (empty when it has no list).
    std::vector<std::string> Choices(const std::string& option) const;
    // The lowest and highest value of a numeric option, as plain numbers (fixed-point
    // values converted); nullopt when the option is missing or unbounded.
    std::optional<std::pair<double, double>> Range(const std::string& option) const;
    // The values of a numeric option's word list (resolutions often come as a list).
    std::vector<double> Values(const std::string& option) const;
    std::optional<double> Number(const std::string& option) const;
    std::optional<std::string> Text(const std::string& option) const;
    bool SetNumber(const std::string& option, double value);
    bool SetText(const std::string& option, const std::string& value);

    struct Frame {
        SANE_Status status = SANE_STATUS_GOOD;
        // A packed DIB (24-bit, bottom-up) when status is GOOD.
        std::vector<std::uint8_t> dib;
    };
    // Scans one image, all its frames. `cancel` is looked at between reads and stops
    // the scan with SANE_STATUS_CANCELLED; `progress` hears per cent when the line
    // count is known in advance. No document left gives SANE_STATUS_NO_DOCS.
    Frame Scan(const std::atomic<bool>& cancel, const std::function<void(int)>& progress = {});

private:
    int Index(const std::string& option) const;
    const SANE_Option_Descriptor* Descriptor(const std::string& option) const;

    SANE_Handle m_handle;
};
