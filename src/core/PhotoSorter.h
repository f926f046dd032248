#pragma once

#include "core/PhotoField.h"

#include <span>

class CQuilleryDoc;
class PhotoRecord;

// The orders photos are listed in by field. Date compares year, month, day (a part
// not given sorts first); Persons, Events and Locations compare the first name of
// each photo only, a photo without names coming first; Filename compares bytes.
// Picture and Notes do not sort.
class PhotoSorter {
public:
    static bool IsSortable(PhotoField field);
    // <0 when a comes before b in ascending order, 0 when equal, >0 after. Fields
    // that do not sort compare equal.
    static int Compare(const CQuilleryDoc& catalog, const PhotoRecord& a, const PhotoRecord& b,
                       PhotoField field);
    // Stable, so equal photos keep their order; descending compares b with a. Leaves
    // the rows alone for a field that does not sort.
    static void Sort(std::span<const PhotoRecord*> rows, const CQuilleryDoc& catalog, PhotoField field,
                     bool descending);
};
