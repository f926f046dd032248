#pragma once

#include "core/NameKind.h"

#include <QDialog>

#include <functional>
#include <string>

class CQuilleryDoc;
class Prompter;
class QLabel;
class QLineEdit;

// Adds a person, event or location to the catalog, or changes one in place. It
// composes the stored form from the fields ("Last, First", "State or Country, City",
// an event as typed) and refuses the database file's separators '|' and '^'.
class NameEntryDialog : public QDialog {
    Q_OBJECT
public:
    // An empty initial name adds; any other edits that name.
    NameEntryDialog(CQuilleryDoc& catalog, NameKind kind, std::string initialName,
                    Prompter& prompter, QWidget* parent = nullptr);

    // The stored form accepted on OK; empty when nothing was accepted.
    const std::string& Result() const { return m_result; }

    QLineEdit* FirstField() const { return m_firstField; }
    QLineEdit* SecondField() const { return m_secondField; }
    QLabel* Instruction() const { return m_instruction; }
    QLabel* FirstLabel() const { return m_firstLabel; }
    QLabel* SecondLabel() const { return m_secondLabel; }

    // Runs the dialog modally and gives its result (empty when cancelled).
    static std::string RunModal(CQuilleryDoc& catalog, NameKind kind,
                                const std::string& initialName, Prompter& prompter,
                                QWidget* parent);

public Q_SLOTS:
    void accept() override;

private:
    bool IsAdding() const { return m_initialName.empty(); }
    void SetTexts();
    void FillFromInitialName();
    void SetField(QLineEdit* field, std::string bytes, std::string& original);
    std::string FieldText(const QLineEdit* field, const std::string& original) const;
    // Empty when nothing can be composed.
    std::string ComposeName(const std::string& first, const std::string& second);
    void Store(const std::string& name);

    CQuilleryDoc& m_catalog;
    NameKind m_kind;
    std::string m_initialName;
    Prompter& m_prompter;
    std::string m_result;
    std::string m_firstOriginal;
    std::string m_secondOriginal;
    QLabel* m_instruction = nullptr;
    QLabel* m_firstLabel = nullptr;
    QLineEdit* m_firstField = nullptr;
    QLabel* m_secondLabel = nullptr;
    QLineEdit* m_secondField = nullptr;
};

// How a dialog runs the name entry dialog: tests put a scripted one in its place.
using NameEntryRunner = std::function<std::string(CQuilleryDoc& catalog, NameKind kind,
                                                  const std::string& initialName,
                                                  QWidget* parent)>;
