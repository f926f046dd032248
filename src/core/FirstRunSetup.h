#pragma once

#include "core/Prompter.h"
#include "core/Settings.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Where the first start looks and writes. The desktop program fills it from the
// running program and the environment; tests fill it with temporary folders.
struct FirstRunPlaces {
    std::string programPath;           // the running program file, full path
    bool programFolderWritable = true; // false after an install to /usr
    std::string dataHome;              // $XDG_DATA_HOME, or ~/.local/share
    std::vector<std::string> dataDirs; // $XDG_DATA_DIRS: where a package's menu entry lives
};

// The first start for a user completes the installation: the optional picture folders
// of the sample library, the menu entries, the uninstall script and a message. The flag
// is set before the work, and nothing in it reports failure, so a set-up that failed
// halfway is not tried again.
class FirstRunSetup {
  public:
    FirstRunSetup(Settings& settings, Prompter& prompter, FirstRunPlaces places);

    // The start-up check; true when the set-up ran now.
    bool Check();

    std::string ProgramFolder() const;
    // The program folder, or the user's copy of the sample library when the program
    // folder cannot be written: where the picture folders and the uninstall script go.
    std::string SetupFolder() const;
    std::string MenuFolder() const;
    std::string UninstallScriptPath() const;
    // A package that installed the program also installed its "Quillery" entry; a
    // second one in the user's menu would show the program twice.
    bool PackageProvidesMenuEntry() const;

    std::string UninstallScript() const;
    // The desktop entry files written to MenuFolder(), by file name.
    std::vector<std::pair<std::string, std::string>> MenuEntries() const;

    static constexpr std::string_view kMenuEntryFile = "org.quillery.Quillery.desktop";
    static constexpr std::string_view kHelpEntryFile = "org.quillery.Quillery.Help.desktop";
    static constexpr std::string_view kUninstallEntryFile =
        "org.quillery.Quillery.Uninstall.desktop";
    static constexpr std::string_view kMessage =
        "First time initialization of Quillery has been completed.\n"
        "You should check the options you want before beginning your own album(s).\n"
        "A sample library ('Samples.pdb') is provided for you to try out features of the "
        "product";

  private:
    void Run() const;
    void CopySampleLibrary() const;

    Settings& m_settings;
    Prompter& m_prompter;
    const FirstRunPlaces m_places;
};
