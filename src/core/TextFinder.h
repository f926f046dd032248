#pragma once

#include "core/NameKind.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

class CQuilleryDoc;
class PhotoRecord;

// Finds the photos whose picture file name, notes or any of whose names contain a
// text, ignoring case, whether the library's texts are UTF-8 or Windows-1252. The
// file names and notes of the photos are folded once when the finder is made, so
// that each keystroke of a search only scans them; names are folded at every search,
// as they are few and may be edited meanwhile. The finder holds the photos it was
// given: it must be dropped before one of them goes or its notes change.
class TextFinder {
public:
    TextFinder(const CQuilleryDoc& catalog, std::span<const PhotoRecord* const> photos);

    // The photos that contain the text, in the order they were given; all of them for
    // an empty text. A person or location matches in its stored form ("Smith, John")
    // and as it is shown ("John Smith").
    std::vector<const PhotoRecord*> Find(std::string_view text) const;

    const std::vector<const PhotoRecord*>& Photos() const { return m_photos; }

private:
    // For each name of a kind, by id, whether it contains the folded text.
    std::vector<char> NameHits(NameKind kind, std::string_view folded) const;

    const CQuilleryDoc& m_catalog;
    std::vector<const PhotoRecord*> m_photos;
    // Each photo's folded file name and notes, each followed by a zero byte that no
    // typed text holds, so no match runs from one text into the next.
    std::string m_folded;
    // Where each photo's texts end in m_folded, in photo order.
    std::vector<size_t> m_ends;
};
