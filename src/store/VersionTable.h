#pragma once

#include "core/SettingsKeys.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The four versions a photo is kept in, smallest first.
enum class PhotoVersion { Thumbnail, FullScreen, HighRes, Original };

// When a version is fitted into its box before it is written.
enum class Fitting {
    Never,
    // Whenever the picture is not the box's size already.
    ToBox,
    // Only pictures of more than kHighResThreshold pixels; smaller ones keep their size.
    LargeToBox,
};

// Pictures of more pixels than this are fitted into the high-resolution box.
inline constexpr long long kHighResThreshold = 1'600'000;

// Everything that sets one version apart from the others.
struct VersionInfo {
    PhotoVersion version;
    std::string_view folderName;
    int boxWidth;
    int boxHeight;
    Fitting fitting;
    const SettingsKeys::TextKey* qualityKey;
    // The flag that turns the version on; null where the version is always written.
    const SettingsKeys::IntKey* saveFlag;
    // The message line's text while the version is written.
    std::string_view status;
    // Failure messages; the result code follows each in decimal.
    std::string_view resizeError;
    std::string_view writeError;
};

inline constexpr std::array<VersionInfo, 4> kVersionTable = {{
    {PhotoVersion::Thumbnail, "Thumbnail Pictures", 150, 100, Fitting::ToBox,
     &SettingsKeys::JPEG_ThumbnailQuality, nullptr, "Saving thumbnail version of photo",
     "Error resizing picture to 150x100 - ", "Error saving picture (150x100) to thumbs - "},
    {PhotoVersion::FullScreen, "Full Screen Pictures", 800, 600, Fitting::ToBox,
     &SettingsKeys::JPEG_FullScreenQuality, nullptr, "Saving full screen version of photo",
     "Error resizing picture to 800x600 - ",
     "Error saving picture (800x600) to Full Screen Pictures - "},
    {PhotoVersion::HighRes, "High Resolution Images", 1600, 1200, Fitting::LargeToBox,
     &SettingsKeys::JPEG_HighResQuality, &SettingsKeys::SaveHighResPictures,
     "Saving high resolution version of photo", "Error resizing picture to 1600x1200 - ",
     "Error saving high resolution picture as JPEG file - "},
    {PhotoVersion::Original, "Original Images", 0, 0, Fitting::Never,
     &SettingsKeys::JPEG_OriginalQuality, &SettingsKeys::SaveOriginalPictures,
     "Saving Original Photo", {}, "Error saving original picture as JPEG file - "},
}};

constexpr const VersionInfo& InfoOf(PhotoVersion version)
{
    return kVersionTable[static_cast<std::size_t>(version)];
}

// The table is indexed by the enum: each row must sit at its own version's place.
static_assert([] {
    for (std::size_t i = 0; i < kVersionTable.size(); ++i) {
        if (static_cast<std::size_t>(kVersionTable[i].version) != i) return false;
    }
    return true;
}());
