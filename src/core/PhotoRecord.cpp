#include "core/PhotoRecord.h"

#include "core/CQuilleryDoc.h"
#include "core/DateText.h"

#include <algorithm>

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
PhotoRecord::PhotoRecord() : m_ids{NoIds(), NoIds(), NoIds()} {}

PhotoRecord::~PhotoRecord() = default;

PhotoRecord::PhotoRecord(const PhotoRecord& other)
    : m_fileName(other.m_fileName),
      m_ids(other.m_ids),
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
    m_ids = other.m_ids;
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

std::span<const int32_t> PhotoRecord::UsedIds(NameKind kind) const
{
    const IdList& ids = Ids(kind);
    return {ids.data(), static_cast<size_t>(UsedCount(ids))};
}

bool PhotoRecord::HasName(NameKind kind, int id) const
{
    const auto used = UsedIds(kind);
    return std::find(used.begin(), used.end(), id) != used.end();
}
