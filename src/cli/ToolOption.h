#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Options of quillery-tool's commands that take a value.
class ToolOption {
public:
    // "--name N" and "--name=N" alike: the value of the option at `index`, which then
    // moves past what was taken. Nothing when the argument is another option or the
    // value is missing.
    static std::optional<std::string> Value(const std::vector<std::string>& arguments,
                                            size_t& index, std::string_view option);
};
