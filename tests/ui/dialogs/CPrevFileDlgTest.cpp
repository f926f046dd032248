#include "PhotoLibrary.h"

#include "ui/browse/CPrevFileDlg.h"
#include "ui/browse/PreviewStatic.h"

#include <QLabel>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

const QString kNoImage = QStringLiteral("No Image");

class CPrevFileDlgTest : public testing::Test {
protected:
    CPrevFileDlgTest() : m_dialog(QFileDialog::AcceptOpen, {}, {}, "Images (*.JPG *.PNG)") { m_dialog.show(); }

    QString SizeText() const { return m_dialog.SizeLabel()->text(); }
    QString Path(const std::string& name) const { return QString::fromStdString(m_library.File(name)); }
    void Select(const std::string& name) { m_dialog.OnSelectionChanged(Path(name)); }

    PhotoLibrary m_library;
    CPrevFileDlg m_dialog;
};

}  // namespace

// A large JPEG is decoded scaled down yet reports the file's own size; what is no
// picture shows no image.
TEST_F(CPrevFileDlgTest, SizeIsThePicturesOwnOrNoImage)
{
    m_library.MakeImage("big.jpg", 2400, 1800);
    Q_EMIT m_dialog.currentChanged(Path("big.jpg"));
    EXPECT_EQ(SizeText(), "2400 x 1800\nPixels");

    std::ofstream(m_library.File("notes.jpg")) << "not a picture";
    std::filesystem::create_directories(m_library.File("folder.jpg"));
    const std::string cut = m_library.MakeImage("cut.jpg", 400, 300);
    const std::string bytes = ReadBytes(cut);
    WriteBytes(cut, bytes.substr(0, bytes.size() / 3));
    for (const char* name : {"notes.jpg", "folder.jpg"}) {
        Select(name);
        EXPECT_EQ(SizeText(), kNoImage) << name;
        EXPECT_FALSE(m_dialog.Preview()->LoadedPicture().HasPicture()) << name;
    }
    // A decoder may show what it could read; it never reports more than the header says.
    Select("cut.jpg");
    EXPECT_TRUE(SizeText() == kNoImage || SizeText() == "400 x 300\nPixels");
}

// Picture files written on Windows often end in capitals, others in small letters.
TEST_F(CPrevFileDlgTest, FiltersIgnoreTheCaseOfExtensions)
{
    for (const char* name : {"a.jpg", "b.JPG", "c.Png", "d.txt"}) std::ofstream(m_library.File(name)) << "x";
    m_dialog.setDirectory(QString::fromStdString(m_library.Directory()));
    auto* view = m_dialog.findChild<QListView*>("listView");
    ASSERT_NE(view, nullptr);
    QStringList shown;
    // The folder is read in the background.
    static_cast<void>(QTest::qWaitFor([&] {
        shown.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            const QString name = view->model()->index(row, 0, root).data().toString();
            if (name.contains('.')) shown << name;
        }
        return shown.size() >= 3;
    }, 5000));  // on time-out the comparison below tells what was listed
    shown.sort();
    EXPECT_EQ(shown, QStringList({"a.jpg", "b.JPG", "c.Png"}));
}
