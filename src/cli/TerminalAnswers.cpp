#include "cli/TerminalAnswers.h"

#include <istream>
#include <ostream>

TerminalAnswers::TerminalAnswers(Prompter& next, std::istream* terminal, std::ostream& err)
    : m_next(next), m_terminal(terminal), m_err(err)
{
}

void TerminalAnswers::Given(std::string_view question, PromptAnswer answer)
{
    m_given.insert_or_assign(std::string(question), answer);
}

void TerminalAnswers::WithoutTerminal(std::string_view question, PromptAnswer answer)
{
    m_withoutTerminal.insert_or_assign(std::string(question), answer);
}

bool TerminalAnswers::AsksOnTerminal(std::string_view question) const
{
    return m_terminal != nullptr && !m_given.contains(question);
}

PromptAnswer TerminalAnswers::Ask(std::string_view text, std::string_view caption,
                                  PromptButtons buttons)
{
    if (const auto given = m_given.find(text); given != m_given.end()) return given->second;
    if (buttons == PromptButtons::Ok) return m_next.Ask(text, caption, buttons);
    if (m_terminal != nullptr) return AskTerminal(text, caption, buttons);
    if (const auto fixed = m_withoutTerminal.find(text); fixed != m_withoutTerminal.end())
        return fixed->second;
    return m_next.Ask(text, caption, buttons);
}

PromptAnswer TerminalAnswers::AskTerminal(std::string_view text, std::string_view caption,
                                          PromptButtons buttons)
{
    const bool yesNo = buttons != PromptButtons::OkCancel;
    const bool cancel = buttons != PromptButtons::YesNo;
    const std::string choices =
        yesNo ? (cancel ? "[y]es, [n]o, [c]ancel" : "[y]es, [n]o") : "[o]k, [c]ancel";
    for (;;) {
        m_err << caption << ": " << text << "\n" << choices << "? " << std::flush;
        std::string line;
        // The end of the input answers as carefully as a tool without a terminal.
        if (!std::getline(*m_terminal, line))
            return cancel ? PromptAnswer::Cancel : PromptAnswer::No;
        const char first = line.empty() ? '\0' : static_cast<char>(line.front() | 0x20);
        if (yesNo && first == 'y') return PromptAnswer::Yes;
        if (yesNo && first == 'n') return PromptAnswer::No;
        if (!yesNo && first == 'o') return PromptAnswer::Ok;
        if (cancel && first == 'c') return PromptAnswer::Cancel;
    }
}
