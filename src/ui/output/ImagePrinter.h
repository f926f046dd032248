#pragma once

#include "core/PrintGeometry.h"

#include <string>
#include <string_view>

class Prompter;
class QPrinter;
class Settings;

// Print image: one picture file on one page at a fixed size, placed at the margins.
class ImagePrinter {
  public:
    enum class Outcome { Printed, Unreadable, TooLarge, NoPrinter };

    static constexpr std::string_view kTooWide =
        "Output is too large for page.\nTry setting printer to Landscape mode";
    static constexpr std::string_view kTooTall =
        "Output is too large for page.\nTry setting printer to Portrait mode";

    // The job is named `jobName`. Every outcome but Printed has been told through the
    // prompter; nothing is printed then.
    static Outcome Print(QPrinter& printer, const std::string& picturePath,
                         const std::string& jobName, PrintGeometry::PrintSize size,
                         const Settings& settings, Prompter& prompter);

    // The message for a picture file that gives no picture.
    static std::string UnreadableMessage(const std::string& picturePath);
};
