#include "ui/dialogs/EditNameListDialog.h"

#include "core/CQuilleryDoc.h"
#include "ui/browse/PhotoList.h"
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
};

constexpr std::array<Texts, 3> kTexts = {{
    {"Edit a Person", "Select a person to edit and press OK:"},
    {"Edit an Event", "Select event to edit and press OK:"},
    {"Edit a Location", "Select location to edit and press OK:"},
}};

}  // namespace

EditNameListDialog::EditNameListDialog(CQuilleryDoc& catalog, PhotoList* photoList,
                                       NameKind kind, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      m_catalog(catalog),
      m_photoList(photoList),
      m_kind(kind),
      m_prompt(new QLabel(this)),
      m_list(new QListWidget(this))
{
    m_runNameEntry = [&prompter](CQuilleryDoc& doc, NameKind nameKind,
                                 const std::string& initialName, QWidget* owner) {
        return NameEntryDialog::RunModal(doc, nameKind, initialName, prompter, owner);
    };
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
    Fill();
}

void EditNameListDialog::Fill()
{
    const NameList& names = m_catalog.Names(m_kind);
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
    const std::string result =
        m_runNameEntry(m_catalog, m_kind, NameListItem::Bytes(item), this);
    if (result.empty()) return;
    delete m_list->takeItem(m_list->row(item));
    m_list->addItem(NameListItem::Make(result));
    m_catalog.SetModified(true);
    m_changed = true;
}

void EditNameListDialog::done(int result)
{
    QDialog::done(result);
    if (!m_changed || m_repainted) return;
    m_repainted = true;
    if (m_photoList) m_photoList->viewport()->update();
    Q_EMIT namesChanged();
}
