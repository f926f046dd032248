// Reads the input as a ".pdb" database through the catalog's own reader. A file that
// reads is written back through the real writer and read again: every catalog the
// reader makes must survive that road unchanged, or reader and writer disagree.
#include "base/FileOps.h"
#include "core/CQuilleryDoc.h"
#include "core/DatabaseWriter.h"
#include "core/Prompter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Shows nothing: answers OK (or Yes) and counts what would have been shown.
class SilentPrompter final : public Prompter {
public:
    PromptAnswer Ask(std::string_view, std::string_view, PromptButtons buttons) override
    {
        ++m_shown;
        return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
                   ? PromptAnswer::Yes
                   : PromptAnswer::Ok;
    }
    int Shown() const { return m_shown; }

private:
    int m_shown = 0;
};

// The reader takes a path, so each input goes to a file first; a private directory in
// memory-backed /dev/shm keeps that to a few system calls a run, and parallel fuzzing
// jobs apart.
class ScratchDir {
public:
    ScratchDir()
    {
        std::string pattern = (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : TempRoot()) +
                              std::string("/quillery-fuzz-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        m_path = pattern;
    }
    ~ScratchDir()
    {
        for (const char* name : {"in.pdb", "out.pdb", "~out.pdb", "out.bak"})
            ::unlink(File(name).c_str());
        ::rmdir(m_path.c_str());
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string File(std::string_view name) const { return m_path + "/" + std::string(name); }

private:
    static std::string TempRoot()
    {
        const char* dir = std::getenv("TMPDIR");
        return dir != nullptr && *dir != '\0' ? dir : "/tmp";
    }

    std::string m_path;
};

// Replaces the file's content, creating it when missing.
void PutFile(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || !FileOps::WriteAll(fd, bytes)) std::abort();
    ::close(fd);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchDir dir;
    static const std::string input = dir.File("in.pdb");
    static const std::string output = dir.File("out.pdb");

    PutFile(input, {reinterpret_cast<const char*>(data), size});
    SilentPrompter prompter;
    CQuilleryDoc first;
    const bool read = first.ReadDatabase(input, prompter);
    // A failed read explains itself in one message; a successful one shows none.
    if (prompter.Shown() != (read ? 0 : 1)) __builtin_trap();
    if (!read) return 0;

    // The writer moves the old database aside, so there must be one.
    PutFile(output, {});
    if (!first.WriteDatabase(output, prompter)) __builtin_trap();
    CQuilleryDoc second;
    if (!second.ReadDatabase(output, prompter)) __builtin_trap();
    if (second.PhotoCount() != first.PhotoCount()) __builtin_trap();
    // Ids are renumbered and unused names dropped on the way, so the comparison is of
    // what the writer makes of each catalog; dates must come back as they went.
    if (DatabaseWriter::Format(second) != DatabaseWriter::Format(first)) __builtin_trap();
    return 0;
}
