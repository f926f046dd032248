#pragma once

#include "cli/ToolCommand.h"

// quillery-tool resave LIB.pdb: reads the library and writes it back in place.
class ResaveCommand : public ToolCommand {
public:
    explicit ResaveCommand(std::chrono::milliseconds lockWait = kLockWait) : m_lockWait(lockWait)
    {
    }

    std::string_view Name() const override { return "resave"; }
    std::string_view Arguments() const override { return "LIB.pdb"; }
    std::string_view Description() const override;
    int Run(const std::vector<std::string>& arguments, ToolContext& context) override;

private:
    std::chrono::milliseconds m_lockWait;
};
