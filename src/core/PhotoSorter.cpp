#include "core/PhotoSorter.h"

#include "core/CQuilleryDoc.h"
#include "core/DateText.h"
#include "core/PhotoRecord.h"

#include <algorithm>
#include <compare>
#include <cstdint>
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

// Sorting 100,000 rows compares each about seventeen times. The key a row sorts by is
// made once and held beside it, so that a comparison reads neither the record nor the
// name list, which lie all over the heap.
struct DateKey {
    int year;
    int month;
    int day;
    auto operator<=>(const DateKey&) const = default;
};

// A text's first 16 bytes as two big-endian words, padded with zero bytes: the words
// order as the bytes do (unsigned), so only texts that agree in them (or differ by
// the padding alone) need the text itself.
struct TextKey {
    uint64_t high = 0;
    uint64_t low = 0;
    const std::string* text = nullptr;

    static uint64_t Word(const std::string& text, size_t from)
    {
        uint64_t word = 0;
        for (size_t i = from; i < from + 8; ++i)
            word = word << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0U);
        return word;
    }
    static TextKey Of(const std::string& text) { return {Word(text, 0), Word(text, 8), &text}; }
    bool operator<(const TextKey& other) const
    {
        if (high != other.high) return high < other.high;
        if (low != other.low) return low < other.low;
        return text->compare(*other.text) < 0;
    }
};

// Each name's place in the byte order of the list's texts, from 1 (equal texts share
// one), so that the first names of two photos compare as two numbers; 0 is left for a
// photo without names, which comes first.
std::vector<uint32_t> NameRanks(const NameList& names)
{
    std::vector<int> ids(static_cast<size_t>(names.Size()));
    for (size_t id = 0; id < ids.size(); ++id)
        ids[id] = static_cast<int>(id);
    std::sort(ids.begin(), ids.end(), [&](int a, int b) { return names.At(a) < names.At(b); });
    std::vector<uint32_t> ranks(ids.size());
    uint32_t rank = 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i == 0 || names.At(ids[i - 1]) != names.At(ids[i])) ++rank;
        ranks[static_cast<size_t>(ids[i])] = rank;
    }
    return ranks;
}

template <typename Key, typename MakeKey>
void SortByKeys(std::span<const PhotoRecord*> rows, bool descending, const MakeKey& makeKey)
{
    std::vector<std::pair<Key, const PhotoRecord*>> keyed;
    keyed.reserve(rows.size());
    for (const PhotoRecord* photo : rows)
        keyed.emplace_back(makeKey(*photo), photo);
    // Stable, and a descending sort compares b with a, so equal rows keep their order
    // either way.
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
        return descending ? b.first < a.first : a.first < b.first;
    });
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = keyed[i].second;
}

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
        SortByKeys<DateKey>(rows, descending, [](const PhotoRecord& photo) {
            return DateKey{photo.Year(), photo.Month(), photo.Day()};
        });
    } else if (field == PhotoField::Filename) {
        SortByKeys<TextKey>(rows, descending, [](const PhotoRecord& photo) {
            return TextKey::Of(photo.GetFileName());
        });
    } else {
        const NameKind kind = *NameKindOf(field);
        const std::vector<uint32_t> ranks = NameRanks(catalog.Names(kind));
        SortByKeys<uint32_t>(rows, descending, [&](const PhotoRecord& photo) {
            // The first id that names an entry, as SortText takes it; none ranks 0.
            for (const int32_t id : photo.UsedIds(kind))
                if (catalog.Names(kind).Contains(id)) return ranks[static_cast<size_t>(id)];
            return uint32_t{0};
        });
    }
}
