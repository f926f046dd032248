#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace img {

// Whole-file reads and safe whole-file writes for the codecs.
class FileBytes {
public:
    // The file's bytes; nullopt with LastError kErrCannotOpen / kErrReadFailed /
    // kErrTooLarge (files over 2 GiB are never pictures we can hold).
    static std::optional<std::vector<std::uint8_t>> Read(const std::string& path);
    // At most the first `limit` bytes of the file.
    static std::optional<std::vector<std::uint8_t>> Read(const std::string& path,
                                                         std::size_t limit);
    // Writes under a temporary name in the same folder and renames it over `path` only
    // when every byte is written and the file closed without error, so a failed write
    // leaves the old file untouched. False with LastError kErrWriteFailed.
    static bool WriteReplacing(const std::string& path, std::span<const std::uint8_t> bytes);
};

} // namespace img
