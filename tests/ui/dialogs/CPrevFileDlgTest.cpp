#include "PhotoLibrary.h"

#include "ui/browse/CPrevFileDlg.h"
#include "ui/browse/PreviewStatic.h"

#include <QLabel>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace {

class CPrevFileDlgTest : public testing::Test {
protected:
    CPrevFileDlgTest() : m_dialog(QFileDialog::AcceptOpen, {}, {}, "Images (*.JPG *.PNG)") { m_dialog.show(); }

    PhotoLibrary m_library;
    CPrevFileDlg m_dialog;
};

}  // namespace

// A large JPEG is decoded scaled down yet reports the file's own size; what is no
// picture shows no image.
TEST_F(CPrevFileDlgTest, SizeIsThePicturesOwnOrNoImage)
{
    Q_EMIT m_dialog.currentChanged(QString::fromStdString(m_library.MakeImage("big.jpg", 2400, 1800)));
    EXPECT_EQ(m_dialog.SizeLabel()->text(), "2400 x 1800\nPixels");

    std::ofstream(m_library.File("notes.jpg")) << "not a picture";
    m_dialog.OnSelectionChanged(QString::fromStdString(m_library.File("notes.jpg")));
    EXPECT_EQ(m_dialog.SizeLabel()->text(), QStringLiteral("No Image"));
    EXPECT_FALSE(m_dialog.Preview()->LoadedPicture().HasPicture());
}

// Picture files written on Windows often end in capitals, others in small letters.
TEST_F(CPrevFileDlgTest, FiltersIgnoreTheCaseOfExtensions)
{
    for (const char* name : {"a.jpg", "b.JPG", "c.Png", "d.txt"}) std::ofstream(m_library.File(name)) << "x";
    m_dialog.setDirectory(QString::fromStdString(m_library.Directory()));
    auto* view = m_dialog.findChild<QListView*>("listView");
    ASSERT_NE(view, nullptr);
    QStringList shown;
    const auto listed = [&] {  // the folder is read in the background
        shown.clear();
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            if (const QString name = view->model()->index(row, 0, view->rootIndex()).data().toString(); name.contains('.'))
                shown << name;
        return shown.size() >= 3;
    };
    static_cast<void>(QTest::qWaitFor(listed, 5000));  // on time-out the comparison tells what was listed
    shown.sort();
    EXPECT_EQ(shown, QStringList({"a.jpg", "b.JPG", "c.Png"}));
}
