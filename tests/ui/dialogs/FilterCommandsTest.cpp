#include "PhotoLibrary.h"
#include "ScriptedFileChooser.h"

#include "core/PhotoRecord.h"
#include "ui/browse/PhotoList.h"
#include "ui/browse/PictureView.h"
#include "ui/dialogs/FilterDateDialog.h"
#include "ui/dialogs/FilterNamesDialog.h"
#include "ui/dialogs/NameListItem.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"
#include "ui/main/CommandState.h"
#include "ui/main/FilterCommands.h"
#include "ui/main/FindField.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// Names a Windows program stored: not UTF-8, shown as Windows-1252.
const char* const kMueller = "M\xfcller, Hans";

class FilterCommandsTest : public testing::Test {
protected:
    FilterCommandsTest()
    {
        m_library.Add("a", 6, 5, 1999, {"Smith, John"}, {"Summer holiday"}, {"France, Paris"});
        m_library.Add("b", 0, 0, 1999, {kMueller}, {"Summer holiday"});
        m_library.Add("c", 7, 4, 2000, {"Smith, John"}, {"Wedding"}, {"France, Paris"});
        m_library.Add("d", 12, 31, 1998);
        m_library.Add("e", 3, 0, 2001, {kMueller, "Smith, John"}, {"Summer holiday"});
        m_library.GetLibrary().AddName(NameKind::Persons, "Unused");
        m_library.GetLibrary().Save(m_library.Prompter());
        m_list.SetLibrary(&m_library.GetLibrary());
    }

    Names Rows() const
    {
        Names names;
        for (const PhotoRecord* photo : m_list.Photos()) names.push_back(photo->GetFileName());
        return names;
    }

    void Run(CommandId id) { m_actions.Action(id)->trigger(); }

    // Scripts the next name dialog to pick these names and press OK.
    void Choose(Names chosen)
    {
        m_library.Dialogs().Then<FilterNamesDialog>([chosen](FilterNamesDialog& dialog) {
            for (const std::string& name : chosen) NameListItem::Find(dialog.List(), name)->setSelected(true);
            dialog.OkButton()->click();
        });
    }

    void Dates(const char* start, const char* end)
    {
        m_library.Dialogs().Then<FilterDateDialog>([start, end](FilterDateDialog& dialog) {
            dialog.StartField()->setText(QString::fromUtf8(start));
            dialog.EndField()->setText(QString::fromUtf8(end));
            dialog.OkButton()->click();
        });
    }

    void SelectRows(std::initializer_list<int> rows)
    {
        for (const int row : rows) {
            m_list.selectionModel()->select(m_list.model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    PhotoLibrary m_library;
    QWidget m_window;
    CommandSet m_actions{&m_window};
    CommandState m_state;
    PhotoList m_list;
    PictureView m_view;
    ScriptedFileChooser m_chooser;
    CommandContext m_context{m_library.GetLibrary(), m_library.Prompter(), m_chooser,
                             m_library.Dialogs(), m_library.Settings(), m_actions, m_state,
                             m_list, m_view, m_window};
    FilterCommands m_commands{m_context};
};

// The name dialog lists every stored name, sorted as shown, with nothing picked.
void ListAndCancel(FilterNamesDialog& dialog)
{
    QStringList shown;
    for (int row = 0; row < dialog.List()->count(); ++row) shown << dialog.List()->item(row)->text();
    EXPECT_EQ(shown, (QStringList{QString::fromUtf8("M\u00fcller, Hans"), "Smith, John", "Unused"}));
    EXPECT_TRUE(dialog.Chosen().empty());
    dialog.reject();
}

TEST_F(FilterCommandsTest, FiltersInARowNarrowTheRowsAndUndoListsAllAgain)
{
    // clang-format off
    const struct {
        const char* what;
        std::function<void()> script;
        CommandId command;
        Names rows;
    } steps[] = {
        {"persons: any chosen",   [&] { Choose({"Smith, John", "Unused"}); }, CommandId::FilterByPerson, {"a", "c", "e"}},
        {"events: of those",      [&] { Choose({"Summer holiday"}); },        CommandId::FilterByEvent,  {"a", "e"}},
        {"cancel changes nothing", [&] { m_library.Dialogs().Then<FilterNamesDialog>(ListAndCancel); },
                                                                              CommandId::FilterByPerson, {"a", "e"}},
        {"dates: of those",       [&] { Dates("1999", "2000"); },              CommandId::FilterByDate,   {"a"}},
        {"undo",                  [] {},                                       CommandId::UndoAllFilters, {"a", "b", "c", "d", "e"}},
        {"bytes as stored",       [&] { Choose({kMueller}); },                 CommandId::FilterByPerson, {"b", "e"}},
        {"nothing chosen",        [&] { Choose({}); },                         CommandId::FilterByLocation, {}},
        {"undo from empty",       [] {},                                       CommandId::UndoAllFilters, {"a", "b", "c", "d", "e"}},
    };
    // clang-format on
    for (const auto& step : steps) {
        step.script();
        Run(step.command);
        EXPECT_EQ(Rows(), step.rows) << step.what;
        EXPECT_TRUE(m_library.Dialogs().Done()) << step.what;
    }
    EXPECT_FALSE(m_library.Catalog().IsModified()) << "filters never make the library need saving";
    EXPECT_EQ(m_list.CurrentPhoto(), nullptr);
}

TEST_F(FilterCommandsTest, DateDialogStaysOpenUntilBothDatesAreValid)
{
    m_list.SetCurrentPhoto(&m_library.Catalog().PhotoAt(2));
    m_library.Dialogs().Then<FilterDateDialog>([](FilterDateDialog& dialog) {
        dialog.StartField()->setText(QStringLiteral("6-1999"));
        dialog.EndField()->setText(QStringLiteral("2000"));
        dialog.OkButton()->click();
        EXPECT_EQ(dialog.MessageLine()->text(), "Dates are not in valid formats");
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        dialog.StartField()->setText(QStringLiteral("07/04/20001"));  // judged on its first ten characters
        dialog.EndField()->setText(QStringLiteral("2000"));
        dialog.OkButton()->click();
    });
    Run(CommandId::FilterByDate);
    EXPECT_EQ(Rows(), Names{"c"});
    EXPECT_EQ(m_list.CurrentPhoto(), &m_library.Catalog().PhotoAt(2)) << "a photo kept stays current";
}

TEST_F(FilterCommandsTest, HideSelectionRemovesOnlyTheLowestSelectedRow)
{
    m_list.SetCurrentPhoto(&m_library.Catalog().PhotoAt(3));
    SelectRows({1, 4});
    Run(CommandId::HideSelection);
    EXPECT_EQ(Rows(), (Names{"a", "c", "d", "e"}));
    EXPECT_EQ(m_list.CurrentPhoto(), nullptr);

    SelectRows({2, 3});
    Run(CommandId::HideSelection);
    EXPECT_EQ(Rows(), (Names{"a", "c", "e"}));

    m_list.selectionModel()->clearSelection();
    Run(CommandId::HideSelection);
    EXPECT_EQ(Rows(), (Names{"a", "c", "e"})) << "nothing selected: nothing hidden";
}

// No filter is remembered: the rows follow the library's changes as they would
// unfiltered.
TEST_F(FilterCommandsTest, RowsFollowTheLibraryWhileFiltered)
{
    Choose({"Summer holiday"});
    Run(CommandId::FilterByEvent);
    ASSERT_EQ(Rows(), (Names{"a", "b", "e"}));

    m_library.Add("f", 1, 1, 2002);
    EXPECT_EQ(Rows(), (Names{"a", "b", "e", "f"})) << "a photo added is shown";
    PhotoRecord changed = m_library.Catalog().PhotoAt(0);
    PhotoRecord::IdList none;
    none.fill(-1);
    changed.SetIds(NameKind::Events, none);
    m_library.GetLibrary().ChangePhoto(m_library.Catalog().PhotoAt(0), changed);
    EXPECT_EQ(Rows(), (Names{"a", "b", "e", "f"})) << "a photo changed stays until the next filter";
}

// Typing narrows the rows listed when it began: a date filter applied first holds,
// deleting characters widens back within its rows, and "Undo all filters" empties
// the field and lists every photo. A name stored by a Windows program is found by the
// same text as in UTF-8, in either case.
TEST_F(FilterCommandsTest, FindNarrowsTheRowsListedWhenTypingBeganAndUndoClearsIt)
{
    FindField& field = m_commands.Field();
    Dates("1999", "2001");
    Run(CommandId::FilterByDate);
    ASSERT_EQ(Rows(), (Names{"a", "c", "e"}));
    // clang-format off
    const struct {
        std::function<void()> keys;
        Names rows;
    } steps[] = {
        {[&] { QTest::keyClicks(&field, "s"); },          {"a", "c", "e"}},  // "Summer holiday", "Smith, John"
        {[&] { QTest::keyClicks(&field, "MIT"); },        {"a", "c", "e"}},
        {[&] { QTest::keyClicks(&field, "H, J"); },       {"a", "c", "e"}},
        {[&] { QTest::keyClicks(&field, "x"); },          {}},
        {[&] { QTest::keyClick(&field, Qt::Key_Backspace); }, {"a", "c", "e"}},
        {[&] { field.selectAll(); QTest::keyClicks(&field, "wed"); }, {"c"}},
        {[&] { field.selectAll(); QTest::keyClick(&field, Qt::Key_Delete); }, {"a", "c", "e"}},
        {[&] { QTest::keyClicks(&field, QString::fromUtf8("M\u00dcLLER, h")); }, {"e"}},
        {[&] { field.selectAll(); QTest::keyClicks(&field, "paris"); }, {"a", "c"}},
    };
    // clang-format on
    for (size_t i = 0; i < std::size(steps); ++i) {
        steps[i].keys();
        EXPECT_EQ(Rows(), steps[i].rows) << "step " << i << ": " << field.text().toStdString();
    }
    Run(CommandId::UndoAllFilters);
    EXPECT_EQ(field.text(), "");
    EXPECT_EQ(Rows(), (Names{"a", "b", "c", "d", "e"}));
    QTest::keyClicks(&field, "1999");
    EXPECT_EQ(Rows(), Names{}) << "dates are not searched";
    EXPECT_FALSE(m_library.Catalog().IsModified());
}

TEST_F(FilterCommandsTest, FindKeepsTheOrderOfRowsSortedWhileItNarrows)
{
    FindField& field = m_commands.Field();
    QTest::keyClicks(&field, "h");
    ASSERT_EQ(Rows(), (Names{"a", "b", "c", "e"}));
    m_list.SortByColumn(kFilenameColumn);
    ASSERT_EQ(Rows(), (Names{"e", "c", "b", "a"}));
    QTest::keyClicks(&field, "o");
    EXPECT_EQ(Rows(), (Names{"e", "b", "a"}));  // "holiday"
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(Rows(), (Names{"e", "d", "c", "b", "a"}));
}

}  // namespace
