#include "cli/ToolOption.h"

std::optional<std::string> ToolOption::Value(const std::vector<std::string>& arguments,
                                             size_t& index, std::string_view option)
{
    const std::string& argument = arguments[index];
    if (argument.size() > option.size() && argument.compare(0, option.size(), option) == 0 &&
        argument[option.size()] == '=') {
        return argument.substr(option.size() + 1);
    }
    if (argument != option || index + 1 >= arguments.size()) return std::nullopt;
    return arguments[++index];
}
