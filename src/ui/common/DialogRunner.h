#pragma once

class QDialog;

// The one road by which commands and dialogs run a modal dialog. The program runs
// it with its own event loop; tests install a scripted runner that fills the fields
// and presses the buttons, so no test waits for a person.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;

    // Runs the dialog to its end; the dialog's result (QDialog::Accepted or Rejected).
    virtual int Run(QDialog& dialog) = 0;
};
