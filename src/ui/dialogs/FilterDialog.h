#pragma once

#include <QDialog>

class QBoxLayout;
class QLabel;
class QPushButton;

// What the filter dialogs share: a prompt above the selection, OK and Cancel beside
// it, and a message line under "Messages:" at the bottom.
class FilterDialog : public QDialog {
    Q_OBJECT
public:
    QLabel* Prompt() const { return m_prompt; }
    QLabel* MessageLine() const { return m_messageLine; }
    QPushButton* OkButton() const { return m_okButton; }
    QPushButton* CancelButton() const { return m_cancelButton; }

protected:
    FilterDialog(const char* title, const char* prompt, QWidget* parent);

    // Where the dialog puts its selection control, under the prompt.
    QBoxLayout& Selection() const { return *m_selection; }
    void SetMessage(const QString& text);

private:
    QLabel* m_prompt = nullptr;
    QBoxLayout* m_selection = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QLabel* m_messageLine = nullptr;
};
