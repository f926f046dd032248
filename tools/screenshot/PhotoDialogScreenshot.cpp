// Opens the sample library in the main window, shows the photo dialog over it as
// "Add photo from file" does (a picture chosen, names selected, a name in use) and
// saves a screenshot of the whole screen; then shows the file-open dialog with its
// preview of the picture and saves a second one beside the first ("-file" added).
//
//   photo_dialog_screenshot BIN-FOLDER PICTURE out.png
//
// BIN-FOLDER holds Samples.pdb and its picture folders; they are copied to a
// temporary folder first, so the screenshot changes nothing there.

#include "imaging/Picture.h"
#include "ui/browse/CPrevFileDlg.h"
#include "ui/main/PhotoCommands.h"
#include "store/Library.h"
#include "store/PhotoAdder.h"
#include "store/ProfileSettings.h"
#include "store/RecentFileList.h"
#include "ui/browse/PhotoList.h"
#include "ui/common/DialogFileChooser.h"
#include "ui/common/QtPrompter.h"
#include "ui/dialogs/NameListItem.h"
#include "ui/dialogs/PhotoInfoDialog.h"
#include "ui/main/IconTheme.h"
#include "ui/common/ModalDialogRunner.h"
#include "ui/main/LibraryCommands.h"
#include "ui/main/MainFrame.h"
#include "SampleWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

void SelectName(QListWidget* list, const std::string& stored)
{
    for (int row = 0; row < list->count(); ++row) {
        if (NameListItem::Bytes(list->item(row)) == stored) list->item(row)->setSelected(true);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    int exitCode = 0;
    const auto sample = SampleWindow::ForArguments(argc, argv, 4, "photo_dialog_screenshot BIN-FOLDER PICTURE out.png", exitCode);
    if (!sample) return exitCode;
    SampleWindow& window = *sample;
    MainFrame& frame = window.Open();
    CommandContext& context = frame.Context();
    context.photoList.SetCurrentPhoto(&context.library.Catalog().PhotoAt(1));

    Picture picture;
    if (picture.LoadFile(argv[2]) != Picture::kOk) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 1;
    }
    PhotoDialogHost host{context.library, window.Prompter(), window.Settings(), window.Dialogs()};
    PhotoInfoDialog dialog(host, &picture, PhotoAdder::SuggestedName(argv[2]), nullptr, &frame);
    dialog.SetDateText("8/14/2021");
    dialog.NotesField()->setPlainText("The last evening of the holiday,\nfrom the terrace.");
    SelectName(dialog.List(NameKind::Persons), "Smith, John");
    SelectName(dialog.List(NameKind::Persons), "Smith, Mary");
    SelectName(dialog.List(NameKind::Events), "Summer holiday");
    SelectName(dialog.List(NameKind::Locations), "France, Provence");
    dialog.show();
    dialog.move(frame.geometry().center() - dialog.rect().center());

    const QString out = QString::fromLocal8Bit(argv[3]);
    const QFileInfo outInfo(out);
    const QString fileOut = outInfo.path() + "/" + outInfo.completeBaseName() + "-file.png";
    const QString pictureFile = QString::fromLocal8Bit(argv[2]);
    CPrevFileDlg fileDialog(QFileDialog::AcceptOpen, {}, {}, PhotoCommands::kImageFilter, &frame);
    int result = 0;
    const auto grab = [&result](const QString& path) {
        if (!QGuiApplication::primaryScreen()->grabWindow(0).save(path)) result = 1;
    };
    QTimer::singleShot(1500, [&] {
        grab(out);
        dialog.hide();
        fileDialog.setDirectory(QFileInfo(pictureFile).absolutePath());
        fileDialog.selectFile(pictureFile);
        fileDialog.show();
        fileDialog.OnSelectionChanged(QFileInfo(pictureFile).absoluteFilePath());
    });
    QTimer::singleShot(3500, [&] {
        grab(fileOut);
        application.quit();
    });
    application.exec();
    return result;
}
