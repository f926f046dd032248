#pragma once

#include <string>

class CQuilleryDoc;
class PhotoRecord;
class Settings;

// Which parts of a photo the picture show writes under its picture, from the four
// "PictureShow..." preferences.
struct ShowOverlay {
    bool date = false;
    bool persons = false;
    bool eventsAndLocations = false;
    bool notes = false;

    static ShowOverlay FromSettings(const Settings& settings);

    // The line under the picture: the date, the persons, the events, the locations
    // and the notes, each only when chosen and not empty, each followed by three
    // blanks. Empty when nothing is to be shown.
    std::string Text(const CQuilleryDoc& catalog, const PhotoRecord& photo) const;
};
