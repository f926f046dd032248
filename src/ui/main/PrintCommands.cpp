#include "ui/main/PrintCommands.h"

#include "core/PhotoRecord.h"
#include "core/Prompter.h"
#include "store/Library.h"
#include "ui/browse/PhotoList.h"
#include "ui/common/ByteText.h"
#include "ui/common/DialogGuard.h"
#include "ui/common/DialogRunner.h"
#include "ui/common/FileChooser.h"
#include "ui/common/WaitCursor.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"
#include "ui/output/ImagePrinter.h"
#include "ui/output/PrintImageDialog.h"
#include "ui/output/ReportPreviewDialog.h"
#include "ui/output/ReportPrinter.h"

#include <QAction>
#include <QMainWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStatusBar>

namespace {

constexpr std::string_view kNoSelection = "Picture must be selected before operation";

} // namespace

PrintCommands::PrintCommands(CommandContext& context)
    : QObject(&context.window), m_context(context),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("printCommands"));
    const CommandSet& commands = m_context.commands;
    connect(commands.Action(CommandId::PrintImage), &QAction::triggered, this,
            &PrintCommands::OnPrintImage);
    connect(commands.Action(CommandId::PrintReport), &QAction::triggered, this,
            &PrintCommands::OnPrintReport);
    connect(commands.Action(CommandId::PrintSetup), &QAction::triggered, this,
            &PrintCommands::OnPrintSetup);
}

PrintCommands::~PrintCommands() = default;

bool PrintCommands::ChooseOutput()
{
    QPrinter& printer = *m_printer;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return true;
    if (printer.isValid() && !QPrinterInfo::availablePrinterNames().isEmpty()) return true;
    FileRequest request;
    request.kind = FileDialogKind::Save;
    request.title = "Print to PDF File";
    request.filter = "PDF Files (*.pdf)";
    request.defaultSuffix = "pdf";
    request.directory = m_context.library.Directory();
    request.flags = FileFlag::ConfirmOverwrite;
    const std::optional<std::string> path = m_context.fileChooser.Choose(request);
    if (!path) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(*path));
    m_askedOutput = true;
    return true;
}

void PrintCommands::ForgetAskedOutput()
{
    if (!m_askedOutput) return;
    m_askedOutput = false;
    m_printer->setOutputFileName(QString());
}

void PrintCommands::ShowStatus(const QString& text)
{
    auto* window = qobject_cast<QMainWindow*>(&m_context.window);
    if (window == nullptr) return;
    if (text.isEmpty())
        window->statusBar()->clearMessage();
    else
        window->statusBar()->showMessage(text);
}

void PrintCommands::OnPrintImage()
{
    const PhotoRecord* photo = m_context.photoList.CurrentPhoto();
    if (photo == nullptr) {
        m_context.prompter.Message(kNoSelection);
        return;
    }
    const std::string fileName = photo->GetFileName();
    DialogGuard<PrintImageDialog> dialog(m_context.library.Directory(), fileName,
                                         m_context.prompter, &m_context.window);
    if (m_context.dialogs.Run(*dialog.get()) != QDialog::Accepted || !dialog) return;
    const std::string picturePath = dialog->PicturePath();
    const PrintGeometry::PrintSize size = dialog->PrintSize();
    if (!ChooseOutput()) return;
    ImagePrinter::Print(*m_printer, picturePath, fileName, size, m_context.settings,
                        m_context.prompter);
    ForgetAskedOutput();
}

void PrintCommands::OnPrintReport()
{
    if (!m_context.library.IsOpen()) return;
    const std::vector<const PhotoRecord*> photos = m_context.photoList.Photos();
    if (!ChooseOutput()) return;
    {
        ReportPrinter preview(m_context.library, m_context.settings, m_context.prompter);
        DialogGuard<ReportPreviewDialog> dialog(*m_printer, preview, photos, &m_context.window);
        if (m_context.dialogs.Run(*dialog.get()) != QDialog::Accepted) {
            ForgetAskedOutput();
            return;
        }
    }
    const WaitCursor waiting;
    ReportPrinter report(m_context.library, m_context.settings, m_context.prompter);
    connect(&report, &ReportPrinter::statusText, this, &PrintCommands::ShowStatus);
    report.Print(*m_printer, photos);
    ForgetAskedOutput();
}

void PrintCommands::OnPrintSetup()
{
    DialogGuard<QPrintDialog> dialog(m_printer.get(), &m_context.window);
    dialog->setWindowTitle(QStringLiteral("Print Setup"));
    // Only the printer and its page are chosen here; what is printed is the
    // command's business.
    dialog->setOptions(QAbstractPrintDialog::PrintToFile);
    if (m_context.dialogs.Run(*dialog.get()) == QDialog::Accepted) m_askedOutput = false;
}
