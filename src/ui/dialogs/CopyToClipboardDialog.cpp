#include "ui/dialogs/CopyToClipboardDialog.h"

#include "core/PhotoRecord.h"
#include "core/Prompter.h"
#include "imaging/Picture.h"
#include "store/Library.h"
#include "store/PictureStore.h"
#include "ui/browse/PictureView.h"
#include "ui/dialogs/ClipboardPicture.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString FromBytes(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CopyToClipboardDialog::CopyToClipboardDialog(const Library& library,
                                             const PictureView& pictureView, Prompter& prompter,
                                             QWidget* parent)
    : QDialog(parent), m_library(library), m_pictureView(pictureView), m_prompter(prompter)
{
    setWindowTitle(QStringLiteral("Copy to Clipboard"));

    auto* sizes = new QGroupBox(QStringLiteral("Sizes:"), this);
    auto* sizeLayout = new QVBoxLayout(sizes);
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        m_buttons[i] = new QRadioButton(FromBytes(kSizes[i].text), sizes);
        m_buttons[i]->setObjectName(QStringLiteral("size%1").arg(kSizes[i].id));
        sizeLayout->addWidget(m_buttons[i]);
    }
    m_buttons.front()->setChecked(true);

    auto* left = new QVBoxLayout;
    left->addWidget(
        new QLabel(QStringLiteral("Select best fit size of image\n to copy to clipboard:"), this));
    left->addWidget(sizes);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                         Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(buttons, 0, Qt::AlignTop);
}

QRadioButton* CopyToClipboardDialog::SizeButton(int id) const
{
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        if (kSizes[i].id == id) return m_buttons[i];
    }
    return nullptr;
}

const CopyToClipboardDialog::Size& CopyToClipboardDialog::CheckedSize() const
{
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        if (m_buttons[i]->isChecked()) return kSizes[i];
    }
    return kSizes.front();
}

void CopyToClipboardDialog::accept()
{
    const PhotoRecord* photo = m_pictureView.PhotoShown();
    if (photo == nullptr) {
        m_prompter.Message(kNoPhoto);
        reject();
        return;
    }
    const Size& box = CheckedSize();
    const std::string path = PictureStore::VersionPath(
        m_library.Directory(), PictureStore::Version::FullScreen, photo->GetFileName());
    Picture picture;
    picture.LoadFile(path);
    // Copying nothing without a word would leave the user pasting an old picture.
    if (!picture.HasPicture() || picture.FitInto(box.width, box.height) != Picture::kOk) {
        m_prompter.Message("Unable to read the full screen picture " + path +
                           "\nNothing was copied to the clipboard");
        reject();
        return;
    }
    std::unique_ptr<QMimeData> forms = ClipboardPicture::MimeData(picture);
    if (!forms) {
        m_prompter.Message("Unable to copy the picture to the clipboard");
        reject();
        return;
    }
    // The clipboard owns the data from here, and keeps offering it after the dialog
    // has gone, for as long as the program runs.
    QGuiApplication::clipboard()->setMimeData(forms.release());
    QDialog::accept();
}
