#pragma once

#include "store/ProfileSettings.h"

#include <QTemporaryDir>

// A settings file of its own in a fresh temporary directory, removed afterwards.
class TempSettingsFile {
public:
    TempSettingsFile() : m_settings(Path().toStdString()) {}

    QString Path() const { return m_dir.filePath("Quillery.conf"); }
    ProfileSettings& Settings() { return m_settings; }

private:
    QTemporaryDir m_dir;
    ProfileSettings m_settings;
};
