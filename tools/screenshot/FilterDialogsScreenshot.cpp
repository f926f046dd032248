// Opens the sample library in the main window and shows each filter dialog over it in
// turn, as the Filter menu does, saving a screenshot of the whole screen for each:
// out-date.png (a date typed wrong, with its message), out-persons.png (two names
// picked), out-events.png and out-locations.png.
//
//   filter_dialogs_screenshot BIN-FOLDER out
//
// BIN-FOLDER holds Samples.pdb and its picture folders; they are copied to a
// temporary folder first, so the screenshots change nothing there.

#include "store/Library.h"
#include "store/ProfileSettings.h"
#include "store/RecentFileList.h"
#include "ui/common/DialogFileChooser.h"
#include "ui/common/ModalDialogRunner.h"
#include "ui/common/QtPrompter.h"
#include "ui/dialogs/FilterDateDialog.h"
#include "ui/dialogs/FilterNamesDialog.h"
#include "ui/dialogs/NameListItem.h"
#include "ui/main/IconTheme.h"
#include "ui/main/LibraryCommands.h"
#include "ui/main/MainFrame.h"
#include "SampleWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

void Pick(QListWidget* list, std::initializer_list<const char*> names)
{
    for (int row = 0; row < list->count(); ++row) {
        for (const char* name : names) {
            if (NameListItem::Bytes(list->item(row)) == name) list->item(row)->setSelected(true);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    int exitCode = 0;
    const auto sample = SampleWindow::ForArguments(argc, argv, 3, "filter_dialogs_screenshot BIN-FOLDER out", exitCode);
    if (!sample) return exitCode;
    SampleWindow& window = *sample;
    MainFrame& frame = window.Open();
    const CQuilleryDoc& catalog = frame.Context().library.Catalog();

    // Each dialog is made, shown and grabbed in turn; the one before is gone by then.
    const QString out = QString::fromLocal8Bit(argv[2]);
    std::vector<std::pair<QString, std::function<std::unique_ptr<QDialog>()>>> shots;
    shots.emplace_back("date", [&frame] {
        auto dialog = std::make_unique<FilterDateDialog>(&frame);
        dialog->StartField()->setText(QStringLiteral("6/1999"));
        dialog->EndField()->setText(QStringLiteral("12-2021"));
        dialog->OkButton()->click();
        return std::unique_ptr<QDialog>(std::move(dialog));
    });
    const std::pair<const char*, NameKind> kinds[] = {
        {"persons", NameKind::Persons}, {"events", NameKind::Events}, {"locations", NameKind::Locations}};
    for (const auto& [name, kind] : kinds) {
        shots.emplace_back(name, [&frame, &catalog, kind = kind] {
            auto dialog = std::make_unique<FilterNamesDialog>(catalog, kind, &frame);
            if (kind == NameKind::Persons) Pick(dialog->List(), {"Smith, John", "Brown, Ann"});
            return std::unique_ptr<QDialog>(std::move(dialog));
        });
    }

    int result = 0;
    std::unique_ptr<QDialog> shown;
    size_t next = 0;
    std::function<void()> step = [&] {
        if (shown) {
            if (!QGuiApplication::primaryScreen()->grabWindow(0).save(out + "-" + shots[next - 1].first + ".png")) {
                result = 1;
            }
            shown.reset();
        }
        if (next == shots.size()) {
            application.quit();
            return;
        }
        shown = shots[next++].second();
        shown->show();
        shown->move(frame.geometry().center() - shown->rect().center());
        QTimer::singleShot(1000, step);
    };
    QTimer::singleShot(1000, step);
    application.exec();
    return result;
}
