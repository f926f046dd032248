#pragma once

#include "core/Settings.h"

#include <map>
#include <string>

// Settings held in memory, for tests of code below the widgets.
class MemorySettings : public Settings {
public:
    int GetInt(std::string_view key, int defaultValue) const override
    {
        const auto found = m_ints.find(std::string(key));
        return found == m_ints.end() ? defaultValue : found->second;
    }
    std::string GetString(std::string_view key, std::string_view defaultValue) const override
    {
        const auto found = m_strings.find(std::string(key));
        return found == m_strings.end() ? std::string(defaultValue) : found->second;
    }
    void WriteInt(std::string_view key, int value) override { m_ints[std::string(key)] = value; }
    void WriteString(std::string_view key, std::string_view value) override
    {
        m_strings[std::string(key)] = std::string(value);
    }

private:
    std::map<std::string, int> m_ints;
    std::map<std::string, std::string> m_strings;
};
