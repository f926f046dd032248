#include "core/PhotoRecord.h"

#include "core/CQuilleryDoc.h"
#include "core/DateText.h"

#include <algorithm>

namespace {
// The date text of the file format holds at most 11 characters.
constexpr size_t kMaxDateText = 11;

std::span<const int32_t> UsedPart(const PhotoRecord::IdList& ids)
{
    return {ids.data(), static_cast<size_t>(PhotoRecord::UsedCount(ids))};
}
}  // namespace

PhotoRecord::PhotoRecord() = default;

PhotoRecord::~PhotoRecord() = default;

PhotoRecord::PhotoRecord(const PhotoRecord& other)
    : m_fileName(other.m_fileName),
      m_notes(other.m_notes),
      m_month(other.m_month),
      m_day(other.m_day),
      m_year(other.m_year),
      m_dateText(other.m_dateText),
      m_dateTextLength(other.m_dateTextLength)
{
    StoreIds({other.UsedIds(NameKind::Persons), other.UsedIds(NameKind::Events),
              other.UsedIds(NameKind::Locations)});
}

PhotoRecord& PhotoRecord::operator=(const PhotoRecord& other)
{
    if (this == &other) return *this;
    StoreIds({other.UsedIds(NameKind::Persons), other.UsedIds(NameKind::Events),
              other.UsedIds(NameKind::Locations)});
    SetFileName(other.m_fileName);
    m_month = other.m_month;
    m_day = other.m_day;
    m_year = other.m_year;
    m_dateText = other.m_dateText;
    m_dateTextLength = other.m_dateTextLength;
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
    SetDateTextBytes(FormatDate(month, day, year));
}

void PhotoRecord::SetDateText(std::string_view text)
{
    SetDateTextBytes(text);
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

const PhotoRecord::IdList PhotoRecord::Ids(NameKind kind) const
{
    IdList ids{};
    ids.fill(-1);
    const auto used = UsedIds(kind);
    std::copy(used.begin(), used.end(), ids.begin());
    return ids;
}

void PhotoRecord::SetIds(NameKind kind, const IdList& ids)
{
    std::array<std::span<const int32_t>, kNameKinds.size()> used{
        UsedIds(NameKind::Persons), UsedIds(NameKind::Events), UsedIds(NameKind::Locations)};
    used[KindIndex(kind)] = UsedPart(ids);
    StoreIds(used);
}

void PhotoRecord::SetIds(const std::array<IdList, kNameKinds.size()>& lists)
{
    StoreIds({UsedPart(lists[0]), UsedPart(lists[1]), UsedPart(lists[2])});
}

// A formatted date can be longer than the format holds only for numbers no parse gives
// (a year of eight digits); the file keeps 11 characters of it, and so does the record.
void PhotoRecord::SetDateTextBytes(std::string_view text)
{
    const std::string_view kept = text.substr(0, kMaxDateText);
    std::copy(kept.begin(), kept.end(), m_dateText.begin());
    m_dateTextLength = static_cast<uint8_t>(kept.size());
}

// The ids are gathered before anything is replaced: the spans may point into this
// record's own storage.
void PhotoRecord::StoreIds(const std::array<std::span<const int32_t>, kNameKinds.size()>& used)
{
    size_t total = 0;
    for (const auto& part : used) total += part.size();
    std::array<int32_t, kInlineIds> inlined{};
    std::unique_ptr<int32_t[]> block;
    if (total > kInlineIds) block = std::make_unique_for_overwrite<int32_t[]>(total);
    int32_t* next = block ? block.get() : inlined.data();
    for (const auto& part : used) next = std::copy(part.begin(), part.end(), next);
    for (size_t k = 0; k < used.size(); ++k) m_idCounts[k] = static_cast<uint8_t>(used[k].size());
    m_inlineIds = inlined;
    m_idBlock = std::move(block);
}

std::span<const int32_t> PhotoRecord::UsedIds(NameKind kind) const
{
    const size_t index = KindIndex(kind);
    size_t start = 0;
    for (size_t k = 0; k < index; ++k) start += m_idCounts[k];
    return {IdData() + start, m_idCounts[index]};
}

bool PhotoRecord::HasName(NameKind kind, int id) const
{
    const auto used = UsedIds(kind);
    return std::find(used.begin(), used.end(), id) != used.end();
}
