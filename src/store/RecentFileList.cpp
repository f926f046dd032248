#include "store/RecentFileList.h"

#include "store/SettingsBytes.h"

#include <QFile>

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Recent File List");

QString EntryKey(int index)
{
    return kSection + QStringLiteral("/File") + QString::number(index + 1);
}

}  // namespace

RecentFileList::RecentFileList()
    : m_store(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                          QStringLiteral("Quillery"), QStringLiteral("Quillery")))
{
}

RecentFileList::RecentFileList(const std::string& filePath)
    : m_store(std::make_unique<QSettings>(QFile::decodeName(filePath.c_str()), QSettings::IniFormat))
{
}

RecentFileList::~RecentFileList() = default;

std::vector<std::string> RecentFileList::Entries() const
{
    m_store->sync();
    std::vector<std::string> entries;
    for (int index = 0; index < kSize; ++index) {
        std::string path = SettingsBytes::FromStored(m_store->value(EntryKey(index)));
        if (!path.empty()) entries.push_back(std::move(path));
    }
    return entries;
}

void RecentFileList::Add(const std::string& path)
{
    if (path.empty()) return;
    std::vector<std::string> entries = Entries();
    std::erase(entries, path);
    entries.insert(entries.begin(), path);
    if (entries.size() > static_cast<size_t>(kSize)) entries.resize(kSize);
    Store(entries);
}

void RecentFileList::Remove(const std::string& path)
{
    std::vector<std::string> entries = Entries();
    std::erase(entries, path);
    Store(entries);
}

void RecentFileList::Store(const std::vector<std::string>& entries)
{
    for (int index = 0; index < kSize; ++index) {
        if (static_cast<size_t>(index) < entries.size()) {
            m_store->setValue(EntryKey(index), SettingsBytes::ToStored(entries[static_cast<size_t>(index)]));
        } else {
            m_store->remove(EntryKey(index));
        }
    }
    m_store->sync();
}
