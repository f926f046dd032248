#include "FileBytes.h"
#include "MemorySettings.h"
#include "TempDir.h"

#include "cli/AddCommand.h"
#include "cli/CliPrompter.h"
#include "store/LibraryLock.h"
#include "store/PictureStore.h"
#include "store/VersionTable.h"

#include <QImage>

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Version = PictureStore::Version;

class AddCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (std::system("command -v convert >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "ImageMagick's convert is not installed";
    }

    // Runs the command on the library, or on exactly the arguments given when withLibrary is false.
    int Run(std::vector<std::string> arguments, bool withLibrary = true)
    {
        m_err.str("");
        CliPrompter prompter(m_err);
        ToolContext context{m_out, m_err, prompter};
        if (withLibrary) arguments.insert(arguments.begin(), m_library);
        return AddCommand(&m_settings, std::chrono::milliseconds(100)).Run(arguments, context);
    }

    // A picture made by ImageMagick in the format its extension names.
    std::string MakeImage(const std::string& name)
    {
        const std::string path = m_dir.File(name);
        const std::string command = "convert -size 320x200 gradient:orange-navy '" + path + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return path;
    }

    QSize VersionSize(Version version, const std::string& name) const
    {
        return QImage(QString::fromStdString(
                          PictureStore::VersionPath(m_dir.Path().string(), version, name)))
            .size();
    }

    TempDir m_dir;
    std::string m_library = m_dir.File("Library.pdb");
    MemorySettings m_settings;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(AddCommandTest, StoresNamesNotesAndGivenFileNameAsTheDialogDoes)
{
    const std::string image = MakeImage("source.png");
    ASSERT_EQ(Run({image, "--name", "Picture #1", "--date=1999", "--notes",
                   "Sunny | warm\nand\r\ndry", "--person", "Smith, John", "--person", "Doe, Jane",
                   "--event", "Party", "--location", "France, Paris"}),
              0)
        << m_err.str();
    EXPECT_EQ(ReadBytes(m_library), "Picture #1|1999|Smith, John^Doe, Jane|Party|France, Paris|"
                                    "Sunny \x01 warm\r\r\nand\r\r\ndry|\r\n");
    EXPECT_EQ(m_err.str(), "");
    EXPECT_EQ(m_out.str(), "Added \"Picture #1\" (1999) from " + image + "\n");
}

TEST_F(AddCommandTest, CameraDateIsTakenWhenNoneIsGiven)
{
    const std::string image = MakeImage("camera.jpg");
    auto file = Exiv2::ImageFactory::open(image);
    file->readMetadata();
    file->exifData()["Exif.Photo.DateTimeOriginal"] = "2021:08:04 10:11:12";
    file->writeMetadata();
    ASSERT_EQ(Run({image}), 0) << m_err.str();
    EXPECT_EQ(ReadBytes(m_library), "camera|8/04/2021|||||\r\n");
}

TEST_F(AddCommandTest, WrongUsageIsRefusedBeforeAnythingIsWritten)
{
    // clang-format off
    const std::vector<std::string> cases[] = {
        {}, {"x.pdb"}, {"x.pdb", "a.png", "b.png", "--name", "n"}, {"x.pdb", "a.png", "--date"},
        {"x.pdb", "a.png", "--colour", "red"},
    };
    // clang-format on
    for (const auto& arguments : cases)
        EXPECT_EQ(Run(arguments, false), ToolCommand::kUsage) << arguments.size();
    EXPECT_FALSE(std::filesystem::exists("x.pdb"));
}

TEST_F(AddCommandTest, RefusesWhatTheDialogRefusesWithItsMessage)
{
    const std::string image = MakeImage("source.png");
    // clang-format off
    const struct {
        std::vector<std::string> options;
        const char* message;
    } cases[] = {
        {{}, "Date is not in valid format, please reenter"},
        {{"--person", "a^b", "--date", "1999"}, "Input cannot contain either | or ^ characters"},
        {{"--name", "", "--date", "1999"}, "picture file name is empty"},
    };
    // clang-format on
    // The store's own rules are tested with it; these are the tool's: no date and no
    // camera date, its name check, its empty-name message.
    for (const auto& c : cases) {
        std::vector<std::string> arguments{image};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        EXPECT_EQ(Run(arguments), ToolCommand::kFailure) << c.message;
        EXPECT_NE(m_err.str().find(c.message), std::string::npos) << m_err.str();
    }
    EXPECT_EQ(ReadBytes(m_library), "") << "nothing added";
}

TEST_F(AddCommandTest, StopsAtTheFirstFailureAndKeepsWhatWasAdded)
{
    const std::string good = MakeImage("good.png");
    const std::string bad = m_dir.File("bad.jpg");
    std::ofstream(bad) << "not a picture";
    const std::string never = MakeImage("never.png");
    EXPECT_EQ(Run({good, bad, never, "--date", "1999"}), ToolCommand::kFailure);
    EXPECT_NE(m_err.str().find(bad + ": Selected file is not a valid image file"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(m_library), "good|1999|||||\r\n");
    EXPECT_TRUE(VersionSize(Version::Thumbnail, "never").isEmpty());
}

TEST_F(AddCommandTest, LibraryPathOverTheNameOrPathLimitFailsWithAMessage)
{
    const std::string image = MakeImage("source.png");
    std::string deep = m_dir.Path().string();
    while (deep.size() < 5000) deep += '/' + std::string(200, 'd');
    for (const std::string& library : {m_dir.File(std::string(300, 'x')), deep + "/l.pdb"}) {
        EXPECT_EQ(Run({library, image, "--date", "1999"}, false), ToolCommand::kFailure);
        EXPECT_NE(m_err.str().find("Unable to create the library"), std::string::npos);
    }
}

TEST_F(AddCommandTest, FifoAsPictureIsRefusedAtOnce)
{
    const std::string fifo = m_dir.File("fifo.png");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::alarm(10); // a load that waits for a writer ends the test rather than hanging it
    EXPECT_EQ(Run({fifo, "--date", "1999"}), ToolCommand::kFailure);
    ::alarm(0);
    EXPECT_NE(m_err.str().find(fifo + ": Selected file is not a valid image file"),
              std::string::npos) << m_err.str();
}

// A photo is reported added only once the library file holds it: when the last save
// fails, the tool fails without claiming the photos it had added.
TEST_F(AddCommandTest, NothingIsReportedAddedWhenTheSaveFails)
{
    const std::string image = MakeImage("source.png");
    WriteBytes(m_library, "");
    // A folder under the writer's temporary name: the save cannot begin.
    std::filesystem::create_directory(m_dir.File("~Library.pdb"));
    EXPECT_EQ(Run({image, "--date", "1999"}), ToolCommand::kFailure);
    EXPECT_NE(m_err.str().find("Unable to open temporary output file"), std::string::npos)
        << m_err.str();
    EXPECT_EQ(m_out.str(), "");
    EXPECT_EQ(ReadBytes(m_library), "");
}

// A crash of a save leaves files where the library should be: the tool mends them
// rather than creating an empty library over them, and says what it did.
TEST_F(AddCommandTest, LeftoversOfACutShortSaveAreMendedNeverCreatedOver)
{
    const std::string image = MakeImage("source.png");
    const std::string kept = "kept|1999|||||\r\n";
    const struct {
        const char* label;
        // Oldest first, as the writer's steps left them.
        std::vector<std::pair<const char*, std::string>> files;
        int code;
        std::string database;  // "-" when none
        const char* told;
    } cases[] = {
        {"between the renames", {{"Library.bak", "kept|19"}, {"~Library.pdb", kept}}, ToolCommand::kSuccess,
         kept + "source|1999|||||\r\n", "Took ~Library.pdb, the only complete one, as Library.pdb."},
        {"nothing complete", {{"~Library.pdb", "kept|19"}}, ToolCommand::kFailure, "-",
         "None of them can be read whole"},
        {"a stale backup", {{"Library.bak", kept}, {"Library.pdb", kept}}, ToolCommand::kSuccess,
         kept + "source|1999|||||\r\n", "moved it aside to Library.bak.1"},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string folder = m_dir.File("case" + std::to_string(++number));
        std::filesystem::create_directory(folder);
        auto age = std::chrono::seconds(100);
        for (const auto& [name, content] : c.files) {
            WriteBytes(folder + '/' + name, content);
            std::filesystem::last_write_time(folder + '/' + name,
                                             std::filesystem::file_time_type::clock::now() - age);
            age -= std::chrono::seconds(10);
        }
        const std::string library = folder + "/Library.pdb";
        m_out.str("");
        EXPECT_EQ(Run({library, image, "--date", "1999"}, false), c.code) << m_err.str();
        EXPECT_EQ(Exists(library) ? ReadBytes(library) : "-", c.database);
        EXPECT_NE(m_err.str().find(c.told), std::string::npos) << m_err.str();
        EXPECT_EQ(m_out.str().empty(), c.code != ToolCommand::kSuccess) << m_out.str();
    }
}

// The real program, with the user's settings file in a home of its own, adds a picture
// of each of the six formats and reports its progress.
TEST_F(AddCommandTest, ProgramAddsImagesOfAllSixFormats)
{
    const std::string home = m_dir.File("home");
    std::filesystem::create_directories(home + "/.config/Quillery");
    std::ofstream(home + "/.config/Quillery/Quillery.conf") << "[Quillery]\nSaveOriginalPictures=1\n";
    std::string images, expected;
    for (const std::string extension : {"jpg", "png", "bmp", "gif", "tif", "pcx"}) {
        images += " '" + MakeImage("photo_" + extension + "." + extension) + "'";
        expected += "photo_" + extension + "|1999|||||\r\n";
    }
    const std::string command = "HOME='" + home + "' XDG_CONFIG_HOME='" + home + "/.config' '" +
                                QUILLERY_TOOL_PATH + "' add '" + m_library + "'" + images +
                                " --date 1999 >/dev/null 2>'" + m_dir.File("err") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadBytes(m_dir.File("err"));
    EXPECT_EQ(ReadBytes(m_library), expected);
    EXPECT_NE(ReadBytes(m_dir.File("err")).find("Adding 6 of 6: "), std::string::npos);
    for (const char* name : {"photo_jpg", "photo_pcx"})
        EXPECT_EQ(VersionSize(Version::Original, name), QSize(320, 200)) << name;
}

// While another Quillery has the library, the command waits for it, then fails with
// the message and adds nothing; once it lets go, the command goes ahead.
TEST_F(AddCommandTest, WaitsForALibraryOpenElsewhereThenFails)
{
    const std::string image = MakeImage("source.png");
    LibraryLock other = LibraryLock::Take(m_library);
    ASSERT_TRUE(other.Held());
    EXPECT_EQ(Run({image, "--date", "1999"}), ToolCommand::kFailure);
    EXPECT_EQ(m_err.str(), "Quillery: The library " + m_library + " is open in another Quillery.\n");
    EXPECT_FALSE(std::filesystem::exists(m_library));
    other = LibraryLock();
    EXPECT_EQ(Run({image, "--date", "1999"}), ToolCommand::kSuccess) << m_err.str();
    EXPECT_EQ(ReadBytes(m_library), "source|1999|||||\r\n");
}

// Two programs adding different photos to one library at the same moment: each waits
// for the other, so neither photo is lost, whichever comes first, even when both find
// no library yet.
TEST_F(AddCommandTest, ProgramsAddingAtOnceKeepBothPhotos)
{
    const std::string first = MakeImage("first.png");
    const std::string second = MakeImage("second.png");
    const std::string tool = QUILLERY_TOOL_PATH;
    for (int run = 0; run < 20; ++run) {
        const std::string folder = m_dir.File("run" + std::to_string(run));
        std::filesystem::create_directory(folder);
        const std::string library = folder + "/Library.pdb";
        const auto add = [&](const std::string& image, const std::string& err) {
            return "HOME='" + folder + "' XDG_CONFIG_HOME='" + folder + "' '" + tool + "' add '" +
                   library + "' '" + image + "' --date 1999 >/dev/null 2>'" + err + "'";
        };
        const std::string command = add(first, folder + "/err1") + " & a=$!; " +
                                    add(second, folder + "/err2") + " & b=$!; " +
                                    "wait $a && wait $b";
        ASSERT_EQ(std::system(command.c_str()), 0)
            << run << ReadBytes(folder + "/err1") << ReadBytes(folder + "/err2");
        const std::string content = ReadBytes(library);
        ASSERT_TRUE(content == "first|1999|||||\r\nsecond|1999|||||\r\n" ||
                    content == "second|1999|||||\r\nfirst|1999|||||\r\n")
            << "run " << run << ": " << content;
    }
}

// A resave beside an add on the same library: whichever takes the library first, the
// other waits, so the photo that was there and the one added are both kept and no
// temporary file or backup is left.
TEST_F(AddCommandTest, ResaveBesideAnAddKeepsEveryPhoto)
{
    const std::string image = MakeImage("added.png");
    const std::string tool = QUILLERY_TOOL_PATH;
    for (int run = 0; run < 20; ++run) {
        const std::string folder = m_dir.File("run" + std::to_string(run));
        std::filesystem::create_directory(folder);
        const std::string library = folder + "/Library.pdb";
        WriteBytes(library, "old|1999|||||\r\n");
        for (const VersionInfo& version : kVersionTable)
            std::filesystem::create_directory(folder + "/" + std::string(version.folderName));
        const std::string environment = "HOME='" + folder + "' XDG_CONFIG_HOME='" + folder + "' ";
        const std::string command =
            environment + "'" + tool + "' add '" + library + "' '" + image +
            "' --date 1999 >/dev/null 2>'" + folder + "/err1' & a=$!; " + environment + "'" +
            tool + "' resave '" + library + "' 2>'" + folder + "/err2' & b=$!; " +
            "wait $a && wait $b";
        ASSERT_EQ(std::system(command.c_str()), 0)
            << run << ReadBytes(folder + "/err1") << ReadBytes(folder + "/err2");
        EXPECT_EQ(ReadBytes(library), "old|1999|||||\r\nadded|1999|||||\r\n") << "run " << run;
        for (const char* leftover : {"~Library.pdb", "Library.bak"})
            EXPECT_FALSE(Exists(folder + "/" + std::string(leftover))) << "run " << run << " " << leftover;
    }
}

} // namespace
