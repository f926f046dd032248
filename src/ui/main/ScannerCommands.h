#pragma once

#include "ui/scan/ScanSource.h"

#include <QObject>

struct CommandContext;
class LibraryCommands;

// "TWAIN Setup" and "&Add photo via scanner", on SANE. The source chosen in Setup is
// remembered for the rest of the run, never in the profile; without one a scan uses
// the first device SANE finds.
class ScannerCommands : public QObject {
    Q_OBJECT
public:
    ScannerCommands(CommandContext& context, LibraryCommands& files);

    const ScanSource& RememberedSource() const { return m_source; }

public Q_SLOTS:
    void OnTwainSetup();
    void OnAddPhotoViaScanner();

private:
    // The Select Source dialog; gives `current` back unless the user picks a source.
    ScanSource SetupTwain(const ScanSource& current);

    CommandContext& m_context;
    LibraryCommands& m_files;
    ScanSource m_source;
};
