#include "cli/QuilleryTool.h"

#include "cli/AddCommand.h"
#include "cli/DeleteCommand.h"
#include "cli/DumpCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommand.h"
#include "cli/OutputBuffer.h"
#include "cli/ResaveCommand.h"
#include "cli/TagCommand.h"

#include <cstring>
#include <iostream>
#include <ostream>
#include <unistd.h>

QuilleryTool::QuilleryTool()
{
    m_commands.push_back(std::make_unique<DumpCommand>());
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    m_commands.push_back(std::make_unique<AddCommand>(nullptr, ToolCommand::kLockWait, terminal));
    m_commands.push_back(std::make_unique<ResaveCommand>());
    m_commands.push_back(std::make_unique<DeleteCommand>());
    m_commands.push_back(std::make_unique<TagCommand>());
    m_commands.push_back(std::make_unique<ExportCommand>(ToolCommand::kLockWait, terminal));
    m_commands.push_back(std::make_unique<ImportCommand>(
        terminal && ::isatty(STDIN_FILENO) == 1 ? &std::cin : nullptr));
}

int QuilleryTool::Run(const std::vector<std::string>& arguments, ToolContext& context)
{
    if (arguments.empty()) {
        context.err << HelpText();
        return ToolCommand::kUsage;
    }
    const std::string& name = arguments.front();
    if (name == "--help" || name == "-h" || name == "help") {
        context.out << HelpText();
        return OutputWritten(context) ? ToolCommand::kSuccess : ToolCommand::kFailure;
    }
    ToolCommand* command = Find(name);
    if (command == nullptr) {
        context.err << "quillery-tool: unknown command \"" << name << "\"\n" << HelpText();
        return ToolCommand::kUsage;
    }
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    const int code = command->Run(rest, context);
    if (code == ToolCommand::kUsage) context.err << "usage: " << UsageLine(*command) << '\n';
    if (!OutputWritten(context)) return ToolCommand::kFailure;
    return code;
}

bool QuilleryTool::OutputWritten(ToolContext& context)
{
    context.out.flush();
    if (context.out) return true;
    const auto* buffer = dynamic_cast<const OutputBuffer*>(context.out.rdbuf());
    const int error = buffer != nullptr ? buffer->Error() : 0;
    context.err << "quillery-tool: cannot write the output";
    if (error != 0) context.err << ": " << std::strerror(error);
    context.err << '\n';
    return false;
}

std::string QuilleryTool::HelpText() const
{
    std::string text =
        "quillery-tool: the command-line companion of Quillery, for scripting and for\n"
        "checking photo libraries (.pdb files).\n\nusage:\n";
    for (const auto& command : m_commands) text += "  " + UsageLine(*command) + '\n';
    text += "  quillery-tool --help\n";
    for (const auto& command : m_commands) {
        text += '\n' + UsageLine(*command) + '\n';
        text += command->Description();
        text += '\n';
    }
    text +=
        "\nMessages go to stderr as \"caption: text\". Exit status: 0 done, 1 failed,\n"
        "2 wrong usage.\n";
    return text;
}

ToolCommand* QuilleryTool::Find(const std::string& name) const
{
    for (const auto& command : m_commands)
        if (command->Name() == name) return command.get();
    return nullptr;
}

std::string QuilleryTool::UsageLine(const ToolCommand& command) const
{
    return "quillery-tool " + std::string(command.Name()) + ' ' + std::string(command.Arguments());
}
