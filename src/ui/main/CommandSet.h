#pragma once

#include "ui/main/CommandId.h"

#include <QObject>

#include <map>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

// What the enabling rules look at.
struct EnablingFacts {
    bool libraryOpen = false;
    bool currentPhoto = false;
    bool pictureShowRunning = false;
    bool readOnly = false;  // another program has the library open
    bool rowsSelected = false;
};

// The actions of the command table, one per command, owned by the window they are
// made for. Menus, toolbar and the photo context menu share these actions, so a
// command is enabled or disabled in all of them at once.
class CommandSet : public QObject {
    Q_OBJECT
public:
    explicit CommandSet(QWidget* window);

    QAction* Action(CommandId id) const;

    void BuildMenuBar(QMenuBar& menuBar) const;
    void BuildToolBar(QToolBar& toolBar) const;
    void BuildContextMenu(QMenu& menu) const;

    // Enables every command that follows a rule by that rule; commands that keep
    // their own state are left alone.
    void Apply(const EnablingFacts& state) const;

    static bool IsEnabledBy(EnableRule rule, const EnablingFacts& state);

private:
    std::map<CommandId, QAction*> m_actions;
};
