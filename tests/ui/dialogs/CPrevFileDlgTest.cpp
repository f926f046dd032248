#include "PhotoLibrary.h"

#include "ui/browse/CPrevFileDlg.h"
#include "ui/browse/PreviewStatic.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QSignalSpy>

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

// A large JPEG is decoded scaled down yet reports the file's own size, as do long strips
// and a JPEG without its end-of-image marker; what is no picture, or lacks rows, shows
// no image.
TEST_F(CPrevFileDlgTest, SizeIsThePicturesOwnOrNoImage)
{
    const std::string big = ReadBytes(m_library.MakeImage("big.jpg", 2400, 1800));
    WriteBytes(m_library.File("no end marker.jpg"), big.substr(0, big.size() - 2));
    WriteBytes(m_library.File("cut.jpg"), big.substr(0, big.size() / 2));
    std::ofstream(m_library.File("notes.jpg")) << "not a picture";
    m_library.MakeImage("tall.png", 1, 10000);
    m_library.MakeImage("wide.png", 10000, 1);
    m_library.MakeImage("narrow.png", 10, 2000);
    const std::pair<const char*, const char*> cases[] = {
        {"big.jpg", "2400 x 1800\nPixels"},   {"no end marker.jpg", "2400 x 1800\nPixels"},
        {"tall.png", "1 x 10000\nPixels"},    {"wide.png", "10000 x 1\nPixels"},
        {"narrow.png", "10 x 2000\nPixels"},  {"cut.jpg", "No Image"},
        {"notes.jpg", "No Image"},
    };
    for (const auto& [name, size] : cases) {
        SCOPED_TRACE(name);
        m_dialog.OnSelectionChanged(QString::fromStdString(m_library.File(name)));
        EXPECT_EQ(m_dialog.SizeLabel()->text(), QString(size));
        EXPECT_EQ(m_dialog.Preview()->LoadedPicture().HasPicture(), QString(size) != "No Image");
    }
}

// Picture files written on Windows often end in capitals, others in small letters.
TEST_F(CPrevFileDlgTest, FiltersIgnoreTheCaseOfExtensions)
{
    for (const char* name : {"a.jpg", "b.JPG", "c.Png", "d.txt"}) std::ofstream(m_library.File(name)) << "x";
    auto* view = m_dialog.findChild<QListView*>("listView");
    ASSERT_NE(view, nullptr);
    auto* model = qobject_cast<QFileSystemModel*>(view->model());
    ASSERT_NE(model, nullptr);
    // The model reads the folder in a thread of its own and says when it has it all.
    const QString folder = QFileInfo(QString::fromStdString(m_library.Directory())).canonicalFilePath();
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    m_dialog.setDirectory(folder);
    const auto folderLoaded = [&] {
        for (const QList<QVariant>& arguments : loaded)
            if (QFileInfo(arguments.at(0).toString()).canonicalFilePath() == folder) return true;
        return false;
    };
    const QDeadlineTimer deadline(10000);
    while (!folderLoaded() && loaded.wait(static_cast<int>(deadline.remainingTime()))) {
    }
    ASSERT_TRUE(folderLoaded()) << "the folder was not read within 10 seconds";

    QStringList shown;
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row)
        if (const QString name = model->index(row, 0, view->rootIndex()).data().toString(); name.contains('.'))
            shown << name;
    shown.sort();
    EXPECT_EQ(shown, QStringList({"a.jpg", "b.JPG", "c.Png"}));
}

// The file list takes Ctrl- and Shift-clicks only once the caller asks for several
// files; a dialog for one file keeps to one.
TEST_F(CPrevFileDlgTest, SeveralFilesOnlyWhenAsked)
{
    auto* view = m_dialog.findChild<QListView*>("listView");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::SingleSelection);
    m_dialog.AllowSeveralFiles();
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::ExtendedSelection);
}
