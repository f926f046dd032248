#include "core/DatabaseWriter.h"

#include "core/CQuilleryDoc.h"
#include "core/DatabaseFormat.h"
#include "base/AtomicFile.h"
#include "base/FileOps.h"
#include "core/Prompter.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

using namespace DatabaseFormat;

namespace {
// A rough line length, so the buffer for a large library is allocated once.
constexpr size_t kTypicalLine = 160;
}  // namespace

DatabaseWriter::DatabaseWriter(const CQuilleryDoc& catalog, Prompter& prompter)
    : m_catalog(catalog), m_prompter(prompter)
{
}

DatabaseWriter::~DatabaseWriter() = default;

bool DatabaseWriter::Write(const std::string& linkOrPath)
{
    // A library reached through a symbolic link is saved into the file the link names:
    // replacing the link would leave that file, and every other name for it, with the
    // old content. The temporary and the backup go beside that file, in the only
    // folder the renames can work in.
    const std::string path = LinkTarget(linkOrPath);
    std::string content;
    try {
        content = Format(m_catalog);
    } catch (const std::bad_alloc&) {
        // Without memory for the text nothing can be written: as good as a full disk.
        return Fail(kWriteError2);
    }
    AtomicFile file;
    file.SyncThrough([this](int fd, const std::string& temporary) {
        return SyncTemporary(fd, temporary);
    });
    if (!file.CreateAt(path, TemporaryPath(path)) || !file.TakeAccessOf(path))
        return Fail(kUnableToOpenTemporary);
    if (!file.Write(content) || !file.Flush()) {
        file.Discard();
        return Fail(kWriteError2);
    }

    // The old file is moved aside rather than replaced, so that its content survives
    // until the new file has its name.
    const std::string backupPath = BackupPath(path);
    if (!MoveNoReplace(path, backupPath)) {
        file.Discard();
        return Fail(kWriteError4);
    }
    const auto move = [this](const std::string& from, const std::string& to) {
        return MoveNoReplace(from, to);
    };
    if (!file.Commit(move)) {
        MoveNoReplace(backupPath, path);
        return Fail(kWriteError3);
    }
    // The commit synced the new name to disk before the only other copy of the old
    // content goes. A failure here changes nothing the user could act on, so it is
    // not one.
    ::unlink(backupPath.c_str());
    FileOps::SyncDirectoryOf(path);
    return true;
}

std::string DatabaseWriter::LinkTarget(const std::string& path)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    // A dangling link has no file to save into; the link itself is replaced then.
    return error ? path : target.string();
}

bool DatabaseWriter::MoveNoReplace(const std::string& from, const std::string& to)
{
    return FileOps::RenameNoReplace(from, to);
}

bool DatabaseWriter::SyncTemporary(int fd, const std::string& temporaryPath)
{
    return AtomicFile::SyncToDisk(fd, temporaryPath);
}

bool DatabaseWriter::Fail(std::string_view message)
{
    m_prompter.Message(message);
    return false;
}

std::string DatabaseWriter::Format(const CQuilleryDoc& catalog)
{
    std::string out;
    out.reserve(static_cast<size_t>(catalog.PhotoCount()) * kTypicalLine);
    for (int i = 0; i < catalog.PhotoCount(); ++i) AppendLine(out, catalog, catalog.PhotoAt(i));
    return out;
}

void DatabaseWriter::AppendLine(std::string& out, const CQuilleryDoc& catalog,
                                const PhotoRecord& record)
{
    std::string notes = record.GetNotes();
    std::replace(notes.begin(), notes.end(), kFieldEnd, kNotesBar);
    const std::string persons = NameField(catalog, NameKind::Persons, record);
    const std::string events = NameField(catalog, NameKind::Events, record);
    const std::string locations = NameField(catalog, NameKind::Locations, record);
    const std::string_view fields[kFieldCount] = {
        record.GetFileName(), record.GetDateText(), persons, events, locations, notes,
    };
    for (const std::string_view field : fields) {
        AppendTextMode(out, field);
        out += kFieldEnd;
    }
    out += "\r\n";
}

// Names joined by '^'. A field longer than the format promises to hold is cut
// between whole names, never inside one (nor inside a multi-byte character). A first
// name that alone is longer still goes whole: dropping it would lose it.
std::string DatabaseWriter::NameField(const CQuilleryDoc& catalog, NameKind kind,
                                      const PhotoRecord& record)
{
    std::string field;
    int written = 0;
    for (const std::string& name : catalog.UsedNames(kind, record)) {
        if (written > 0 && field.size() + 1 + name.size() > kMaxNameField) break;
        if (written > 0) field += kNameSeparator;
        field += name;
        ++written;
    }
    return field;
}
