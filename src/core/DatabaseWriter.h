#pragma once

#include "core/PhotoRecord.h"

#include <string>
#include <string_view>

class CQuilleryDoc;
class Prompter;

// Writes a catalog to a ".pdb" file so that a crash or a power cut at any moment
// leaves either the old or the new file: the text goes to "~name" and is flushed to
// disk, the old file is moved aside to ".bak" (never replacing anything), the new
// one takes its name, and only then is the backup removed.
class DatabaseWriter {
public:
    DatabaseWriter(const CQuilleryDoc& catalog, Prompter& prompter);
    virtual ~DatabaseWriter();
    DatabaseWriter(const DatabaseWriter&) = delete;
    DatabaseWriter& operator=(const DatabaseWriter&) = delete;

    // Shows its own messages (caption "Quillery"); touches neither the catalog's
    // flags nor, on failure, the database file. A link at the path stays a link: the
    // file it points to gets the new content. The temporary's name is fixed, so two
    // writers of one file at once must be kept apart by the caller (the library's lock).
    bool Write(const std::string& path);

    // The whole file content, CR LF line ends included.
    static std::string Format(const CQuilleryDoc& catalog);

protected:
    // The steps tests replace to reach the failure paths of a rename and of the sync
    // that must come before it.
    virtual bool MoveNoReplace(const std::string& from, const std::string& to);
    virtual bool SyncTemporary(int fd, const std::string& temporaryPath);

private:
    bool Fail(std::string_view message);
    // The file a symbolic link at `path` points to, or `path` itself.
    static std::string LinkTarget(const std::string& path);
    static void AppendLine(std::string& out, const CQuilleryDoc& catalog, const PhotoRecord& record);
    static std::string NameField(const CQuilleryDoc& catalog, NameKind kind,
                                 const PhotoRecord& record);

    const CQuilleryDoc& m_catalog;
    Prompter& m_prompter;
};
