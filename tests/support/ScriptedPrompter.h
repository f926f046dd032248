#pragma once

#include "core/Prompter.h"

#include <deque>
#include <string>
#include <vector>

// A Prompter for tests: records every message and answers from a script. When the
// script runs dry it answers the first button (OK or Yes).
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        std::string text;
        std::string caption;
        PromptButtons buttons;
    };

    PromptAnswer Ask(std::string_view text, std::string_view caption,
                     PromptButtons buttons) override
    {
        m_shown.push_back({std::string(text), std::string(caption), buttons});
        if (!m_answers.empty()) {
            const PromptAnswer answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        }
        return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
                   ? PromptAnswer::Yes
                   : PromptAnswer::Ok;
    }

    void Answer(PromptAnswer answer) { m_answers.push_back(answer); }
    const std::vector<Shown>& Messages() const { return m_shown; }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto& shown : m_shown) texts.push_back(shown.text);
        return texts;
    }
    void Forget() { m_shown.clear(); }

private:
    std::deque<PromptAnswer> m_answers;
    std::vector<Shown> m_shown;
};
