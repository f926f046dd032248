#pragma once

#include <vector>

class CQuilleryDoc;
class PhotoRecord;

// The orders of the photo list's header clicks. Date compares year, month, day (a part
// not given sorts first); Persons, Events and Locations compare the first name of each
// photo only, a photo without names coming first; Filename compares bytes.
class PhotoSorter {
public:
    // <0 when a comes before b in ascending order, 0 when equal, >0 after. Columns
    // that do not sort compare equal.
    static int Compare(const CQuilleryDoc& catalog, const PhotoRecord& a, const PhotoRecord& b,
                       int column);
    // Stable, so equal photos keep their order; descending compares b with a.
    static void Sort(std::vector<const PhotoRecord*>& rows, const CQuilleryDoc& catalog, int column,
                     bool descending);
    static bool IsSortable(int column);
};
