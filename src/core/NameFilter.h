#pragma once

#include "core/NameKind.h"

#include <span>
#include <string>
#include <vector>

class CQuilleryDoc;
class PhotoRecord;

// Keeps the photos that show any of the chosen names of one list. Names are matched
// as the catalog stores them, byte for byte, so two entries that came to hold the
// same text both match it. No name chosen keeps no photo.
class NameFilter {
public:
    // Only the first kMaxChosen chosen names count.
    static constexpr size_t kMaxChosen = 512;

    NameFilter(const CQuilleryDoc& catalog, NameKind kind, std::vector<std::string> names);

    bool Passes(const PhotoRecord& photo) const;
    // The photos that pass, in their order.
    std::vector<const PhotoRecord*> Apply(std::span<const PhotoRecord* const> photos) const;

private:
    const CQuilleryDoc& m_catalog;
    NameKind m_kind;
    std::vector<std::string> m_names;  // sorted, for the search of each used id
};
