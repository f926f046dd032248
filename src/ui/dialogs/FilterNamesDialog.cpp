#include "ui/dialogs/FilterNamesDialog.h"

#include "core/CQuilleryDoc.h"
#include "ui/dialogs/NameListItem.h"

#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>

#include <array>

namespace {

struct Texts {
    const char* title;
    const char* prompt;
    const char* listName;
};

constexpr std::array<Texts, kNameKinds.size()> kTexts{{
    {"Filter by Persons", "Select persons to filter photos:", "Persons"},
    {"Filter by Events", "Select events to filter photos:", "Events"},
    {"Filter by Location", "Select locations to filter photos:", "Locations"},
}};

}  // namespace

FilterNamesDialog::FilterNamesDialog(const CQuilleryDoc& catalog, NameKind kind, QWidget* parent)
    : FilterDialog(kTexts.at(KindIndex(kind)).title, kTexts.at(KindIndex(kind)).prompt, parent),
      m_list(new QListWidget(this))
{
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_list->setSortingEnabled(true);
    m_list->setAccessibleName(QString::fromUtf8(kTexts.at(KindIndex(kind)).listName));
    m_list->setAccessibleDescription(Prompt()->text());
    Prompt()->setBuddy(m_list);
    const NameList& names = catalog.Names(kind);
    for (int id = 0; id < names.Size(); ++id) m_list->addItem(NameListItem::Make(names.At(id)));
    if (m_list->count() > 0) m_list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    Selection().addWidget(m_list);
    m_list->setFocus();
}

std::vector<std::string> FilterNamesDialog::Chosen() const
{
    return NameListItem::SelectedBytes(m_list);
}
