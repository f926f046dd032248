#include "ui/common/ModalDialogRunner.h"

#include <QDialog>

int ModalDialogRunner::Run(QDialog& dialog)
{
    return dialog.exec();
}
