#pragma once

#include "ui/common/DialogRunner.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

// A DialogRunner for tests: each run takes the next scripted step, which works the
// dialog as a person would (fills fields, presses buttons). A dialog that comes with
// no step left, or of another kind than the step expects, is cancelled and fails
// the test.
class ScriptedDialogRunner : public DialogRunner {
public:
    template <typename Dialog>
    void Then(std::function<void(Dialog&)> step)
    {
        m_steps.push_back([step = std::move(step)](QDialog& dialog) {
            if (auto* typed = dynamic_cast<Dialog*>(&dialog)) return step(*typed);
            ADD_FAILURE() << "a dialog of another kind than scripted ran";
            dialog.reject();
        });
    }

    int Run(QDialog& dialog) override
    {
        dialog.setResult(QDialog::Rejected);
        if (m_steps.empty()) {
            ADD_FAILURE() << "a dialog ran that no step was scripted for";
            return QDialog::Rejected;
        }
        const auto step = std::move(m_steps.front());
        m_steps.pop_front();
        step(dialog);
        return dialog.result();
    }

    bool Done() const { return m_steps.empty(); }

private:
    std::deque<std::function<void(QDialog&)>> m_steps;
};
