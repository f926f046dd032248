#include "MemorySettings.h"
#include "NamedRecord.h"

#include "core/CQuilleryDoc.h"
#include "core/ShowOverlay.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(ShowOverlayTest, ChosenNonEmptyPartsInOrderEachFollowedByThreeBlanks)
{
    CQuilleryDoc catalog;
    const auto idOf = [&](NameKind kind, const char* name) {
        const int id = catalog.FindName(kind, name);
        return id >= 0 ? id : catalog.AddName(kind, name);
    };
    PhotoRecord full = NamedRecord("full", 6, 5, 1999, {"Smith, John", "Doe, Jane"}, {"Party"},
                                   {"France, Paris"}, idOf);
    full.SetNotes("Sunny\r\nday");
    PhotoRecord bare = NamedRecord("bare", 0, 0, 0, {}, {}, {}, idOf);
    bare.SetDateText("");
    const PhotoRecord placeOnly = NamedRecord("place", 0, 0, 2001, {}, {}, {"Austria"}, idOf);

    const struct {
        ShowOverlay overlay;
        const PhotoRecord& photo;
        const char* text;
    } cases[] = {
        {{}, full, ""},
        {{true, true, true, true},
         full,
         "6/05/1999   John Smith, Jane Doe   Party   Paris France   Sunny\r\nday   "},
        {{.date = true}, full, "6/05/1999   "},
        {{.eventsAndLocations = true, .notes = true},
         full,
         "Party   Paris France   Sunny\r\nday   "},
        {{true, true, true, true}, bare, ""},
        {{.eventsAndLocations = true}, placeOnly, "Austria   "},
        {{.date = true, .persons = true}, placeOnly, "2001   "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.overlay.Text(catalog, c.photo), c.text) << c.photo.GetFileName();
}

TEST(ShowOverlayTest, FlagsComeFromTheFourPreferencesAnyNonZeroBeingOn)
{
    MemorySettings settings;
    settings.WriteInt("PictureShowDate", 7);
    settings.WriteInt("PictureShowEvents", 1);
    const ShowOverlay overlay = ShowOverlay::FromSettings(settings);
    EXPECT_EQ(std::tuple(overlay.date, overlay.persons, overlay.eventsAndLocations, overlay.notes),
              std::tuple(true, false, true, false));
}

} // namespace
