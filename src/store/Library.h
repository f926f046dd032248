#pragma once

#include "core/CQuilleryDoc.h"
#include "core/NameKind.h"
#include "store/LibraryLock.h"
#include "store/LibraryRecovery.h"

#include <QObject>

#include <chrono>
#include <memory>
#include <string>

class PhotoRecord;
class Prompter;

// The open library: its catalog, its database file and the picture folders beside
// it. Every change of the catalog goes through here and is announced, so the views
// follow without being refreshed by hand. A library that replaces another is read or
// made whole first and swapped in at once; the views are emptied before the old
// catalog goes, so nothing that repaints meanwhile can reach a record that is gone.
// While a library is open its lock is held, so no other program saves it meanwhile;
// a library that another program holds opens only read-only, and is never saved.
class Library : public QObject {
    Q_OBJECT
public:
    // Locked: another program has the library open (and read-only was declined).
    // NotRecovered: the database file is missing, leftovers of a save that was cut
    // short lie beside it, and none was put in its place; nothing was created.
    enum class Outcome { Done, ReadFailed, FoldersDeclined, CannotCreate, Locked, NotRecovered };

    explicit Library(QObject* parent = nullptr);
    ~Library() override;

    bool IsOpen() const { return m_open; }
    // Open while another program holds it: nothing may change it.
    bool IsReadOnly() const { return m_readOnly; }
    const CQuilleryDoc& Catalog() const { return *m_catalog; }
    // Directory of the database file, without a trailing '/': the root of the
    // picture store. Empty when no library is open.
    std::string Directory() const;
    // The database file's name within its directory.
    std::string FileName() const;
    const std::string& Path() const { return m_catalog->GetPath(); }
    bool IsModified() const { return m_catalog->IsModified(); }
    bool IsUntitled() const { return m_catalog->IsUntitled(); }

    // True when the four picture folders stand in the directory.
    static bool PictureFoldersExist(const std::string& directory);
    // Creates the missing picture folders; false when one is still missing after.
    static bool CreatePictureFolders(const std::string& directory);
    // True when the folders exist or the user let them be created (and they were).
    static bool CheckPictureFolders(const std::string& directory, Prompter& prompter);

    // Reads the database file into a new catalog, checks the picture folders and
    // then replaces the open library with it. The library open before stays open and
    // unchanged while the reader's messages and the folder question are shown, and
    // when either fails. When another program holds the library, asks whether to open
    // it read-only. A missing file is first offered back from the leftovers of a save
    // that was cut short, and a stale backup is moved aside (LibraryRecovery). Opened
    // under the lock, the file as it was is copied to "NAME.pdb~" (OpenCopy).
    Outcome Open(const std::string& path, Prompter& prompter);
    // A new, empty library: checks (or makes, when the user lets it) the picture
    // folders, then creates the empty database file, never over an existing one nor
    // where leftovers of a save lie: it offers them and opens the one taken instead.
    Outcome Create(const std::string& path, Prompter& prompter);
    // For a front without questions: opens the library, creating the file and the
    // folders when they are missing (FoldersDeclined when they cannot be made). Waits
    // up to `lockWait` for another program to let go of the library (Locked after).
    // The only complete leftover of a save cut short is taken without a question. The
    // file as it was is copied to "NAME.pdb~" (OpenCopy).
    Outcome OpenOrCreate(const std::string& path, Prompter& prompter,
                         std::chrono::milliseconds lockWait);
    // Leaves no library open.
    void Close();

    // Writes the catalog to its database file, first moving a stale backup aside;
    // false when it stays unsaved (always when read-only).
    bool Save(Prompter& prompter);
    // Writes to another file of the same directory, which becomes the library's.
    bool SaveAs(const std::string& path, Prompter& prompter);

    // Changes of the catalog; each marks it modified and is announced.
    PhotoRecord& AddPhoto(const PhotoRecord& record);
    // Takes every field of `values` but the file name, which stays the photo's.
    void ChangePhoto(const PhotoRecord& photo, const PhotoRecord& values);
    // Announces a photo whose pictures were written anew (the record is unchanged).
    void PicturesChanged(const PhotoRecord& photo);
    void RemovePhoto(const PhotoRecord& photo);
    int AddName(NameKind kind, std::string name);
    // An accepted change that leaves every record and name as it was (a name entered
    // again) still counts as a change of the library.
    void MarkModified() { m_catalog->SetModified(true); }
    void ReplaceName(NameKind kind, int id, std::string name);

Q_SIGNALS:
    // Before the catalog is replaced or cleared: views drop every record they hold.
    void aboutToReplace();
    // Another library (or none) is open now; views fill from the new catalog.
    void replaced();
    // The database file was renamed by Save As.
    void pathChanged();
    void photoAdded(const PhotoRecord* photo);
    void photoChanged(const PhotoRecord* photo);
    void photoAboutToBeRemoved(const PhotoRecord* photo);
    void photoRemoved();
    void namesChanged(NameKind kind);
    // Leftovers of a save that was cut short were mended without a question (a stale
    // backup moved aside, a leftover taken in place of a missing file); `note` says
    // what, in words for the user.
    void leftoversMended(const std::string& note);

private:
    enum class Access { ReadWrite, ReadOnly };
    void Replace(std::unique_ptr<CQuilleryDoc> catalog, bool open, LibraryLock lock = {},
                 Access access = Access::ReadWrite);
    // The lock for a library about to be opened: a share of the held one when it is
    // the open library itself.
    LibraryLock LockFor(const std::string& path, std::chrono::milliseconds wait = {}) const;
    bool RefuseReadOnly(Prompter& prompter) const;
    PhotoRecord& Writable(const PhotoRecord& photo);
    LibraryRecovery::Result RecoverMissingFile(const std::string& path, Prompter& prompter,
                                               LibraryRecovery::Asking asking);
    // Recovers a missing file, then moves a stale backup aside. False when the file
    // is missing and its leftovers were not used.
    bool MendLeftovers(const std::string& path, Prompter& prompter, LibraryRecovery::Asking asking);
    void MoveStaleBackupAside(const std::string& path);
    // What an open under the lock does beside reading: the copy made at open, and the
    // staged versions of a killed add removed.
    void KeepHouse(const std::string& path);

    std::unique_ptr<CQuilleryDoc> m_catalog;
    LibraryLock m_lock;
    bool m_open = false;
    bool m_readOnly = false;
};
