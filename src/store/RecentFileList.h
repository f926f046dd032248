#pragma once

#include <QSettings>

#include <memory>
#include <string>
#include <vector>

// The most recently opened libraries, newest first, at most kSize of them, kept in
// section "Recent File List" (File1 to File4) of the settings file. Paths are
// compared exactly, so one library never appears twice.
class RecentFileList {
public:
    static constexpr int kSize = 4;

    // The user's settings file.
    RecentFileList();
    explicit RecentFileList(const std::string& filePath);
    ~RecentFileList();
    RecentFileList(const RecentFileList&) = delete;
    RecentFileList& operator=(const RecentFileList&) = delete;

    // Puts the path first, dropping an older entry of the same path and the oldest
    // entry when the list is full.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    std::vector<std::string> Entries() const;

private:
    void Store(const std::vector<std::string>& entries);

    std::unique_ptr<QSettings> m_store;
};
