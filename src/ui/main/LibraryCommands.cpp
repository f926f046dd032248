#include "ui/main/LibraryCommands.h"

#include "base/FileOps.h"
#include "core/Prompter.h"
#include "store/Library.h"
#include "store/RecentFileList.h"
#include "ui/common/FileChooser.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"

#include <QAction>
#include <QFile>
#include <QWidget>

namespace {

constexpr std::string_view kFilter = "Photo Databases (*.pdb *.PDB)";
constexpr std::string_view kDefaultSuffix = "pdb";
constexpr std::string_view kNewTitle = "Enter name for the new photo Library";
constexpr std::string_view kNameExists =
    "File name already exist, cannot be used for new Photo Library";
constexpr std::string_view kNoDirectory = "Directory path specified does not exist";
constexpr std::string_view kCannotCreate = "Unable to create the library ";
constexpr std::string_view kCorrupted = "Unable to open Photo Library, possibly corrupted file";
constexpr std::string_view kNoFolders =
    "No operations can be performed without directories,\n Application being terminated";
constexpr std::string_view kDirectoryFixed =
    "The directory for Quillery cannot be changed.\n Use export to move to another location.";

std::string WithoutExtension(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

bool SameDirectory(const std::string& a, const std::string& b)
{
    return FileOps::Absolute(a.empty() ? "/" : a) == FileOps::Absolute(b.empty() ? "/" : b);
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

LibraryCommands::LibraryCommands(CommandContext& context, RecentFileList& recentFiles,
                                 QObject* parent)
    : QObject(parent), m_context(context), m_recentFiles(recentFiles)
{
    Connect();
}

void LibraryCommands::Connect()
{
    const auto on = [this](CommandId id, auto handler) {
        connect(m_context.commands.Action(id), &QAction::triggered, this, handler);
    };
    on(CommandId::FileNew, [this] { OnFileNew(); });
    on(CommandId::FileOpen, [this] { OnFileOpen(); });
    on(CommandId::FileSave, [this] { OnFileSave(); });
    on(CommandId::FileSaveAs, [this] { OnFileSaveAs(); });
}

void LibraryCommands::OnFileNew()
{
    if (!SaveIfModified()) return;
    FileRequest request = LibraryRequest(FileDialogKind::Open, m_context.library.Directory());
    request.title = kNewTitle;
    const std::optional<std::string> chosen = m_context.fileChooser.Choose(request);
    if (!chosen) return;

    if (FileOps::Exists(*chosen)) {
        m_context.prompter.Message(kNameExists);
        return;
    }
    if (!FileOps::IsDirectory(FileOps::DirectoryOf(*chosen))) {
        m_context.prompter.Message(kNoDirectory);
        return;
    }
    switch (m_context.library.Create(*chosen, m_context.prompter)) {
    case Library::Outcome::Done: break;
    case Library::Outcome::FoldersDeclined: EndProgram(); return;
    // The leftovers were shown and declined: nothing more to say, nothing changes.
    case Library::Outcome::NotRecovered: return;
    default: m_context.prompter.Message(std::string(kCannotCreate) + *chosen); return;
    }
    Opened(m_context.library.FileName());
}

void LibraryCommands::OnFileOpen()
{
    if (!SaveIfModified()) return;
    FileRequest request = LibraryRequest(FileDialogKind::Open, m_context.library.Directory());
    request.flags = FileFlag::MustExist;
    const std::optional<std::string> chosen = m_context.fileChooser.Choose(request);
    if (!chosen) return;

    switch (m_context.library.Open(*chosen, m_context.prompter)) {
    case Library::Outcome::Done: break;
    case Library::Outcome::FoldersDeclined: EndProgram(); return;
    case Library::Outcome::Locked: return;  // read-only declined: nothing changes
    case Library::Outcome::NotRecovered: return;
    default:
        m_context.prompter.Message(kCorrupted);
        m_context.library.Close();
        return;
    }
    Opened(m_context.library.FileName());
}

void LibraryCommands::OpenLibraryByName(const std::string& path)
{
    if (!SaveIfModified()) return;
    switch (m_context.library.Open(path, m_context.prompter)) {
    case Library::Outcome::Done: break;
    case Library::Outcome::FoldersDeclined: EndProgram(); return;
    case Library::Outcome::Locked: return;
    case Library::Outcome::NotRecovered: return;
    default: m_context.library.Close(); return;
    }
    Opened(WithoutExtension(m_context.library.FileName()));
}

bool LibraryCommands::Save()
{
    if (m_context.library.IsUntitled()) return SaveAs();
    return m_context.library.Save(m_context.prompter);
}

bool LibraryCommands::SaveAs()
{
    Library& library = m_context.library;
    FileRequest request = LibraryRequest(FileDialogKind::Save, library.Directory());
    request.fileName = library.FileName();
    request.flags = FileFlag::ConfirmOverwrite;
    const std::optional<std::string> chosen = m_context.fileChooser.Choose(request);
    if (!chosen) return false;

    if (!SameDirectory(FileOps::DirectoryOf(*chosen), library.Directory())) {
        m_context.prompter.Message(kDirectoryFixed);
        return false;
    }
    if (!library.SaveAs(*chosen, m_context.prompter)) return false;
    ShowTitle(library.FileName());
    return true;
}

// Unsaved changes are written before another library replaces them. When that write
// fails the command stops, so the changes stay in memory instead of being dropped.
bool LibraryCommands::SaveIfModified()
{
    return !m_context.library.IsModified() || Save();
}

// Cancel, Escape and the box's close button keep the window open with the changes in
// memory, as does a save after Yes that fails.
bool LibraryCommands::MayClose()
{
    if (!m_context.library.IsModified()) return true;
    const std::string question = "Save " + m_context.library.FileName() + " before exiting?";
    switch (m_context.prompter.AskYesNoCancel(question)) {
    case PromptAnswer::Yes: return Save();
    case PromptAnswer::No: return true;
    default: return false;
    }
}

void LibraryCommands::EndProgram()
{
    m_context.prompter.Message(kNoFolders);
    m_context.window.close();
}

void LibraryCommands::Opened(const std::string& shownName)
{
    ShowTitle(shownName);
    m_recentFiles.Add(m_context.library.Path());
    Q_EMIT recentFilesChanged();
}

void LibraryCommands::ShowTitle(const std::string& shownName)
{
    QString title = QStringLiteral("Quillery - ") + QFile::decodeName(shownName.c_str());
    if (m_context.library.IsReadOnly()) title += QStringLiteral(" (read-only)");
    m_context.window.setWindowTitle(title);
}
