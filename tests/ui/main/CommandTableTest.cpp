#include "ui/main/CommandSet.h"
#include "ui/main/CommandTable.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <set>

using CommandTable::Find;

namespace {

// The menu's items as command ids, separators as Separator.
std::vector<CommandId> Items(const CommandSet& commands, const QMenu& menu,
                             const std::vector<CommandId>& expected)
{
    std::vector<CommandId> items;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            items.push_back(CommandId::Separator);
            continue;
        }
        for (const CommandId id : expected) {
            if (id != CommandId::Separator && commands.Action(id) == action) items.push_back(id);
        }
    }
    return items;
}

}  // namespace

TEST(CommandTable, IsCompleteAndConsistent)
{
    std::set<CommandId> seen;
    for (const auto& command : CommandTable::Commands()) {
        EXPECT_TRUE(seen.insert(command.id).second) << command.text;
        EXPECT_FALSE(command.text.empty());
        EXPECT_FALSE(command.prompt.empty()) << command.text;
    }
    auto known = [](CommandId id) { return id == CommandId::Separator || Find(id) != nullptr; };
    for (const auto& menu : CommandTable::MenuBar()) {
        for (const CommandId id : menu.items) EXPECT_TRUE(known(id)) << static_cast<int>(id);
    }
    for (const CommandId id : CommandTable::ContextMenu()) EXPECT_TRUE(known(id));
    for (const CommandId id : CommandTable::ToolBar()) {
        if (id == CommandId::Separator) continue;
        ASSERT_TRUE(known(id)) << static_cast<int>(id);
        EXPECT_FALSE(Find(id)->iconName.empty()) << Find(id)->text;
        EXPECT_FALSE(Find(id)->toolTip.empty()) << Find(id)->text;
    }
}

TEST(CommandSet, MenusAndContextMenuFollowTheTable)
{
    QMainWindow window;
    CommandSet commands(&window);
    commands.BuildMenuBar(*window.menuBar());
    const QList<QAction*> bar = window.menuBar()->actions();
    const auto& menus = CommandTable::MenuBar();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(menus.size()));
    for (size_t i = 0; i < menus.size(); ++i) {
        const QAction* entry = bar[static_cast<qsizetype>(i)];
        if (menus[i].title.empty()) {
            EXPECT_EQ(entry, commands.Action(menus[i].items.at(0)));
            continue;
        }
        EXPECT_EQ(entry->text().toStdString(), menus[i].title);
        if (menus[i].title != "&File") {  // the recent files come and go
            ASSERT_NE(entry->menu(), nullptr);
            EXPECT_EQ(Items(commands, *entry->menu(), menus[i].items), menus[i].items);
        }
    }
    QMenu context;
    commands.BuildContextMenu(context);
    EXPECT_EQ(Items(commands, context, CommandTable::ContextMenu()), CommandTable::ContextMenu());
}

TEST(CommandSet, ActionsTakeTextsKeysAndRulesFromTheTable)
{
    QMainWindow window;
    CommandSet commands(&window);
    EXPECT_EQ(commands.Action(CommandId::FileNew)->text(), QStringLiteral("&New"));
    EXPECT_EQ(commands.Action(CommandId::Copy)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}));
    EXPECT_EQ(commands.Action(CommandId::PreviousPane)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
    // A current photo left over from a closed library enables nothing.
    EXPECT_FALSE(CommandSet::IsEnabledBy(EnableRule::CurrentPhoto, {false, true, false}));
}
