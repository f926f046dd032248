#include "ui/common/DialogFileChooser.h"

#include "ui/common/DialogGuard.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

std::optional<std::string> DialogFileChooser::Choose(const FileRequest& request)
{
    DialogGuard<QFileDialog> dialog(m_owner.data(), QString::fromStdString(request.title));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setNameFilter(QString::fromStdString(request.filter));
    dialog->setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    const QString directory = QFile::decodeName(request.directory.c_str());
    if (!directory.isEmpty() && QDir(directory).exists()) dialog->setDirectory(directory);
    if (!request.fileName.empty()) dialog->selectFile(QFile::decodeName(request.fileName.c_str()));

    if (request.kind == FileDialogKind::Save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setOption(QFileDialog::DontConfirmOverwrite,
                          !HasFlag(request.flags, FileFlag::ConfirmOverwrite));
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(HasFlag(request.flags, FileFlag::MustExist) ? QFileDialog::ExistingFile
                                                                        : QFileDialog::AnyFile);
    }

    const bool accepted = dialog->exec() == QDialog::Accepted;
    std::optional<std::string> chosen;
    if (dialog && accepted && !dialog->selectedFiles().isEmpty()) {
        chosen = QFile::encodeName(dialog->selectedFiles().constFirst()).toStdString();
    }
    return chosen;
}
