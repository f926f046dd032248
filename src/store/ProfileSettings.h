#pragma once

#include "core/Settings.h"

#include <QSettings>

#include <memory>
#include <string>

// The preferences of section "Quillery" in an INI file: by default the user's
// ~/.config/Quillery/Quillery.conf, or a file named by the caller (tests). Integer
// keys are stored as integers and text keys as texts; nothing is cached, so every
// read sees the latest write, even one made through another object on the same file.
class ProfileSettings : public Settings {
public:
    ProfileSettings();
    explicit ProfileSettings(const std::string& filePath);
    ~ProfileSettings() override;
    ProfileSettings(const ProfileSettings&) = delete;
    ProfileSettings& operator=(const ProfileSettings&) = delete;

    int GetInt(std::string_view key, int defaultValue) const override;
    std::string GetString(std::string_view key, std::string_view defaultValue) const override;
    void WriteInt(std::string_view key, int value) override;
    void WriteString(std::string_view key, std::string_view value) override;

    // The file that holds the values; the recent-file list lives there too.
    std::string FilePath() const;

    static constexpr const char* kSection = "Quillery";

private:
    std::unique_ptr<QSettings> m_store;
};
