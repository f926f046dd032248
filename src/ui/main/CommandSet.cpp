#include "ui/main/CommandSet.h"

#include "ui/main/CommandTable.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

namespace {

QString FromTable(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The key's name after the tab is for the menu's eyes; Qt shows the shortcut itself.
QString MenuText(std::string_view text)
{
    return FromTable(text.substr(0, text.find('\t')));
}

QList<QKeySequence> Shortcuts(std::string_view keys)
{
    QList<QKeySequence> sequences;
    for (const QString& key : FromTable(keys).split(u';', Qt::SkipEmptyParts)) {
        sequences.append(QKeySequence::fromString(key, QKeySequence::PortableText));
    }
    return sequences;
}

void AddItems(QWidget& container, const std::vector<CommandId>& items, const CommandSet& commands)
{
    for (const CommandId id : items) {
        if (id == CommandId::Separator) {
            auto* separator = new QAction(&container);
            separator->setSeparator(true);
            container.addAction(separator);
        } else {
            container.addAction(commands.Action(id));
        }
    }
}

}  // namespace

CommandSet::CommandSet(QWidget* window) : QObject(window)
{
    for (const CommandTable::Command& command : CommandTable::Commands()) {
        auto* action = new QAction(MenuText(command.text), window);
        action->setObjectName(QStringLiteral("command%1").arg(static_cast<int>(command.id)));
        action->setShortcuts(Shortcuts(command.shortcuts));
        action->setStatusTip(FromTable(command.prompt));
        if (!command.toolTip.empty()) action->setToolTip(FromTable(command.toolTip));
        if (!command.iconName.empty()) action->setIcon(QIcon::fromTheme(FromTable(command.iconName)));
        action->setIconVisibleInMenu(false);
        m_actions.emplace(command.id, action);
    }
}

QAction* CommandSet::Action(CommandId id) const
{
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CommandSet::BuildMenuBar(QMenuBar& menuBar) const
{
    for (const CommandTable::Menu& menu : CommandTable::MenuBar()) {
        if (menu.title.empty()) {
            for (const CommandId id : menu.items) menuBar.addAction(Action(id));
            continue;
        }
        QMenu* popup = menuBar.addMenu(FromTable(menu.title));
        AddItems(*popup, menu.items, *this);
    }
}

void CommandSet::BuildToolBar(QToolBar& toolBar) const
{
    AddItems(toolBar, CommandTable::ToolBar(), *this);
}

void CommandSet::BuildContextMenu(QMenu& menu) const
{
    AddItems(menu, CommandTable::ContextMenu(), *this);
}

bool CommandSet::IsEnabledBy(EnableRule rule, const EnablingFacts& state)
{
    switch (rule) {
    case EnableRule::Always:
    case EnableRule::OwnState: return true;
    case EnableRule::Library: return state.libraryOpen;
    case EnableRule::CurrentPhoto: return state.libraryOpen && state.currentPhoto;
    case EnableRule::CurrentPhotoNoShow:
        return state.libraryOpen && state.currentPhoto && !state.pictureShowRunning;
    case EnableRule::WritableLibrary:
        return !state.readOnly && IsEnabledBy(EnableRule::Library, state);
    case EnableRule::WritableCurrentPhoto:
        return !state.readOnly && IsEnabledBy(EnableRule::CurrentPhoto, state);
    case EnableRule::WritableCurrentPhotoNoShow:
        return !state.readOnly && IsEnabledBy(EnableRule::CurrentPhotoNoShow, state);
    case EnableRule::WritableSelectionNoShow:
        return !state.readOnly && state.libraryOpen && state.rowsSelected && !state.pictureShowRunning;
    }
    return false;
}

void CommandSet::Apply(const EnablingFacts& state) const
{
    for (const CommandTable::Command& command : CommandTable::Commands()) {
        if (command.rule == EnableRule::OwnState) continue;
        Action(command.id)->setEnabled(IsEnabledBy(command.rule, state));
    }
}
