#pragma once

#include "core/Prompter.h"

#include <iosfwd>

// Messages of the command-line tool: "caption: text" on the error stream. Nobody is
// there to answer, so a question gets its cautious answer (Cancel, or No when there
// is no Cancel) unless the tool was told to assume yes.
class CliPrompter : public Prompter {
public:
    enum class Answers { Cautious, AssumeYes };

    explicit CliPrompter(std::ostream& err, Answers answers = Answers::Cautious);

    PromptAnswer Ask(std::string_view text, std::string_view caption,
                     PromptButtons buttons) override;

private:
    std::ostream& m_err;
    Answers m_answers;
};
