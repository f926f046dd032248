#include "ui/output/PrintImageDialog.h"

#include "core/Prompter.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <filesystem>

namespace {

QString FromBytes(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A frame of radio buttons under its label; the buttons form one exclusive group of
// their own, so the sizes and the sources are two independent choices.
template <std::size_t N, typename Item>
QGroupBox* RadioFrame(QDialog& dialog, const char* title, const std::array<Item, N>& items,
                      std::array<QRadioButton*, N>& buttons, const char* objectPrefix)
{
    auto* frame = new QGroupBox(QString::fromLatin1(title), &dialog);
    auto* layout = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(frame);
    for (std::size_t i = 0; i < N; ++i) {
        buttons[i] = new QRadioButton(FromBytes(items[i].text), frame);
        buttons[i]->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(objectPrefix)).arg(i));
        group->addButton(buttons[i]);
        layout->addWidget(buttons[i]);
    }
    buttons.front()->setChecked(true);
    return frame;
}

} // namespace

PrintImageDialog::PrintImageDialog(std::string directory, std::string fileName, Prompter& prompter,
                                   QWidget* parent)
    : QDialog(parent), m_directory(std::move(directory)), m_fileName(std::move(fileName)),
      m_prompter(prompter), m_printSize(kSizes.front().inches)
{
    setWindowTitle(QStringLiteral("Print Setup"));

    auto* sizes = new QVBoxLayout;
    sizes->addWidget(new QLabel(QStringLiteral("Select best fit size to print:"), this));
    sizes->addWidget(RadioFrame(*this, "Print Sizes", kSizes, m_sizeButtons, "size"));
    auto* sources = new QVBoxLayout;
    sources->addWidget(new QLabel(QStringLiteral("Select picture source:"), this));
    sources->addWidget(RadioFrame(*this, "Picture sources:", kSources, m_sourceButtons, "source"));

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(sizes);
    layout->addLayout(sources);
    layout->addWidget(buttons, 0, Qt::AlignTop);
}

void PrintImageDialog::accept()
{
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        if (m_sizeButtons[i]->isChecked()) m_printSize = kSizes[i].inches;
    }
    std::string_view folder = kSources.front().folder;
    for (std::size_t i = 0; i < kSources.size(); ++i) {
        if (m_sourceButtons[i]->isChecked()) folder = kSources[i].folder;
    }
    m_picturePath = m_directory + "/" + std::string(folder) + "/" + m_fileName + ".jpg";
    std::error_code error;
    if (!std::filesystem::exists(m_picturePath, error)) {
        m_prompter.Message("Copy of picture file does not exist in " + std::string(folder) +
                           " subdirectory,\n Please select another source");
        return;
    }
    QDialog::accept();
}
