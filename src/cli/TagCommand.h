#pragma once

#include "cli/ToolCommand.h"

#include <string>
#include <vector>

// quillery-tool tag LIB.pdb NAME... [--person P]... [--event E]... [--location L]...:
// adds names to photos chosen by picture file name, as the program's "Add names to
// selected photos..." does, then saves the library once.
class TagCommand : public ToolCommand {
public:
    explicit TagCommand(std::chrono::milliseconds lockWait = kLockWait) : m_lockWait(lockWait) {}

    std::string_view Name() const override { return "tag"; }
    std::string_view Arguments() const override
    {
        return "LIB.pdb NAME... [--person P]... [--event E]... [--location L]...";
    }
    std::string_view Description() const override;
    int Run(const std::vector<std::string>& arguments, ToolContext& context) override;

private:
    std::chrono::milliseconds m_lockWait;
};
