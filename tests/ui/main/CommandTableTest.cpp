#include "ui/main/CommandSet.h"
#include "ui/main/CommandTable.h"

#include <gtest/gtest.h>

#include <set>

using CommandTable::Find;

// A slip in the table shows as a menu item without text, a status line without a
// prompt or a toolbar button without an icon.
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

// A current photo left over from a closed library enables nothing.
TEST(CommandSet, CurrentPhotoWithoutLibraryEnablesNothing)
{
    EXPECT_FALSE(CommandSet::IsEnabledBy(EnableRule::CurrentPhoto, {false, true, false}));
}
