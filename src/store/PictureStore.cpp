#include "store/PictureStore.h"

#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "imaging/Picture.h"
#include "store/AddPipeline.h"
#include "store/VersionWriter.h"

#include <climits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

PictureStore::PictureStore(std::string libraryDirectory, const Settings& settings)
    : m_libraryDirectory(std::move(libraryDirectory)), m_settings(settings)
{
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
    const SettingsKeys::TextKey& key = *InfoOf(version).qualityKey;
    return QualityFromText(m_settings.GetString(key.name, key.defaultValue));
}

bool PictureStore::Saves(Version version) const
{
    const SettingsKeys::IntKey* flag = InfoOf(version).saveFlag;
    return flag == nullptr || m_settings.GetInt(flag->name, flag->defaultValue) != 0;
}

std::optional<VersionFailure> PictureStore::SaveNewPhotoVersions(Picture& picture,
                                                                 const Picture& thumbnail,
                                                                 const std::string& fileName,
                                                                 const StatusLine& statusLine) const
{
    AddPipeline pipeline(*this);
    return pipeline.Run(picture, thumbnail, fileName, statusLine);
}

std::optional<VersionFailure> PictureStore::SaveVersion(Version version, Picture& picture,
                                                        const std::string& fileName) const
{
    const VersionInfo& info = InfoOf(version);
    const bool fit = info.fitting == Fitting::ToBox
                         ? picture.GetSize() != QSize(info.boxWidth, info.boxHeight)
                         : info.fitting == Fitting::LargeToBox &&
                               static_cast<long long>(picture.Width()) * picture.Height() >
                                   kHighResThreshold;
    if (fit) {
        const int resized = picture.FitInto(info.boxWidth, info.boxHeight);
        if (resized != 0) return VersionFailure{version, VersionFailure::Step::Resize, resized};
    }
    VersionWriter::Staged staged = VersionWriter::Stage(picture, Quality(version), PathOf(version, fileName), m_sync);
    const int written = staged.Commit();
    if (written != 0) return VersionFailure{version, VersionFailure::Step::Write, written};
    return std::nullopt;
}
