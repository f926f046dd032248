#pragma once

#include "core/Prompter.h"

#include <iosfwd>
#include <map>
#include <string>

// Answers the questions of a command for quillery-tool: a question given an answer on
// the command line gets it; others are asked on the terminal when there is one, and
// get their answer for no terminal when there is none; anything else goes on to the
// tool's own prompter.
class TerminalAnswers : public Prompter {
  public:
    // `terminal` is where answers are read, null when nobody is there to ask.
    TerminalAnswers(Prompter& next, std::istream* terminal, std::ostream& err);

    void Given(std::string_view question, PromptAnswer answer);
    void WithoutTerminal(std::string_view question, PromptAnswer answer);
    // Whether `question` will be asked on the terminal.
    bool AsksOnTerminal(std::string_view question) const;

    PromptAnswer Ask(std::string_view text, std::string_view caption,
                     PromptButtons buttons) override;

  private:
    PromptAnswer AskTerminal(std::string_view text, std::string_view caption,
                             PromptButtons buttons);

    Prompter& m_next;
    std::istream* m_terminal;
    std::ostream& m_err;
    std::map<std::string, PromptAnswer, std::less<>> m_given;
    std::map<std::string, PromptAnswer, std::less<>> m_withoutTerminal;
};
