#include "imaging/Imaging.h"

#include <exiv2/exiv2.hpp>

#include <mutex>

namespace img {

std::optional<std::string> ReadExifDateTaken(const std::string& path)
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize(); // makes later use safe from several threads
    });
    try {
        // Exiv2 0.27 hands the image out as a std::auto_ptr.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        auto image = Exiv2::ImageFactory::open(path);
#pragma GCC diagnostic pop
        if (image.get() == nullptr) return std::nullopt;
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        const auto found = exif.findKey(Exiv2::ExifKey("Exif.Photo.DateTimeOriginal"));
        if (found == exif.end()) return std::nullopt;
        std::string text = found->toString();
        while (!text.empty() && (text.back() == '\0' || text.back() == ' ')) text.pop_back();
        if (text.empty()) return std::nullopt;
        return text;
    } catch (const std::exception&) {
        return std::nullopt; // no metadata we can read is no date
    }
}

} // namespace img
