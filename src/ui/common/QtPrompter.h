#pragma once

#include "core/Prompter.h"

#include <QPointer>
#include <QWidget>

// Shows the program's messages and questions in message boxes owned by one window.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* owner = nullptr) : m_owner(owner) {}

    void SetOwner(QWidget* owner) { m_owner = owner; }
    PromptAnswer Ask(std::string_view text, std::string_view caption,
                     PromptButtons buttons) override;

private:
    QPointer<QWidget> m_owner;
};
