#include "ui/main/FilterCommands.h"

#include "core/DateFilter.h"
#include "core/NameFilter.h"
#include "store/Library.h"
#include "ui/browse/PhotoList.h"
#include "ui/common/DialogGuard.h"
#include "ui/common/DialogRunner.h"
#include "ui/dialogs/FilterDateDialog.h"
#include "ui/dialogs/FilterNamesDialog.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"
#include "ui/main/FindField.h"

#include <QAction>

FilterCommands::FilterCommands(CommandContext& context)
    : QObject(&context.window),
      m_context(context),
      m_findField(new FindField(context.library, context.photoList, &context.window))
{
    const auto on = [this](CommandId id, auto handler) {
        connect(m_context.commands.Action(id), &QAction::triggered, this, handler);
    };
    on(CommandId::FilterByDate, [this] { OnFilterByDate(); });
    on(CommandId::FilterByPerson, [this] { OnFilterByNames(NameKind::Persons); });
    on(CommandId::FilterByEvent, [this] { OnFilterByNames(NameKind::Events); });
    on(CommandId::FilterByLocation, [this] { OnFilterByNames(NameKind::Locations); });
    on(CommandId::UndoAllFilters, [this] { OnUndoAllFilters(); });
    on(CommandId::HideSelection, [this] { OnHideSelection(); });
}

void FilterCommands::OnFilterByDate()
{
    DialogGuard<FilterDateDialog> dialog(&m_context.window);
    if (m_context.dialogs.Run(*dialog.get()) != QDialog::Accepted || !dialog || !dialog->Filter()) return;
    PhotoList& list = m_context.photoList;
    list.ShowSubset(dialog->Filter()->Apply(list.Photos()));
}

void FilterCommands::OnFilterByNames(NameKind kind)
{
    DialogGuard<FilterNamesDialog> dialog(m_context.library.Catalog(), kind, &m_context.window);
    if (m_context.dialogs.Run(*dialog.get()) != QDialog::Accepted || !dialog) return;
    PhotoList& list = m_context.photoList;
    list.ShowSubset(NameFilter(m_context.library.Catalog(), kind, dialog->Chosen()).Apply(list.Photos()));
}

void FilterCommands::OnUndoAllFilters()
{
    m_findField->Clear();
    m_context.photoList.FillFromCatalog();
}

void FilterCommands::OnHideSelection()
{
    PhotoList& list = m_context.photoList;
    const int row = list.FirstSelectedRow();
    if (row < 0) return;
    // No photo is current from here on, so nothing that follows the row's removal
    // sees a current photo without a row.
    list.SetCurrentPhoto(nullptr);
    list.RemoveRow(row);
}
