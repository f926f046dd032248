#pragma once

#include "store/PhotoEntry.h"
#include "store/PictureStore.h"

#include <optional>
#include <string>
#include <string_view>

class CQuilleryDoc;
class Library;
class Picture;
class PhotoRecord;
class Settings;

// The road of a new photo that the photo dialog and quillery-tool share: the checks
// of what the user gave, the thumbnail, the versions in the picture store and the
// record in the catalog. Refuses what the database file could not hold, rather than
// letting the writer cut it or the reader lose the field boundaries.
class PhotoAdder {
public:
    enum class Mode { Add, Edit };

    struct Verdict {
        enum class Outcome { Accepted, EmptyName, Refused };
        Outcome outcome = Outcome::Accepted;
        std::string message;  // for Refused
        bool Accepted() const { return outcome == Outcome::Accepted; }
    };

    // The database file's field limits (bytes).
    static constexpr size_t kMaxFileName = 99;
    static constexpr size_t kMaxField = 999;
    // The platform's limits for a path and for one of its names.
    static constexpr size_t kMaxPath = 4095;
    static constexpr size_t kMaxNameInFolder = 255;

    static constexpr std::string_view kForbiddenCharacters = "\\/:*?<>|";
    static constexpr std::string_view kForbiddenMessage =
        "Filename cannot contain any of the following characters \\/:*?<>| please reenter";
    static constexpr std::string_view kNameUsedMessage =
        "Filename cannot be used, already being used by another photo file";
    static constexpr std::string_view kSuggestedNameUsedMessage =
        "Input filename cannot be used, already being used by another photo file, please "
        "change to unique name";
    static constexpr std::string_view kDateMessage = "Date is not in valid format, please reenter";
    static constexpr std::string_view kFileNameTooLongMessage =
        "Filename is too long, at most 99 characters can be stored, please shorten it";
    static constexpr std::string_view kPathTooLongMessage =
        "Filename makes the picture file paths of this library too long, please shorten it";
    static constexpr std::string_view kNotesTooLongMessage =
        "Notes are too long, at most 999 characters can be stored, please shorten them";

    PhotoAdder(Library& library, const Settings& settings);

    // The first rule the entry breaks, in the order the dialog has always checked:
    // name characters, name in use, date; then what the file cannot hold. The name
    // is checked in add mode only: an edit keeps the photo's own name.
    Verdict Check(const PhotoEntry& entry, Mode mode) const;
    // Whether the suggested name is already some photo's.
    bool NameInUse(const std::string& fileName) const;
    // The suggested name when no photo has it, else the first of "name 2", "name 3",
    // ... that none has, so a batch of files need not stop at every taken name.
    std::string FreeName(const std::string& suggested) const;

    // The thumbnail of a picture as loaded, fitted into the thumbnail's box; the code
    // of FitInto (a failure is the thumbnail's resize failure).
    static int MakeThumbnail(const Picture& picture, Picture& thumbnail);

    // The new record, or the version that could not be written.
    struct AddResult {
        const PhotoRecord* photo = nullptr;
        std::optional<VersionFailure> failure;
    };

    // Writes the versions and adds the record to the library, which announces it.
    // Call after Check accepted the entry.
    AddResult Add(const PhotoEntry& entry, Picture& picture, const Picture& thumbnail,
                  const PictureStore::StatusLine& statusLine);

    // Date, notes and name ids from the entry; names the catalog does not hold stay
    // -1, and a name given twice is stored once.
    static void FillRecord(const CQuilleryDoc& catalog, const PhotoEntry& entry,
                           PhotoRecord& record);

    // "YYYY:MM:DD HH:MM:SS" (EXIF DateTimeOriginal) as "m/dd/yyyy"; nothing when the
    // text holds no usable date.
    static std::optional<std::string> DateFromExif(std::string_view exifText);

    // The text before the last '.' of the path's last part (the whole name when it
    // has none).
    static std::string SuggestedName(std::string_view path);

private:
    std::optional<std::string> CheckName(const std::string& fileName) const;
    static std::optional<std::string> CheckNames(const PhotoEntry& entry);

    Library& m_library;
    const Settings& m_settings;
};
