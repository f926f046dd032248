#pragma once

#include "base/AtomicFile.h"
#include "store/VersionFailure.h"
#include "store/VersionTable.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class Picture;
class Settings;

// Where a library's pictures live and how their versions are written. Every photo has
// up to four JPEG versions, one per folder beside the database file, all named after
// the photo's picture file name. The store keeps no state beyond its sync step:
// qualities and the optional-version flags are read from the settings at each use.
//
// A version file is only ever replaced by a complete new one: it is written under a
// temporary name in its folder, flushed to disk and renamed over the old file.
class PictureStore {
public:
    using Version = PhotoVersion;

    // Receives the add pipeline's status texts for the photo dialog's message line,
    // each before its step's work. The caller lets the line repaint before returning.
    using StatusLine = std::function<void(const std::string& text)>;

    // libraryDirectory: the folder of the database file, without a trailing '/'.
    PictureStore(std::string libraryDirectory, const Settings& settings);

    // libraryDirectory + "/Thumbnail Pictures/" + fileName + ".jpg", and so on.
    static std::string VersionPath(const std::string& libraryDirectory, Version version,
                                   const std::string& fileName);
    static std::string_view FolderName(Version version) { return InfoOf(version).folderName; }
    std::string PathOf(Version version, const std::string& fileName) const;

    // A quality text converted as C's atoi does: leading blanks and one sign skipped,
    // digits up to the first other character, 0 without digits. Out-of-range numbers
    // are held at the int limits.
    static int QualityFromText(std::string_view text);
    // How every version file this store writes reaches the disk before its rename;
    // fsync unless a test makes it fail.
    void SyncThrough(AtomicFile::Sync sync) { m_sync = std::move(sync); }
    const AtomicFile::Sync& SyncStep() const { return m_sync; }

    // The version's JPEG quality setting, read now.
    int Quality(Version version) const;
    // Whether the version is written for a new photo, read now.
    bool Saves(Version version) const;

    // The versions of a photo being added: the original and the high-resolution
    // version when their settings are on, then the full-screen version, each fitted
    // from the one before, and the thumbnail from the dialog's prepared thumbnail.
    // Stops at the first failure and says which, leaving the files of the earlier
    // steps and the picture fitted as far as the steps went. On success the picture is
    // released. Runs to the end before returning (the caller shows the busy cursor
    // meanwhile); statusLine is called on the calling thread only.
    std::optional<VersionFailure> SaveNewPhotoVersions(Picture& picture, const Picture& thumbnail,
                                                       const std::string& fileName,
                                                       const StatusLine& statusLine) const;

    // The writer used after editing: fits the picture (in place) as the version's
    // table row says, and writes it.
    std::optional<VersionFailure> SaveVersion(Version version, Picture& picture,
                                              const std::string& fileName) const;

private:
    std::string m_libraryDirectory;
    const Settings& m_settings;
    AtomicFile::Sync m_sync = AtomicFile::SyncToDisk;
};
