#include "FileBytes.h"
#include "MemorySettings.h"
#include "TempDir.h"

#include "cli/AddCommand.h"
#include "cli/CliPrompter.h"
#include "store/LibraryLock.h"
#include "store/PictureStore.h"
#include "store/VersionTable.h"

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

    int Run(std::vector<std::string> arguments, bool terminal = false)
    {
        m_err.str("");
        CliPrompter prompter(m_err);
        ToolContext context{m_out, m_err, prompter};
        arguments.insert(arguments.begin(), m_library);
        return AddCommand(&m_settings, std::chrono::milliseconds(100), terminal).Run(arguments, context);
    }

    // A picture made by ImageMagick in the format its extension names.
    std::string MakeImage(const std::string& name)
    {
        const std::string path = m_dir.File(name);
        const std::string command = "convert -size 320x200 gradient:orange-navy '" + path + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return path;
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

// A PNG whose header announces the size; its pixel data is never reached, since a
// picture of that size is refused, or finds no memory, before anything is decoded.
std::string PngAnnouncing(uint32_t width, uint32_t height)
{
    const auto crc = [](std::string_view bytes) {
        uint32_t value = 0xffffffffu;
        for (const unsigned char byte : bytes) {
            value ^= byte;
            for (int bit = 0; bit < 8; ++bit) value = (value >> 1) ^ (0xedb88320u & (0u - (value & 1u)));
        }
        return ~value;
    };
    const auto big = [](uint32_t value) {
        return std::string{static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 8), static_cast<char>(value)};
    };
    const auto chunk = [&](std::string_view type, const std::string& data) {
        const std::string typed = std::string(type) + data;
        return big(static_cast<uint32_t>(data.size())) + typed + big(crc(typed));
    };
    // 8-bit RGB; the data is one stored deflate block holding a single zero byte.
    const std::string header = big(width) + big(height) + std::string("\x08\x02\x00\x00\x00", 5);
    const std::string data("\x78\x01\x01\x01\x00\xfe\xff\x00\x00\x01\x00\x01", 12);
    return "\x89PNG\r\n\x1a\n" + chunk("IHDR", header) + chunk("IDAT", data) + chunk("IEND", "");
}

// More names of a kind than a photo holds, a picture one past the pixel limit, a FIFO
// (whose load would wait for a writer): each is refused with its reason and no photo
// is written; the names are refused before the library is even opened.
TEST_F(AddCommandTest, RefusedPicturesAndNamesSayWhyAndWriteNothing)
{
    const std::string image = MakeImage("source.png");
    std::vector<std::string> crowded{image};
    for (int i = 0; i < 17; ++i) crowded.insert(crowded.end(), {"--event", "E" + std::to_string(i)});
    const std::string tooLarge = m_dir.File("too-large.png"), fifo = m_dir.File("fifo.png");
    WriteBytes(tooLarge, PngAnnouncing(20001, 20000));
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::vector<std::string> arguments;
        std::string error;
        bool opened;  // whether the library was opened, and so made
    } cases[] = {
        {crowded, "A photo can hold at most 16 events, 17 events were chosen, please choose fewer", false},
        {{tooLarge}, tooLarge + ": Selected picture is too large to be read", true},
        {{fifo}, fifo + ": Selected file is not a valid image file", true},
    };
    ::alarm(10); // a load that waits for a writer ends the test rather than hanging it
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.end(), {"--date", "1999"});
        EXPECT_EQ(Run(arguments), ToolCommand::kFailure) << c.error;
        EXPECT_EQ(m_err.str(), "Quillery: " + c.error + "\n");
        EXPECT_EQ(Exists(m_library), c.opened) << c.error;
        EXPECT_EQ(ReadBytes(m_library), "");
    }
    ::alarm(0);
}

// Within the pixel limit (1.2 GB of pixels) but beyond the memory the process may have:
// the message says so, rather than calling the file invalid.
TEST_F(AddCommandTest, APictureBeyondMemoryIsSaidToBeSo)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit leaves";
#else
    const std::string atLimit = m_dir.File("at-limit.png");
    WriteBytes(atLimit, PngAnnouncing(20000, 20000));
    const std::string errors = m_dir.File("errors.txt");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) { // the child's address space is capped well below the picture
        rlimit limit{};
        ::getrlimit(RLIMIT_AS, &limit);
        std::ifstream status("/proc/self/status");
        std::string line;
        long sizeKb = 0;
        while (std::getline(status, line))
            if (line.starts_with("VmSize:")) sizeKb = std::atol(line.c_str() + 7);
        limit.rlim_cur = static_cast<rlim_t>(sizeKb) * 1024 + (rlim_t{600} << 20);
        ::setrlimit(RLIMIT_AS, &limit);
        Run({atLimit, "--date", "1999"});
        std::ofstream(errors) << m_err.str();
        std::_Exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(ReadBytes(errors),
              "Quillery: " + atLimit + ": Not enough memory to read the selected picture\n");
#endif
}

TEST_F(AddCommandTest, StopsAtTheFirstFailureAndKeepsWhatWasAdded)
{
    const std::string good = MakeImage("good.png");
    const std::string bad = m_dir.File("bad.jpg");
    std::ofstream(bad) << "not a picture";
    const std::string never = MakeImage("never.png");
    EXPECT_EQ(Run({good, bad, never, "--date", "1999"}), ToolCommand::kFailure);
    EXPECT_NE(m_err.str().find("Adding 2 of 3: " + bad + "\n"), std::string::npos) << m_err.str();
    EXPECT_NE(m_err.str().find(bad + ": Selected file is not a valid image file"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(m_library), "good|1999|||||\r\n");
    EXPECT_FALSE(Exists(PictureStore::VersionPath(m_dir.Path().string(), Version::Thumbnail, "never")));
}

// Each image, with its camera date taken when none is given, is read while the photo
// before it is written; switched off, the images are read in turn. Either way the
// library holds the same photos, and a terminal sees one progress line instead of a
// line per image.
TEST_F(AddCommandTest, ReadingAheadAddsWhatReadingInTurnAdds)
{
    std::vector<std::string> images;
    for (const char* name : {"one.jpg", "two.jpg", "three.jpg"}) {
        images.push_back(MakeImage(name));
        auto file = Exiv2::ImageFactory::open(images.back());
        file->readMetadata();
        file->exifData()["Exif.Photo.DateTimeOriginal"] =
            "2020:01:0" + std::to_string(images.size()) + " 03:04:05";
        file->writeMetadata();
    }
    const std::string expected =
        "one|1/01/2020|||||\r\ntwo|1/02/2020|||||\r\nthree|1/03/2020|||||\r\n";
    for (const bool overlap : {true, false}) {
        SCOPED_TRACE(overlap ? "read ahead" : "read in turn");
        std::filesystem::create_directory(m_dir.File(overlap ? "ahead" : "in-turn"));
        m_library = m_dir.File(overlap ? "ahead/Library.pdb" : "in-turn/Library.pdb");
        if (!overlap) setenv(AddCommand::kNoOverlapVariable, "1", 1);
        const int code = Run(images, true);
        unsetenv(AddCommand::kNoOverlapVariable);
        ASSERT_EQ(code, 0) << m_err.str();
        EXPECT_EQ(ReadBytes(m_library), expected);
        EXPECT_EQ(m_err.str(), "\r\033[K[1/3] Adding " + images[0] + "\r\033[K[2/3] Adding " +
                                   images[1] + "\r\033[K[3/3] Adding " + images[2] + "\r\033[K");
    }
}

// A photo is reported added only once the library file holds it: when the last save
// fails, the tool fails without claiming the photos it had added. While another
// Quillery has the library, the command waits for it, then fails and adds nothing.
TEST_F(AddCommandTest, ALibraryThatCannotBeSavedOrIsOpenElsewhereGetsNothing)
{
    const std::string image = MakeImage("source.png");
    {
        const LibraryLock other = LibraryLock::Take(m_library);
        ASSERT_TRUE(other.Held());
        EXPECT_EQ(Run({image, "--date", "1999"}), ToolCommand::kFailure);
        EXPECT_EQ(m_err.str(), "Quillery: The library " + m_library + " is open in another Quillery.\n");
        EXPECT_FALSE(Exists(m_library));
    }
    WriteBytes(m_library, "");
    // A folder under the writer's temporary name: the save cannot begin.
    std::filesystem::create_directory(m_dir.File("~Library.pdb"));
    EXPECT_EQ(Run({image, "--date", "1999"}), ToolCommand::kFailure);
    EXPECT_NE(m_err.str().find("Unable to open temporary output file"), std::string::npos)
        << m_err.str();
    EXPECT_EQ(m_out.str(), "");
    EXPECT_EQ(ReadBytes(m_library), "");
}

// Two programs on one library at the same moment: whichever comes first, the other
// waits, so every photo is kept and no temporary file or backup is left.
TEST_F(AddCommandTest, ProgramsRunAtOnceKeepEveryPhoto)
{
    const std::string first = MakeImage("first.png"), second = MakeImage("second.png");
    const std::string kOld = "old|1999|||||\r\n", kFirst = "first|1999|||||\r\n",
                      kSecond = "second|1999|||||\r\n";
    const struct {
        const char* label;
        std::string before;  // "" for no library yet
        std::string a, b;    // the two commands, the library appended
        std::vector<std::string> after;  // the library as either order leaves it
    } cases[] = {
        {"two adds", "", "add '" + first + "' --date 1999", "add '" + second + "' --date 1999",
         {kFirst + kSecond, kSecond + kFirst}},
        {"two resaves", kOld, "resave", "resave", {kOld}},
        {"resave beside add", kOld, "add '" + first + "' --date 1999", "resave", {kOld + kFirst}},
    };
    for (const auto& c : cases) {
        for (int run = 0; run < 20; ++run) {
            const std::string folder = m_dir.File(std::string(c.label) + std::to_string(run));
            std::filesystem::create_directory(folder);
            const std::string library = folder + "/Library.pdb";
            if (!c.before.empty()) {
                WriteBytes(library, c.before);
                for (const VersionInfo& version : kVersionTable)
                    std::filesystem::create_directory(folder + "/" + std::string(version.folderName));
            }
            const auto tool = [&](const std::string& command, const char* err) {
                const std::string verb = command.substr(0, command.find(' '));
                return "HOME='" + folder + "' XDG_CONFIG_HOME='" + folder + "' '" + QUILLERY_TOOL_PATH +
                       "' " + verb + " '" + library + "'" + command.substr(verb.size()) + " >/dev/null 2>'" +
                       folder + err + "'";
            };
            const std::string command =
                tool(c.a, "/err1") + " & a=$!; " + tool(c.b, "/err2") + " & b=$!; wait $a && wait $b";
            ASSERT_EQ(std::system(command.c_str()), 0)
                << c.label << run << ReadBytes(folder + "/err1") << ReadBytes(folder + "/err2");
            const std::string content = ReadBytes(library);
            EXPECT_NE(std::find(c.after.begin(), c.after.end(), content), c.after.end())
                << c.label << " run " << run << ": " << content;
            for (const char* leftover : {"~Library.pdb", "Library.bak", "Library.bak.1"})
                EXPECT_FALSE(Exists(folder + "/" + leftover)) << c.label << " run " << run << " " << leftover;
        }
    }
}

} // namespace
