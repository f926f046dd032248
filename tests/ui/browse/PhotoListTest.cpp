#include "TestLibrary.h"

#include "MemorySettings.h"
#include "ui/browse/PhotoList.h"
#include "ui/browse/PhotoListModel.h"

#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<std::string>;

class PhotoListTest : public testing::Test {
protected:
    PhotoListTest()
    {
        m_list.SetLibrary(&m_library.GetLibrary());
        m_list.SetSettings(&m_settings);
        m_list.resize(1100, 600);
        QObject::connect(&m_list, &PhotoList::currentPhotoChanged,
                         [this](const PhotoRecord* photo) { m_announced.push_back(photo); });
    }

    Names RowNames() const
    {
        Names names;
        for (int row = 0; row < m_list.RowCount(); ++row) names.push_back(m_list.PhotoAtRow(row)->GetFileName());
        return names;
    }

    QPoint RowCentre(int row) const { return m_list.visualRect(m_list.model()->index(row, 2)).center(); }
    void Click(QPoint at) { QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, at); }

    // Three photos in catalog order: old, new, middle.
    void FillThree()
    {
        m_library.Add("old", 3, 1, 1990, {"Smith, John"});
        m_library.Add("new", 5, 9, 2012);
        m_library.Add("middle", 0, 0, 2001, {"Brown, Ann"});
        m_list.FillFromCatalog();
        m_announced.clear();
    }

    TestLibrary m_library;
    MemorySettings m_settings;
    PhotoList m_list;
    std::vector<const PhotoRecord*> m_announced;  // every photo announced as current
};

}  // namespace

// The startup sort lists the newest first without touching the date's flag; each
// column keeps a flag of its own, and the current photo stays selected wherever it goes.
TEST_F(PhotoListTest, SortingKeepsAFlagPerColumnAndTheSelectionOnItsPhoto)
{
    m_settings.WriteInt("QuilleryStartupSort", 1);
    FillThree();
    EXPECT_EQ(RowNames(), (Names{"new", "middle", "old"}));
    m_list.horizontalHeader()->sectionClicked(kDateColumn);
    EXPECT_TRUE(m_list.DescendingFlag(kDateColumn)) << "was not set by the startup sort";
    m_list.SortByColumn(kDateColumn);
    const PhotoRecord* old = m_list.PhotoAtRow(0);
    m_list.SetCurrentPhoto(old);
    m_announced.clear();
    m_list.SortByColumn(kFilenameColumn);
    m_list.SortByColumn(kPersonsColumn);
    EXPECT_EQ(RowNames(), (Names{"old", "middle", "new"}));
    m_list.SortByColumn(kFilenameColumn);
    EXPECT_EQ(RowNames(), (Names{"middle", "new", "old"}));
    EXPECT_EQ(m_list.FirstSelectedRow(), 2);
    EXPECT_EQ(m_list.CurrentPhoto(), old);
    EXPECT_TRUE(m_announced.empty());
}

// A filter's result may hold a photo twice: a sort moves each selected row with its
// own occurrence of the photo, the n-th before to the n-th after.
TEST_F(PhotoListTest, SortingMovesTheSelectionWithTheSameOccurrenceOfAPhoto)
{
    FillThree();
    const PhotoRecord* old = m_list.PhotoAtRow(0);
    const PhotoRecord* fresh = m_list.PhotoAtRow(1);
    const PhotoRecord* middle = m_list.PhotoAtRow(2);
    m_list.ShowSubset({old, middle, old, fresh});
    for (const int row : {1, 2})
        m_list.selectionModel()->select(m_list.model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_list.SortByColumn(kDateColumn);
    ASSERT_EQ(m_list.Photos(), (std::vector<const PhotoRecord*>{fresh, middle, old, old}));
    std::vector<int> selected;
    for (const QModelIndex& index : m_list.selectionModel()->selectedRows())
        selected.push_back(index.row());
    std::sort(selected.begin(), selected.end());
    EXPECT_EQ(selected, (std::vector<int>{1, 3}));
}

TEST_F(PhotoListTest, ClickMakesTheRowCurrentOnceAndDoubleClickEdits)
{
    m_list.show();
    QSignalSpy edit(&m_list, &PhotoList::editPhotoRequested);
    FillThree();
    Click(RowCentre(1));
    EXPECT_EQ(m_announced, std::vector<const PhotoRecord*>{m_list.PhotoAtRow(1)});
    Click(RowCentre(1));  // the current row again: not announced, not reloaded
    Click({300, 3 * PhotoList::kRowHeight + 20});  // below the last row nothing happens
    EXPECT_EQ(m_announced.size(), 1u);

    QTest::mouseDClick(m_list.viewport(), Qt::LeftButton, {}, RowCentre(0));
    ASSERT_EQ(edit.count(), 1);
    EXPECT_EQ(edit.at(0).at(0).toInt(), 0) << "the row double-clicked goes with the request";
    EXPECT_EQ(m_list.CurrentPhoto(), m_list.PhotoAtRow(0));
}

// The rows follow the library: an added photo is appended and keeps the current one,
// a removed photo loses its row (and stops being current), and a library that
// replaces this one empties the list before its records go.
TEST_F(PhotoListTest, RowsFollowTheLibrarysAnnouncements)
{
    FillThree();
    const PhotoRecord* first = m_list.PhotoAtRow(0);
    m_list.SetCurrentPhoto(first);
    m_list.SortByColumn(kDateColumn);
    m_library.Add("added");
    EXPECT_EQ(RowNames(), (Names{"new", "middle", "old", "added"}));
    EXPECT_EQ(m_list.CurrentPhoto(), first);
    EXPECT_EQ(m_list.FirstSelectedRow(), 2);

    m_announced.clear();
    m_library.GetLibrary().RemovePhoto(*first);
    EXPECT_EQ(RowNames(), (Names{"new", "middle", "added"}));
    EXPECT_EQ(m_list.CurrentPhoto(), nullptr);
    EXPECT_EQ(m_announced, std::vector<const PhotoRecord*>{nullptr});

    m_list.SetCurrentPhoto(m_list.PhotoAtRow(0));
    int rowsWhenReplaced = -1;
    QObject::connect(&m_library.GetLibrary(), &Library::replaced, &m_list,
                     [&] { rowsWhenReplaced = m_list.RowCount(); }, Qt::DirectConnection);
    m_library.GetLibrary().Close();
    EXPECT_EQ(m_list.CurrentPhoto(), nullptr);
    EXPECT_EQ(RowNames(), Names{});
    EXPECT_EQ(rowsWhenReplaced, 0) << "emptied before the new catalog came";
}

// Enter and Space on the focused row do what a click does; the arrows only move the
// focus. Shift+F10 and the Menu key open the context menu on the current photo's row.
TEST_F(PhotoListTest, EnterOrSpaceMakesTheFocusedRowCurrentAndShiftF10OpensItsMenu)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Edit Photo Information"));
    m_list.SetContextMenu(&menu);
    m_list.show();
    FillThree();
    m_list.setFocus();
    m_list.setCurrentIndex(m_list.model()->index(0, kDateColumn));
    const struct {
        Qt::Key move;
        Qt::Key choose;
        int current;
    } steps[] = {{Qt::Key_Down, Qt::Key_Return, 1}, {Qt::Key_Down, Qt::Key_Space, 2},
                 {Qt::Key_Up, Qt::Key_Enter, 1}};
    for (const auto& step : steps) {
        QTest::keyClick(&m_list, step.move);
        EXPECT_NE(m_list.CurrentPhoto(), m_list.PhotoAtRow(step.current)) << "an arrow alone chose";
        QTest::keyClick(&m_list, step.choose);
        EXPECT_EQ(m_list.CurrentPhoto(), m_list.PhotoAtRow(step.current)) << step.choose;
        EXPECT_EQ(m_list.FirstSelectedRow(), step.current);
    }
    EXPECT_EQ(m_announced.size(), 3u);

    QTest::keyClick(&m_list, Qt::Key_Down);  // the focus leaves the current row
    const std::pair<Qt::Key, Qt::KeyboardModifier> menuKeys[] = {{Qt::Key_F10, Qt::ShiftModifier},
                                                                 {Qt::Key_Menu, Qt::NoModifier}};
    for (const auto& [key, modifiers] : menuKeys) {
        menu.hide();
        QTest::keyClick(&m_list, key, modifiers);
        ASSERT_TRUE(menu.isVisible()) << key;
        const QPoint at = m_list.viewport()->mapFromGlobal(menu.pos());
        EXPECT_EQ(m_list.rowAt(at.y()), 1) << "opened on the current photo's row";
    }
    EXPECT_EQ(m_list.CurrentPhoto(), m_list.PhotoAtRow(1));
}

// Selected rows are tinted, so the rows that Hide selection and the deletes act on
// can be seen; the current photo's row keeps the full highlight.
TEST_F(PhotoListTest, SelectedRowsAreDrawnApartFromTheCurrentAndPlainRows)
{
    m_list.show();
    FillThree();
    m_list.SetCurrentPhoto(m_list.PhotoAtRow(0));
    m_list.selectionModel()->select(m_list.model()->index(1, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QImage shown = m_list.viewport()->grab().toImage();
    // Inside the Notes cell, clear of its outline and of text.
    const auto fill = [&](int row) {
        const QRect cell = m_list.visualRect(m_list.model()->index(row, kNotesColumn));
        return QColor(shown.pixel(cell.topLeft() + QPoint(cell.width() - 8, cell.height() - 3)));
    };
    const QPalette& palette = m_list.palette();
    EXPECT_EQ(fill(0), palette.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(fill(2), palette.color(QPalette::Active, QPalette::Base));
    EXPECT_NE(fill(1), fill(0));
    EXPECT_NE(fill(1), fill(2));
}

// The header's arrow shows the column and direction the rows are in, and no arrow
// once an added photo broke that order.
TEST_F(PhotoListTest, HeaderShowsTheSortColumnAndDirection)
{
    m_settings.WriteInt("QuilleryStartupSort", 1);
    FillThree();
    m_list.show();
    QHeaderView* header = m_list.horizontalHeader();
    const auto clickHeader = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          {header->sectionViewportPosition(column) + 10, header->height() / 2});
    };
    const struct {
        int click;  // -1: add a photo instead
        int column;
        Qt::SortOrder order;
    } steps[] = {
        {-2, kDateColumn, Qt::DescendingOrder},  // the startup sort
        {kPersonsColumn, kPersonsColumn, Qt::DescendingOrder},
        {kNotesColumn, kPersonsColumn, Qt::DescendingOrder},  // Notes does not sort
        {kPersonsColumn, kPersonsColumn, Qt::AscendingOrder},
        {kPictureColumn, kPersonsColumn, Qt::AscendingOrder},
        {-1, -1, Qt::AscendingOrder},
    };
    for (const auto& step : steps) {
        if (step.click >= 0) clickHeader(step.click);
        if (step.click == -1) m_library.Add("added");
        EXPECT_EQ(header->sortIndicatorSection(), step.column) << "after " << step.click;
        if (step.column >= 0) {
            EXPECT_EQ(header->sortIndicatorOrder(), step.order) << "after " << step.click;
        }
    }
}
