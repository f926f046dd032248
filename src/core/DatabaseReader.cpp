#include "core/DatabaseReader.h"

#include "core/CQuilleryDoc.h"
#include "core/DatabaseFormat.h"
#include "core/DateText.h"
#include "core/FileOps.h"
#include "core/Prompter.h"

#include <algorithm>
#include <memory>

using namespace DatabaseFormat;

DatabaseReader::DatabaseReader(CQuilleryDoc& catalog, Prompter& prompter)
    : m_catalog(catalog), m_prompter(prompter)
{
}

bool DatabaseReader::Read(const std::string& path)
{
    m_catalog.Clear();
    m_catalog.SetPath(path);
    m_path = path;
    if (!FileOps::ReadWholeFile(path, m_text)) return Fail(kUnableToOpen);
    RemoveCarriageReturns(m_text);
    m_position = 0;

    for (;;) {
        switch (ReadLine()) {
        case LineResult::Read:
            continue;
        case LineResult::Failed:
            return false;
        case LineResult::EndOfFile:
            m_catalog.SetUntitled(false);
            m_catalog.SetModified(false);
            return true;
        }
    }
}

DatabaseReader::LineResult DatabaseReader::ReadLine()
{
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
    auto record = std::make_unique<PhotoRecord>();
    record->SetFileName(std::string(*fileName));

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

    // The stored text is re-made from the numbers, so a date typed as "01/5/99" reads
    // back as "1/05/1999"; a damaged one keeps what could be read of it.
    const ParsedDate parsed = ParseDate(*date);
    record->SetDate(parsed.month, parsed.day, parsed.year);
    SplitNames(*persons, m_catalog.m_persons, record->personIds);
    SplitNames(*events, m_catalog.m_events, record->eventIds);
    SplitNames(*locations, m_catalog.m_locations, record->locationIds);
    record->SetNotes(DecodeNotes(*notes));
    m_catalog.AdoptPhoto(std::move(record));
    return m_position >= m_text.size() ? LineResult::EndOfFile : LineResult::Read;
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
// follow.
bool DatabaseReader::AtEndOfLine()
{
    if (m_position >= m_text.size()) return true;
    if (m_text[m_position] != '\n') return false;
    ++m_position;
    return true;
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
    std::replace(notes.begin(), notes.end(), kNotesBar, kFieldEnd);
    return notes;
}
