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
    std::vector<const PhotoRecord*> kept;
    std::copy_if(photos.begin(), photos.end(), std::back_inserter(kept),
                 [this](const PhotoRecord* photo) { return Passes(*photo); });
    return kept;
}
