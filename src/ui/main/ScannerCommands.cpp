#include "ui/main/ScannerCommands.h"

#include "core/Prompter.h"
#include "ui/common/DialogGuard.h"
#include "ui/common/DialogRunner.h"
#include "ui/dialogs/PhotoDialogHost.h"
#include "ui/main/CommandContext.h"
#include "ui/main/CommandSet.h"
#include "ui/main/LibraryCommands.h"
#include "ui/scan/ScanWorker.h"
#include "ui/scan/SelectSourceDialog.h"
#include "ui/scan/TwainScanDialog.h"

#include <QAction>

ScannerCommands::ScannerCommands(CommandContext& context, LibraryCommands& files)
    : QObject(&context.window), m_context(context), m_files(files)
{
    connect(m_context.commands.Action(CommandId::TwainSetup), &QAction::triggered, this,
            &ScannerCommands::OnTwainSetup);
    connect(m_context.commands.Action(CommandId::AddPhotoViaScanner), &QAction::triggered, this,
            &ScannerCommands::OnAddPhotoViaScanner);
}

void ScannerCommands::OnTwainSetup() { m_source = SetupTwain(m_source); }

ScanSource ScannerCommands::SetupTwain(const ScanSource& current)
{
    ScanWorker worker;
    DialogGuard<SelectSourceDialog> dialog(worker, current, &m_context.window);
    const int result = m_context.dialogs.Run(*dialog.get());
    if (dialog->Failed()) {
        m_context.prompter.Message("Unable to setup TWAIN");
        return current;
    }
    return result == QDialog::Accepted ? dialog->Chosen() : current;
}

void ScannerCommands::OnAddPhotoViaScanner()
{
    PhotoDialogHost host{m_context.library, m_context.prompter, m_context.settings,
                         m_context.dialogs, [this] { return m_files.Save(); }};
    DialogGuard<TwainScanDialog> dialog(host, m_source, &m_context.window);
    m_context.dialogs.Run(*dialog.get());
}
