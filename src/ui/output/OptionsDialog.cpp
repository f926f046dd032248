#include "ui/output/OptionsDialog.h"

#include "core/Settings.h"
#include "ui/output/DecimalText.h"
#include "ui/output/NumberField.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using namespace SettingsKeys;

// Ranges that OK enforces, in the order the texts are written.
const std::array<OptionsDialog::NumberSpec, 7> kNumbers = {{
    {JPEG_FullScreenQuality, 50, 100},
    {JPEG_HighResQuality, 50, 100},
    {JPEG_OriginalQuality, 50, 100},
    {JPEG_ThumbnailQuality, 50, 100},
    {LeftMargin, 0, 50},
    {PictureDelay, 0, 60},
    {TopMargin, 0, 80},
}};

// The flags in the order they are written.
const std::array<IntKey, 8> kFlags = {
    ModifyHighResOnEdit, SaveHighResPictures, SaveOriginalPictures, PictureShowDate,
    PictureShowEvents,   PictureShowNotes,    QuilleryStartupSort,  PictureShowPersons,
};

QString ObjectName(std::string_view key)
{
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

const OptionsDialog::NumberSpec& SpecOf(const TextKey& key)
{
    for (const auto& spec : kNumbers) {
        if (spec.key.name == key.name) return spec;
    }
    return kNumbers.front();
}

}  // namespace

OptionsDialog::OptionsDialog(Settings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    setWindowTitle(QStringLiteral("Quillery Options"));

    auto* left = new QVBoxLayout;
    left->addWidget(FileUsageGroup());
    left->addWidget(QualityGroup());
    left->addWidget(StartupGroup());
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(MarginGroup());
    right->addWidget(PictureShowGroup());
    right->addWidget(EditingGroup());
    right->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionsDialog::reject);
    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(buttons);
    buttonColumn->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);
    layout->addLayout(buttonColumn);
}

QCheckBox* OptionsDialog::AddFlag(const IntKey& key, const char* label, QWidget* group)
{
    auto* box = new QCheckBox(QString::fromLatin1(label), group);
    box->setObjectName(ObjectName(key.name));
    box->setChecked(m_settings.GetInt(key.name, key.defaultValue) != 0);
    group->layout()->addWidget(box);
    return box;
}

NumberField* OptionsDialog::AddNumber(const TextKey& key, const char* label, QWidget* group)
{
    const NumberSpec& spec = SpecOf(key);
    auto* field = new NumberField(group);
    field->setObjectName(ObjectName(key.name));
    field->SetRange(spec.minimum, spec.maximum);
    field->SetText(QString::fromStdString(m_settings.GetString(key.name, key.defaultValue)));
    auto* caption = new QLabel(QString::fromLatin1(label), group);
    caption->setBuddy(field);
    static_cast<QFormLayout*>(group->layout())->addRow(caption, field);
    return field;
}

QGroupBox* OptionsDialog::FileUsageGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Picture File Usage"), this);
    new QVBoxLayout(group);
    AddFlag(SaveHighResPictures, "Save high resolution version of picture", group);
    AddFlag(SaveOriginalPictures, "Save original picture file", group);
    return group;
}

QGroupBox* OptionsDialog::QualityGroup()
{
    auto* group = new QGroupBox(QStringLiteral("JPEG picture quality/compression"), this);
    new QFormLayout(group);
    AddNumber(JPEG_ThumbnailQuality, "Thumbnail Pictures", group);
    AddNumber(JPEG_FullScreenQuality, "Full Screen Pictures", group);
    AddNumber(JPEG_HighResQuality, "High Resolution Pictures", group);
    AddNumber(JPEG_OriginalQuality, "Original Pictures", group);
    return group;
}

QGroupBox* OptionsDialog::StartupGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Quillery Startup"), this);
    new QVBoxLayout(group);
    AddFlag(QuilleryStartupSort, "Sort by Date", group);
    return group;
}

QGroupBox* OptionsDialog::MarginGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Printing margins (in 0.1\" units)"), this);
    new QFormLayout(group);
    AddNumber(TopMargin, "Top Margin", group);
    AddNumber(LeftMargin, "Left Margin", group);
    return group;
}

QGroupBox* OptionsDialog::PictureShowGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Picture Show Parameters"), this);
    new QFormLayout(group);
    AddNumber(PictureDelay, "Delay between pictures", group);
    AddFlag(PictureShowDate, "Show dates", group);
    AddFlag(PictureShowPersons, "Show persons", group);
    AddFlag(PictureShowEvents, "Show events/locations", group);
    AddFlag(PictureShowNotes, "Show notes", group);
    return group;
}

QGroupBox* OptionsDialog::EditingGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Picture Editing Options"), this);
    new QVBoxLayout(group);
    AddFlag(ModifyHighResOnEdit, "Update high resolution version ", group);
    return group;
}

QCheckBox* OptionsDialog::FlagBox(std::string_view key) const
{
    return findChild<QCheckBox*>(ObjectName(key));
}

NumberField* OptionsDialog::NumberBox(std::string_view key) const
{
    return findChild<NumberField*>(ObjectName(key));
}

void OptionsDialog::accept()
{
    WriteFlags();
    WriteNumbers();
    QDialog::accept();
}

void OptionsDialog::WriteFlags()
{
    for (const IntKey& key : kFlags) {
        m_settings.WriteInt(key.name, FlagBox(key.name)->isChecked() ? 1 : 0);
    }
}

void OptionsDialog::WriteNumbers()
{
    for (const NumberSpec& spec : kNumbers) {
        const std::string typed = NumberBox(spec.key.name)->Text().toStdString();
        m_settings.WriteString(spec.key.name, DecimalText::Clamp(typed, spec.minimum, spec.maximum));
    }
}
