#include "core/DatabaseWriter.h"

#include "core/CQuilleryDoc.h"
#include "core/DatabaseFormat.h"
#include "core/FileDescriptor.h"
#include "core/FileOps.h"
#include "core/Prompter.h"

#include <algorithm>
#include <fcntl.h>
#include <new>
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

bool DatabaseWriter::Write(const std::string& path)
{
    std::string content;
    try {
        content = Format(m_catalog);
    } catch (const std::bad_alloc&) {
        // Without memory for the text nothing can be written: as good as a full disk.
        return Fail(kWriteError2);
    }
    const std::string temporaryPath = TemporaryPath(path);
    if (!WriteTemporary(temporaryPath, content)) return false;

    const std::string backupPath = BackupPath(path);
    if (!MoveNoReplace(path, backupPath)) return Fail(kWriteError4);
    if (!MoveNoReplace(temporaryPath, path)) {
        MoveNoReplace(backupPath, path);
        return Fail(kWriteError3);
    }
    // The new name must be on disk before the only other copy of the old content
    // goes. A failure here changes nothing the user could act on, so it is not one.
    FileOps::SyncDirectoryOf(path);
    ::unlink(backupPath.c_str());
    FileOps::SyncDirectoryOf(path);
    return true;
}

bool DatabaseWriter::WriteTemporary(const std::string& temporaryPath, std::string_view content)
{
    // O_NOFOLLOW: a link planted under the temporary name must not make us truncate
    // whatever it points at.
    FileDescriptor file(::open(temporaryPath.c_str(),
                               O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!file.IsOpen()) return Fail(kUnableToOpenTemporary);

    const bool written = FileOps::WriteAll(file.Get(), content) && ::fsync(file.Get()) == 0;
    if (written && file.Close()) return true;
    // A half-written temporary file helps nobody and may hold the last free space.
    file.Close();
    ::unlink(temporaryPath.c_str());
    return Fail(kWriteError2);
}

bool DatabaseWriter::MoveNoReplace(const std::string& from, const std::string& to)
{
    return FileOps::RenameNoReplace(from, to);
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
