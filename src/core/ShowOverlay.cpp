#include "core/ShowOverlay.h"

#include "core/PhotoField.h"
#include "core/PhotoRecord.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

namespace {

void Append(std::string& text, const std::string& part)
{
    if (part.empty()) return;
    text += part;
    text += "   ";
}

bool Flag(const Settings& settings, const SettingsKeys::IntKey& key)
{
    return settings.GetInt(key.name, key.defaultValue) != 0;
}

} // namespace

ShowOverlay ShowOverlay::FromSettings(const Settings& settings)
{
    return {.date = Flag(settings, SettingsKeys::PictureShowDate),
            .persons = Flag(settings, SettingsKeys::PictureShowPersons),
            .eventsAndLocations = Flag(settings, SettingsKeys::PictureShowEvents),
            .notes = Flag(settings, SettingsKeys::PictureShowNotes)};
}

std::string ShowOverlay::Text(const CQuilleryDoc& catalog, const PhotoRecord& photo) const
{
    std::string text;
    if (date) Append(text, std::string(photo.GetDateText()));
    if (persons) Append(text, FieldText(catalog, photo, PhotoField::Persons));
    if (eventsAndLocations) {
        Append(text, FieldText(catalog, photo, PhotoField::Events));
        Append(text, FieldText(catalog, photo, PhotoField::Locations));
    }
    if (notes) Append(text, photo.GetNotes());
    return text;
}
