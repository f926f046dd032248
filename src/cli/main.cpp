#include "cli/CliPrompter.h"
#include "cli/QuilleryTool.h"

#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CliPrompter prompter(std::cerr);
    ToolContext context{std::cout, std::cerr, prompter};
    QuilleryTool tool;
    return tool.Run(arguments, context);
}
