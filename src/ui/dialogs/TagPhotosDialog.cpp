#include "ui/dialogs/TagPhotosDialog.h"

#include "core/CQuilleryDoc.h"
#include "core/NameChoice.h"
#include "store/Library.h"
#include "ui/common/ByteText.h"
#include "ui/dialogs/NameEntryDialog.h"
#include "ui/dialogs/NameListItem.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct KindTexts {
    const char* label;
    const char* listName;
    const char* description;
    const char* button;
};

constexpr std::array<KindTexts, kNameKinds.size()> kKindTexts{{
    {"Persons:", "Persons", "Persons to add to every selected photo", "Add new person"},
    {"Events:", "Events", "Events to add to every selected photo", "Add new event"},
    {"Locations:", "Locations", "Locations to add to every selected photo", "Add new location"},
}};

} // namespace

TagPhotosDialog::TagPhotosDialog(Library& library, DialogRunner& dialogs, Prompter& prompter,
                                 int photoCount, QWidget* parent)
    : QDialog(parent), m_library(library), m_dialogs(dialogs), m_prompter(prompter)
{
    setWindowTitle(QStringLiteral("Add names to selected photos"));
    auto* prompt = new QLabel(
        photoCount == 1 ? QStringLiteral("Select names to add to the selected photo:")
                        : QStringLiteral("Select names to add to each of the %1 selected photos:")
                              .arg(photoCount),
        this);
    auto* columns = new QHBoxLayout;
    for (const NameKind kind : kNameKinds) {
        const KindTexts& texts = kKindTexts.at(KindIndex(kind));
        auto* list = new QListWidget(this);
        list->setSelectionMode(QAbstractItemView::MultiSelection);
        list->setSortingEnabled(true);
        list->setAccessibleName(QString::fromUtf8(texts.listName));
        list->setAccessibleDescription(QString::fromUtf8(texts.description));
        const NameList& names = library.Catalog().Names(kind);
        for (int id = 0; id < names.Size(); ++id)
            list->addItem(NameListItem::Make(names.At(id)));
        auto* button = new QPushButton(QString::fromUtf8(texts.button), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, kind] { AddName(kind); });
        auto* label = new QLabel(QString::fromUtf8(texts.label), this);
        label->setBuddy(list);
        auto* column = new QVBoxLayout;
        column->addWidget(label);
        column->addWidget(list, 1);
        column->addWidget(button);
        columns->addLayout(column);
        m_lists.at(KindIndex(kind)) = list;
        m_addButtons.at(KindIndex(kind)) = button;
    }
    m_messageLine = new QLabel(this);
    m_messageLine->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_messageLine->setAccessibleName(QStringLiteral("Messages"));
    m_messageLine->setAccessibleDescription(QStringLiteral("Why OK refused"));
    m_messageLine->setMinimumHeight(m_messageLine->fontMetrics().height() + 6);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_okButton = buttons->button(QDialogButtonBox::Ok);
    m_okButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &TagPhotosDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TagPhotosDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(columns, 1);
    layout->addWidget(new QLabel(QStringLiteral("Messages:"), this));
    layout->addWidget(m_messageLine);
    layout->addWidget(buttons);
    resize(600, 380);
    m_lists.front()->setFocus();
}

PhotoTagger::Names TagPhotosDialog::Chosen() const
{
    PhotoTagger::Names chosen;
    for (const NameKind kind : kNameKinds)
        chosen.at(KindIndex(kind)) = NameListItem::SelectedBytes(List(kind));
    return chosen;
}

void TagPhotosDialog::accept()
{
    const PhotoTagger::Names chosen = Chosen();
    bool any = false;
    for (const NameKind kind : kNameKinds) {
        if (const auto refusal = NameChoice::Refusal(kind, chosen.at(KindIndex(kind)))) {
            m_messageLine->setText(ByteText::ToDisplay(*refusal));
            List(kind)->setFocus();
            return;
        }
        any = any || !chosen.at(KindIndex(kind)).empty();
    }
    if (!any) {
        m_messageLine->setText(QStringLiteral("Select at least one person, event or location"));
        return;
    }
    QDialog::accept();
}

// A name that was in the library already is picked where it stands rather than
// listed twice.
void TagPhotosDialog::AddName(NameKind kind)
{
    const std::string name =
        NameEntryDialog::Run(m_dialogs, m_library, kind, std::string(), m_prompter, this);
    if (name.empty()) return;
    QListWidget* list = List(kind);
    QListWidgetItem* item = NameListItem::Find(list, name);
    if (!item) {
        item = NameListItem::Make(name);
        list->addItem(item);
    }
    item->setSelected(true);
    list->scrollToItem(item);
}
