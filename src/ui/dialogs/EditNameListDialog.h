#pragma once

#include "core/NameKind.h"
#include "ui/dialogs/NameEntryDialog.h"

#include <QDialog>

class CQuilleryDoc;
class PhotoList;
class Prompter;
class QLabel;
class QListWidget;

// Lists every name of one list, names no photo uses included, and edits the chosen
// one through the name entry dialog. Stays open for further edits; on closing after
// any change the photo list is repainted once, so its name columns show the new
// texts.
class EditNameListDialog : public QDialog {
    Q_OBJECT
public:
    EditNameListDialog(CQuilleryDoc& catalog, PhotoList* photoList, NameKind kind,
                       Prompter& prompter, QWidget* parent = nullptr);

    // Tests run a scripted name entry in place of the modal dialog.
    void SetNameEntryRunner(NameEntryRunner runner) { m_runNameEntry = std::move(runner); }

    QListWidget* List() const { return m_list; }
    QLabel* Prompt() const { return m_prompt; }
    bool Changed() const { return m_changed; }

public Q_SLOTS:
    void accept() override;
    void done(int result) override;

Q_SIGNALS:
    // Emitted once when the dialog closes after names were changed.
    void namesChanged();

private:
    void Fill();
    void EditSelected();

    CQuilleryDoc& m_catalog;
    PhotoList* m_photoList;
    NameKind m_kind;
    NameEntryRunner m_runNameEntry;
    QLabel* m_prompt = nullptr;
    QListWidget* m_list = nullptr;
    bool m_changed = false;
    bool m_repainted = false;
};
