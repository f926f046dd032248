#include "store/LibraryRecovery.h"

#include "base/FileOps.h"
#include "core/CQuilleryDoc.h"
#include "core/DatabaseFormat.h"
#include "core/Prompter.h"
#include "core/QuietPrompter.h"
#include "store/OpenCopy.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <ctime>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Far more moved-aside backups than any library gathers; a bound keeps a folder
// that refuses every rename from looping for long.
constexpr int kMaxBackupNumber = 10000;

bool IsRegularFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(fs::symlink_status(path, error));
}

bool Exists(const std::string& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// Two names of one file: what a move by link() and unlink() leaves when it is cut
// short between the two.
bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    return ::lstat(a.c_str(), &first) == 0 && ::lstat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// The number N of "BACKUP.N", or 0 when `name` is not such a name.
int BackupNumber(std::string_view name, std::string_view backupName)
{
    if (name.size() <= backupName.size() + 1 || !name.starts_with(backupName) ||
        name[backupName.size()] != '.')
        return 0;
    const std::string_view digits = name.substr(backupName.size() + 1);
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() && end == digits.data() + digits.size() && number > 0 ? number : 0;
}

std::string LocalTime(fs::file_time_type time)
{
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(time));
    std::tm local{};
    char text[32] = "";
    if (localtime_r(&seconds, &local) != nullptr)
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

std::string PhotoCount(int count)
{
    return std::to_string(count) + (count == 1 ? " photo" : " photos");
}

// A library reached through a symbolic link is saved beside the file the link names,
// and so are the leftovers of its saves.
std::string LinkTarget(const std::string& path)
{
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    const fs::path target = fs::canonical(path, error);
    return error ? path : target.string();
}

} // namespace

LibraryRecovery::LibraryRecovery(const std::string& databasePath) : m_path(LinkTarget(databasePath))
{
}

std::vector<LibraryRecovery::Leftover> LibraryRecovery::FindLeftovers() const
{
    const std::string backup = DatabaseFormat::BackupPath(m_path);
    std::vector<std::string> paths{DatabaseFormat::TemporaryPath(m_path), backup,
                                   OpenCopy::PathOf(m_path)};
    std::vector<std::pair<int, std::string>> numbered;
    std::error_code error;
    const std::string backupName = FileOps::NameOf(backup);
    for (const auto& entry : fs::directory_iterator(FileOps::DirectoryOf(m_path), error)) {
        const std::string name = entry.path().filename().string();
        if (const int number = BackupNumber(name, backupName); number > 0)
            numbered.emplace_back(number, entry.path().string());
    }
    std::sort(numbered.begin(), numbered.end(), std::greater<>());
    for (auto& [number, path] : numbered)
        paths.push_back(std::move(path));

    std::vector<Leftover> leftovers;
    for (const std::string& path : paths) {
        if (!IsRegularFile(path)) continue;
        QuietPrompter quiet;
        CQuilleryDoc catalog;
        const bool complete = catalog.ReadDatabase(path, quiet);
        leftovers.push_back({path, fs::last_write_time(path, error), complete, catalog.PhotoCount(),
                             quiet.LastText()});
    }
    std::stable_sort(leftovers.begin(), leftovers.end(),
                     [](const Leftover& a, const Leftover& b) { return a.time > b.time; });
    return leftovers;
}

LibraryRecovery::Result LibraryRecovery::RecoverMissing(Prompter& prompter, Asking asking)
{
    if (Exists(m_path)) return Result::NothingFound;
    const std::vector<Leftover> leftovers = FindLeftovers();
    if (leftovers.empty()) return Result::NothingFound;

    const std::string findings = Findings(leftovers);
    const std::string name = FileOps::NameOf(m_path);
    const auto newest = std::find_if(leftovers.begin(), leftovers.end(),
                                     [](const Leftover& leftover) { return leftover.complete; });
    if (newest == leftovers.end()) {
        prompter.Message(findings + "None of them can be read whole, so none was used; they are "
                                    "left as they are.");
        return Result::NotRecovered;
    }
    const std::string chosen = FileOps::NameOf(newest->path);
    // The copy made at open holds the library as it was then, never newer than what a
    // save left since: beside one other complete leftover that is newer it leaves no
    // doubt to ask about, and alone it is the only complete one.
    const std::string openCopy = OpenCopy::PathOf(m_path);
    const bool copyComplete =
        std::any_of(leftovers.begin(), leftovers.end(), [&](const Leftover& leftover) {
            return leftover.complete && leftover.path == openCopy;
        });
    const auto othersComplete =
        std::count_if(leftovers.begin(), leftovers.end(), [&](const Leftover& leftover) {
            return leftover.complete && leftover.path != openCopy;
        });
    const bool sole = othersComplete == 0 || (othersComplete == 1 && newest->path != openCopy);
    if (asking == Asking::UnlessSoleComplete && sole) {
        if (!MoveIntoPlace(*newest, prompter)) return Result::NotRecovered;
        const std::string besides =
            copyComplete && newest->path != openCopy ? " besides " + FileOps::NameOf(openCopy) : "";
        m_notes.push_back(findings + "Took " + chosen + ", the only complete one" + besides +
                          ", as " + name + '.');
        return Result::Recovered;
    }
    if (!prompter.AskYesNo(findings + chosen + " is the newest complete one. Use it as " + name +
                           '?'))
        return Result::NotRecovered;
    if (!MoveIntoPlace(*newest, prompter)) return Result::NotRecovered;
    m_notes.push_back("Took " + chosen + " as " + name + '.');
    return Result::Recovered;
}

std::string LibraryRecovery::Findings(const std::vector<Leftover>& leftovers) const
{
    std::string text = FileOps::NameOf(m_path) +
                       " is missing, and a save that was cut short left these files beside it:\n";
    for (const Leftover& leftover : leftovers) {
        text += "  " + FileOps::NameOf(leftover.path) + ": ";
        text += leftover.complete
                    ? PhotoCount(leftover.photoCount) + ", written " + LocalTime(leftover.time)
                    : "cannot be read (" + leftover.problem + ")";
        text += '\n';
    }
    return text;
}

bool LibraryRecovery::MoveIntoPlace(const Leftover& leftover, Prompter& prompter)
{
    // A rename, never a copy: the file keeps what the reader accepted, and a crash
    // now leaves it under one name or the other.
    if (!FileOps::RenameNoReplace(leftover.path, m_path)) {
        prompter.Message("Unable to move " + FileOps::NameOf(leftover.path) + " to " +
                         FileOps::NameOf(m_path));
        return false;
    }
    FileOps::SyncDirectoryOf(m_path);
    return true;
}

bool LibraryRecovery::MoveStaleBackupAside()
{
    const std::string backup = DatabaseFormat::BackupPath(m_path);
    if (!IsRegularFile(backup) || !IsRegularFile(m_path)) return false;
    // The writer's move of the file to the backup name, where renameat2 is refused,
    // stopped after the link: the backup is the database file itself, and as new, so
    // it would never be moved aside below and every later save would find its name
    // taken. Only the second name goes; the file stays under its own.
    if (SameFile(backup, m_path)) {
        if (::unlink(backup.c_str()) != 0) return false;
        FileOps::SyncDirectoryOf(m_path);
        m_notes.push_back(FileOps::NameOf(backup) +
                          ", left by a save that was cut short, was a second name of " +
                          FileOps::NameOf(m_path) + ": removed that name.");
        return true;
    }
    std::error_code backupError;
    std::error_code fileError;
    const auto backupTime = fs::last_write_time(backup, backupError);
    const auto fileTime = fs::last_write_time(m_path, fileError);
    // A backup as new as the file or newer is no leftover of the writer, which moves
    // the older file aside; it is left for the user to judge.
    if (backupError || fileError || backupTime >= fileTime) return false;
    QuietPrompter quiet;
    CQuilleryDoc catalog;
    if (!catalog.ReadDatabase(m_path, quiet)) return false;

    for (int number = 1; number <= kMaxBackupNumber; ++number) {
        const std::string aside = backup + '.' + std::to_string(number);
        if (Exists(aside)) continue;
        if (!FileOps::RenameNoReplace(backup, aside)) return false;
        FileOps::SyncDirectoryOf(m_path);
        m_notes.push_back(
            FileOps::NameOf(backup) + ", left by a save that was cut short, is older than " +
            FileOps::NameOf(m_path) + ": moved it aside to " + FileOps::NameOf(aside) + '.');
        return true;
    }
    return false;
}
