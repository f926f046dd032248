#pragma once

#include <cstdint>
#include <span>
#include <string>

// A file written completely under a temporary name beside its target, flushed to
// disk and then moved over the target in one rename. Until Commit the target is
// untouched; a staged file that is never committed is removed with this object.
// Staging starts the write-back; Flush or Commit waits for it.
class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile();
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&& other) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Writes the bytes for the target; 0, or the imaging layer's write-failure code
    // when the folder is missing, the disk is full or the write fails otherwise.
    int Stage(const std::string& target, std::span<const std::uint8_t> bytes);
    // Waits until the staged file is on disk; 0 or the write-failure code. Several
    // files flushed at once from different threads share one journal commit.
    int Flush();
    // Flushes (unless done) and renames the staged file over the target; 0 or the
    // write-failure code (for instance when a folder stands where the file must go).
    int Commit();
    // Removes the staged file, if any.
    void Discard();

    bool Staged() const { return !m_tempPath.empty(); }
    const std::string& TempPath() const { return m_tempPath; }

private:
    void Close();

    std::string m_target;
    std::string m_tempPath;
    int m_fd = -1;
    int m_flushCode = -1; // -1: not flushed yet
};
