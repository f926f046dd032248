#pragma once

#include "ui/common/FileChooser.h"

#include <QPointer>
#include <QWidget>

// Chooses picture files with the file dialog that previews the selection.
class PreviewFileChooser : public FileChooser {
public:
    explicit PreviewFileChooser(QWidget* owner = nullptr) : m_owner(owner) {}

    std::optional<std::string> Choose(const FileRequest& request) override;

private:
    QPointer<QWidget> m_owner;
};
