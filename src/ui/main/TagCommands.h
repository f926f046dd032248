#pragma once

#include <QObject>

struct CommandContext;
class LibraryCommands;

// "Add names to selected photos...": the persons, events and locations chosen go to
// every selected photo; the photos that cannot hold them are named in a message, and
// the library is saved once.
class TagCommands : public QObject {
    Q_OBJECT
public:
    TagCommands(CommandContext& context, LibraryCommands& files);

public Q_SLOTS:
    void OnAddNamesToSelection();

private:
    CommandContext& m_context;
    LibraryCommands& m_files;
};
