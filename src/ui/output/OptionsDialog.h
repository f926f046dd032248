#pragma once

#include "core/SettingsKeys.h"

#include <QDialog>

#include <array>
#include <string>

class QCheckBox;
class QGroupBox;
class NumberField;
class Settings;

// "Quillery Options": shows every preference, and on OK writes all of them back,
// pulling numbers that lie outside their ranges to the nearer bound. Cancel writes
// nothing. The settings are read when the dialog is made, not when it is shown.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(Settings& settings, QWidget* parent = nullptr);

    // The control of a key, found by the key's name (also its object name).
    QCheckBox* FlagBox(std::string_view key) const;
    NumberField* NumberBox(std::string_view key) const;

    void accept() override;

    struct NumberSpec {
        SettingsKeys::TextKey key;
        int minimum;
        int maximum;
    };

private:
    QGroupBox* FileUsageGroup();
    QGroupBox* QualityGroup();
    QGroupBox* StartupGroup();
    QGroupBox* MarginGroup();
    QGroupBox* PictureShowGroup();
    QGroupBox* EditingGroup();
    QCheckBox* AddFlag(const SettingsKeys::IntKey& key, const char* label, QWidget* group);
    NumberField* AddNumber(const SettingsKeys::TextKey& key, const char* label, QWidget* group);

    void WriteFlags();
    void WriteNumbers();

    Settings& m_settings;
};
