#pragma once

#include "ui/common/DialogRunner.h"

// Runs each dialog modally, as the program does.
class ModalDialogRunner final : public DialogRunner {
public:
    int Run(QDialog& dialog) override;
};
