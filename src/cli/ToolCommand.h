#pragma once

#include <chrono>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class Prompter;

// What a command of quillery-tool gets to work with.
struct ToolContext {
    std::ostream& out;
    std::ostream& err;
    Prompter& prompter;
};

// One command of quillery-tool ("dump", "resave", ...). Exit codes: 0 done, 1 the
// work failed (the message is already on the error stream), 2 wrong usage.
class ToolCommand {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kFailure = 1;
    static constexpr int kUsage = 2;
    // How long a command that changes a library waits for another program to let go
    // of it before it gives up.
    static constexpr std::chrono::milliseconds kLockWait{10000};

    virtual ~ToolCommand() = default;

    virtual std::string_view Name() const = 0;
    // The arguments after the name, as the help shows them: "LIB.pdb".
    virtual std::string_view Arguments() const = 0;
    // A few lines for --help.
    virtual std::string_view Description() const = 0;
    virtual int Run(const std::vector<std::string>& arguments, ToolContext& context) = 0;
};
