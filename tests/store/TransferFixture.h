#pragma once

#include "FileBytes.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "TestLibrary.h"

#include "core/CQuilleryDoc.h"
#include "store/Library.h"
#include "store/PictureStore.h"
#include "store/TransferHost.h"

#include <string>
#include <vector>

// A host that records the progress texts and, when told, stops the copy at a given
// call as the progress dialog's Cancel would.
class RecordingHost : public TransferHost {
  public:
    void ShowProgress(const std::string& text, int, int) override { progress.push_back(text); }
    void ClearProgress() override { cleared = true; }
    CopyResult RunCopy(const Copy& copy) override
    {
        const std::atomic<bool> cancel{++calls == cancelAtCall};
        return copy(cancel);
    }

    std::vector<std::string> progress;
    bool cleared = false;
    int calls = 0;
    int cancelAtCall = -1;
};

using Version = PictureStore::Version;

// Writes the versions of a photo into a library folder, each with its own bytes.
inline void WriteVersions(const std::string& directory, const std::string& name,
                          std::initializer_list<Version> versions = {
                              Version::FullScreen, Version::Thumbnail, Version::HighRes})
{
    for (const Version version : versions)
        WriteBytes(PictureStore::VersionPath(directory, version, name),
                   name + '@' + std::string(PictureStore::FolderName(version)));
}

inline std::string VersionBytes(const std::string& directory, const std::string& name,
                                Version version = Version::FullScreen)
{
    return ReadBytes(PictureStore::VersionPath(directory, version, name));
}

// The photos' file names of a database file, read back.
inline std::vector<std::string> FileNamesIn(const std::string& path)
{
    CQuilleryDoc catalog;
    ScriptedPrompter quiet;
    catalog.ReadDatabase(path, quiet);
    std::vector<std::string> names;
    for (int i = 0; i < catalog.PhotoCount(); ++i)
        names.push_back(catalog.PhotoAt(i).GetFileName());
    return names;
}
