#pragma once

#include <string>

// The version files an add stages are hidden temporaries in their picture folders
// (AtomicFile::Create); an add that is killed leaves them there for good. They are
// removed under the library's lock, which no adding program lacks.
class StagingLeftovers {
  public:
    // Removes the regular files named as staged versions (".NAME.jpg.XXXXXX") from the
    // four picture folders of `libraryDirectory`, never what a link names nor anything
    // in a folder below. Returns how many went.
    static int Remove(const std::string& libraryDirectory);
};
