#pragma once

#include "base/AtomicFile.h"

#include <string>
#include <vector>

namespace img {
class PixelBuffer;
}
class Picture;

// The steps every version goes through, apart so the add pipeline can run them ahead
// of their turn: fitting a picture into a box as Picture::FitInto does, and encoding
// it as JPEG into a staged file.
class VersionWriter {
public:
    // A version encoded and staged beside its file, waiting for its turn to be
    // committed; code is 0 or why the encoding or the staging failed.
    struct Staged {
        int code = 0;
        AtomicFile file;
        // Renames the staged file over the version; 0, the staging's code, or the
        // write-failure code (a full disk may show only now, or a folder may stand
        // where the file must go).
        int Commit();
    };

    // Encodes as Picture::SaveFile does (5 for an empty picture) and stages the file,
    // which reaches the disk through `sync` when it is flushed or committed.
    static Staged Stage(const img::PixelBuffer& pixels, const std::vector<std::string>& comments,
                        int quality, const std::string& path, const AtomicFile::Sync& sync);
    static Staged Stage(const Picture& picture, int quality, const std::string& path,
                        const AtomicFile::Sync& sync);

    // The size Picture::FitInto would give; equal to the input when nothing changes.
    static bool NeedsFitting(const img::PixelBuffer& pixels, int boxWidth, int boxHeight);
    // The pixels fitted into the box at the size Picture::FitInto gives, without
    // touching the source. code is 0, 5 for an empty source, or the imaging error.
    static img::PixelBuffer Fitted(const img::PixelBuffer& pixels, int boxWidth, int boxHeight,
                                   int& code);
};
