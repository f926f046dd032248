#pragma once

#include <chrono>
#include <string>

class Library;
struct ToolContext;

// Opening a library for a command of quillery-tool that changes or reads one.
class ToolLibrary {
  public:
    // Opens a library that must be there already: a missing file is refused rather
    // than created. Waits up to `lockWait` for another program to let go of it.
    static bool OpenExisting(const std::string& path, Library& library,
                             std::chrono::milliseconds lockWait, ToolContext& context);
};
