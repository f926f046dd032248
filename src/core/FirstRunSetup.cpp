#include "core/FirstRunSetup.h"

#include "core/SettingsKeys.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* kSampleLibrary = "Samples.pdb";
constexpr const char* kSampleFolders[] = {"Thumbnail Pictures", "Full Screen Pictures"};
constexpr const char* kOptionalFolders[] = {"High Resolution Images", "Original Images"};
constexpr int kSamplePictureCount = 6;

// A single-quoted shell word: nothing inside is special except the quote itself.
std::string ShellWord(std::string_view text)
{
    std::string word = "'";
    for (const char c : text) {
        if (c == '\'')
            word += "'\\''";
        else
            word += c;
    }
    return word + "'";
}

// One argument of a desktop entry's Exec key: quoted as the entry's command line wants,
// then escaped again as every string value is.
std::string ExecArgument(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (const char c : quoted) {
        if (c == '\\')
            value += "\\\\";
        else if (c == '%')
            value += "%%";
        else
            value += c;
    }
    return value;
}

std::string Entry(std::string_view name, std::string_view comment, const std::string& exec,
                  bool terminal)
{
    std::string text = "[Desktop Entry]\nType=Application\nVersion=1.4\n";
    text += "Name=" + std::string(name) + "\n";
    text += "Comment=" + std::string(comment) + "\n";
    text += "Exec=" + exec + "\n";
    text += "Icon=camera-photo\n";
    text += std::string("Terminal=") + (terminal ? "true" : "false") + "\n";
    text += "Categories=Graphics;Photography;\n";
    return text;
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

} // namespace

FirstRunSetup::FirstRunSetup(Settings& settings, Prompter& prompter, FirstRunPlaces places)
    : m_settings(settings), m_prompter(prompter), m_places(std::move(places))
{
}

bool FirstRunSetup::Check()
{
    const auto& key = SettingsKeys::Initialization;
    if (m_settings.GetInt(key.name, key.defaultValue) != 0) return false;
    m_settings.WriteInt(key.name, 1);
    Run();
    m_prompter.Message(kMessage);
    return true;
}

std::string FirstRunSetup::ProgramFolder() const
{
    return fs::path(m_places.programPath).parent_path().string();
}

std::string FirstRunSetup::SetupFolder() const
{
    if (m_places.programFolderWritable) return ProgramFolder();
    return (fs::path(m_places.dataHome) / "Quillery").string();
}

std::string FirstRunSetup::MenuFolder() const
{
    return (fs::path(m_places.dataHome) / "applications").string();
}

std::string FirstRunSetup::UninstallScriptPath() const
{
    return (fs::path(SetupFolder()) / "uninstall.sh").string();
}

bool FirstRunSetup::PackageProvidesMenuEntry() const
{
    std::error_code error;
    for (const std::string& dir : m_places.dataDirs) {
        if (dir.empty()) continue;
        if (fs::exists(fs::path(dir) / "applications" / kMenuEntryFile, error)) return true;
    }
    return false;
}

void FirstRunSetup::CopySampleLibrary() const
{
    std::error_code error;
    const fs::path from(ProgramFolder());
    const fs::path to(SetupFolder());
    fs::create_directories(to, error);
    fs::copy_file(from / kSampleLibrary, to / kSampleLibrary, fs::copy_options::skip_existing,
                  error);
    for (const char* folder : kSampleFolders) {
        fs::copy(from / folder, to / folder,
                 fs::copy_options::recursive | fs::copy_options::skip_existing, error);
    }
}

void FirstRunSetup::Run() const
{
    std::error_code error;
    if (!m_places.programFolderWritable) CopySampleLibrary();
    for (const char* folder : kOptionalFolders)
        fs::create_directory(fs::path(SetupFolder()) / folder, error);

    const fs::path menu(MenuFolder());
    for (const std::string_view file : {kMenuEntryFile, kHelpEntryFile, kUninstallEntryFile})
        fs::remove(menu / file, error);
    fs::create_directories(menu, error);
    for (const auto& [file, text] : MenuEntries())
        WriteText((menu / file).string(), text);

    const std::string script = UninstallScriptPath();
    WriteText(script, UninstallScript());
    fs::permissions(script,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    error);
}

std::vector<std::pair<std::string, std::string>> FirstRunSetup::MenuEntries() const
{
    std::vector<std::pair<std::string, std::string>> entries;
    if (!PackageProvidesMenuEntry()) {
        entries.emplace_back(kMenuEntryFile, Entry("Quillery", "Keep a catalog of your photos",
                                                   ExecArgument(m_places.programPath), false));
    }
    const std::string help = (fs::path(ProgramFolder()) / "help" / "index.html").string();
    entries.emplace_back(kHelpEntryFile, Entry("Quillery Help", "Read the manual of Quillery",
                                               "xdg-open " + ExecArgument(help), false));
    entries.emplace_back(kUninstallEntryFile,
                         Entry("Quillery Uninstall",
                               "Remove what Quillery set up for you on its first start",
                               "sh " + ExecArgument(UninstallScriptPath()), true));
    return entries;
}

// Two passes, as a script that deletes its own folder must: the first copies the script
// to the temporary folder and runs the copy, which does the work. It removes only what
// this program put there for this user; files a package installed are left to the
// package manager.
std::string FirstRunSetup::UninstallScript() const
{
    const fs::path folder(SetupFolder());
    const auto word = [](const fs::path& path) { return ShellWord(path.string()); };
    std::string s;
    s += "#!/bin/sh\n#\n#\n# This file will uninstall Quillery\n#\n#\n";
    s += "if [ \"$1\" != 1 ]; then\n";
    s += "  copy=\"${TMPDIR:-/tmp}/quillery-uninstall.$$.sh\"\n";
    s += "  cp " + word(UninstallScriptPath()) + " \"$copy\" || exit 1\n";
    s += "  exec sh \"$copy\" 1\nfi\n";
    s += "# Delete sample photos first\n";
    for (const char* sampleFolder : {"Thumbnail Pictures", "Full Screen Pictures"}) {
        for (int n = 1; n <= kSamplePictureCount; ++n)
            s += "rm -f " +
                 word(folder / sampleFolder / ("Picture #" + std::to_string(n) + ".jpg")) + "\n";
    }
    s += "#\n# Now lets try and delete all of the picture file directories\n";
    s += "# This operation will fail if user has put photos into these directories\n#\n";
    for (const char* sub : {"Full Screen Pictures", "Thumbnail Pictures", "Original Images",
                            "High Resolution Images"})
        s += "rmdir " + word(folder / sub) + " 2>/dev/null\n";
    s += "#\n# Now lets delete sample photo library\n#\n";
    s += "rm -f " + word(folder / kSampleLibrary) + "\n";
    if (m_places.programFolderWritable) {
        s += "#\n# Now lets delete help files\n#\n";
        s += "rm -rf " + word(folder / "help") + "\n";
        s += "#\n# Now lets delete all program files\n#\n";
        for (const char* file : {"quillery", "quillery-tool"})
            s += "rm -f " + word(folder / file) + "\n";
    }
    s += "#\n# Now lets delete the menu entries\n#\n";
    for (const auto& entry : MenuEntries())
        s += "rm -f " + word(fs::path(MenuFolder()) / entry.first) + "\n";
    s += "#\n# Now lets delete the uninstall files and main directory\n#\n";
    s += "rm -f " + word(UninstallScriptPath()) + "\n";
    s += "rmdir " + word(folder) + " 2>/dev/null\n";
    s += "rm -f \"$0\"\n";
    s += "#\n#\n# This completes the uninstall of Quillery\n#\n#\n";
    s += "echo .\necho .\necho \" This completes the uninstall of Quillery\"\n";
    s += "echo \" Thank you for trying our product\"\necho .\necho .\necho .\n";
    s += "echo \" Please close this window now\"\necho .\nexit 0\n";
    return s;
}
