#pragma once

#include <string>

class Picture;
class PictureStore;

// Which version of a photo the editing sheet starts from, and loading it.
class PhotoEditSource {
  public:
    enum class Start { Current, Original };
    // The numbers are the ones the sheet has always used for its source.
    enum class Version { Original = 0, HighRes = 1, FullScreen = 2 };
    enum class Outcome {
        Loaded,
        // Editing from the original, but neither the original nor the high-resolution file is
        // there.
        NoOriginal,
        // The chosen file is there but is no picture, or the full-screen file is missing.
        Unreadable,
    };

    struct Result {
        Outcome outcome = Outcome::Unreadable;
        Version version = Version::FullScreen;
    };

    // From the original: the original file, else the high-resolution one. Otherwise the
    // high-resolution file when that version is kept (setting read now) and there,
    // else the full-screen file. `picture` is empty unless the outcome is Loaded.
    static Result Load(const PictureStore& store, const std::string& fileName, Start start,
                       Picture& picture);
};
