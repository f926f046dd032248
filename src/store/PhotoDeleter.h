#pragma once

#include <functional>
#include <string>
#include <vector>

class Library;
class PhotoRecord;

// Removing photos from the open library, with or without their picture files; the
// program's two delete commands and quillery-tool's delete share it.
//
// With the files, the library is saved before any file goes: a crash between the two
// leaves picture files no record names, never a record without its pictures. A file
// that another record of the library still names (two records may share a picture
// file name) is kept.
class PhotoDeleter {
public:
    enum class Files { Keep, Delete };
    enum class Outcome {
        Done,
        // A photo given is not (or no longer) in the catalog; nothing changed.
        NotFound,
        // The records are gone from the catalog, but the save failed, so every
        // picture file was kept.
        NotSaved,
    };
    struct Result {
        Outcome outcome = Outcome::Done;
        int filesDeleted = 0;
        // Picture file names kept because a remaining record still names them.
        std::vector<std::string> sharedNamesKept;
    };

    // Removes the photos (found by identity) through the library, which announces each.
    // Files::Keep neither saves nor touches a file: the library is only marked
    // modified. Files::Delete calls `save` and, when it succeeds, deletes the versions.
    static Result Delete(Library& library, const std::vector<const PhotoRecord*>& photos,
                         Files files, const std::function<bool()>& save);

    // Deletes the four versions of a picture file name, full screen, thumbnail, high
    // resolution and original in this order. A file that is missing or cannot be
    // deleted is passed over. Gives the number deleted.
    static int DeleteVersionFiles(const std::string& libraryDirectory, const std::string& fileName);
};
