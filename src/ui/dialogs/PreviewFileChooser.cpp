#include "ui/dialogs/PreviewFileChooser.h"

#include "ui/browse/CPrevFileDlg.h"
#include "ui/common/DialogGuard.h"

#include <QDir>
#include <QFile>

std::optional<std::string> PreviewFileChooser::Choose(const FileRequest& request)
{
    const auto mode = request.kind == FileDialogKind::Save ? QFileDialog::AcceptSave
                                                           : QFileDialog::AcceptOpen;
    DialogGuard<CPrevFileDlg> dialog(mode, QString::fromStdString(request.defaultSuffix),
                                     QFile::decodeName(request.fileName.c_str()),
                                     QString::fromStdString(request.filter), m_owner.data());
    if (!request.title.empty()) dialog->setWindowTitle(QString::fromStdString(request.title));
    const QString directory = QFile::decodeName(request.directory.c_str());
    if (!directory.isEmpty() && QDir(directory).exists()) dialog->setDirectory(directory);

    const bool accepted = dialog->exec() == QDialog::Accepted;
    std::optional<std::string> chosen;
    if (dialog && accepted && !dialog->selectedFiles().isEmpty()) {
        chosen = QFile::encodeName(dialog->selectedFiles().constFirst()).toStdString();
    }
    return chosen;
}
