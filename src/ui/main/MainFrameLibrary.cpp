// MainFrame's library files: New, Open, Save, Save As, opening by name and the check
// of the picture directories. Kept apart from the window's construction so each file
// stays about one concern.
#include "ui/main/MainFrame.h"

#include "core/Prompter.h"
#include "store/RecentFileList.h"
#include "ui/browse/PhotoList.h"
#include "ui/browse/PictureView.h"
#include "ui/common/FileChooser.h"

#include <QFile>

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFilter = "Photo Databases (*.pdb *.PDB)";
constexpr std::string_view kDefaultSuffix = "pdb";

// Checked in this order, created in the other.
constexpr std::array<std::string_view, 4> kCheckedDirectories = {
    "/Full Screen Pictures", "/High Resolution Images", "/Original Images", "/Thumbnail Pictures"};
constexpr std::array<std::string_view, 4> kCreatedDirectories = {
    "/Full Screen Pictures", "/Thumbnail Pictures", "/High Resolution Images", "/Original Images"};

// The part before the last '/', without it; empty when there is none.
std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutExtension(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

bool IsDirectory(const std::string& directory)
{
    std::error_code error;
    return fs::is_directory(directory.empty() ? std::string("/") : directory, error);
}

bool Exists(const std::string& path)
{
    std::error_code error;
    return fs::exists(path, error);
}

// A library named relative to the working directory keeps working after the
// directory changes, and its pictures are never looked for at the file system's root.
std::string Absolute(const std::string& path)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

void CreateEmptyFile(const std::string& path)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
}

FileRequest LibraryRequest(FileDialogKind kind, const std::string& directory)
{
    FileRequest request;
    request.kind = kind;
    request.filter = kFilter;
    request.defaultSuffix = kDefaultSuffix;
    request.directory = directory;
    return request;
}

}  // namespace

bool MainFrame::CheckPictureDirectories(const std::string& directory)
{
    const bool allThere = std::all_of(kCheckedDirectories.begin(), kCheckedDirectories.end(),
                                      [&](std::string_view name) {
                                          return IsDirectory(directory + std::string(name));
                                      });
    if (allThere) return true;

    if (m_prompter.AskOkCancel("One or more subdirectories do not exist\nCreate these directories now?")) {
        for (const std::string_view name : kCreatedDirectories) {
            std::error_code ignored;
            fs::create_directory(directory + std::string(name), ignored);
        }
        return true;
    }
    m_prompter.Message("No operations can be performed without directories,\n Application being terminated");
    EndProgram();
    return false;
}

void MainFrame::OnFileNew()
{
    if (!SaveIfModified()) return;
    FileRequest request = LibraryRequest(FileDialogKind::Open, m_libraryDirectory);
    request.title = "Enter name for the new photo Library";
    const std::optional<std::string> chosen = m_fileChooser.Choose(request);
    if (!chosen) return;

    if (Exists(*chosen)) {
        m_prompter.Message("File name already exist, cannot be used for new Photo Library");
        return;
    }
    const std::string directory = DirectoryOf(*chosen);
    if (!IsDirectory(directory)) {
        m_prompter.Message("Directory path specified does not exist");
        return;
    }

    SetLibraryPath(directory, FileNameOf(*chosen));
    m_noLibrary = false;
    m_catalog.Clear();
    m_catalog.SetPath(*chosen);
    m_catalog.SetUntitled(false);
    if (!CheckPictureDirectories(directory)) return;

    ShowLibraryTitle(m_libraryFileName);
    CreateEmptyFile(*chosen);
    ShowLibraryContents(*chosen);
}

void MainFrame::OnFileOpen()
{
    if (!SaveIfModified()) return;
    FileRequest request = LibraryRequest(FileDialogKind::Open, m_libraryDirectory);
    request.flags = FileFlag::MustExist;
    const std::optional<std::string> chosen = m_fileChooser.Choose(request);
    if (!chosen) return;

    if (!m_catalog.ReadDatabase(*chosen, m_prompter)) {
        m_prompter.Message("Unable to open Photo Library, possibly corrupted file");
        ForgetLibraryAfterFailedRead();
        return;
    }
    m_noLibrary = false;
    SetLibraryPath(DirectoryOf(*chosen), FileNameOf(*chosen));
    if (!CheckPictureDirectories(m_libraryDirectory)) return;

    ShowLibraryTitle(m_libraryFileName);
    ShowLibraryContents(*chosen);
}

void MainFrame::OpenLibraryByName(const std::string& path)
{
    if (!SaveIfModified()) return;
    const std::string absolute = Absolute(path);
    if (!m_catalog.ReadDatabase(absolute, m_prompter)) {
        ForgetLibraryAfterFailedRead();
        return;
    }
    m_noLibrary = false;
    SetLibraryPath(DirectoryOf(absolute), FileNameOf(absolute));
    if (!CheckPictureDirectories(m_libraryDirectory)) return;

    ShowLibraryTitle(WithoutExtension(m_libraryFileName));
    ShowLibraryContents(absolute);
}

void MainFrame::OnFileSave()
{
    Save();
}

bool MainFrame::Save()
{
    if (m_catalog.IsUntitled()) return SaveAs();
    return m_catalog.WriteDatabase(m_catalog.GetPath(), m_prompter);
}

void MainFrame::OnFileSaveAs()
{
    SaveAs();
}

bool MainFrame::SaveAs()
{
    FileRequest request = LibraryRequest(FileDialogKind::Save, m_libraryDirectory);
    request.fileName = m_libraryFileName;
    request.flags = FileFlag::ConfirmOverwrite;
    const std::optional<std::string> chosen = m_fileChooser.Choose(request);
    if (!chosen) return false;

    const std::string directory = DirectoryOf(*chosen);
    if (directory != m_libraryDirectory) {
        m_prompter.Message("The directory for Quillery cannot be changed.\n Use export to move to another location.");
        return false;
    }
    // The writer moves an existing database aside before it puts the new one in
    // place. An existing file is left as it is for that: emptying it first would
    // lose the library on disk if the write then failed.
    if (!Exists(*chosen)) CreateEmptyFile(*chosen);
    if (!m_catalog.WriteDatabase(*chosen, m_prompter)) return false;

    SetLibraryPath(directory, FileNameOf(*chosen));
    ShowLibraryTitle(m_libraryFileName);
    return true;
}

// Unsaved changes are written before another library replaces them. When that write
// fails the command stops, so the changes stay in memory instead of being dropped.
bool MainFrame::SaveIfModified()
{
    return !m_catalog.IsModified() || Save();
}

void MainFrame::ForgetLibraryAfterFailedRead()
{
    m_catalog.Clear();
    m_photoList->FillFromCatalog();
    m_noLibrary = true;
    UpdatePhotoCount();
}

void MainFrame::SetLibraryPath(const std::string& directory, const std::string& fileName)
{
    m_libraryDirectory = directory;
    m_libraryFileName = fileName;
    m_photoList->SetLibraryDirectory(directory);
    m_pictureView->SetLibraryDirectory(directory);
}

void MainFrame::ShowLibraryTitle(const std::string& shownName)
{
    setWindowTitle(QStringLiteral("Quillery - ") + QFile::decodeName(shownName.c_str()));
}

void MainFrame::ShowLibraryContents(const std::string& path)
{
    m_photoList->FillFromCatalog();
    m_recentFiles.Add(path);
    RebuildRecentFiles();
    UpdatePhotoCount();
}

void MainFrame::EndProgram()
{
    close();
}
