#include "core/PhotoSorter.h"

#include "core/CQuilleryDoc.h"
#include "core/DateText.h"
#include "core/PhotoRecord.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// The text a photo sorts by, or null when it has none (no names of the kind).
const std::string* SortText(const CQuilleryDoc& catalog, const PhotoRecord& photo, PhotoField field)
{
    if (field == PhotoField::Filename) return &photo.GetFileName();
    const auto kind = NameKindOf(field);
    if (!kind) return nullptr;
    auto names = catalog.UsedNames(*kind, photo);
    const auto first = names.begin();
    return first == names.end() ? nullptr : &*first;
}

// std::string compares as unsigned bytes, the order the catalog's texts sort in.
int CompareTexts(const std::string* a, const std::string* b)
{
    if (a == nullptr || b == nullptr) return (a != nullptr) - (b != nullptr);
    const int order = a->compare(*b);
    return (order > 0) - (order < 0);
}

int Sign(int value) { return (value > 0) - (value < 0); }

} // namespace

bool PhotoSorter::IsSortable(PhotoField field)
{
    return field == PhotoField::Date || field == PhotoField::Filename ||
           NameKindOf(field).has_value();
}

int PhotoSorter::Compare(const CQuilleryDoc& catalog, const PhotoRecord& a, const PhotoRecord& b,
                         PhotoField field)
{
    if (field == PhotoField::Date) return Sign(CompareDates(a, b));
    if (!IsSortable(field)) return 0;
    return CompareTexts(SortText(catalog, a, field), SortText(catalog, b, field));
}

void PhotoSorter::Sort(std::span<const PhotoRecord*> rows, const CQuilleryDoc& catalog, PhotoField field,
                       bool descending)
{
    if (!IsSortable(field)) return;
    if (field == PhotoField::Date) {
        const auto before = [descending](const PhotoRecord* a, const PhotoRecord* b) {
            return descending ? CompareDates(*b, *a) < 0 : CompareDates(*a, *b) < 0;
        };
        std::stable_sort(rows.begin(), rows.end(), before);
        return;
    }
    // The texts are looked up once per row rather than once per comparison.
    std::vector<std::pair<const std::string*, const PhotoRecord*>> keyed;
    keyed.reserve(rows.size());
    for (const PhotoRecord* photo : rows) keyed.emplace_back(SortText(catalog, *photo, field), photo);
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
        return descending ? CompareTexts(b.first, a.first) < 0 : CompareTexts(a.first, b.first) < 0;
    });
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = keyed[i].second;
}
