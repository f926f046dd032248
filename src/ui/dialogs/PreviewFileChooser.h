#pragma once

#include "ui/common/FileChooser.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

// Chooses picture files with the file dialog that previews the selection.
class PreviewFileChooser : public FileChooser {
public:
    explicit PreviewFileChooser(QWidget* owner = nullptr) : m_owner(owner) {}

    std::optional<std::string> Choose(const FileRequest& request) override;
    std::optional<std::vector<std::string>> ChooseSeveral(const FileRequest& request) override;

private:
    enum class Selection { One, Several };
    // The dialog's selected files once it was accepted.
    std::optional<QStringList> Run(const FileRequest& request, Selection selection);

    QPointer<QWidget> m_owner;
};
