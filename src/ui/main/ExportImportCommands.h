#pragma once

#include <QObject>

struct CommandContext;

// "Export" (the listed photos, in list order, to a new library) and "Import" (another
// library merged into the open one), both with their picture files.
class ExportImportCommands : public QObject {
    Q_OBJECT
  public:
    explicit ExportImportCommands(CommandContext& context);

  public Q_SLOTS:
    void OnExport();
    void OnImport();

  private:
    CommandContext& m_context;
};
