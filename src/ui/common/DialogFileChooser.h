#pragma once

#include "ui/common/FileChooser.h"

#include <QPointer>
#include <QWidget>

// Chooses files with Qt's own (non-native) file dialog, so the dialog looks and
// behaves the same on every desktop and can be extended with a preview.
class DialogFileChooser : public FileChooser {
public:
    explicit DialogFileChooser(QWidget* owner = nullptr) : m_owner(owner) {}

    void SetOwner(QWidget* owner) { m_owner = owner; }
    std::optional<std::string> Choose(const FileRequest& request) override;

private:
    QPointer<QWidget> m_owner;
};
