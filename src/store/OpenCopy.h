#pragma once

#include <string>

// One backup generation: each open of a library under its lock copies the database
// file as it was to "NAME.pdb~" beside it, so that a wrong edit saved since can be
// undone by hand. The save neither reads nor removes it; it changes only at the next
// open.
class OpenCopy {
  public:
    // "NAME.pdb~" for the database file at `databasePath` (a link already followed).
    static std::string PathOf(const std::string& databasePath);

    // Copies the database file (the one a link at `path` names, where the saves and
    // their leftovers are) through a temporary renamed over the old copy, with the
    // file's mode, group and modification time. False when no copy was made; the old
    // copy then stays as it was.
    static bool Make(const std::string& path);
};
