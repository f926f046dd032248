#pragma once

#include <functional>
#include <string>
#include <string_view>

class Picture;
class Prompter;
class Settings;

// Where a library's pictures live and how their versions are written. Every photo has
// up to four JPEG versions, one per folder beside the database file, all named after
// the photo's picture file name. The store keeps no state: qualities and the
// optional-version flags are read from the settings at each use.
//
// A version file is only ever replaced by a complete new one: it is written under a
// temporary name in its folder, flushed to disk and renamed over the old file.
class PictureStore {
public:
    enum class Version { Thumbnail, FullScreen, HighRes, Original };

    // Receives the add pipeline's texts for the photo dialog's message line: each
    // step's status before the step's work, then the failure message, or an empty
    // text on success. The caller lets the line repaint before returning.
    using MessageLine = std::function<void(const std::string& text)>;

    // Pictures of more pixels than this are fitted into 1600 x 1200 for the
    // high-resolution version; smaller ones keep their size.
    static constexpr long long kHighResThreshold = 1'600'000;

    static constexpr std::string_view kStatusOriginal = "Saving Original Photo";
    static constexpr std::string_view kStatusHighRes = "Saving high resolution version of photo";
    static constexpr std::string_view kStatusFullScreen = "Saving full screen version of photo";
    static constexpr std::string_view kStatusThumbnail = "Saving thumbnail version of photo";

    // Failure messages; the result code follows each in decimal.
    static constexpr std::string_view kErrorOriginalWrite =
        "Error saving original picture as JPEG file - ";
    static constexpr std::string_view kErrorHighResResize = "Error resizing picture to 1600x1200 - ";
    static constexpr std::string_view kErrorHighResWrite =
        "Error saving high resolution picture as JPEG file - ";
    static constexpr std::string_view kErrorFullScreenResize = "Error resizing picture to 800x600 - ";
    static constexpr std::string_view kErrorFullScreenWrite =
        "Error saving picture (800x600) to Full Screen Pictures - ";
    static constexpr std::string_view kErrorThumbnailResize = "Error resizing picture to 150x100 - ";
    static constexpr std::string_view kErrorThumbnailWrite = "Error saving picture (150x100) to thumbs - ";

    // libraryDirectory: the folder of the database file, without a trailing '/'.
    PictureStore(std::string libraryDirectory, const Settings& settings);

    // libraryDirectory + "/Thumbnail Pictures/" + fileName + ".jpg", and so on.
    static std::string VersionPath(const std::string& libraryDirectory, Version version,
                                   const std::string& fileName);
    // "Thumbnail Pictures", "Full Screen Pictures", "High Resolution Images",
    // "Original Images".
    static std::string_view FolderName(Version version);
    std::string PathOf(Version version, const std::string& fileName) const;

    // A quality text converted as C's atoi does: leading blanks and one sign skipped,
    // digits up to the first other character, 0 without digits. Out-of-range numbers
    // are held at the int limits.
    static int QualityFromText(std::string_view text);
    // The version's JPEG quality setting, read now.
    int Quality(Version version) const;

    // The versions of a photo being added: the original and the high-resolution
    // version when their settings are on, then the full-screen version, each fitted
    // from the one before, and the thumbnail from the dialog's prepared thumbnail.
    // Stops at the first failure, leaving the files of the earlier steps and the
    // picture fitted as far as the steps went. On success the picture is released.
    // Runs to the end before returning (the caller shows the busy cursor meanwhile);
    // messageLine is called on the calling thread only.
    bool SaveNewPhotoVersions(Picture& picture, const Picture& thumbnail,
                              const std::string& fileName, const MessageLine& messageLine) const;

    // The writers used after editing: each fits the picture (in place) to its version's
    // size where needed, writes, and on failure shows the message through the prompter
    // and returns false.
    bool SaveOriginalVersion(Picture& picture, const std::string& fileName, Prompter& prompter) const;
    bool SaveHighResVersion(Picture& picture, const std::string& fileName, Prompter& prompter) const;
    bool SaveFullScreenVersion(Picture& picture, const std::string& fileName,
                               Prompter& prompter) const;
    bool SaveThumbnailVersion(Picture& picture, const std::string& fileName,
                              Prompter& prompter) const;

    // Text and code as the messages show them: "...file - 12".
    static std::string Message(std::string_view text, int code);

private:
    int WriteVersion(const Picture& picture, Version version, const std::string& fileName) const;
    bool Report(Prompter& prompter, std::string_view text, int code) const;

    std::string m_libraryDirectory;
    const Settings& m_settings;
};
