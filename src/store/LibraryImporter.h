#pragma once

#include <string>
#include <string_view>

class Library;
class Prompter;
class TransferHost;

// Merges another library into the open one: its names where they are missing, its
// photos appended with their name ids translated, their picture files copied into
// the open library's folders. The program's Import and quillery-tool import share
// it. Only the catalog in memory changes (through the library, on the calling
// thread); the caller saves it.
class LibraryImporter {
  public:
    enum class Outcome { Done, Cancelled };
    struct Result {
        Outcome outcome = Outcome::Done;
        int photosAdded = 0;
        int photosSkipped = 0;
        int namesAdded = 0;
        int filesCopied = 0;
    };

    static constexpr std::string_view kDuplicateQuestion =
        "One or more pictures are duplicate\nPress 'Yes' to skip or 'No' to add anyway";
    static constexpr std::string_view kReplaceQuestion =
        "Duplicate file names found in subdirectories, replace the existing picture files?";

    // Whatever ends the import, what was merged stays and the library is marked
    // modified, so it is shown and saved like any other change.
    static Result Import(Library& library, const std::string& sourcePath, Prompter& prompter,
                         TransferHost& host);
};
