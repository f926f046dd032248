#pragma once

#include <QObject>

#include <memory>

struct CommandContext;
class QPrinter;

// "&Print Image...", "Print Report" and "P&rint Setup...". The printer chosen in
// the setup stays for the run, as the application's printer defaults. Where no
// printer is installed and no PDF file was chosen in the setup, each print asks for
// the PDF file to print into.
class PrintCommands : public QObject {
    Q_OBJECT
  public:
    explicit PrintCommands(CommandContext& context);
    ~PrintCommands() override;

    QPrinter& Printer() { return *m_printer; }

  public Q_SLOTS:
    void OnPrintImage();
    void OnPrintReport();
    void OnPrintSetup();

  private:
    // False when there is nowhere to print to: no printer, and the PDF file was
    // not named.
    bool ChooseOutput();
    // An output asked for one print only is forgotten after it.
    void ForgetAskedOutput();
    void ShowStatus(const QString& text);

    CommandContext& m_context;
    std::unique_ptr<QPrinter> m_printer;
    bool m_askedOutput = false;
};
