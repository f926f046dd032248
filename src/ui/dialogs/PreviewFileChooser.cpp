#include "ui/dialogs/PreviewFileChooser.h"

#include "ui/browse/CPrevFileDlg.h"
#include "ui/common/DialogGuard.h"

#include <QDir>
#include <QFile>

std::optional<std::string> PreviewFileChooser::Choose(const FileRequest& request)
{
    const std::optional<QStringList> chosen = Run(request, Selection::One);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    return QFile::encodeName(chosen->constFirst()).toStdString();
}

std::optional<std::vector<std::string>> PreviewFileChooser::ChooseSeveral(const FileRequest& request)
{
    const std::optional<QStringList> chosen = Run(request, Selection::Several);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    std::vector<std::string> paths;
    for (const QString& path : *chosen) paths.push_back(QFile::encodeName(path).toStdString());
    return paths;
}

std::optional<QStringList> PreviewFileChooser::Run(const FileRequest& request, Selection selection)
{
    const auto mode = request.kind == FileDialogKind::Save ? QFileDialog::AcceptSave
                                                           : QFileDialog::AcceptOpen;
    DialogGuard<CPrevFileDlg> dialog(mode, QString::fromStdString(request.defaultSuffix),
                                     QFile::decodeName(request.fileName.c_str()),
                                     QString::fromStdString(request.filter), m_owner.data());
    if (!request.title.empty()) dialog->setWindowTitle(QString::fromStdString(request.title));
    const QString directory = QFile::decodeName(request.directory.c_str());
    if (!directory.isEmpty() && QDir(directory).exists()) dialog->setDirectory(directory);
    if (selection == Selection::Several && mode == QFileDialog::AcceptOpen) dialog->AllowSeveralFiles();

    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog || !accepted) return std::nullopt;
    return dialog->selectedFiles();
}
