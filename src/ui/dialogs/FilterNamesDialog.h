#pragma once

#include "core/NameKind.h"
#include "ui/dialogs/FilterDialog.h"

#include <string>
#include <vector>

class CQuilleryDoc;
class QListWidget;

// Lists every name of one of the catalog's lists, sorted, names no photo uses
// included, for the user to pick any number of them; a click or Space toggles one.
// Nothing is picked at first.
class FilterNamesDialog : public FilterDialog {
    Q_OBJECT
public:
    FilterNamesDialog(const CQuilleryDoc& catalog, NameKind kind, QWidget* parent = nullptr);

    QListWidget* List() const { return m_list; }
    // The stored bytes of the picked names, in list order.
    std::vector<std::string> Chosen() const;

private:
    QListWidget* m_list = nullptr;
};
