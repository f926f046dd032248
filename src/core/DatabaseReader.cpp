#include "core/DatabaseReader.h"

#include "core/CQuilleryDoc.h"
#include "core/DatabaseFormat.h"
#include "core/DateText.h"
#include "base/FileOps.h"
#include "core/Prompter.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <sys/stat.h>

using namespace DatabaseFormat;

DatabaseReader::DatabaseReader(CQuilleryDoc& catalog, Prompter& prompter, size_t chunkSize)
    : m_catalog(catalog), m_prompter(prompter), m_chunkSize(std::max<size_t>(chunkSize, 1))
{
}

bool DatabaseReader::Read(const std::string& path)
{
    m_catalog.Clear();
    try {
        m_catalog.SetPath(path);
        m_path = path;
        return ReadAndParse(path);
    } catch (const std::bad_alloc&) {
        // The records read so far are dropped too: they give back the memory the
        // message and the program need next, and the caller discards a failed read.
        m_text = {};
        m_buffer.reset();
        m_file = FileDescriptor();
        m_scratch = std::string();
        m_catalog.Clear();
        m_catalog.SetPath(path);
        m_path = path;
        return Fail(NotEnoughMemory(path));
    }
}

bool DatabaseReader::ReadAndParse(const std::string& path)
{
    m_file = FileOps::OpenRegularFile(path);
    struct stat status {};
    if (!m_file.IsOpen() || ::fstat(m_file.Get(), &status) != 0) return Fail(kUnableToOpen);
    // A small library gets a buffer of its own size; a line longer than a chunk makes
    // the buffer grow to hold it.
    m_capacity = std::min(static_cast<size_t>(status.st_size) + 2, m_chunkSize);
    m_buffer = std::make_unique_for_overwrite<char[]>(m_capacity);
    m_text = {};
    m_position = 0;
    m_atEnd = false;

    LineResult result = LineResult::Read;
    while (result == LineResult::Read) result = ReadLine();
    m_text = {};
    m_buffer.reset();
    m_file = FileDescriptor();
    if (result == LineResult::Failed) return false;
    m_catalog.SetUntitled(false);
    m_catalog.SetModified(false);
    return true;
}

// Makes the buffer hold the next line whole: six '|' and the two bytes after the last,
// or the rest of the file. Fields are then views into the buffer that stay valid while
// the line is parsed. False when the input fails.
bool DatabaseReader::HoldWholeLine()
{
    size_t scanned = m_position;
    int separators = 0;
    for (;;) {
        while (separators < kFieldCount) {
            const size_t next = m_text.find(kFieldEnd, scanned);
            if (next == std::string_view::npos) {
                scanned = m_text.size();
                break;
            }
            ++separators;
            scanned = next + 1;
        }
        if (separators == kFieldCount && m_text.size() - scanned >= 2) return true;
        if (m_atEnd) return true;
        const size_t consumed = m_position;
        if (!ReadMore()) return false;
        scanned -= consumed;
    }
}

// Moves the unparsed rest to the front of the buffer and appends what the file gives
// next, growing the buffer only when the rest fills it.
bool DatabaseReader::ReadMore()
{
    const std::string_view rest = m_text.substr(m_position);
    if (rest.size() == m_capacity) {
        const size_t larger = m_capacity * 2;
        auto grown = std::make_unique_for_overwrite<char[]>(larger);
        std::memcpy(grown.get(), rest.data(), rest.size());
        m_buffer = std::move(grown);
        m_capacity = larger;
    } else if (!rest.empty() && rest.data() != m_buffer.get()) {
        std::memmove(m_buffer.get(), rest.data(), rest.size());
    }
    m_position = 0;
    const long got =
        FileOps::ReadSome(m_file.Get(), m_buffer.get() + rest.size(), m_capacity - rest.size());
    m_text = std::string_view(m_buffer.get(), rest.size() + static_cast<size_t>(std::max(got, 0L)));
    if (got < 0) return false;
    if (got == 0) m_atEnd = true;
    return true;
}

DatabaseReader::LineResult DatabaseReader::ReadLine()
{
    // An input failure before the end of the file gives false without a message.
    if (!HoldWholeLine()) return LineResult::Failed;
    const auto fileName = NextField();
    if (!fileName) {
        // Blank lines at the very end are harmless; any other text without its
        // separators is the remains of a line, and dropping it silently would lose it
        // at the next save.
        if (OnlyLineEndsLeft()) return LineResult::EndOfFile;
        Fail(kIncorrectEntry);
        return LineResult::Failed;
    }
    if (fileName->empty()) {
        Fail(kNoFileName);
        return LineResult::Failed;
    }
    const auto date = NextField();
    if (date && date->empty()) {
        Fail(kNoDate);
        return LineResult::Failed;
    }
    const auto persons = NextField();
    const auto events = NextField();
    const auto locations = NextField();
    const auto notes = NextField();
    if (!date || !notes || !AtEndOfLine()) {
        Fail(kIncorrectEntry);
        return LineResult::Failed;
    }
    // Most lines hold no CR before their line end; one look spares six.
    const char* const lineEnd = notes->data() + notes->size();
    m_lineHasCarriageReturn =
        std::string_view(fileName->data(), static_cast<size_t>(lineEnd - fileName->data())).find('\r') !=
        std::string_view::npos;
    AddRecord({*fileName, *date, *persons, *events, *locations, *notes});
    return m_atEnd && m_position >= m_text.size() ? LineResult::EndOfFile : LineResult::Read;
}

void DatabaseReader::AddRecord(const std::array<std::string_view, kFieldCount>& fields)
{
    auto record = std::make_unique<PhotoRecord>();
    record->SetFileName(std::string(TextMode(fields[0])));
    // The stored text is re-made from the numbers, so a date typed as "01/5/99" reads
    // back as "1/05/1999"; a damaged one keeps what could be read of it.
    const ParsedDate parsed = ParseDate(TextMode(fields[1]));
    record->SetDate(parsed.month, parsed.day, parsed.year);
    std::array<PhotoRecord::IdList, kNameKinds.size()> ids;
    for (size_t k = 0; k < kNameKinds.size(); ++k)
        SplitNames(TextMode(fields[2 + k]), m_catalog.NamesOf(kNameKinds[k]), ids[k]);
    record->SetIds(ids);
    record->SetNotes(DecodeNotes(TextMode(fields[5])));
    m_catalog.AdoptPhoto(std::move(record));
}

// The text up to the next '|', which is consumed; nothing when the file ends first.
std::optional<std::string_view> DatabaseReader::NextField()
{
    if (m_position >= m_text.size()) return std::nullopt;
    const size_t end = m_text.find(kFieldEnd, m_position);
    if (end == std::string::npos) return std::nullopt;
    const std::string_view field(m_text.data() + m_position, end - m_position);
    m_position = end + 1;
    return field;
}

// After the sixth '|' only the line end (or the end of a last line without one) may
// follow. Text-mode input reads CR LF as the line end; a bare LF counts too.
bool DatabaseReader::AtEndOfLine()
{
    const std::string_view rest = std::string_view(m_text).substr(m_position);
    const size_t length = rest.starts_with("\r\n") ? 2 : rest.starts_with('\n') ? 1 : 0;
    m_position += length;
    return length > 0 || rest.empty();
}

// A field as text-mode input gives it: CR LF read as LF. The file is parsed where
// it lies; only the rare field holding a CR is copied to be translated. The result
// lasts until the next call.
std::string_view DatabaseReader::TextMode(std::string_view raw)
{
    if (!m_lineHasCarriageReturn || raw.find('\r') == std::string_view::npos) return raw;
    m_scratch.assign(raw);
    RemoveCarriageReturns(m_scratch);
    return m_scratch;
}

bool DatabaseReader::OnlyLineEndsLeft() const
{
    return std::all_of(m_text.begin() + static_cast<std::ptrdiff_t>(m_position), m_text.end(),
                       [](char c) { return c == '\n' || c == '\r'; });
}

bool DatabaseReader::Fail(std::string_view message)
{
    m_prompter.Message(message, m_path);
    return false;
}

// Names are numbered in the order they first appear. A list stops at 16 names or
// at an empty name after the first, so "A^^B" keeps only A.
void DatabaseReader::SplitNames(std::string_view field, NameList& names, PhotoRecord::IdList& ids)
{
    ids.fill(-1);
    if (field.empty()) return;
    for (size_t count = 0; count < ids.size(); ++count) {
        const size_t separator = field.find(kNameSeparator);
        const std::string_view name = field.substr(0, separator);
        if (count > 0 && name.empty()) return;
        int id = names.Find(name);
        if (id < 0) id = names.Add(std::string(name));
        ids[count] = id;
        if (separator == std::string_view::npos) return;
        field.remove_prefix(separator + 1);
    }
}

std::string DatabaseReader::DecodeNotes(std::string_view field)
{
    std::string notes(field);
    const size_t firstBar = notes.find(kNotesBar);
    if (firstBar != std::string::npos)
        std::replace(notes.begin() + static_cast<std::ptrdiff_t>(firstBar), notes.end(), kNotesBar, kFieldEnd);
    return notes;
}
