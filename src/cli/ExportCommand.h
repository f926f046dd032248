#pragma once

#include "cli/ToolCommand.h"

// quillery-tool export SRC.pdb DEST.pdb [filters]: the program's Export, with the
// filters of its Filter menu given as options.
class ExportCommand : public ToolCommand {
  public:
    explicit ExportCommand(std::chrono::milliseconds lockWait = kLockWait,
                           bool progressOnTerminal = false)
        : m_lockWait(lockWait), m_progressOnTerminal(progressOnTerminal)
    {
    }

    std::string_view Name() const override { return "export"; }
    std::string_view Arguments() const override
    {
        return "SRC.pdb DEST.pdb [--from DATE --to DATE] [--person NAME]... [--event NAME]... "
               "[--location NAME]...";
    }
    std::string_view Description() const override;
    int Run(const std::vector<std::string>& arguments, ToolContext& context) override;

  private:
    std::chrono::milliseconds m_lockWait;
    bool m_progressOnTerminal;
};
