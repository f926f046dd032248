#pragma once

#include "store/PhotoEditSource.h"

#include <QObject>

struct CommandContext;

// "Edit current photo" and "Edit original photo": the current photo's picture in the
// editing sheet, started from the version each command names.
class EditingCommands : public QObject {
    Q_OBJECT
  public:
    explicit EditingCommands(CommandContext& context);

  public Q_SLOTS:
    void OnEdit(PhotoEditSource::Start start);

  private:
    CommandContext& m_context;
};
