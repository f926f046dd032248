#pragma once

#include <string>
#include <string_view>
#include <vector>

class Library;
class PhotoRecord;
class Prompter;
class TransferHost;

// Writes photos of the open library, in the order given, into a new library with
// their picture files; the program's Export and quillery-tool export share it. The
// open library is left as it was. The new database file is written whole at the end,
// through a temporary: an existing library under that name stays as it was until
// then, whatever stops the export. A new name is taken at once by an empty file.
class LibraryExporter {
  public:
    enum class Outcome {
        Done,
        // The target is the open library's own database file: refused, with a message.
        OwnDatabase,
        // The picture folders beside the target are missing and were not created.
        FoldersDeclined,
        Cancelled,
        // The database file or the copies could not be written, or another program
        // has the target open (the message is shown).
        Failed,
    };

    static constexpr std::string_view kOwnDatabaseMessage =
        "The open library cannot be exported onto its own database file.\n"
        "Choose another name, or another folder.";
    static constexpr std::string_view kSyncFailedMessage =
        "Unable to write the copied picture files to disk";

    static Outcome Export(const Library& library, const std::vector<const PhotoRecord*>& photos,
                          const std::string& targetPath, Prompter& prompter, TransferHost& host);
    static std::string ProgressText(std::string_view fileName);
};
