#include "core/PhotoField.h"

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"

std::string FieldText(const CQuilleryDoc& catalog, const PhotoRecord& photo, PhotoField field)
{
    if (const auto kind = NameKindOf(field)) return catalog.NamesText(*kind, photo);
    switch (field) {
    case PhotoField::Date: return std::string(photo.GetDateText());
    case PhotoField::Notes: return photo.GetNotes();
    case PhotoField::Filename: return photo.GetFileName();
    default: return {};
    }
}
