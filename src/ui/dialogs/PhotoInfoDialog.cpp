#include "ui/dialogs/PhotoInfoDialog.h"

#include "core/CQuilleryDoc.h"
#include "core/DateText.h"
#include "core/NotesText.h"
#include "core/PhotoRecord.h"
#include "store/Library.h"
#include "store/PhotoAdder.h"
#include "ui/dialogs/FieldBytes.h"
#include "ui/dialogs/NameListItem.h"
#include "ui/common/WaitCursor.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

std::vector<std::string> SelectedNames(const QListWidget* list)
{
    std::vector<std::string> names;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        if (item->isSelected()) names.push_back(NameListItem::Bytes(item));
    }
    return names;
}

QListWidgetItem* FindItem(const QListWidget* list, const std::string& stored)
{
    for (int row = 0; row < list->count(); ++row) {
        if (NameListItem::Bytes(list->item(row)) == stored) return list->item(row);
    }
    return nullptr;
}

void SelectNames(QListWidget* list, const CQuilleryDoc& catalog, NameKind kind,
                 const PhotoRecord& photo)
{
    for (const std::string& name : catalog.UsedNames(kind, photo))
        if (QListWidgetItem* item = FindItem(list, name)) item->setSelected(true);
}

QListWidget* MakeNameList(QWidget* parent, const char* name, const char* description)
{
    auto* list = new QListWidget(parent);
    // A label's buddy names a field for a screen reader, but not a list.
    list->setAccessibleName(QString::fromUtf8(name));
    list->setAccessibleDescription(QString::fromUtf8(description));
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    list->setSortingEnabled(true);
    return list;
}

QVBoxLayout* Column(const char* label, QWidget* field, QWidget* below = nullptr)
{
    auto* column = new QVBoxLayout;
    auto* title = new QLabel(QString::fromUtf8(label));
    title->setBuddy(field);
    column->addWidget(title);
    column->addWidget(field, 1);
    if (below) column->addWidget(below);
    return column;
}

}  // namespace

PhotoInfoDialog::PhotoInfoDialog(PhotoDialogHost& host, Picture* picture, std::string fileName,
                                 const PhotoRecord* photo, QWidget* parent)
    : QDialog(parent),
      m_picture(picture),
      m_fileName(std::move(fileName)),
      m_photo(photo),
      m_host(host)
{
    BuildLayout();
    FillLists();
    setWindowTitle(IsAdding() ? tr("Quillery - Add new photo") : tr("Quillery - Edit existing photo"));
    m_nameField->setText(ByteText::ToDisplay(m_fileName));
    if (IsAdding()) {
        MakeThumbnail();
    } else {
        if (m_picture) m_preview.CopyFrom(*m_picture);
        ShowPhoto();
    }
    ShowPreview();
    // The name is the first thing to give for a new photo; an edit can only change
    // the rest.
    (IsAdding() ? m_nameField : m_dateField)->setFocus();
}

void PhotoInfoDialog::BuildLayout()
{
    m_instruction = new QLabel(tr("Enter the following information:"), this);
    m_pictureLabel = new QLabel(this);
    m_pictureLabel->setMinimumSize(150, 100);
    m_pictureLabel->setAlignment(Qt::AlignCenter);
    m_pictureLabel->setAccessibleName(QStringLiteral("Thumbnail"));
    m_pictureLabel->setAccessibleDescription(QStringLiteral("The photo's thumbnail picture"));
    // The standard box, so OK and Cancel sit, look and answer keys as in every other
    // dialog of the program and of the desktop.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_okButton = buttons->button(QDialogButtonBox::Ok);
    m_okButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &PhotoInfoDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PhotoInfoDialog::reject);
    m_nameField = new QLineEdit(this);
    m_dateField = new QLineEdit(this);
    m_dateField->setPlaceholderText(QStringLiteral("m/d/yyyy, m/yyyy, yyyy"));
    // Wide enough that the forms it takes can be read whole while it is empty.
    const int placeholderWidth = m_dateField->fontMetrics().horizontalAdvance(m_dateField->placeholderText());
    m_dateField->setFixedWidth(std::max(110, placeholderWidth + 16));
    connect(m_dateField, &QLineEdit::textChanged, this, &PhotoInfoDialog::DateChanged);
    m_notesField = new QPlainTextEdit(this);
    m_persons = MakeNameList(this, "Persons", "The persons the photo shows: every selected name");
    m_events = MakeNameList(this, "Events", "The events of the photo: every selected event");
    m_locations = MakeNameList(this, "Locations", "Where the photo was taken: every selected location");
    m_addPerson = new QPushButton(tr("Add new person"), this);
    m_addEvent = new QPushButton(tr("Add new event"), this);
    m_addLocation = new QPushButton(tr("Add new location"), this);
    for (auto* button : {m_addPerson, m_addEvent, m_addLocation}) button->setAutoDefault(false);
    connect(m_addPerson, &QPushButton::clicked, this, [this] { AddName(NameKind::Persons); });
    connect(m_addEvent, &QPushButton::clicked, this, [this] { AddName(NameKind::Events); });
    connect(m_addLocation, &QPushButton::clicked, this, [this] { AddName(NameKind::Locations); });
    m_messageLine = new QLabel(this);
    m_messageLine->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_messageLine->setAccessibleName(QStringLiteral("Messages"));
    m_messageLine->setAccessibleDescription(QStringLiteral("Why OK refused, and each step of adding"));
    m_messageLine->setMinimumHeight(m_messageLine->fontMetrics().height() + 6);

    auto* fields = new QVBoxLayout;
    fields->addWidget(m_instruction);
    fields->addLayout(Column("Picture file name:", m_nameField));
    fields->addLayout(Column("Date:", m_dateField));
    fields->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(fields);
    top->addWidget(m_pictureLabel, 0, Qt::AlignTop);
    top->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addLayout(Column("Notes:", m_notesField), 3);
    middle->addLayout(Column("Persons:", m_persons, m_addPerson), 2);
    middle->addLayout(Column("Events:", m_events, m_addEvent), 2);
    middle->addLayout(Column("Locations:", m_locations, m_addLocation), 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(Column("Messages:", m_messageLine));
    layout->addWidget(buttons);
    resize(760, 480);
}

void PhotoInfoDialog::FillLists()
{
    const auto fill = [](QListWidget* list, const NameList& names) {
        for (int id = 0; id < names.Size(); ++id) list->addItem(NameListItem::Make(names.At(id)));
    };
    for (const NameKind kind : kNameKinds) fill(List(kind), Catalog().Names(kind));
}

void PhotoInfoDialog::ShowPhoto()
{
    m_instruction->setText(tr("Edit the following information:"));
    m_nameField->setReadOnly(true);
    m_dateField->setText(ByteText::ToDisplay(m_photo->GetDateText()));
    m_shownNotes = NotesForEditor(m_photo->GetNotes());
    m_notesField->setPlainText(ByteText::ToDisplay(m_shownNotes));
    for (const NameKind kind : kNameKinds) SelectNames(List(kind), Catalog(), kind, *m_photo);
}

void PhotoInfoDialog::MakeThumbnail()
{
    const WaitCursor busy;
    SetMessage("Creating thumbnail version of photo");
    const int code =
        m_picture ? PhotoAdder::MakeThumbnail(*m_picture, m_preview) : Picture::kNotPossible;
    if (code != Picture::kOk) {
        m_preview.Release();
        SetMessage(FailureMessage({PhotoVersion::Thumbnail, VersionFailure::Step::Resize, code}));
        return;
    }
    SetMessage({});
    const PhotoAdder adder(m_host.library, m_host.settings);
    if (!m_fileName.empty() && adder.NameInUse(m_fileName)) {
        SetMessage(std::string(PhotoAdder::kSuggestedNameUsedMessage));
    }
}

void PhotoInfoDialog::ShowPreview()
{
    if (!m_preview.HasPicture()) return;
    m_pictureLabel->setPixmap(QPixmap::fromImage(m_preview.ToBitmap()));
}

const CQuilleryDoc& PhotoInfoDialog::Catalog() const
{
    return m_host.library.Catalog();
}

void PhotoInfoDialog::SetDateText(const std::string& dateText)
{
    m_dateField->setText(ByteText::ToDisplay(dateText));
}

void PhotoInfoDialog::SetBatchPlace(int number, int count)
{
    setWindowTitle(tr("Quillery - Add new photo (%1 of %2)").arg(number).arg(count));
    if (!m_carryOver) {
        m_carryOver = new QCheckBox(tr("Use these names for the rest"), this);
        m_carryOver->setAccessibleDescription(
            QStringLiteral("Offers this photo's notes, persons, events and locations to each "
                           "file after it, so each needs only a look and OK"));
        m_batchProgress = new QProgressBar(this);
        m_batchProgress->setFormat(tr("File %v of %m"));
        m_batchProgress->setAccessibleName(QStringLiteral("Files added"));
        m_batchProgress->setAccessibleDescription(
            QStringLiteral("Which of the chosen files this photo is"));
        auto* row = new QHBoxLayout;
        row->addWidget(m_carryOver);
        row->addStretch();
        row->addWidget(m_batchProgress);
        // Above OK and Cancel, which the dialog's layout holds last.
        auto* column = qobject_cast<QVBoxLayout*>(layout());
        column->insertLayout(column->count() - 1, row);
    }
    m_batchProgress->setRange(0, count);
    m_batchProgress->setValue(number);
}

void PhotoInfoDialog::Carry(const PhotoEntry& carried)
{
    m_shownNotes = NotesForEditor(carried.notes);
    m_notesField->setPlainText(ByteText::ToDisplay(m_shownNotes));
    const std::array<std::pair<NameKind, const std::vector<std::string>*>, 3> lists = {{
        {NameKind::Persons, &carried.persons},
        {NameKind::Events, &carried.events},
        {NameKind::Locations, &carried.locations}}};
    for (const auto& [kind, names] : lists) {
        for (const std::string& name : *names)
            if (QListWidgetItem* item = FindItem(List(kind), name)) item->setSelected(true);
    }
    if (m_carryOver) m_carryOver->setChecked(true);
}

std::optional<PhotoEntry> PhotoInfoDialog::CarryOver() const
{
    if (!m_carryOver || !m_carryOver->isChecked()) return std::nullopt;
    return ReadEntry();
}

QListWidget* PhotoInfoDialog::List(NameKind kind) const
{
    switch (kind) {
    case NameKind::Events: return m_events;
    case NameKind::Locations: return m_locations;
    case NameKind::Persons: break;
    }
    return m_persons;
}

QPushButton* PhotoInfoDialog::AddButton(NameKind kind) const
{
    switch (kind) {
    case NameKind::Events: return m_addEvent;
    case NameKind::Locations: return m_addLocation;
    case NameKind::Persons: break;
    }
    return m_addPerson;
}

// A name that was in the catalog already is selected where it stands rather than
// listed a second time, so it can never be chosen twice for one photo.
void PhotoInfoDialog::AddName(NameKind kind)
{
    const std::string name = NameEntryDialog::Run(m_host.dialogs, m_host.library, kind,
                                                  std::string(), m_host.prompter, this);
    if (name.empty()) return;
    QListWidget* list = List(kind);
    QListWidgetItem* item = FindItem(list, name);
    if (!item) {
        item = NameListItem::Make(name);
        list->addItem(item);
    }
    item->setSelected(true);
    list->scrollToItem(item);
}

// The date refusal goes once the date reads right, so a message left standing never
// points at a field that is already correct; other messages wait for the next OK.
void PhotoInfoDialog::DateChanged()
{
    constexpr std::string_view refusal = PhotoAdder::kDateMessage;
    if (m_messageLine->text() != QLatin1String(refusal.data(), static_cast<qsizetype>(refusal.size()))) return;
    const std::string typed = FieldBytes(m_photo ? std::string(m_photo->GetDateText()) : std::string(), m_dateField->text());
    if (ParseDate(typed).valid) SetMessage({});
}

void PhotoInfoDialog::SetMessage(const std::string& text)
{
    m_messageLine->setText(QString::fromStdString(text));
    m_messageLine->repaint();
}

PhotoEntry PhotoInfoDialog::ReadEntry() const
{
    PhotoEntry entry;
    entry.fileName = IsAdding() ? FieldBytes(m_fileName, m_nameField->text()) : m_photo->GetFileName();
    entry.dateText =
        FieldBytes(m_photo ? std::string(m_photo->GetDateText()) : std::string(), m_dateField->text());
    entry.notes = NotesFromEditor(FieldBytes(m_shownNotes, m_notesField->toPlainText()));
    entry.persons = SelectedNames(m_persons);
    entry.events = SelectedNames(m_events);
    entry.locations = SelectedNames(m_locations);
    return entry;
}

void PhotoInfoDialog::accept()
{
    SetMessage({});
    const PhotoEntry entry = ReadEntry();
    const PhotoAdder adder(m_host.library, m_host.settings);
    const auto verdict = adder.Check(entry, IsAdding() ? PhotoAdder::Mode::Add : PhotoAdder::Mode::Edit);
    if (!verdict.Accepted()) {
        SetMessage(verdict.message);
        return;
    }
    if (IsAdding()) {
        if (!AddPhoto(entry)) return;
    } else {
        EditPhoto(entry);
    }
    QDialog::accept();
}

bool PhotoInfoDialog::AddPhoto(const PhotoEntry& entry)
{
    if (!m_picture) return false;
    const PhotoRecord* added = nullptr;
    {
        const WaitCursor busy;
        PhotoAdder adder(m_host.library, m_host.settings);
        const PhotoAdder::AddResult result = adder.Add(
            entry, *m_picture, m_preview, [this](const std::string& text) { SetMessage(text); });
        SetMessage(result.failure ? FailureMessage(*result.failure) : std::string());
        added = result.photo;
    }
    if (added == nullptr) return false;
    m_host.saveLibrary();
    return true;
}

void PhotoInfoDialog::EditPhoto(const PhotoEntry& entry)
{
    PhotoRecord record;
    record.SetFileName(m_photo->GetFileName());
    PhotoAdder::FillRecord(Catalog(), entry, record);
    m_host.library.ChangePhoto(*m_photo, record);
}
