#pragma once

#include <string>
#include <vector>

// The version files an add stages are hidden temporaries in their picture folders
// (AtomicFile::Create); an add that is killed leaves them there for good. They are
// removed under the library's lock, which no adding program lacks.
class StagingLeftovers {
  public:
    // Removes the regular files named as staged versions (".NAME.jpg.XXXXXX") from the
    // four picture folders of `libraryDirectory`, never what a link names nor anything
    // in a folder below. Returns how many went.
    static int Remove(const std::string& libraryDirectory);

    // The two halves of Remove, so that the search, which reads every entry of folders
    // that hold hundreds of thousands, can run while other work does: the paths of
    // the staged versions found, and their removal (each checked again to be a
    // regular file, not a link, when it goes).
    static std::vector<std::string> Find(const std::string& libraryDirectory);
    static int RemoveFound(const std::vector<std::string>& paths);
};
