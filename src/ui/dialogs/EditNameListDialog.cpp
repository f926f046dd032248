#include "ui/dialogs/EditNameListDialog.h"

#include "core/CQuilleryDoc.h"
#include "store/Library.h"
#include "ui/dialogs/NameListItem.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <array>

namespace {

struct Texts {
    const char* title;
    const char* prompt;
    const char* listName;
};

constexpr std::array<Texts, 3> kTexts = {{
    {"Edit a Person", "Select a person to edit and press OK:", "Persons"},
    {"Edit an Event", "Select event to edit and press OK:", "Events"},
    {"Edit a Location", "Select location to edit and press OK:", "Locations"},
}};

}  // namespace

EditNameListDialog::EditNameListDialog(Library& library, NameKind kind, Prompter& prompter,
                                       DialogRunner& dialogs, QWidget* parent)
    : QDialog(parent),
      m_library(library),
      m_kind(kind),
      m_prompter(prompter),
      m_dialogs(dialogs),
      m_prompt(new QLabel(this)),
      m_list(new QListWidget(this))
{
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(true);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &EditNameListDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &EditNameListDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &EditNameListDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    const Texts& texts = kTexts.at(static_cast<size_t>(kind) - 1);
    setWindowTitle(QString::fromUtf8(texts.title));
    m_prompt->setText(QString::fromUtf8(texts.prompt));
    m_list->setAccessibleName(QString::fromUtf8(texts.listName));
    m_list->setAccessibleDescription(m_prompt->text());
    Fill();
}

void EditNameListDialog::Fill()
{
    const NameList& names = m_library.Catalog().Names(m_kind);
    for (int id = 0; id < names.Size(); ++id) m_list->addItem(NameListItem::Make(names.At(id)));
}

void EditNameListDialog::accept()
{
    if (m_list->selectedItems().isEmpty()) {
        QDialog::accept();
        return;
    }
    EditSelected();
}

void EditNameListDialog::EditSelected()
{
    QListWidgetItem* item = m_list->selectedItems().constFirst();
    const std::string result = NameEntryDialog::Run(m_dialogs, m_library, m_kind,
                                                    NameListItem::Bytes(item), m_prompter, this);
    if (result.empty()) return;
    delete m_list->takeItem(m_list->row(item));
    m_list->addItem(NameListItem::Make(result));
    m_changed = true;
}
