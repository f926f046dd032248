#include "cli/CliPrompter.h"
#include "cli/OutputBuffer.h"
#include "cli/QuilleryTool.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CliPrompter prompter(std::cerr);
    OutputBuffer buffer(STDOUT_FILENO);
    std::ostream out(&buffer);
    ToolContext context{out, std::cerr, prompter};
    QuilleryTool tool;
    return tool.Run(arguments, context);
}
