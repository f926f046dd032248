// Opens the sample library in the main window, starts the picture show with every
// part of the text band chosen and saves a screenshot of the screen once the second
// photo is shown.
//
//   picture_show_screenshot BIN-FOLDER out.png
//
// BIN-FOLDER holds Samples.pdb and its picture folders; they are copied to a
// temporary folder first, so the screenshot changes nothing there.

#include "core/PhotoRecord.h"
#include "store/Library.h"
#include "store/ProfileSettings.h"
#include "store/RecentFileList.h"
#include "ui/browse/PhotoList.h"
#include "ui/common/DialogFileChooser.h"
#include "ui/common/ModalDialogRunner.h"
#include "ui/common/QtPrompter.h"
#include "ui/main/IconTheme.h"
#include "ui/main/LibraryCommands.h"
#include "ui/main/MainFrame.h"
#include "SampleWindow.h"
#include "ui/main/PictureShowCommands.h"
#include "ui/output/PictureShowWnd.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <filesystem>

namespace {

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    int exitCode = 0;
    const auto sample = SampleWindow::ForArguments(argc, argv, 3, "picture_show_screenshot BIN-FOLDER out.png", exitCode);
    if (!sample) return exitCode;
    SampleWindow& window = *sample;
    for (const char* key :
         {"PictureShowDate", "PictureShowPersons", "PictureShowEvents", "PictureShowNotes"})
        window.Settings().WriteInt(key, 1);
    window.Settings().WriteString("PictureDelay", "60");
    MainFrame& frame = window.Open();
    CommandContext& context = frame.Context();
    context.photoList.SetCurrentPhoto(context.photoList.PhotoAtRow(1));
    frame.Action(CommandId::PictureShow)->trigger();
    PictureShowWnd* show = frame.findChild<PictureShowCommands*>()->Show();
    if (show == nullptr) return 1;

    const QString out = QString::fromLocal8Bit(argv[2]);
    QObject::connect(show, &PictureShowWnd::stepped, &application, [&] {
        // A moment for the window system to put the window up before the screen is read.
        QTimer::singleShot(500, [&] {
            const bool saved = show->screen()->grabWindow(0).save(out);
            std::printf(
                "%s: %s, %s\n", argv[2],
                show->CurrentPhoto() != nullptr ? show->CurrentPhoto()->GetFileName().c_str() : "-",
                saved ? "saved" : "NOT saved");
            application.exit(saved ? 0 : 1);
        });
    });
    return application.exec();
}
