#pragma once

#include "QuilleryVersion.h"

#include <QDialog>

// "About Quillery": the program's icon, its name and version, and OK.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    static constexpr const char* kVersionText = "Quillery Version " QUILLERY_VERSION;
};
