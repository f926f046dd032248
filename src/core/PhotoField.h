#pragma once

#include "core/NameKind.h"

#include <optional>
#include <string>

class CQuilleryDoc;
class PhotoRecord;

// What a photo tells about itself, in the order the photo list shows it. Filters,
// the list, export and the command-line tool speak of a photo's parts in these terms.
enum class PhotoField : int { Picture = 0, Date, Persons, Events, Locations, Notes, Filename };

inline constexpr int kPhotoFieldCount = 7;

// The name list a field shows, if it shows one.
constexpr std::optional<NameKind> NameKindOf(PhotoField field)
{
    switch (field) {
    case PhotoField::Persons: return NameKind::Persons;
    case PhotoField::Events: return NameKind::Events;
    case PhotoField::Locations: return NameKind::Locations;
    default: return std::nullopt;
    }
}

// The stored bytes a field shows: the date as typed, the names' display forms joined
// by ", ", notes with their "\r\n" breaks, the file name; empty for the picture.
std::string FieldText(const CQuilleryDoc& catalog, const PhotoRecord& photo, PhotoField field);
