#include "ui/browse/CPrevFileDlg.h"

#include "ui/browse/PreviewStatic.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <array>

namespace {

// The preview area of 128 x 85 dialog units in "MS Sans Serif" 8.
constexpr QSize kPreviewSize(192, 138);

}  // namespace

CPrevFileDlg::CPrevFileDlg(AcceptMode mode, const QString& defaultSuffix, const QString& fileName,
                           const QString& filter, QWidget* parent)
    : QFileDialog(parent)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(mode);
    setFileMode(mode == AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    setDefaultSuffix(defaultSuffix);
    setNameFilter(filter);
    if (!fileName.isEmpty()) selectFile(fileName);

    // The non-native dialog lays its controls out on a grid; the panel takes a
    // column of its own on the right, over all rows.
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        grid->addWidget(MakePanel(), 0, grid->columnCount(), grid->rowCount(), 1);
    }
    NameViews();
    // Room for the file list beside the panel.
    resize(820, 480);
    connect(this, &QFileDialog::currentChanged, this, &CPrevFileDlg::OnSelectionChanged);
    connect(this, &QFileDialog::directoryEntered, this, [this] { OnFolderChanged(); });
    connect(m_previewCheck, &QCheckBox::clicked, this, &CPrevFileDlg::OnPreviewClicked);
}

void CPrevFileDlg::AllowSeveralFiles()
{
    setFileMode(QFileDialog::ExistingFiles);
}

QWidget* CPrevFileDlg::MakePanel()
{
    auto* panel = new QWidget(this);
    m_previewCheck = new QCheckBox(tr("&Preview"), panel);
    m_previewCheck->setChecked(m_previewOn);
    m_preview = new PreviewStatic(panel);
    m_preview->setFixedSize(kPreviewSize);
    m_sizeText = new QLabel(panel);
    m_sizeText->setAlignment(Qt::AlignCenter);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_previewCheck);
    column->addWidget(m_preview);
    column->addWidget(m_sizeText);
    column->addStretch();
    UpdateSizeText();
    return panel;
}

void CPrevFileDlg::NameViews()
{
    // Qt's own file dialog leaves its lists without names for a screen reader.
    struct View {
        const char* objectName;
        const char* name;
        const char* description;
    };
    constexpr std::array<View, 3> kViews = {{
        {"sidebar", "Places", "Folders to go to at once"},
        {"listView", "Files", "The files and folders of the folder shown"},
        {"treeView", "Files", "The files and folders of the folder shown, with their details"},
    }};
    for (const View& view : kViews) {
        auto* widget = findChild<QAbstractItemView*>(QString::fromLatin1(view.objectName));
        if (widget == nullptr) continue;
        if (widget->accessibleName().isEmpty()) widget->setAccessibleName(QString::fromLatin1(view.name));
        if (widget->accessibleDescription().isEmpty()) {
            widget->setAccessibleDescription(QString::fromLatin1(view.description));
        }
    }
    m_sizeText->setAccessibleDescription(QStringLiteral("The selected picture's size in pixels"));
}

void CPrevFileDlg::OnSelectionChanged(const QString& path)
{
    m_selection = path;
    RefreshPreview();
}

void CPrevFileDlg::OnFolderChanged()
{
    m_selection.clear();
    m_preview->ClearPreview();
    m_preview->update();
    UpdateSizeText();
}

void CPrevFileDlg::OnPreviewClicked(bool checked)
{
    m_previewOn = checked;
    RefreshPreview();
}

void CPrevFileDlg::RefreshPreview()
{
    if (m_previewOn) {
        ShowSelection();
    } else {
        m_preview->ClearPreview();
        m_preview->update();
    }
    UpdateSizeText();
}

void CPrevFileDlg::ShowSelection()
{
    m_preview->ShowFile(QFile::encodeName(m_selection).toStdString());
}

void CPrevFileDlg::UpdateSizeText()
{
    m_sizeText->setText(PreviewStatic::SizeText(m_preview->ImageSize()));
}
