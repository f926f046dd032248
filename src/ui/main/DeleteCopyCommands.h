#pragma once

#include "store/PhotoDeleter.h"

#include <QObject>

struct CommandContext;
class LibraryCommands;

// The commands on the current photo's record and picture: "Delete (Database only)",
// "Delete (Database+files)" and "&Copy". A delete takes the current photo only,
// however many rows are selected.
class DeleteCopyCommands : public QObject {
    Q_OBJECT
public:
    // The library is saved through the library commands.
    DeleteCopyCommands(CommandContext& context, LibraryCommands& files);

public Q_SLOTS:
    void OnDelete(PhotoDeleter::Files files);
    void OnCopy();

private:
    CommandContext& m_context;
    LibraryCommands& m_files;
};
