#include "core/NameFilter.h"

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"

#include <algorithm>
#include <iterator>

NameFilter::NameFilter(const CQuilleryDoc& catalog, NameKind kind, std::vector<std::string> names)
    : m_catalog(catalog), m_kind(kind), m_names(std::move(names))
{
    if (m_names.size() > kMaxChosen) m_names.resize(kMaxChosen);
    std::sort(m_names.begin(), m_names.end());
}

bool NameFilter::Passes(const PhotoRecord& photo) const
{
    const UsedNameRange used = m_catalog.UsedNames(m_kind, photo);
    return std::any_of(used.begin(), used.end(), [this](const std::string& name) {
        return std::binary_search(m_names.begin(), m_names.end(), name);
    });
}

std::vector<const PhotoRecord*> NameFilter::Apply(std::span<const PhotoRecord* const> photos) const
{
    // Each entry of the list is looked up among the chosen names once, not once for
    // every photo that uses it: the photos then only index a table of the list's size.
    const NameList& list = m_catalog.Names(m_kind);
    std::vector<char> chosen(static_cast<size_t>(list.Size()));
    for (int id = 0; id < list.Size(); ++id)
        chosen[static_cast<size_t>(id)] =
            std::binary_search(m_names.begin(), m_names.end(), list.At(id));
    std::vector<const PhotoRecord*> kept;
    std::copy_if(photos.begin(), photos.end(), std::back_inserter(kept),
                 [&](const PhotoRecord* photo) {
                     const std::span<const int32_t> ids = photo->UsedIds(m_kind);
                     // An id past the list names nothing and passes nothing, as in Passes.
                     return std::any_of(ids.begin(), ids.end(), [&](int32_t id) {
                         return list.Contains(id) && chosen[static_cast<size_t>(id)] != 0;
                     });
                 });
    return kept;
}
