#pragma once

#include "core/NameKind.h"
#include "core/PhotoRecord.h"

#include <initializer_list>
#include <string>

// A record with a file name, a date and names given in stored form; idOf(kind, name)
// gives each name's id, adding the name where the catalog lacks it.
template <typename IdOf>
PhotoRecord NamedRecord(const std::string& fileName, int month, int day, int year,
                        std::initializer_list<const char*> persons,
                        std::initializer_list<const char*> events,
                        std::initializer_list<const char*> locations, IdOf idOf)
{
    PhotoRecord record;
    record.SetFileName(fileName);
    record.SetDate(month, day, year);
    const std::initializer_list<const char*> names[] = {persons, events, locations};
    for (const NameKind kind : kNameKinds) {
        PhotoRecord::IdList ids = record.Ids(kind);
        size_t i = 0;
        for (const char* name : names[KindIndex(kind)]) ids[i++] = idOf(kind, name);
        record.SetIds(kind, ids);
    }
    return record;
}
