#pragma once

#include "ui/main/CommandId.h"

#include <span>
#include <string_view>
#include <vector>

// The command table: every command's text, keys, enabling rule, status-bar prompt,
// tool tip and toolbar icon, and the layout of the menus, the toolbar and the photo
// context menu. Pure data; CommandSet turns it into actions.
namespace CommandTable {

struct Command {
    CommandId id;
    std::string_view text;       // menu text with its mnemonic; a tab starts the key's name
    std::string_view shortcuts;  // Qt key sequences in portable form, separated by ';'
    EnableRule rule;
    std::string_view prompt;     // status-bar text while the command is highlighted
    std::string_view toolTip;    // empty: the command has no tool tip of its own
    std::string_view iconName;   // freedesktop icon name, for commands on the toolbar
};

// A pop-up menu of the menu bar; a menu without a title is a single command item on
// the bar itself.
struct Menu {
    std::string_view title;
    std::vector<CommandId> items;  // CommandId::Separator divides groups
};

std::span<const Command> Commands();
// Null for Separator or an unknown id.
const Command* Find(CommandId id);

const std::vector<Menu>& MenuBar();
const std::vector<CommandId>& ToolBar();
const std::vector<CommandId>& ContextMenu();
// Commands reached only through the keyboard.
const std::vector<CommandId>& KeyboardOnly();

}  // namespace CommandTable
