#pragma once

#include <filesystem>
#include <string>
#include <vector>

class Prompter;

// What a save cut short leaves beside a database file, and the mends for it. The
// writer puts the new text in "~NAME.pdb", moves NAME.pdb to NAME.bak, renames the
// new file into place and removes the backup: a crash between the two renames leaves
// no NAME.pdb, and a crash before the removal leaves a backup in the way of every
// later save. Nothing here copies a file or removes one; leftovers are only renamed,
// but for a backup that is a second name of the database file, whose name goes.
class LibraryRecovery {
  public:
    // Whether the user is asked before a leftover takes the database file's place: a
    // front with nobody to answer takes the only complete one without asking.
    enum class Asking { Always, UnlessSoleComplete };
    enum class Result { NothingFound, Recovered, NotRecovered };

    // A file that may stand in for a missing database file.
    struct Leftover {
        std::string path;
        std::filesystem::file_time_type time;
        // Complete: the reader takes it whole.
        bool complete = false;
        int photoCount = 0;
        // Why the reader refused it.
        std::string problem;
    };

    // A symbolic link at `databasePath` is followed, as the writer follows it.
    explicit LibraryRecovery(const std::string& databasePath);

    // The database file itself, a link at the path followed: the leftovers lie beside it.
    const std::string& DatabasePath() const { return m_path; }

    // "~NAME.pdb", "NAME.bak", "NAME.bak.N" and "NAME.pdb~" (the copy made at open,
    // OpenCopy) that are regular files, newest first (on equal times in that order).
    std::vector<Leftover> FindLeftovers() const;

    // When the database file is missing and leftovers lie beside it: says what was
    // found and renames the chosen complete leftover into place; the others stay as
    // they are. NotRecovered when leftovers lie there and none was put in place. The
    // copy made at open counts as a complete one only when no other is.
    Result RecoverMissing(Prompter& prompter, Asking asking);

    // Moves a backup older than a complete database file, the remains of a save
    // that finished all but its last step, to the first free "NAME.bak.N", so that
    // the next save can make its own; a backup that is the database file under a
    // second name loses that name. True when it was moved or removed.
    bool MoveStaleBackupAside();

    // What was done without a question, for the user to read.
    const std::vector<std::string>& Notes() const { return m_notes; }

  private:
    std::string Findings(const std::vector<Leftover>& leftovers) const;
    bool MoveIntoPlace(const Leftover& leftover, Prompter& prompter);

    std::string m_path;
    std::vector<std::string> m_notes;
};
