#include "PhotoLibrary.h"

#include "ui/browse/CPrevFileDlg.h"
#include "ui/browse/PreviewStatic.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListView>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class CPrevFileDlgTest : public testing::Test {
protected:
    CPrevFileDlgTest() : m_dialog(QFileDialog::AcceptOpen, {}, {}, "Images (*.JPG *.PNG)")
    {
        m_dialog.show();
    }

    QString SizeText() const { return m_dialog.SizeLabel()->text(); }
    QRect Inner() const { return m_dialog.Preview()->contentsRect().adjusted(1, 1, -1, -1); }
    QString Path(const std::string& name) const { return QString::fromStdString(m_library.File(name)); }

    PhotoLibrary m_library;
    CPrevFileDlg m_dialog;
};

TEST_F(CPrevFileDlgTest, OpensWithPreviewOnAndNoImage)
{
    EXPECT_TRUE(m_dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_TRUE(m_dialog.PreviewOn());
    EXPECT_TRUE(m_dialog.PreviewCheck()->isChecked());
    EXPECT_EQ(m_dialog.PreviewCheck()->text(), "&Preview");
    EXPECT_EQ(SizeText(), "No Image");
    EXPECT_TRUE(m_dialog.Preview()->isVisible());
}

TEST_F(CPrevFileDlgTest, LargeJpegIsDecodedScaledAndReportsItsOwnSize)
{
    m_library.MakeImage("big.jpg", 2400, 1800);
    Q_EMIT m_dialog.currentChanged(Path("big.jpg"));

    EXPECT_EQ(SizeText(), "2400 x 1800\nPixels");
    const PreviewStatic& preview = *m_dialog.Preview();
    EXPECT_EQ(preview.ImageSize(), QSize(2400, 1800));
    // Decoded at 1/8, the smallest scale that still covers the area.
    EXPECT_EQ(preview.LoadedPicture().GetSize(), QSize(300, 225));
    const QSize shown = preview.DisplayPicture().GetSize();
    EXPECT_TRUE(shown.width() == Inner().width() || shown.height() == Inner().height());
    EXPECT_LE(shown.width(), Inner().width());
    EXPECT_LE(shown.height(), Inner().height());
}

TEST_F(CPrevFileDlgTest, SmallPictureIsEnlargedToFitButKeepsItsSizeText)
{
    m_library.MakeImage("small.png", 64, 48);
    m_dialog.OnSelectionChanged(Path("small.png"));
    EXPECT_EQ(SizeText(), "64 x 48\nPixels");
    const QSize shown = m_dialog.Preview()->DisplayPicture().GetSize();
    EXPECT_GT(shown.width(), 64);
    EXPECT_TRUE(shown.width() == Inner().width() || shown.height() == Inner().height());
}

TEST_F(CPrevFileDlgTest, FileThatIsNoPictureShowsTheNoImageBitmap)
{
    std::ofstream(m_library.File("notes.jpg")) << "not a picture";
    m_dialog.OnSelectionChanged(Path("notes.jpg"));
    EXPECT_EQ(SizeText(), "No Image");
    EXPECT_TRUE(m_dialog.Preview()->DisplayPicture().HasPicture());
    EXPECT_EQ(m_dialog.Preview()->DisplayPicture().GetSize(), QSize(65, 72));
    EXPECT_FALSE(m_dialog.Preview()->LoadedPicture().HasPicture());
}

TEST_F(CPrevFileDlgTest, TruncatedJpegShowsNoImageWithoutCrashing)
{
    const std::string path = m_library.MakeImage("cut.jpg", 400, 300);
    std::string bytes = PhotoLibrary::ReadFile(path);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() / 3);
    m_dialog.OnSelectionChanged(QString::fromStdString(path));
    // A decoder may show what it could read; it never reports more than the header says.
    EXPECT_TRUE(SizeText() == "No Image" || SizeText() == "400 x 300\nPixels");
}

TEST_F(CPrevFileDlgTest, SelectedFolderShowsNoImage)
{
    std::filesystem::create_directories(m_library.File("folder.jpg"));
    m_dialog.OnSelectionChanged(Path("folder.jpg"));
    EXPECT_EQ(SizeText(), "No Image");
    m_dialog.OnSelectionChanged(QString());
    EXPECT_EQ(SizeText(), "No Image");
}

TEST_F(CPrevFileDlgTest, ChangingFoldersDropsThePreview)
{
    m_library.MakeImage("a.png", 320, 240);
    m_dialog.OnSelectionChanged(Path("a.png"));
    ASSERT_EQ(SizeText(), "320 x 240\nPixels");
    Q_EMIT m_dialog.directoryEntered(QString::fromStdString(m_library.Directory()));
    EXPECT_EQ(SizeText(), "No Image");
    EXPECT_FALSE(m_dialog.Preview()->DisplayPicture().HasPicture());
}

TEST_F(CPrevFileDlgTest, UncheckingDropsThePreviewAndCheckingShowsTheSelectionAgain)
{
    m_library.MakeImage("a.png", 320, 240);
    m_dialog.OnSelectionChanged(Path("a.png"));
    m_dialog.PreviewCheck()->click();
    EXPECT_FALSE(m_dialog.PreviewOn());
    EXPECT_EQ(SizeText(), "No Image");
    EXPECT_FALSE(m_dialog.Preview()->DisplayPicture().HasPicture());

    m_library.MakeImage("b.png", 200, 100);
    m_dialog.OnSelectionChanged(Path("b.png"));
    EXPECT_EQ(SizeText(), "No Image");

    m_dialog.PreviewCheck()->click();
    EXPECT_TRUE(m_dialog.PreviewOn());
    EXPECT_EQ(SizeText(), "200 x 100\nPixels");
}

// Picture files written on Windows often end in capitals, others in small letters;
// the filters of the dialog list both.
TEST_F(CPrevFileDlgTest, FiltersIgnoreTheCaseOfExtensions)
{
    for (const char* name : {"a.jpg", "b.JPG", "c.Png", "d.txt"}) std::ofstream(m_library.File(name)) << "x";
    m_dialog.setDirectory(QString::fromStdString(m_library.Directory()));
    auto* view = m_dialog.findChild<QListView*>("listView");
    ASSERT_NE(view, nullptr);
    QStringList shown;
    // The folder is read in the background; give it a moment, but never depend on how long.
    for (int round = 0; round < 200 && shown.size() < 3; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 25);
        shown.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            const QString name = view->model()->index(row, 0, root).data().toString();
            if (name.contains('.')) shown << name;
        }
    }
    shown.sort();
    EXPECT_EQ(shown, QStringList({"a.jpg", "b.JPG", "c.Png"}));
}

TEST(PreviewStatic, SizeText)
{
    EXPECT_EQ(PreviewStatic::SizeText(QSize(0, 0)), "No Image");
    EXPECT_EQ(PreviewStatic::SizeText(QSize(640, 0)), "No Image");
    EXPECT_EQ(PreviewStatic::SizeText(QSize(0, 480)), "No Image");
    EXPECT_EQ(PreviewStatic::SizeText(QSize(640, 480)), "640 x 480\nPixels");
    EXPECT_EQ(PreviewStatic::SizeText(QSize(1, 1)), "1 x 1\nPixels");
}

TEST(PreviewStatic, PaintsThePictureCentredOnWhite)
{
    PhotoLibrary library;
    library.MakeImage("wide.png", 400, 100);
    PreviewStatic preview;
    preview.setFixedSize(192, 138);
    preview.show();
    ASSERT_TRUE(preview.ShowFile(library.File("wide.png")));
    const QImage shot = preview.grab().toImage();
    const QRect inner = preview.contentsRect().adjusted(1, 1, -1, -1);
    // Above and below the 4:1 picture the area stays white.
    EXPECT_EQ(shot.pixelColor(inner.center().x(), inner.top() + 2), QColor(Qt::white));
    EXPECT_NE(shot.pixelColor(inner.center().x(), inner.center().y()), QColor(Qt::white));
}

}  // namespace
