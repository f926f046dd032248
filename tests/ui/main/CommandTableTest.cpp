#include "ui/main/CommandSet.h"
#include "ui/main/CommandTable.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <gtest/gtest.h>

#include <set>

using CommandTable::Commands;
using CommandTable::Find;

TEST(CommandTable, EveryIdIsUniqueAndEveryCommandHasAPrompt)
{
    std::set<CommandId> seen;
    for (const auto& command : Commands()) {
        EXPECT_TRUE(seen.insert(command.id).second) << static_cast<int>(command.id);
        EXPECT_FALSE(command.prompt.empty()) << command.text;
        EXPECT_FALSE(command.text.empty());
    }
}

TEST(CommandTable, MenusToolbarAndContextMenuUseKnownCommands)
{
    auto known = [](CommandId id) { return id == CommandId::Separator || Find(id) != nullptr; };
    for (const auto& menu : CommandTable::MenuBar()) {
        for (const CommandId id : menu.items) EXPECT_TRUE(known(id)) << static_cast<int>(id);
    }
    for (const CommandId id : CommandTable::ToolBar()) EXPECT_TRUE(known(id));
    for (const CommandId id : CommandTable::ContextMenu()) EXPECT_TRUE(known(id));
}

TEST(CommandTable, ToolbarButtonsHaveIconsAndToolTips)
{
    for (const CommandId id : CommandTable::ToolBar()) {
        if (id == CommandId::Separator) continue;
        EXPECT_FALSE(Find(id)->iconName.empty()) << Find(id)->text;
        EXPECT_FALSE(Find(id)->toolTip.empty()) << Find(id)->text;
    }
}

TEST(CommandTable, TheSystemsIdsAndRules)
{
    struct Row {
        CommandId id;
        int number;
        const char* text;
        EnableRule rule;
    };
    const Row rows[] = {
        {CommandId::FileNew, 57600, "&New\tCtrl+N", EnableRule::Always},
        {CommandId::FileSave, 57603, "&Save\tCtrl+S", EnableRule::Library},
        {CommandId::Copy, 57634, "&Copy\tCtrl+C", EnableRule::CurrentPhoto},
        {CommandId::DeleteDatabaseOnly, 32797, "Delete (Database only)\tDel", EnableRule::CurrentPhotoNoShow},
        {CommandId::DeleteDatabaseAndFiles, 32798, "Delete (Database+files)", EnableRule::CurrentPhotoNoShow},
        {CommandId::HideSelection, 32800, "Hide selection", EnableRule::CurrentPhoto},
        {CommandId::Options, 32810, "Options", EnableRule::Always},
        {CommandId::AddPhotoViaScanner, 131, "&Add photo via scanner", EnableRule::Library},
        {CommandId::About, 57664, "&About Quillery", EnableRule::Always},
    };
    for (const Row& row : rows) {
        ASSERT_NE(Find(row.id), nullptr);
        EXPECT_EQ(static_cast<int>(row.id), row.number);
        EXPECT_EQ(Find(row.id)->text, row.text);
        EXPECT_EQ(Find(row.id)->rule, row.rule) << row.text;
    }
}

TEST(CommandSet, ShortcutsAreBound)
{
    QMainWindow window;
    CommandSet commands(&window);
    const std::vector<std::pair<CommandId, std::vector<QKeySequence>>> keys = {
        {CommandId::FileNew, {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {CommandId::FileOpen, {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {CommandId::FileSave, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {CommandId::PrintImage, {QKeySequence(Qt::CTRL | Qt::Key_P)}},
        {CommandId::Copy, {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {CommandId::DeleteDatabaseOnly, {QKeySequence(Qt::Key_Delete)}},
        {CommandId::NextPane, {QKeySequence(Qt::Key_F6)}},
        {CommandId::PreviousPane, {QKeySequence(Qt::SHIFT | Qt::Key_F6)}},
    };
    for (const auto& [id, sequences] : keys) {
        EXPECT_EQ(commands.Action(id)->shortcuts(), QList<QKeySequence>(sequences.begin(), sequences.end()))
            << static_cast<int>(id);
    }
    EXPECT_EQ(commands.Action(CommandId::FileNew)->text(), QStringLiteral("&New"));
}

TEST(CommandSet, MenuBarHoldsTheMenusInOrder)
{
    QMainWindow window;
    CommandSet commands(&window);
    commands.BuildMenuBar(*window.menuBar());
    QStringList titles;
    for (QAction* action : window.menuBar()->actions()) titles << action->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "Filter", "Options", "&Help"}));
}

TEST(CommandSet, FilterMenuSeparators)
{
    QMainWindow window;
    CommandSet commands(&window);
    commands.BuildMenuBar(*window.menuBar());
    QMenu* filter = window.menuBar()->actions().at(3)->menu();
    ASSERT_NE(filter, nullptr);
    QStringList items;
    for (QAction* action : filter->actions()) items << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(items, (QStringList{"Hide selection", "-", "Filter by date", "Filter by Person",
                                  "Filter by Event", "Filter by Location", "-", "Undo all filters"}));
}

TEST(CommandSet, ContextMenuSharesTheMenusActions)
{
    QMainWindow window;
    CommandSet commands(&window);
    QMenu menu;
    commands.BuildContextMenu(menu);
    ASSERT_EQ(menu.actions().size(), 9);
    EXPECT_EQ(menu.actions().at(0), commands.Action(CommandId::Copy));
    EXPECT_EQ(menu.actions().at(8), commands.Action(CommandId::HideSelection));
    EXPECT_TRUE(menu.actions().at(3)->isSeparator());
}

struct RuleCase {
    const char* name;
    CommandState state;
    EnableRule rule;
    bool enabled;
};

class EnableRules : public testing::TestWithParam<RuleCase> {};

TEST_P(EnableRules, Decide)
{
    EXPECT_EQ(CommandSet::IsEnabledBy(GetParam().rule, GetParam().state), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EnableRules,
    testing::Values(
        RuleCase{"NoLibraryAlways", {false, false, false}, EnableRule::Always, true},
        RuleCase{"NoLibraryLibrary", {false, false, false}, EnableRule::Library, false},
        RuleCase{"StaleCurrentPhotoWithoutLibrary", {false, true, false}, EnableRule::CurrentPhoto, false},
        RuleCase{"LibraryLibrary", {true, false, false}, EnableRule::Library, true},
        RuleCase{"LibraryNoPhoto", {true, false, false}, EnableRule::CurrentPhoto, false},
        RuleCase{"LibraryPhoto", {true, true, false}, EnableRule::CurrentPhoto, true},
        RuleCase{"LibraryPhotoShowCopy", {true, true, true}, EnableRule::CurrentPhoto, true},
        RuleCase{"LibraryPhotoShowDelete", {true, true, true}, EnableRule::CurrentPhotoNoShow, false},
        RuleCase{"LibraryPhotoNoShowDelete", {true, true, false}, EnableRule::CurrentPhotoNoShow, true}),
    [](const testing::TestParamInfo<RuleCase>& paramInfo) { return std::string(paramInfo.param.name); });
