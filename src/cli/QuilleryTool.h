#pragma once

#include "cli/ToolCommand.h"

#include <memory>
#include <string>
#include <vector>

// The command-line front: picks the command named by the first argument and runs it.
// A new command is a ToolCommand subclass listed in QuilleryTool's constructor.
class QuilleryTool {
public:
    QuilleryTool();

    // `arguments` excludes the program name. Returns the exit code.
    int Run(const std::vector<std::string>& arguments, ToolContext& context);
    std::string HelpText() const;

private:
    ToolCommand* Find(const std::string& name) const;
    // Flushes the output; when it could not be written, says why on the error stream.
    static bool OutputWritten(ToolContext& context);
    std::string UsageLine(const ToolCommand& command) const;

    std::vector<std::unique_ptr<ToolCommand>> m_commands;
};
