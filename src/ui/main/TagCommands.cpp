#include "ui/main/TagCommands.h"

#include "core/Prompter.h"
#include "store/Library.h"
#include "store/PhotoTagger.h"
#include "ui/browse/PhotoList.h"
#include "ui/common/DialogGuard.h"
#include "ui/common/DialogRunner.h"
#include "ui/dialogs/TagPhotosDialog.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandState.h"
#include "ui/main/LibraryCommands.h"

#include <QAction>

TagCommands::TagCommands(CommandContext& context, LibraryCommands& files)
    : QObject(&context.window), m_context(context), m_files(files)
{
    connect(m_context.commands.Action(CommandId::AddNamesToSelection), &QAction::triggered, this,
            &TagCommands::OnAddNamesToSelection);
}

void TagCommands::OnAddNamesToSelection()
{
    Library& library = m_context.library;
    const PhotoList& list = m_context.photoList;
    // The key reaches here whatever the enabling says.
    if (!library.IsOpen() || library.IsReadOnly() || !list.HasSelectedRows() ||
        m_context.state.IsPictureShowRunning()) {
        return;
    }
    DialogGuard<TagPhotosDialog> dialog(library, m_context.dialogs, m_context.prompter,
                                        static_cast<int>(list.SelectedPhotos().size()),
                                        &m_context.window);
    if (m_context.dialogs.Run(*dialog.get()) != QDialog::Accepted || !dialog) return;
    const PhotoTagger::Result result =
        PhotoTagger::Tag(library, list.SelectedPhotos(), dialog->Chosen());
    // Names the dialog added count as changes even when no photo took them.
    if (library.IsModified()) m_files.Save();
    if (!result.full.empty()) m_context.prompter.Message(PhotoTagger::FullMessage(result.full));
}
