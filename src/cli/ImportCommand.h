#pragma once

#include "cli/ToolCommand.h"

#include <iosfwd>

// quillery-tool import DEST.pdb SRC.pdb [answers]: the program's Import into DEST.pdb,
// which is then saved.
class ImportCommand : public ToolCommand {
  public:
    // `terminal`: where the questions no option answers are asked; null when there
    // is no terminal.
    explicit ImportCommand(std::istream* terminal = nullptr,
                           std::chrono::milliseconds lockWait = kLockWait)
        : m_terminal(terminal), m_lockWait(lockWait)
    {
    }

    std::string_view Name() const override { return "import"; }
    std::string_view Arguments() const override
    {
        return "DEST.pdb SRC.pdb [--skip-duplicates|--add-duplicates] "
               "[--replace-files|--keep-files]";
    }
    std::string_view Description() const override;
    int Run(const std::vector<std::string>& arguments, ToolContext& context) override;

  private:
    std::istream* m_terminal;
    std::chrono::milliseconds m_lockWait;
};
