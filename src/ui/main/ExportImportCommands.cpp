#include "ui/main/ExportImportCommands.h"

#include "store/Library.h"
#include "store/LibraryExporter.h"
#include "store/LibraryImporter.h"
#include "ui/browse/PhotoList.h"
#include "ui/common/FileChooser.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CopyProgress.h"

#include <QAction>

namespace {

constexpr const char* kFilter = "Photo Databases (*.pdb)";
constexpr const char* kSuffix = "pdb";

} // namespace

ExportImportCommands::ExportImportCommands(CommandContext& context)
    : QObject(&context.window), m_context(context)
{
    const CommandSet& commands = m_context.commands;
    connect(commands.Action(CommandId::Export), &QAction::triggered, this,
            &ExportImportCommands::OnExport);
    connect(commands.Action(CommandId::Import), &QAction::triggered, this,
            &ExportImportCommands::OnImport);
}

void ExportImportCommands::OnExport()
{
    if (!m_context.library.IsOpen()) return;
    FileRequest request;
    request.kind = FileDialogKind::Save;
    request.title = "Export";
    request.filter = kFilter;
    request.defaultSuffix = kSuffix;
    request.flags = FileFlag::ConfirmOverwrite;
    const std::optional<std::string> path = m_context.fileChooser.Choose(request);
    if (!path) return;
    CopyProgress progress(m_context.window, QStringLiteral("Export"));
    LibraryExporter::Export(m_context.library, m_context.photoList.Photos(), *path,
                            m_context.prompter, progress);
}

void ExportImportCommands::OnImport()
{
    if (!m_context.library.IsOpen() || m_context.library.IsReadOnly()) return;
    FileRequest request;
    request.kind = FileDialogKind::Open;
    request.title = "Import";
    request.filter = kFilter;
    request.defaultSuffix = kSuffix;
    request.flags = FileFlag::MustExist;
    const std::optional<std::string> path = m_context.fileChooser.Choose(request);
    if (!path) return;
    CopyProgress progress(m_context.window, QStringLiteral("Import"));
    LibraryImporter::Import(m_context.library, *path, m_context.prompter, progress);
    // On every road, a cancel too: what was merged is shown, counted and saved later.
    m_context.photoList.FillFromCatalog();
}
