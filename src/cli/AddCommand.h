#pragma once

#include "cli/ToolCommand.h"

#include <future>
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
                        std::chrono::milliseconds lockWait = kLockWait, bool terminal = false)
        : m_settings(settings), m_lockWait(lockWait), m_terminal(terminal)
    {
    }

    // Set (to anything but "0") to read each image only when its turn comes, instead of
    // while the photo before it is written: the timing to compare the overlap with.
    static constexpr const char* kNoOverlapVariable = "QUILLERY_ADD_NO_OVERLAP";
    // How many images are read ahead of the photo being written.
    static constexpr size_t kReadAhead = 2;

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
    // An image read and its camera date, ready to be added.
    struct LoadedImage;
    static std::future<LoadedImage> StartLoading(const std::string& image, bool cameraDate,
                                                 bool overlap);
    // The message of the image's failure, if it could not be added.
    static std::optional<std::string> AddImage(const Request& request, const std::string& image,
                                               LoadedImage loaded, Library& library,
                                               const Settings& settings,
                                               std::vector<std::string>& report);

    Settings* m_settings;
    std::chrono::milliseconds m_lockWait;
    bool m_terminal;
};
