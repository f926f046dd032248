#include "TempDir.h"

#include "ui/common/DialogFileChooser.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Runs `answer` on the file dialog once it is up, as a person would act on it.
static void WhenShown(std::function<void(QFileDialog&)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

TEST(DialogFileChooser, DialogsFollowTheRequest)
{
    TempDir dir;
    FileRequest request{.kind = FileDialogKind::Open, .title = {}, .filter = "Photo Databases (*.pdb *.PDB)",
                        .defaultSuffix = "pdb", .directory = dir.Path().string(), .fileName = {},
                        .flags = FileFlag::MustExist};
    DialogFileChooser chooser;
    WhenShown([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("Photo Databases (*.pdb *.PDB)")});
        EXPECT_EQ(dialog.directory().absolutePath(), QString::fromStdString(dir.Path().string()));
        dialog.reject();
    });
    EXPECT_FALSE(chooser.Choose(request).has_value());

    request.kind = FileDialogKind::Save;
    request.flags = FileFlag::ConfirmOverwrite;
    WhenShown([&](QFileDialog& dialog) {
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        dialog.selectFile(QString::fromStdString(dir.File("Copy")));
        static_cast<QDialog&>(dialog).accept();  // as the Save button does
    });
    EXPECT_EQ(chooser.Choose(request), dir.File("Copy.pdb")) << "the default suffix is added";
}
