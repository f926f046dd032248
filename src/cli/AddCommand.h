#pragma once

#include "cli/ToolCommand.h"

#include <optional>
#include <string>
#include <vector>

class Library;
class Settings;

// quillery-tool add LIB.pdb IMAGE... [options]: adds photos through the same checks,
// the same picture store and the same settings file as the program's photo dialog,
// then saves the library once.
class AddCommand : public ToolCommand {
public:
    // Without settings the user's own settings file is read, as the program reads it.
    explicit AddCommand(Settings* settings = nullptr,
                        std::chrono::milliseconds lockWait = kLockWait)
        : m_settings(settings), m_lockWait(lockWait)
    {
    }

    std::string_view Name() const override { return "add"; }
    std::string_view Arguments() const override
    {
        return "LIB.pdb IMAGE... [--name N] [--date D] [--notes TEXT] [--person P]... "
               "[--event E]... [--location L]...";
    }
    std::string_view Description() const override;
    int Run(const std::vector<std::string>& arguments, ToolContext& context) override;

private:
    struct Request {
        std::string library;
        std::vector<std::string> images;
        std::optional<std::string> name;
        std::optional<std::string> date;
        std::string notes;
        std::vector<std::string> persons;
        std::vector<std::string> events;
        std::vector<std::string> locations;
    };

    static std::optional<Request> Parse(const std::vector<std::string>& arguments,
                                        ToolContext& context);
    bool OpenLibrary(const std::string& path, Library& library, ToolContext& context) const;
    static bool NamesFit(const Request& request, ToolContext& context);
    static bool AddNames(const Request& request, Library& library, ToolContext& context);
    // Each photo added gives a line for `report`.
    bool AddImages(const Request& request, Library& library, const Settings& settings,
                   ToolContext& context, std::vector<std::string>& report) const;
    static bool AddImage(const Request& request, const std::string& image, Library& library,
                         const Settings& settings, ToolContext& context,
                         std::vector<std::string>& report);

    Settings* m_settings;
    std::chrono::milliseconds m_lockWait;
};
