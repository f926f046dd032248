#include "store/PhotoAdder.h"

#include "core/CQuilleryDoc.h"
#include "core/DateText.h"
#include "core/NameChoice.h"
#include "core/PhotoRecord.h"
#include "imaging/Picture.h"
#include "store/Library.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

using Verdict = PhotoAdder::Verdict;

// The store writes each version beside its file first, under a name this much
// longer ("." in front, ".XXXXXX" behind), so that name has to fit too.
constexpr size_t kStagingExtra = 8;
constexpr std::string_view kVersionSuffix = ".jpg";

Verdict Refuse(std::string_view message)
{
    return {Verdict::Outcome::Refused, std::string(message)};
}

// What the database line will hold once the names are joined with '^'.
size_t JoinedLength(const std::vector<std::string>& names)
{
    size_t length = names.empty() ? 0 : names.size() - 1;
    for (const std::string& name : names) length += name.size();
    return length;
}

// Check has refused more names than an id list holds; the bound only guards the array.
void FillIds(const CQuilleryDoc& catalog, NameKind kind, const std::vector<std::string>& names,
             PhotoRecord& record)
{
    PhotoRecord::IdList ids;
    ids.fill(-1);
    const std::vector<std::string> distinct = NameChoice::WithoutRepeats(names);
    const size_t count = std::min(distinct.size(), ids.size());
    for (size_t i = 0; i < count; ++i) ids[i] = catalog.FindName(kind, distinct[i]);
    record.SetIds(kind, ids);
}

std::optional<int> Number(std::string_view digits)
{
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

}  // namespace

PhotoAdder::PhotoAdder(Library& library, const Settings& settings)
    : m_library(library), m_settings(settings)
{
}

PhotoAdder::Verdict PhotoAdder::Check(const PhotoEntry& entry, Mode mode) const
{
    if (mode == Mode::Add) {
        if (entry.fileName.find_first_of(kForbiddenCharacters) != std::string::npos) {
            return Refuse(kForbiddenMessage);
        }
        if (NameInUse(entry.fileName)) return Refuse(kNameUsedMessage);
    }
    if (!ParseDate(entry.dateText).valid) return Refuse(kDateMessage);
    if (mode == Mode::Add) {
        if (auto message = CheckName(entry.fileName)) return Refuse(*message);
    }
    if (entry.notes.size() > kMaxField) return Refuse(kNotesTooLongMessage);
    if (auto message = CheckNames(entry)) return Refuse(*message);
    if (entry.fileName.empty()) return {Verdict::Outcome::EmptyName, {}};
    return {};
}

bool PhotoAdder::NameInUse(const std::string& fileName) const
{
    return m_library.Catalog().FindPhotoByFileName(fileName) >= 0;
}

std::string PhotoAdder::FreeName(const std::string& suggested) const
{
    if (!NameInUse(suggested)) return suggested;
    for (int number = 2;; ++number) {
        std::string candidate = suggested + ' ' + std::to_string(number);
        if (!NameInUse(candidate)) return candidate;
    }
}

std::optional<std::string> PhotoAdder::CheckName(const std::string& fileName) const
{
    if (fileName.size() > kMaxFileName) return std::string(kFileNameTooLongMessage);
    if (fileName.size() + kVersionSuffix.size() + kStagingExtra > kMaxNameInFolder) {
        return std::string(kPathTooLongMessage);
    }
    for (const VersionInfo& info : kVersionTable) {
        const std::string path = PictureStore::VersionPath(m_library.Directory(), info.version, fileName);
        if (path.size() + kStagingExtra > kMaxPath) return std::string(kPathTooLongMessage);
    }
    return std::nullopt;
}

std::optional<std::string> PhotoAdder::CheckNames(const PhotoEntry& entry)
{
    const std::array<std::pair<const std::vector<std::string>*, NameKind>, 3> lists = {{
        {&entry.persons, NameKind::Persons},
        {&entry.events, NameKind::Events},
        {&entry.locations, NameKind::Locations}}};
    for (const auto& [names, kind] : lists) {
        if (auto refusal = NameChoice::Refusal(kind, *names)) return refusal;
        if (JoinedLength(NameChoice::WithoutRepeats(*names)) > kMaxField) {
            return "The names of the selected " + std::string(NameChoice::KindWord(kind)) +
                   " are too long together, at most 999 characters can be stored, please "
                   "select fewer";
        }
    }
    return std::nullopt;
}

int PhotoAdder::MakeThumbnail(const Picture& picture, Picture& thumbnail)
{
    const VersionInfo& info = InfoOf(PhotoVersion::Thumbnail);
    return thumbnail.FitCopyOf(picture, info.boxWidth, info.boxHeight);
}

PhotoAdder::AddResult PhotoAdder::Add(const PhotoEntry& entry, Picture& picture,
                                      const Picture& thumbnail,
                                      const PictureStore::StatusLine& statusLine)
{
    const PictureStore store(m_library.Directory(), m_settings);
    if (auto failure = store.SaveNewPhotoVersions(picture, thumbnail, entry.fileName, statusLine))
        return {nullptr, failure};
    PhotoRecord record;
    record.SetFileName(entry.fileName);
    FillRecord(m_library.Catalog(), entry, record);
    return {&m_library.AddPhoto(record), std::nullopt};
}

void PhotoAdder::FillRecord(const CQuilleryDoc& catalog, const PhotoEntry& entry,
                            PhotoRecord& record)
{
    record.SetDateText(entry.dateText);
    record.SetNotes(entry.notes);
    FillIds(catalog, NameKind::Persons, entry.persons, record);
    FillIds(catalog, NameKind::Events, entry.events, record);
    FillIds(catalog, NameKind::Locations, entry.locations, record);
}

std::optional<std::string> PhotoAdder::DateFromExif(std::string_view exifText)
{
    // "YYYY:MM:DD HH:MM:SS"; cameras without a clock write blanks or zeros.
    if (exifText.size() < 10 || exifText[4] != ':' || exifText[7] != ':') return std::nullopt;
    const auto year = Number(exifText.substr(0, 4));
    const auto month = Number(exifText.substr(5, 2));
    const auto day = Number(exifText.substr(8, 2));
    if (!year || !month || !day || *month < 1 || *day < 1) return std::nullopt;
    std::string text = FormatDate(*month, *day, *year);
    if (!ParseDate(text).valid) return std::nullopt;
    return text;
}

std::string PhotoAdder::SuggestedName(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}
