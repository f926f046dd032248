#include "store/ProfileSettings.h"

#include "store/SettingsBytes.h"

#include <QFile>

namespace {

QString KeyInSection(std::string_view key)
{
    return QString::fromLatin1(ProfileSettings::kSection) + u'/' +
           QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

}  // namespace

// The native format on Linux is the INI format in ~/.config/Quillery/Quillery.conf.
ProfileSettings::ProfileSettings()
    : m_store(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                          QStringLiteral("Quillery"), QStringLiteral("Quillery")))
{
}

ProfileSettings::ProfileSettings(const std::string& filePath)
    : m_store(std::make_unique<QSettings>(QFile::decodeName(filePath.c_str()), QSettings::IniFormat))
{
}

ProfileSettings::~ProfileSettings() = default;

// A value that is not a whole number reads as absent, as a text value read as an
// integer does in the profile store this file stands in for.
int ProfileSettings::GetInt(std::string_view key, int defaultValue) const
{
    m_store->sync();
    const QVariant value = m_store->value(KeyInSection(key));
    if (!value.isValid()) return defaultValue;
    bool isNumber = false;
    const int number = value.toString().trimmed().toInt(&isNumber);
    return isNumber ? number : defaultValue;
}

std::string ProfileSettings::GetString(std::string_view key, std::string_view defaultValue) const
{
    m_store->sync();
    const QVariant value = m_store->value(KeyInSection(key));
    if (!value.isValid()) return std::string(defaultValue);
    return SettingsBytes::FromStored(value);
}

void ProfileSettings::WriteInt(std::string_view key, int value)
{
    m_store->setValue(KeyInSection(key), value);
    m_store->sync();
}

void ProfileSettings::WriteString(std::string_view key, std::string_view value)
{
    m_store->setValue(KeyInSection(key), SettingsBytes::ToStored(value));
    m_store->sync();
}

std::string ProfileSettings::FilePath() const
{
    return QFile::encodeName(m_store->fileName()).toStdString();
}
