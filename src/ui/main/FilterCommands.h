#pragma once

#include "core/NameKind.h"

#include <QObject>

struct CommandContext;
class FindField;

// The commands that narrow the photo list and restore it: "Filter by date", "Filter
// by Person", "Filter by Event", "Filter by Location", "Undo all filters" and "Hide
// selection", and the find field, which the window places in its toolbar. They change only the list's rows and its current photo, never the
// catalog, so no filter makes the library need saving. Each filter starts from the
// rows as they are, so filters in a row narrow further.
class FilterCommands : public QObject {
    Q_OBJECT
public:
    explicit FilterCommands(CommandContext& context);

    FindField& Field() const { return *m_findField; }

public Q_SLOTS:
    void OnFilterByDate();
    void OnFilterByNames(NameKind kind);
    // Lists every photo of the catalog again, and empties the find field.
    void OnUndoAllFilters();
    // Removes the lowest selected row only, and leaves no photo current.
    void OnHideSelection();

private:
    CommandContext& m_context;
    FindField* m_findField = nullptr;
};
