#include "store/PictureStore.h"

#include "core/Prompter.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "imaging/Picture.h"
#include "store/AddPipeline.h"
#include "store/VersionWriter.h"

#include <climits>

namespace {

const SettingsKeys::TextKey& QualityKey(PictureStore::Version version)
{
    switch (version) {
    case PictureStore::Version::Thumbnail: return SettingsKeys::JPEG_ThumbnailQuality;
    case PictureStore::Version::FullScreen: return SettingsKeys::JPEG_FullScreenQuality;
    case PictureStore::Version::HighRes: return SettingsKeys::JPEG_HighResQuality;
    case PictureStore::Version::Original: break;
    }
    return SettingsKeys::JPEG_OriginalQuality;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

PictureStore::PictureStore(std::string libraryDirectory, const Settings& settings)
    : m_libraryDirectory(std::move(libraryDirectory)), m_settings(settings)
{
}

std::string_view PictureStore::FolderName(Version version)
{
    switch (version) {
    case Version::Thumbnail: return "Thumbnail Pictures";
    case Version::FullScreen: return "Full Screen Pictures";
    case Version::HighRes: return "High Resolution Images";
    case Version::Original: break;
    }
    return "Original Images";
}

std::string PictureStore::VersionPath(const std::string& libraryDirectory, Version version,
                                      const std::string& fileName)
{
    std::string path = libraryDirectory;
    path += '/';
    path += FolderName(version);
    path += '/';
    path += fileName;
    path += ".jpg";
    return path;
}

std::string PictureStore::PathOf(Version version, const std::string& fileName) const
{
    return VersionPath(m_libraryDirectory, version, fileName);
}

int PictureStore::QualityFromText(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

int PictureStore::Quality(Version version) const
{
    const SettingsKeys::TextKey& key = QualityKey(version);
    return QualityFromText(m_settings.GetString(key.name, key.defaultValue));
}

std::string PictureStore::Message(std::string_view text, int code)
{
    return std::string(text) + std::to_string(code);
}

bool PictureStore::SaveNewPhotoVersions(Picture& picture, const Picture& thumbnail,
                                        const std::string& fileName,
                                        const MessageLine& messageLine) const
{
    AddPipeline pipeline(*this, m_settings);
    return pipeline.Run(picture, thumbnail, fileName, messageLine);
}

int PictureStore::WriteVersion(const Picture& picture, Version version,
                               const std::string& fileName) const
{
    VersionWriter::Staged staged = VersionWriter::Stage(picture, Quality(version), PathOf(version, fileName));
    return staged.Commit();
}

bool PictureStore::Report(Prompter& prompter, std::string_view text, int code) const
{
    prompter.Message(Message(text, code));
    return false;
}

bool PictureStore::SaveOriginalVersion(Picture& picture, const std::string& fileName,
                                       Prompter& prompter) const
{
    const int code = WriteVersion(picture, Version::Original, fileName);
    return code == 0 || Report(prompter, kErrorOriginalWrite, code);
}

bool PictureStore::SaveHighResVersion(Picture& picture, const std::string& fileName,
                                      Prompter& prompter) const
{
    if (static_cast<long long>(picture.Width()) * picture.Height() > kHighResThreshold) {
        const int resized = picture.FitInto(1600, 1200);
        if (resized != 0) return Report(prompter, kErrorHighResResize, resized);
    }
    const int code = WriteVersion(picture, Version::HighRes, fileName);
    return code == 0 || Report(prompter, kErrorHighResWrite, code);
}

bool PictureStore::SaveFullScreenVersion(Picture& picture, const std::string& fileName,
                                         Prompter& prompter) const
{
    if (picture.Width() != 800 || picture.Height() != 600) {
        const int resized = picture.FitInto(800, 600);
        if (resized != 0) return Report(prompter, kErrorFullScreenResize, resized);
    }
    const int code = WriteVersion(picture, Version::FullScreen, fileName);
    return code == 0 || Report(prompter, kErrorFullScreenWrite, code);
}

bool PictureStore::SaveThumbnailVersion(Picture& picture, const std::string& fileName,
                                        Prompter& prompter) const
{
    if (picture.Width() != 150 || picture.Height() != 100) {
        const int resized = picture.FitInto(150, 100);
        if (resized != 0) return Report(prompter, kErrorThumbnailResize, resized);
    }
    const int code = WriteVersion(picture, Version::Thumbnail, fileName);
    return code == 0 || Report(prompter, kErrorThumbnailWrite, code);
}
