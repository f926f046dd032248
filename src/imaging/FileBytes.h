#pragma once

#include "base/FileOps.h"
#include "imaging/ImagingErrors.h"

#include <cstddef>
#include <string>

namespace img {

// Whole-file reads for the codecs, with the imaging layer's error numbers.
class FileBytes {
public:
    // The file's bytes; files over 2 GiB are never pictures we can hold (kErrTooLarge).
    static FileOps::ReadResult Read(const std::string& path);
    // At most the first `limit` bytes of the file.
    static FileOps::ReadResult Read(const std::string& path, std::size_t limit);
    // kErrNone, kErrCannotOpen, kErrReadFailed, kErrTooLarge or kErrNoMemory.
    static ErrorCode Code(FileOps::ReadError error);
};

} // namespace img
