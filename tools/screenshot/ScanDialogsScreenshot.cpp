// Opens the sample library in the main window and shows the scanner's dialogs over it,
// as TWAIN Setup and Add photo via scanner do, saving a screenshot of the whole screen
// for each: out-select-source.png (the scanners found) and out-scanner-options.png (the
// scan window with the source's options after a preview).
//
//   scan_dialogs_screenshot BIN-FOLDER out
//
// The scanner is whatever SANE finds; scripts/scan-dialogs-screenshot.sh points SANE at
// its "test" backend so the pictures never depend on the machine's scanners.

#include "ui/dialogs/PhotoDialogHost.h"
#include "ui/main/CommandContext.h"
#include "ui/main/MainFrame.h"
#include "ui/scan/DeviceOptionsDialog.h"
#include "ui/scan/ScanWorker.h"
#include "ui/scan/SelectSourceDialog.h"
#include "ui/scan/TwainScanDialog.h"
#include "SampleWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

// A moment for the window system to put the windows up before the screen is read.
constexpr int kSettleMs = 700;

bool Grab(const QString& file)
{
    const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).save(file);
    std::printf("%s: %s\n", qPrintable(file), saved ? "saved" : "NOT saved");
    return saved;
}

void Centre(QWidget& dialog, const QWidget& over)
{
    dialog.adjustSize();
    dialog.move(over.geometry().center() - dialog.rect().center());
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    int exitCode = 0;
    const auto sample = SampleWindow::ForArguments(argc, argv, 3, "scan_dialogs_screenshot BIN-FOLDER out", exitCode);
    if (!sample) return exitCode;
    SampleWindow& window = *sample;
    MainFrame& frame = window.Open();
    CommandContext& context = frame.Context();
    const QString out = QString::fromLocal8Bit(argv[2]);
    int result = 0;

    ScanWorker worker;
    SelectSourceDialog select(worker, ScanSource{}, &frame);
    PhotoDialogHost host{context.library, context.prompter, context.settings, context.dialogs};
    std::unique_ptr<TwainScanDialog> scan;

    QObject::connect(&select, &SelectSourceDialog::devicesShown, &application, [&] {
        Centre(select, frame);
        QTimer::singleShot(kSettleMs, [&] {
            if (!Grab(out + "-select-source.png")) result = 1;
            select.close();
            scan = std::make_unique<TwainScanDialog>(host, select.Chosen(), &frame);
            QObject::connect(scan.get(), &TwainScanDialog::sourceEnabled, &application, [&] {
                DeviceOptionsDialog* options = scan->SourceInterface();
                Centre(*options, frame);
                scan->move(options->geometry().topLeft() - QPoint(scan->width() + 16, 0));
                for (QPushButton* button : options->findChildren<QPushButton*>()) {
                    if (button->text() == QStringLiteral("&Preview")) button->click();
                }
            });
            QObject::connect(scan.get(), &TwainScanDialog::imageHandled, &application, [&] {
                QTimer::singleShot(kSettleMs, [&] {
                    if (!Grab(out + "-scanner-options.png")) result = 1;
                    scan.reset();
                    application.exit(result);
                });
            });
            scan->show();
        });
    });
    select.show();
    // Without a scanner nothing above ever answers; the program ends regardless.
    QTimer::singleShot(60000, &application, [&] { application.exit(1); });
    return application.exec();
}
