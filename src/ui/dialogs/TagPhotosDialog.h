#pragma once

#include "core/NameKind.h"
#include "store/PhotoTagger.h"

#include <QDialog>

#include <array>

class DialogRunner;
class Library;
class Prompter;
class QLabel;
class QListWidget;
class QPushButton;

// Chooses the persons, events and locations to add to every selected photo: a list
// of every name of each kind, nothing picked at first, and under each list a button
// that adds a new name to the library and picks it. OK refuses a choice that no
// photo could hold and a choice of nothing, in the message line.
class TagPhotosDialog : public QDialog {
    Q_OBJECT
public:
    TagPhotosDialog(Library& library, DialogRunner& dialogs, Prompter& prompter, int photoCount,
                    QWidget* parent = nullptr);

    QListWidget* List(NameKind kind) const { return m_lists.at(KindIndex(kind)); }
    QPushButton* AddButton(NameKind kind) const { return m_addButtons.at(KindIndex(kind)); }
    QLabel* MessageLine() const { return m_messageLine; }
    QPushButton* OkButton() const { return m_okButton; }

    // The stored forms of the picked names.
    PhotoTagger::Names Chosen() const;

public Q_SLOTS:
    void accept() override;

private:
    void AddName(NameKind kind);

    Library& m_library;
    DialogRunner& m_dialogs;
    Prompter& m_prompter;
    std::array<QListWidget*, kNameKinds.size()> m_lists{};
    std::array<QPushButton*, kNameKinds.size()> m_addButtons{};
    QLabel* m_messageLine = nullptr;
    QPushButton* m_okButton = nullptr;
};
