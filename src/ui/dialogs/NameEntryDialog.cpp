#include "ui/dialogs/NameEntryDialog.h"

#include "core/CQuilleryDoc.h"
#include "store/Library.h"
#include "ui/common/DialogRunner.h"
#include "core/NameText.h"
#include "core/Prompter.h"
#include "ui/common/DialogGuard.h"
#include "ui/dialogs/FieldBytes.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <array>
#include <string_view>

namespace {

struct Texts {
    const char* title;
    const char* instruction;
    const char* firstLabel;
    const char* secondLabel;  // null: the second field is hidden
};

// Indexed by [kind - 1][adding ? 0 : 1].
constexpr std::array<std::array<Texts, 2>, 3> kTexts = {{
    {{{"Add a Person", "Enter new person's name:", "First Name:", "Last Name:"},
      {"Edit a Person", "Modify person's name:", "First Name:", "Last Name:"}}},
    {{{"Add an Event", "Enter description of new event:", "Event:", nullptr},
      {"Edit an Event", "Modify description of event:", "Event:", nullptr}}},
    {{{"Add a Location", "Enter new location information:", "City:", "State or Country:"},
      {"Edit a Location", "Modify location city/state:", "City:", "State or Country:"}}},
}};

constexpr std::string_view kSeparatorMessage =
    "Input cannot contain either | or ^ characters,\nPlease correct and reenter";
constexpr std::string_view kStateMessage = "State must be supplied";

std::string Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The part after "Last, " or "State, ". Names typed into a file by hand as
// "Smith,John" keep every letter: one blank after the comma is skipped, not any
// character that happens to stand there.
std::string AfterComma(const std::string& name, size_t comma)
{
    std::string_view after = std::string_view(name).substr(comma + 1);
    if (!after.empty() && after.front() == ' ') after.remove_prefix(1);
    return std::string(after);
}

}  // namespace

NameEntryDialog::NameEntryDialog(Library& library, NameKind kind, std::string initialName,
                                 Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      m_library(library),
      m_kind(kind),
      m_initialName(std::move(initialName)),
      m_prompter(prompter),
      m_instruction(new QLabel(this)),
      m_firstLabel(new QLabel(this)),
      m_firstField(new QLineEdit(this)),
      m_secondLabel(new QLabel(this)),
      m_secondField(new QLineEdit(this))
{
    auto* fields = new QGridLayout;
    fields->addWidget(m_firstLabel, 0, 0);
    fields->addWidget(m_firstField, 0, 1);
    fields->addWidget(m_secondLabel, 1, 0);
    fields->addWidget(m_secondField, 1, 1);
    m_firstLabel->setBuddy(m_firstField);
    m_secondLabel->setBuddy(m_secondField);
    m_firstField->setMinimumWidth(220);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &NameEntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NameEntryDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_instruction);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    SetTexts();
    if (!IsAdding()) FillFromInitialName();
    m_firstField->setFocus();
}

void NameEntryDialog::SetTexts()
{
    const Texts& texts = kTexts.at(static_cast<size_t>(m_kind) - 1).at(IsAdding() ? 0 : 1);
    setWindowTitle(QString::fromUtf8(texts.title));
    m_instruction->setText(QString::fromUtf8(texts.instruction));
    m_firstLabel->setText(QString::fromUtf8(texts.firstLabel));
    if (texts.secondLabel) {
        m_secondLabel->setText(QString::fromUtf8(texts.secondLabel));
    } else {
        m_secondLabel->hide();
        m_secondField->hide();
    }
}

void NameEntryDialog::FillFromInitialName()
{
    const std::string& name = m_initialName;
    const size_t comma = name.find(',');
    switch (m_kind) {
    case NameKind::Persons:
        if (comma != std::string::npos) {
            SetField(m_firstField, AfterComma(name, comma), m_firstOriginal);
            SetField(m_secondField, name.substr(0, comma), m_secondOriginal);
        } else if (name.front() == ' ') {
            SetField(m_firstField, Trimmed(name), m_firstOriginal);
        } else {
            SetField(m_secondField, Trimmed(name), m_secondOriginal);
        }
        break;
    case NameKind::Events:
        SetField(m_firstField, name, m_firstOriginal);
        break;
    case NameKind::Locations:
        if (comma != std::string::npos) {
            SetField(m_firstField, AfterComma(name, comma), m_firstOriginal);
            SetField(m_secondField, name.substr(0, comma), m_secondOriginal);
        } else {
            SetField(m_secondField, name, m_secondOriginal);
        }
        break;
    }
}

void NameEntryDialog::SetField(QLineEdit* field, std::string bytes, std::string& original)
{
    field->setText(ByteText::ToDisplay(bytes));
    original = std::move(bytes);
}

std::string NameEntryDialog::FieldText(const QLineEdit* field, const std::string& original) const
{
    if (field->isHidden()) return {};
    return FieldBytes(original, field->text());
}

void NameEntryDialog::accept()
{
    const std::string first = FieldText(m_firstField, m_firstOriginal);
    const std::string second = FieldText(m_secondField, m_secondOriginal);
    if (HasNameSeparator(first) || HasNameSeparator(second)) {
        m_prompter.Message(kSeparatorMessage);
        return;
    }
    // A city without its state or country stays in the dialog to be completed
    // rather than being thrown away with it.
    if (m_kind == NameKind::Locations && Trimmed(second).empty() && !Trimmed(first).empty()) {
        m_prompter.Message(kStateMessage);
        m_secondField->setFocus();
        return;
    }
    const std::string name = ComposeName(Trimmed(first), Trimmed(second));
    if (!name.empty()) Store(name);
    if (m_result.empty()) {
        reject();
        return;
    }
    m_library.MarkModified();
    QDialog::accept();
}

std::string NameEntryDialog::ComposeName(const std::string& first, const std::string& second)
{
    switch (m_kind) {
    case NameKind::Persons:
        return ComposePersonName(second, first);
    case NameKind::Events:
        return first;
    case NameKind::Locations:
        if (second.empty()) return {};
        return ComposeLocationName(second, first);
    }
    return {};
}

void NameEntryDialog::Store(const std::string& name)
{
    if (IsAdding()) {
        if (m_library.Catalog().FindName(m_kind, name) < 0) m_library.AddName(m_kind, name);
    } else if (const int id = m_library.Catalog().FindName(m_kind, m_initialName); id >= 0) {
        m_library.ReplaceName(m_kind, id, name);
    }
    m_result = name;
}

std::string NameEntryDialog::Run(DialogRunner& runner, Library& library, NameKind kind,
                                 const std::string& initialName, Prompter& prompter,
                                 QWidget* parent)
{
    DialogGuard<NameEntryDialog> dialog(library, kind, initialName, prompter, parent);
    const bool accepted = runner.Run(*dialog.get()) == QDialog::Accepted;
    return dialog && accepted ? dialog->Result() : std::string();
}
