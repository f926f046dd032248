#pragma once

#include "store/TransferHost.h"
#include "store/VersionTable.h"

#include <atomic>
#include <string>
#include <string_view>

class Prompter;

// Copies the picture files of photos from one library's folders to another's: the
// shared step of export and import. Each file is copied under a temporary name in
// its target folder and renamed into place, so a cancel, a full disk or a crash never
// leaves part of a picture under a real name. The data is not synced per file: the
// caller syncs the target's file system once (Sync) before a database names them.
class PictureCopier {
  public:
    enum class Outcome { Done, Cancelled };

    PictureCopier(std::string fromDirectory, std::string toDirectory, Prompter& prompter,
                  TransferHost& host);

    // The full-screen, thumbnail, high-resolution and original files, in this order.
    // A failed full-screen or thumbnail copy asks OK (go on) or Cancel; failures of the
    // optional versions pass silently. Cancelled when the user stopped the command.
    Outcome CopyPhotoFiles(const std::string& fileName);

    // Makes what was copied durable; true when nothing was copied.
    bool Sync() const;
    int FilesCopied() const { return m_filesCopied; }

    // One file, replacing a file of the target's name.
    static TransferHost::CopyResult CopyFile(const std::string& from, const std::string& to,
                                             const std::atomic<bool>& cancel);
    static std::string FailureMessage(PhotoVersion version, std::string_view fileName);

  private:
    std::string m_fromDirectory;
    std::string m_toDirectory;
    Prompter& m_prompter;
    TransferHost& m_host;
    int m_filesCopied = 0;
};
