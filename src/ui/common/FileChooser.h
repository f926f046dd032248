#pragma once

#include <optional>
#include <string>
#include <vector>

// What kind of file dialog a command asks for.
enum class FileDialogKind { Open, Save };

// Options of a file request; combine with |.
enum class FileFlag : unsigned {
    None = 0,
    MustExist = 1u << 0,         // the chosen file has to be there already
    ConfirmOverwrite = 1u << 1,  // ask before choosing a file that exists
};
constexpr FileFlag operator|(FileFlag a, FileFlag b)
{
    return static_cast<FileFlag>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool HasFlag(FileFlag set, FileFlag flag)
{
    return (static_cast<unsigned>(set) & static_cast<unsigned>(flag)) != 0;
}

// One file dialog as a command describes it. Texts are UTF-8; paths are the file
// system's bytes. An empty title means the dialog's own default.
struct FileRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string title;
    std::string filter;         // Qt form: "Photo Databases (*.pdb)"
    std::string defaultSuffix;  // added when the user types a name without one
    std::string directory;      // where the dialog starts
    std::string fileName;       // preset in the name field
    FileFlag flags = FileFlag::None;
};

// The one road by which commands let the user choose a file. The program shows
// Qt's file dialog; tests install a scripted chooser.
class FileChooser {
public:
    virtual ~FileChooser() = default;

    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> Choose(const FileRequest& request) = 0;

    // The chosen paths of an open request that lets the user pick several files at
    // once, in the order the dialog gives them; nothing when the user cancelled. A
    // chooser that knows no such dialog offers its one choice.
    virtual std::optional<std::vector<std::string>> ChooseSeveral(const FileRequest& request)
    {
        std::optional<std::string> chosen = Choose(request);
        if (!chosen) return std::nullopt;
        return std::vector<std::string>{std::move(*chosen)};
    }
};
