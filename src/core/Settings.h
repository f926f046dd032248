#pragma once

#include <string>
#include <string_view>

// The per-user preferences of section "Quillery". Nothing is cached: every reading
// site asks the store when it runs and passes its own default (see SettingsKeys.h),
// so a change made in Options takes effect at the next use. Integer keys and text
// keys are kept apart, as the store keeps them.
class Settings {
public:
    virtual ~Settings() = default;

    virtual int GetInt(std::string_view key, int defaultValue) const = 0;
    virtual std::string GetString(std::string_view key, std::string_view defaultValue) const = 0;
    virtual void WriteInt(std::string_view key, int value) = 0;
    virtual void WriteString(std::string_view key, std::string_view value) = 0;
};
