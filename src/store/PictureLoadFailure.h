#pragma once

#include "imaging/ImagingErrors.h"

#include <string_view>

// The message a front shows when a chosen file gives no picture. A picture over the size
// limit, or one this machine has no memory for, is told apart from a file that is not a
// picture at all, since only the last is the file's fault.
inline constexpr std::string_view kNotAnImage = "Selected file is not a valid image file";
inline constexpr std::string_view kPictureTooLarge = "Selected picture is too large to be read";
inline constexpr std::string_view kNoMemoryForPicture =
    "Not enough memory to read the selected picture";

// `code` is what Picture::LoadFile returned.
inline std::string_view LoadFailureMessage(int code)
{
    switch (code) {
    case img::kErrTooLarge:
        return kPictureTooLarge;
    case img::kErrNoMemory:
        return kNoMemoryForPicture;
    default:
        return kNotAnImage;
    }
}
