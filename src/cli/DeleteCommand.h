#pragma once

#include "cli/ToolCommand.h"

#include <string>
#include <vector>

// quillery-tool delete LIB.pdb NAME... [--with-files] [--all]: deletes photos by
// picture file name through the same code as the program's delete commands, then
// saves the library.
class DeleteCommand : public ToolCommand {
public:
    explicit DeleteCommand(std::chrono::milliseconds lockWait = kLockWait) : m_lockWait(lockWait) {}

    std::string_view Name() const override { return "delete"; }
    std::string_view Arguments() const override { return "LIB.pdb NAME... [--with-files] [--all]"; }
    std::string_view Description() const override;
    int Run(const std::vector<std::string>& arguments, ToolContext& context) override;

private:
    std::chrono::milliseconds m_lockWait;
};
