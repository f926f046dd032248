#include "BrowseLibrary.h"

#include "MemorySettings.h"
#include "ui/browse/PhotoList.h"
#include "ui/browse/PhotoListModel.h"
#include "ui/browse/PhotoRowDelegate.h"
#include "ui/browse/ThumbnailCache.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Records every photo announced as current.
struct CurrentPhotoRecorder {
    explicit CurrentPhotoRecorder(PhotoList& list)
    {
        QObject::connect(&list, &PhotoList::currentPhotoChanged,
                         [this](PhotoRecord* photo) { announced.push_back(photo); });
    }
    std::vector<PhotoRecord*> announced;
};

class PhotoListTest : public testing::Test {
protected:
    PhotoListTest()
    {
        m_list.SetCatalog(&m_library.Catalog());
        m_list.SetSettings(&m_settings);
        m_list.SetLibraryDirectory(m_library.Directory());
        m_list.resize(1100, 600);
    }

    std::vector<std::string> RowNames() const
    {
        std::vector<std::string> names;
        for (int row = 0; row < m_list.RowCount(); ++row) names.push_back(m_list.PhotoAtRow(row)->GetFileName());
        return names;
    }

    QPoint RowCentre(int row) const
    {
        return m_list.visualRect(m_list.model()->index(row, 2)).center();
    }

    void Click(int row) { QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, RowCentre(row)); }

    // Three photos in catalog order: old, new, middle.
    void AddThree()
    {
        m_library.Add("old", 3, 1, 1990, {"Smith, John"});
        m_library.Add("new", 5, 9, 2012);
        m_library.Add("middle", 0, 0, 2001, {"Brown, Ann"});
    }

    BrowseLibrary m_library;
    MemorySettings m_settings;
    PhotoList m_list;
};

} // namespace

TEST_F(PhotoListTest, ColumnsHaveTheirHeadingsAndWidths)
{
    const std::vector<std::pair<QString, int>> expected{{"Picture", 152}, {"Date", 70},
                                                        {"Persons", 150}, {"Events", 150},
                                                        {"Locations", 150}, {"Notes", 250},
                                                        {"Filename", 150}};
    ASSERT_EQ(m_list.model()->columnCount(), 7);
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(m_list.model()->headerData(column, Qt::Horizontal).toString(),
                  expected[static_cast<size_t>(column)].first);
        EXPECT_EQ(m_list.horizontalHeader()->sectionSize(column),
                  expected[static_cast<size_t>(column)].second);
    }
    const auto alignment = m_list.model()->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole);
    EXPECT_TRUE(alignment.value<Qt::Alignment>() & Qt::AlignHCenter);
}

TEST_F(PhotoListTest, EmptyCatalogGivesNoRowsAndClicksDoNothing)
{
    CurrentPhotoRecorder changed(m_list);
    QSignalSpy edit(&m_list, &PhotoList::editPhotoRequested);
    m_list.FillFromCatalog();
    EXPECT_EQ(m_list.RowCount(), 0);
    EXPECT_EQ(m_list.CurrentPhoto(), nullptr);
    changed.announced.clear();
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseDClick(m_list.viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(changed.announced.size(), 0u);
    EXPECT_EQ(edit.count(), 0);
}

TEST_F(PhotoListTest, FillKeepsCatalogOrderAndClearsTheCurrentPhoto)
{
    AddThree();
    m_list.FillFromCatalog();
    m_list.SetCurrentPhoto(m_list.PhotoAtRow(1));
    CurrentPhotoRecorder changed(m_list);
    m_list.FillFromCatalog();
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"old", "new", "middle"}));
    EXPECT_EQ(m_list.CurrentPhoto(), nullptr);
    ASSERT_EQ(changed.announced.size(), 1u);
    EXPECT_EQ(changed.announced[0], nullptr);
}

TEST_F(PhotoListTest, StartupSortListsNewestFirstWithoutTouchingTheFlag)
{
    AddThree();
    m_settings.WriteInt("QuilleryStartupSort", 1);
    m_list.FillFromCatalog();
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"new", "middle", "old"}));
    EXPECT_FALSE(m_list.DescendingFlag(kDateColumn));

    m_list.horizontalHeader()->sectionClicked(kDateColumn);
    EXPECT_TRUE(m_list.DescendingFlag(kDateColumn));
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"new", "middle", "old"}));
    m_list.SortByColumn(kDateColumn);
    EXPECT_FALSE(m_list.DescendingFlag(kDateColumn));
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"old", "middle", "new"}));
}

TEST_F(PhotoListTest, EachColumnKeepsItsOwnFlag)
{
    AddThree();
    m_list.FillFromCatalog();
    m_list.SortByColumn(kFilenameColumn);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"old", "new", "middle"}));
    m_list.SortByColumn(kPersonsColumn);
    EXPECT_TRUE(m_list.DescendingFlag(kPersonsColumn));
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"old", "middle", "new"}));
    m_list.SortByColumn(kFilenameColumn);
    EXPECT_FALSE(m_list.DescendingFlag(kFilenameColumn));
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"middle", "new", "old"}));
    EXPECT_TRUE(m_list.DescendingFlag(kPersonsColumn));
}

TEST_F(PhotoListTest, PictureAndNotesHeadersDoNotSort)
{
    AddThree();
    m_list.FillFromCatalog();
    m_list.SortByColumn(kPictureColumn);
    m_list.SortByColumn(kNotesColumn);
    EXPECT_FALSE(m_list.DescendingFlag(kPictureColumn));
    EXPECT_FALSE(m_list.DescendingFlag(kNotesColumn));
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"old", "new", "middle"}));
}

TEST_F(PhotoListTest, ClickMakesTheRowCurrentOnceAndSelectsIt)
{
    AddThree();
    m_list.FillFromCatalog();
    m_list.show();
    CurrentPhotoRecorder changed(m_list);
    Click(1);
    ASSERT_EQ(changed.announced.size(), 1u);
    EXPECT_EQ(changed.announced[0], m_list.PhotoAtRow(1));
    EXPECT_EQ(m_list.CurrentPhoto(), m_list.PhotoAtRow(1));
    EXPECT_EQ(m_list.FirstSelectedRow(), 1);
    // Clicking the current row again does not announce (and reload) it again.
    Click(1);
    EXPECT_EQ(changed.announced.size(), 1u);
    // Below the last row nothing happens.
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, QPoint(300, 3 * PhotoList::kRowHeight + 20));
    EXPECT_EQ(changed.announced.size(), 1u);
    EXPECT_EQ(m_list.CurrentPhoto(), m_list.PhotoAtRow(1));
}

TEST_F(PhotoListTest, KeyboardMovesTheSelectionButNotTheCurrentPhoto)
{
    AddThree();
    m_list.FillFromCatalog();
    m_list.show();
    Click(0);
    m_list.setFocus();
    QTest::keyClick(&m_list, Qt::Key_Down);
    EXPECT_EQ(m_list.currentIndex().row(), 1);
    EXPECT_EQ(m_list.CurrentPhoto(), m_list.PhotoAtRow(0));
}

TEST_F(PhotoListTest, DoubleClickAsksToEdit)
{
    AddThree();
    m_list.FillFromCatalog();
    m_list.show();
    QSignalSpy edit(&m_list, &PhotoList::editPhotoRequested);
    QTest::mouseDClick(m_list.viewport(), Qt::LeftButton, {}, RowCentre(2));
    EXPECT_EQ(edit.count(), 1);
    EXPECT_EQ(m_list.CurrentPhoto(), m_list.PhotoAtRow(2));
}

TEST_F(PhotoListTest, SubsetKeepingTheCurrentPhotoKeepsItSelectedAndFocused)
{
    AddThree();
    m_list.FillFromCatalog();
    PhotoRecord* middle = m_list.PhotoAtRow(2);
    m_list.SetCurrentPhoto(middle);
    CurrentPhotoRecorder changed(m_list);
    m_list.ShowSubset({m_list.PhotoAtRow(0), middle});
    EXPECT_EQ(m_list.RowCount(), 2);
    EXPECT_EQ(m_list.CurrentPhoto(), middle);
    EXPECT_EQ(m_list.FirstSelectedRow(), 1);
    EXPECT_EQ(m_list.currentIndex().row(), 1);
    EXPECT_EQ(changed.announced.size(), 0u);
}

TEST_F(PhotoListTest, SubsetDroppingTheCurrentPhotoClearsIt)
{
    AddThree();
    m_list.FillFromCatalog();
    m_list.SetCurrentPhoto(m_list.PhotoAtRow(2));
    CurrentPhotoRecorder changed(m_list);
    QSignalSpy rows(&m_list, &PhotoList::rowsChanged);
    m_list.ShowSubset({m_list.PhotoAtRow(1), m_list.PhotoAtRow(0)});
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"new", "old"})); // array order, no sort
    EXPECT_EQ(m_list.CurrentPhoto(), nullptr);
    ASSERT_EQ(changed.announced.size(), 1u);
    EXPECT_EQ(changed.announced[0], nullptr);
    EXPECT_EQ(rows.count(), 1);
}

TEST_F(PhotoListTest, AppendKeepsCurrentPhotoAndSelection)
{
    AddThree();
    m_list.FillFromCatalog();
    PhotoRecord* first = m_list.PhotoAtRow(0);
    m_list.SetCurrentPhoto(first);
    PhotoRecord& added = m_library.Add("added");
    m_list.AppendPhoto(&added);
    EXPECT_EQ(m_list.RowCount(), 4);
    EXPECT_EQ(m_list.PhotoAtRow(3), &added);
    EXPECT_EQ(m_list.CurrentPhoto(), first);
    EXPECT_EQ(m_list.FirstSelectedRow(), 0);
}

TEST_F(PhotoListTest, SortKeepsTheSelectionWithItsPhoto)
{
    AddThree();
    m_list.FillFromCatalog();
    PhotoRecord* old = m_list.PhotoAtRow(0);
    m_list.SetCurrentPhoto(old);
    m_list.SortByColumn(kDateColumn); // newest first: old goes last
    EXPECT_EQ(m_list.FirstSelectedRow(), 2);
    EXPECT_EQ(m_list.CurrentPhoto(), old);
}

TEST_F(PhotoListTest, PaintingLoadsThumbnailsAndASortForgetsThem)
{
    AddThree();
    for (const char* name : {"old", "new", "middle"}) {
        m_library.WritePicture(PictureStore::Version::Thumbnail, name, 133, 100);
    }
    m_list.FillFromCatalog();
    m_list.show();
    m_list.grab();
    const auto used = m_list.Thumbnails().RowsByUse();
    EXPECT_EQ(std::count_if(used.begin(), used.end(), [](int row) { return row >= 0; }), 3);
    ASSERT_NE(m_list.Thumbnails().Find(0), nullptr);
    EXPECT_EQ(m_list.Thumbnails().Find(0)->GetSize(), QSize(133, 100));

    m_list.SortByColumn(kDateColumn);
    for (const int row : m_list.Thumbnails().RowsByUse()) EXPECT_EQ(row, -1);
}

TEST_F(PhotoListTest, RowsAreDrawnAsDescribed)
{
    m_library.Add("current", 6, 5, 1999, {"Smith, John"});
    m_library.Add("other", 0, 0, 2001);
    m_library.WritePicture(PictureStore::Version::Thumbnail, "current", 150, 50, Qt::red);
    m_list.FillFromCatalog();
    m_list.SetCurrentPhoto(m_list.PhotoAtRow(0));
    m_list.show();
    const QImage shot = m_list.viewport()->grab().toImage();
    const QRect thumbnailCell = m_list.visualRect(m_list.model()->index(0, 0));
    const QRect otherThumbnailCell = m_list.visualRect(m_list.model()->index(1, 0));
    const QRect currentText = m_list.visualRect(m_list.model()->index(0, kNotesColumn));
    const QRect otherText = m_list.visualRect(m_list.model()->index(1, kNotesColumn));
    // Thumbnail 150 x 50 centred in the 152 x 102 cell, navy around it.
    EXPECT_EQ(shot.pixelColor(thumbnailCell.topLeft() + QPoint(76, 51)).red() > 200, true);
    EXPECT_EQ(shot.pixelColor(thumbnailCell.topLeft() + QPoint(76, 10)), PhotoRowDelegate::kThumbnailBackground);
    // A row without a thumbnail file stays navy.
    EXPECT_EQ(shot.pixelColor(otherThumbnailCell.center()), PhotoRowDelegate::kThumbnailBackground);
    // The current photo's row in the highlight colour, the others in the base colour,
    // each cell outlined in light grey.
    EXPECT_EQ(shot.pixelColor(currentText.center()), m_list.palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(shot.pixelColor(otherText.center()), m_list.palette().color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(shot.pixelColor(otherText.topLeft() + QPoint(5, 0)), PhotoRowDelegate::kOutline);
}

TEST_F(PhotoListTest, ScrollingRepaintsOnlyTheVisibleRows)
{
    for (int i = 0; i < 500; ++i) m_library.Add("p" + std::to_string(i));
    m_list.FillFromCatalog();
    m_list.resize(1100, 5 * PhotoList::kRowHeight);
    m_list.show();
    auto* delegate = static_cast<PhotoRowDelegate*>(m_list.itemDelegate());
    m_list.grab();
    delegate->ResetPaintCount();
    m_list.verticalScrollBar()->setValue(200);
    m_list.grab();
    EXPECT_GT(delegate->PaintCount(), 0);
    EXPECT_LE(delegate->PaintCount(), 7 * kPhotoColumnCount);
}

TEST_F(PhotoListTest, CellTextsComeFromTheRecord)
{
    PhotoRecord& photo = m_library.Add("name", 6, 5, 1999, {"Smith, John", "Brown, Ann"}, {"Party"},
                                       {"France, Paris"});
    photo.SetNotes("line one\r\nline two");
    m_list.FillFromCatalog();
    const PhotoListModel& model = *static_cast<PhotoListModel*>(m_list.model());
    EXPECT_EQ(model.CellText(0, kDateColumn), "6/05/1999");
    EXPECT_EQ(model.CellText(0, kPersonsColumn), "John Smith, Ann Brown");
    EXPECT_EQ(model.CellText(0, kEventsColumn), "Party");
    EXPECT_EQ(model.CellText(0, kLocationsColumn), "Paris France");
    EXPECT_EQ(model.CellText(0, kNotesColumn), "line one\r\nline two");
    EXPECT_EQ(model.CellText(0, kFilenameColumn), "name");
    EXPECT_EQ(model.CellText(0, kPictureColumn), "");
}

TEST_F(PhotoListTest, CopyThumbnailLoadsWhenNotCached)
{
    m_library.Add("p");
    m_library.WritePicture(PictureStore::Version::Thumbnail, "p", 133, 100);
    m_list.FillFromCatalog();
    Picture copy;
    EXPECT_TRUE(m_list.CopyThumbnail(0, copy));
    EXPECT_EQ(copy.GetSize(), QSize(133, 100));
    EXPECT_FALSE(m_list.CopyThumbnail(5, copy));
}

TEST_F(PhotoListTest, RemoveRowForgetsCachedThumbnails)
{
    AddThree();
    m_list.FillFromCatalog();
    m_list.show();
    m_list.grab();
    m_list.RemoveRow(0);
    EXPECT_EQ(RowNames(), (std::vector<std::string>{"new", "middle"}));
    for (const int row : m_list.Thumbnails().RowsByUse()) EXPECT_EQ(row, -1);
}
