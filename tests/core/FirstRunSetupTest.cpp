#include "FileBytes.h"
#include "MemorySettings.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"

#include "core/FirstRunSetup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string Quoted(const std::string& text)
{
    std::string word = "'";
    for (const char c : text)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

int Run(const std::string& command)
{
    return std::system(command.c_str());
}

// A program folder as the build or a user's own unpacking leaves it. Its name has the
// characters that shell words and desktop entries must quote.
struct Installation {
    TempDir root;
    fs::path program = root.Path() / "my 'apps' $HOME \"x\" 100%" / "quillery";
    fs::path dataHome = root.Path() / "share";
    fs::path dataDirs = root.Path() / "system";
    MemorySettings settings;
    ScriptedPrompter prompter;

    Installation()
    {
        const fs::path folder = program.parent_path();
        fs::create_directories(folder / "help");
        fs::create_directories(dataDirs);
        WriteBytes(program.string(), "program");
        WriteBytes((folder / "help" / "index.html").string(), "<html></html>");
        WriteBytes((folder / "Samples.pdb").string(), "library");
        for (const char* sub : {"Thumbnail Pictures", "Full Screen Pictures"}) {
            fs::create_directory(folder / sub);
            for (int n = 1; n <= 6; ++n)
                WriteBytes((folder / sub / ("Picture #" + std::to_string(n) + ".jpg")).string(),
                           "jpeg");
        }
    }
    FirstRunSetup Setup(bool writable)
    {
        return FirstRunSetup(
            settings, prompter,
            {program.string(), writable, dataHome.string(), {"", dataDirs.string()}});
    }
    int Uninstall(const FirstRunSetup& setup) const
    {
        return Run("cd / && TMPDIR=" + Quoted(root.Path().string()) + " sh " +
                   Quoted(setup.UninstallScriptPath()) + " >/dev/null");
    }
};

void ExpectValidEntries(const FirstRunSetup& setup, size_t count)
{
    const bool validate = Run("command -v desktop-file-validate >/dev/null 2>&1") == 0;
    const std::vector<std::string> entries = Entries(setup.MenuFolder());
    EXPECT_EQ(entries.size(), count);
    for (const std::string& entry : validate ? entries : std::vector<std::string>{}) {
        const std::string path = setup.MenuFolder() + "/" + entry;
        EXPECT_EQ(Run("desktop-file-validate " + Quoted(path)), 0) << path;
    }
}

} // namespace

TEST(FirstRunSetup, FirstStartSetsUpBesideAWritableProgramAndUninstallRemovesOnlyItsOwn)
{
    Installation installation;
    FirstRunSetup setup = installation.Setup(true);
    ASSERT_TRUE(setup.Check());
    EXPECT_EQ(installation.settings.GetInt("Initialization", 0), 1);
    ASSERT_EQ(installation.prompter.Texts(),
              std::vector<std::string>{std::string(FirstRunSetup::kMessage)});
    const fs::path folder = installation.program.parent_path();
    EXPECT_EQ(setup.SetupFolder(), folder.string());
    EXPECT_TRUE(fs::is_directory(folder / "High Resolution Images"));
    EXPECT_TRUE(fs::is_directory(folder / "Original Images"));
    ExpectValidEntries(setup, 3);

    // A photo of the user's own keeps its folder, and so the program folder.
    WriteBytes((folder / "Original Images" / "mine.jpg").string(), "mine");
    EXPECT_EQ(installation.Uninstall(setup), 0);
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"Original Images"});
    EXPECT_TRUE(fs::exists(folder / "Original Images" / "mine.jpg"));
    EXPECT_TRUE(fs::is_empty(setup.MenuFolder()));

    // A second start does nothing: no folders, entries, script or message come back.
    EXPECT_FALSE(installation.Setup(true).Check());
    EXPECT_TRUE(fs::is_empty(setup.MenuFolder()));
    EXPECT_FALSE(fs::exists(folder / "High Resolution Images"));
    EXPECT_FALSE(fs::exists(setup.UninstallScriptPath()));
    EXPECT_EQ(installation.prompter.Messages().size(), 1u);
}

// After an install to /usr the package owns the program folder and the "Quillery" entry:
// the user gets a copy of the sample library, and the uninstall removes only that copy.
TEST(FirstRunSetup, AReadOnlyProgramFolderGetsAUserCopyOfTheSamples)
{
    Installation installation;
    fs::create_directories(installation.dataDirs / "applications");
    WriteBytes((installation.dataDirs / "applications" / FirstRunSetup::kMenuEntryFile).string(),
               "x");
    FirstRunSetup setup = installation.Setup(false);
    ASSERT_TRUE(setup.Check());
    const fs::path copy = installation.dataHome / "Quillery";
    EXPECT_EQ(setup.SetupFolder(), copy.string());
    EXPECT_EQ(ReadBytes((copy / "Samples.pdb").string()), "library");
    EXPECT_EQ(ReadBytes((copy / "Full Screen Pictures" / "Picture #6.jpg").string()), "jpeg");
    EXPECT_TRUE(fs::is_directory(copy / "Original Images"));
    const fs::path folder = installation.program.parent_path();
    EXPECT_FALSE(fs::exists(folder / "Original Images"));
    EXPECT_FALSE(fs::exists(folder / "uninstall.sh"));
    ExpectValidEntries(setup, 2);
    EXPECT_FALSE(fs::exists(fs::path(setup.MenuFolder()) / FirstRunSetup::kMenuEntryFile));

    EXPECT_EQ(installation.Uninstall(setup), 0);
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_TRUE(fs::is_empty(setup.MenuFolder()));
    EXPECT_TRUE(fs::exists(installation.program));
    EXPECT_TRUE(fs::exists(folder / "Samples.pdb"));
    EXPECT_TRUE(fs::exists(installation.dataDirs / "applications" / FirstRunSetup::kMenuEntryFile));
}
