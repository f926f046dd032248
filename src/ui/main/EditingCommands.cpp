#include "ui/main/EditingCommands.h"

#include "core/PhotoRecord.h"
#include "core/Prompter.h"
#include "ui/browse/PhotoList.h"
#include "ui/common/DialogGuard.h"
#include "ui/common/DialogRunner.h"
#include "ui/editing/PhotoEditingPropertySheet.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"

#include <QAction>

namespace {

constexpr std::string_view kNoSelection = "Picture must be selected before operation";

} // namespace

EditingCommands::EditingCommands(CommandContext& context)
    : QObject(&context.window), m_context(context)
{
    const CommandSet& commands = m_context.commands;
    connect(commands.Action(CommandId::EditCurrentPhoto), &QAction::triggered, this,
            [this] { OnEdit(PhotoEditSource::Start::Current); });
    connect(commands.Action(CommandId::EditOriginalPhoto), &QAction::triggered, this,
            [this] { OnEdit(PhotoEditSource::Start::Original); });
}

void EditingCommands::OnEdit(PhotoEditSource::Start start)
{
    const PhotoRecord* photo = m_context.photoList.CurrentPhoto();
    if (photo == nullptr) {
        m_context.prompter.Message(kNoSelection);
        return;
    }
    DialogGuard<PhotoEditingPropertySheet> sheet(m_context.library, *photo, m_context.settings,
                                                 m_context.prompter, m_context.photoList.Palette(),
                                                 start, &m_context.window);
    // Without a picture to edit the sheet ends before it is shown; its message was given.
    if (!sheet->HasSource()) return;
    m_context.dialogs.Run(*sheet.get());
}
