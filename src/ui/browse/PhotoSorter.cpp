#include "ui/browse/PhotoSorter.h"

#include "core/CQuilleryDoc.h"
#include "core/DateText.h"
#include "core/PhotoRecord.h"
#include "ui/browse/PhotoListModel.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

// The first name of the kind, or null when the photo has none.
const std::string* FirstName(const CQuilleryDoc& catalog, NameKind kind, const PhotoRecord& photo)
{
    auto names = catalog.UsedNames(kind, photo);
    const auto first = names.begin();
    return first == names.end() ? nullptr : &*first;
}

const std::string* SortName(const CQuilleryDoc& catalog, const PhotoRecord& photo, int column)
{
    switch (column) {
    case kPersonsColumn: return FirstName(catalog, NameKind::Persons, photo);
    case kEventsColumn: return FirstName(catalog, NameKind::Events, photo);
    case kLocationsColumn: return FirstName(catalog, NameKind::Locations, photo);
    case kFilenameColumn: return &photo.GetFileName();
    default: return nullptr;
    }
}

// std::string compares as unsigned bytes, the order the catalog's texts sort in.
int CompareNames(const std::string* a, const std::string* b)
{
    if (a == nullptr || b == nullptr) return (a != nullptr) - (b != nullptr);
    const int order = a->compare(*b);
    return (order > 0) - (order < 0);
}

int Sign(int value) { return (value > 0) - (value < 0); }

} // namespace

bool PhotoSorter::IsSortable(int column)
{
    return column == kDateColumn || column == kPersonsColumn || column == kEventsColumn ||
           column == kLocationsColumn || column == kFilenameColumn;
}

int PhotoSorter::Compare(const CQuilleryDoc& catalog, const PhotoRecord& a, const PhotoRecord& b,
                         int column)
{
    if (column == kDateColumn) return Sign(CompareDates(a, b));
    if (!IsSortable(column)) return 0;
    return CompareNames(SortName(catalog, a, column), SortName(catalog, b, column));
}

void PhotoSorter::Sort(std::vector<PhotoRecord*>& rows, const CQuilleryDoc& catalog, int column,
                       bool descending)
{
    if (!IsSortable(column)) return;
    if (column == kDateColumn) {
        std::stable_sort(rows.begin(), rows.end(), [descending](const PhotoRecord* a, const PhotoRecord* b) {
            return descending ? CompareDates(*b, *a) < 0 : CompareDates(*a, *b) < 0;
        });
        return;
    }
    // The names are looked up once per row rather than once per comparison.
    std::vector<std::pair<const std::string*, PhotoRecord*>> keyed;
    keyed.reserve(rows.size());
    for (PhotoRecord* photo : rows) keyed.emplace_back(SortName(catalog, *photo, column), photo);
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
        return descending ? CompareNames(b.first, a.first) < 0 : CompareNames(a.first, b.first) < 0;
    });
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = keyed[i].second;
}
