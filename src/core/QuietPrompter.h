#pragma once

#include "core/Prompter.h"

#include <string>

// Shows nothing: keeps the last text it was given and answers each question with
// its cautious button, for checks whose findings the caller puts in its own words.
class QuietPrompter : public Prompter {
  public:
    PromptAnswer Ask(std::string_view text, std::string_view, PromptButtons buttons) override
    {
        m_lastText = text;
        switch (buttons) {
        case PromptButtons::Ok:
            return PromptAnswer::Ok;
        case PromptButtons::OkCancel:
        case PromptButtons::YesNoCancel:
            return PromptAnswer::Cancel;
        case PromptButtons::YesNo:
            return PromptAnswer::No;
        }
        return PromptAnswer::Cancel;
    }

    const std::string& LastText() const { return m_lastText; }

  private:
    std::string m_lastText;
};
