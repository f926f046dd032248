#include "PhotoLibrary.h"

#include "ui/browse/CPrevFileDlg.h"
#include "ui/browse/PreviewStatic.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class CPrevFileDlgTest : public testing::Test {
protected:
    CPrevFileDlgTest() : m_dialog(QFileDialog::AcceptOpen, {}, {}, "Images (*.JPG *.PNG)") { m_dialog.show(); }

    QString SizeText() const { return m_dialog.SizeLabel()->text(); }
    QSize Shown() const { return m_dialog.Preview()->DisplayPicture().GetSize(); }
    // The shown picture fills the preview area in one direction and fits in the other.
    void ExpectFitted() const
    {
        const QRect inner = m_dialog.Preview()->contentsRect().adjusted(1, 1, -1, -1);
        EXPECT_TRUE(Shown().width() == inner.width() || Shown().height() == inner.height()) << Shown().width();
        EXPECT_LE(Shown().width(), inner.width());
        EXPECT_LE(Shown().height(), inner.height());
    }
    void Select(const std::string& name) { m_dialog.OnSelectionChanged(QString::fromStdString(m_library.File(name))); }

    PhotoLibrary m_library;
    CPrevFileDlg m_dialog;
};

}  // namespace

TEST_F(CPrevFileDlgTest, LargeJpegIsDecodedScaledAndReportsItsOwnSize)
{
    m_library.MakeImage("big.jpg", 2400, 1800);
    Q_EMIT m_dialog.currentChanged(QString::fromStdString(m_library.File("big.jpg")));
    EXPECT_EQ(SizeText(), "2400 x 1800\nPixels");
    EXPECT_EQ(m_dialog.Preview()->ImageSize(), QSize(2400, 1800));
    // Decoded at 1/8, the smallest scale that still covers the area.
    EXPECT_EQ(m_dialog.Preview()->LoadedPicture().GetSize(), QSize(300, 225));
    ExpectFitted();

    m_library.MakeImage("small.png", 64, 48);
    Select("small.png");
    EXPECT_EQ(SizeText(), "64 x 48\nPixels");
    EXPECT_GT(Shown().width(), 64) << "enlarged to fit";
    ExpectFitted();
}

TEST_F(CPrevFileDlgTest, WhatIsNoPictureShowsNoImage)
{
    std::ofstream(m_library.File("notes.jpg")) << "not a picture";
    std::filesystem::create_directories(m_library.File("folder.jpg"));
    const std::string cut = m_library.MakeImage("cut.jpg", 400, 300);
    const std::string bytes = ReadBytes(cut);
    std::ofstream(cut, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() / 3);

    Select("notes.jpg");
    EXPECT_EQ(SizeText(), "No Image");
    EXPECT_FALSE(m_dialog.Preview()->LoadedPicture().HasPicture());
    Select("folder.jpg");
    EXPECT_EQ(SizeText(), "No Image");
    // A decoder may show what it could read; it never reports more than the header says.
    Select("cut.jpg");
    EXPECT_TRUE(SizeText() == "No Image" || SizeText() == "400 x 300\nPixels");
}

TEST_F(CPrevFileDlgTest, ChangingFoldersOrUncheckingDropsThePreview)
{
    m_library.MakeImage("a.png", 320, 240);
    m_library.MakeImage("b.png", 200, 100);
    Select("a.png");
    ASSERT_EQ(SizeText(), "320 x 240\nPixels");
    Q_EMIT m_dialog.directoryEntered(QString::fromStdString(m_library.Directory()));
    EXPECT_EQ(SizeText(), "No Image");
    EXPECT_FALSE(m_dialog.Preview()->DisplayPicture().HasPicture());

    Select("a.png");
    m_dialog.PreviewCheck()->click();
    EXPECT_FALSE(m_dialog.Preview()->DisplayPicture().HasPicture());
    Select("b.png");
    EXPECT_EQ(SizeText(), "No Image");
    m_dialog.PreviewCheck()->click();
    EXPECT_EQ(SizeText(), "200 x 100\nPixels") << "checked again, the selection shows";
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
