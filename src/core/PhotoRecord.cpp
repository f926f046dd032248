#include "core/PhotoRecord.h"

#include "core/CQuilleryDoc.h"
#include "core/DateText.h"

namespace {
// The date text of the file format holds at most 11 characters.
constexpr size_t kMaxDateText = 11;

PhotoRecord::IdList NoIds()
{
    PhotoRecord::IdList ids{};
    ids.fill(-1);
    return ids;
}
}  // namespace

// Id lists start unused rather than zero, so a record filled carelessly never
// points at the first name of every list.
PhotoRecord::PhotoRecord() : personIds(NoIds()), eventIds(NoIds()), locationIds(NoIds()) {}

PhotoRecord::~PhotoRecord() = default;

PhotoRecord::PhotoRecord(const PhotoRecord& other)
    : personIds(other.personIds),
      eventIds(other.eventIds),
      locationIds(other.locationIds),
      m_fileName(other.m_fileName),
      m_month(other.m_month),
      m_day(other.m_day),
      m_year(other.m_year),
      m_dateText(other.m_dateText),
      m_notes(other.m_notes)
{
}

PhotoRecord& PhotoRecord::operator=(const PhotoRecord& other)
{
    if (this == &other) return *this;
    personIds = other.personIds;
    eventIds = other.eventIds;
    locationIds = other.locationIds;
    SetFileName(other.m_fileName);
    m_month = other.m_month;
    m_day = other.m_day;
    m_year = other.m_year;
    m_dateText = other.m_dateText;
    m_notes = other.m_notes;
    return *this;
}

void PhotoRecord::SetFileName(std::string fileName)
{
    if (m_catalog != nullptr) m_catalog->RenamePhoto(*this, std::move(fileName));
    else m_fileName = std::move(fileName);
}

void PhotoRecord::SetDate(int month, int day, int year)
{
    m_month = month;
    m_day = day;
    m_year = year;
    m_dateText = FormatDate(month, day, year);
}

void PhotoRecord::SetDateText(std::string_view text)
{
    m_dateText.assign(text.substr(0, kMaxDateText));
    const ParsedDate parsed = ParseDate(text);
    m_month = parsed.month;
    m_day = parsed.day;
    m_year = parsed.year;
}

int PhotoRecord::UsedCount(const IdList& ids)
{
    int count = 0;
    while (count < kMaxNames && ids[static_cast<size_t>(count)] != -1) ++count;
    return count;
}
