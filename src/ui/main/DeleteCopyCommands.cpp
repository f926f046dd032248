#include "ui/main/DeleteCopyCommands.h"

#include "core/PhotoRecord.h"
#include "core/Prompter.h"
#include "store/Library.h"
#include "ui/browse/PhotoList.h"
#include "ui/common/DialogGuard.h"
#include "ui/common/DialogRunner.h"
#include "ui/dialogs/CopyToClipboardDialog.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandState.h"
#include "ui/main/LibraryCommands.h"

#include <QAction>

namespace {

constexpr std::string_view kNoSelection = "Picture must be selected before operation";
constexpr std::string_view kNotFound = "Unable to delete photo - item not found";

std::string Confirmation(PhotoDeleter::Files files, const std::string& fileName)
{
    return "Confirm delete of " + fileName +
           (files == PhotoDeleter::Files::Keep
                ? " database record but not the associated picture files"
                : " database record and all of the associated picture files");
}

}  // namespace

DeleteCopyCommands::DeleteCopyCommands(CommandContext& context, LibraryCommands& files)
    : QObject(&context.window), m_context(context), m_files(files)
{
    const CommandSet& commands = m_context.commands;
    connect(commands.Action(CommandId::DeleteDatabaseOnly), &QAction::triggered, this,
            [this] { OnDelete(PhotoDeleter::Files::Keep); });
    connect(commands.Action(CommandId::DeleteDatabaseAndFiles), &QAction::triggered, this,
            [this] { OnDelete(PhotoDeleter::Files::Delete); });
    connect(commands.Action(CommandId::Copy), &QAction::triggered, this,
            &DeleteCopyCommands::OnCopy);
}

void DeleteCopyCommands::OnDelete(PhotoDeleter::Files files)
{
    const PhotoList& list = m_context.photoList;
    const PhotoRecord* photo = list.CurrentPhoto();
    if (photo == nullptr) {
        m_context.prompter.Message(kNoSelection);
        return;
    }
    // The key and the context menu reach here even while a show runs.
    if (m_context.state.IsPictureShowRunning()) return;
    const std::string fileName = photo->GetFileName();
    if (!m_context.prompter.AskOkCancel(Confirmation(files, fileName))) return;

    // The deleter finds the record in the catalog; the list must still show it too.
    if (list.RowOfPhoto(photo) < 0) {
        m_context.prompter.Message(kNotFound);
        return;
    }
    const PhotoDeleter::Result result = PhotoDeleter::Delete(
        m_context.library, {photo}, files, [this] { return m_files.Save(); });
    if (result.outcome == PhotoDeleter::Outcome::NotFound) m_context.prompter.Message(kNotFound);
}

void DeleteCopyCommands::OnCopy()
{
    if (m_context.photoList.CurrentPhoto() == nullptr) {
        m_context.prompter.Message(CopyToClipboardDialog::kNoPhoto);
        return;
    }
    DialogGuard<CopyToClipboardDialog> dialog(m_context.library, m_context.pictureView,
                                              m_context.prompter, &m_context.window);
    m_context.dialogs.Run(*dialog.get());
}
