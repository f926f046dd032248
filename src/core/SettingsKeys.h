#pragma once

#include <string_view>

// Every preference key with the default that all of its reading sites pass.
// Flags are integer keys (0 off, anything else on); numbers are decimal texts that
// readers convert with C atoi/atof rules and never clamp.
namespace SettingsKeys {

struct IntKey {
    std::string_view name;
    int defaultValue;
};
struct TextKey {
    std::string_view name;
    std::string_view defaultValue;
};

inline constexpr IntKey SaveOriginalPictures{"SaveOriginalPictures", 0};
inline constexpr IntKey SaveHighResPictures{"SaveHighResPictures", 0};
inline constexpr IntKey ModifyHighResOnEdit{"ModifyHighResOnEdit", 0};
inline constexpr IntKey PictureShowDate{"PictureShowDate", 0};
inline constexpr IntKey PictureShowPersons{"PictureShowPersons", 0};
inline constexpr IntKey PictureShowEvents{"PictureShowEvents", 0};
inline constexpr IntKey PictureShowNotes{"PictureShowNotes", 0};
inline constexpr IntKey QuilleryStartupSort{"QuilleryStartupSort", 0};
inline constexpr IntKey Initialization{"Initialization", 0};

inline constexpr TextKey JPEG_OriginalQuality{"JPEG_OriginalQuality", "75"};
inline constexpr TextKey JPEG_HighResQuality{"JPEG_HighResQuality", "75"};
inline constexpr TextKey JPEG_FullScreenQuality{"JPEG_FullScreenQuality", "75"};
inline constexpr TextKey JPEG_ThumbnailQuality{"JPEG_ThumbnailQuality", "75"};
inline constexpr TextKey LeftMargin{"LeftMargin", "10"};
inline constexpr TextKey TopMargin{"TopMargin", "10"};
inline constexpr TextKey PictureDelay{"PictureDelay", "6"};

// The folder "Add photo from file" last took a picture from, as bytes; written by that
// command, not by Options. Empty: none yet.
inline constexpr TextKey LastAddFolder{"LastAddFolder", ""};

}  // namespace SettingsKeys
