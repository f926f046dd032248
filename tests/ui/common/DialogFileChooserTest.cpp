#include "TempDir.h"

#include "ui/common/DialogFileChooser.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `answer` on the file dialog once it is up, as a person would act on it.
void WhenShown(std::function<void(QFileDialog&)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

}  // namespace

TEST(DialogFileChooser, DialogsFollowTheRequest)
{
    TempDir dir;
    FileRequest request;
    request.kind = FileDialogKind::Open;
    request.filter = "Photo Databases (*.pdb *.PDB)";
    request.defaultSuffix = "pdb";
    request.directory = dir.Path().string();
    request.flags = FileFlag::MustExist;
    DialogFileChooser chooser;
    WhenShown([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("Photo Databases (*.pdb *.PDB)")});
        EXPECT_EQ(dialog.directory().absolutePath(), QString::fromStdString(dir.Path().string()));
        dialog.reject();
    });
    EXPECT_FALSE(chooser.Choose(request).has_value());

    request.kind = FileDialogKind::Save;
    request.fileName = "Family.pdb";
    request.flags = FileFlag::ConfirmOverwrite;
    WhenShown([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        dialog.selectFile(QString::fromStdString(dir.File("Copy")));
        static_cast<QDialog&>(dialog).accept();  // as the Save button does
    });
    const std::optional<std::string> chosen = chooser.Choose(request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, dir.File("Copy.pdb")) << "the default suffix is added";
}
