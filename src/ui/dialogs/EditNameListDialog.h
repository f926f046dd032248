#pragma once

#include "core/NameKind.h"
#include "ui/dialogs/NameEntryDialog.h"
#include "core/NameKind.h"

#include <QDialog>

class DialogRunner;
class Library;
class Prompter;
class QLabel;
class QListWidget;

// Lists every name of one list, names no photo uses included, and edits the chosen
// one through the name entry dialog. Stays open for further edits; each change goes
// through the library, whose announcement repaints the photo list's name columns.
class EditNameListDialog : public QDialog {
    Q_OBJECT
public:
    EditNameListDialog(Library& library, NameKind kind, Prompter& prompter, DialogRunner& dialogs,
                       QWidget* parent = nullptr);

    QListWidget* List() const { return m_list; }
    QLabel* Prompt() const { return m_prompt; }
    bool Changed() const { return m_changed; }

public Q_SLOTS:
    void accept() override;

private:
    void Fill();
    void EditSelected();

    Library& m_library;
    NameKind m_kind;
    Prompter& m_prompter;
    DialogRunner& m_dialogs;
    QLabel* m_prompt = nullptr;
    QListWidget* m_list = nullptr;
    bool m_changed = false;
};
