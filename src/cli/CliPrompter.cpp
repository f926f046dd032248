#include "cli/CliPrompter.h"

#include <ostream>

CliPrompter::CliPrompter(std::ostream& err, Answers answers) : m_err(err), m_answers(answers) {}

PromptAnswer CliPrompter::Ask(std::string_view text, std::string_view caption,
                              PromptButtons buttons)
{
    m_err << caption << ": " << text << '\n';
    const bool yes = m_answers == Answers::AssumeYes;
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::OkCancel:
        return yes ? PromptAnswer::Ok : PromptAnswer::Cancel;
    case PromptButtons::YesNo:
        return yes ? PromptAnswer::Yes : PromptAnswer::No;
    case PromptButtons::YesNoCancel:
        return yes ? PromptAnswer::Yes : PromptAnswer::Cancel;
    }
    return PromptAnswer::Cancel;
}
