#include "MemorySettings.h"
#include "TempDir.h"

#include "cli/AddCommand.h"
#include "cli/CliPrompter.h"
#include "cli/QuilleryTool.h"
#include "store/PictureStore.h"

#include <QImage>

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool HaveConvert()
{
    return std::system("command -v convert >/dev/null 2>&1") == 0;
}

class AddCommandTest : public testing::Test {
protected:
    int Run(std::vector<std::string> arguments)
    {
        CliPrompter prompter(m_err);
        ToolContext context{m_out, m_err, prompter};
        AddCommand command(&m_settings);
        arguments.insert(arguments.begin(), m_library);
        return command.Run(arguments, context);
    }

    // A picture made by ImageMagick in the format its extension names.
    std::string MakeImage(const std::string& name, int width = 320, int height = 200)
    {
        const std::string path = m_dir.File(name);
        const std::string command = "convert -size " + std::to_string(width) + "x" +
                                    std::to_string(height) + " gradient:orange-navy '" + path + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return path;
    }

    std::string Version(PictureStore::Version version, const std::string& name) const
    {
        return PictureStore::VersionPath(m_dir.Path().string(), version, name);
    }

    void SetUp() override
    {
        if (!HaveConvert()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    }

    TempDir m_dir;
    std::string m_library = m_dir.File("Library.pdb");
    MemorySettings m_settings;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(AddCommandTest, AddsImagesOfAllSixFormats)
{
    m_settings.WriteInt("SaveOriginalPictures", 1);
    std::vector<std::string> arguments;
    for (const char* extension : {"jpg", "png", "bmp", "gif", "tif", "pcx"}) {
        arguments.push_back(MakeImage(std::string("photo_") + extension + "." + extension));
    }
    arguments.insert(arguments.end(), {"--date", "6/05/1999"});
    ASSERT_EQ(Run(arguments), 0) << m_err.str();

    std::string expected;
    for (const char* extension : {"jpg", "png", "bmp", "gif", "tif", "pcx"}) {
        const std::string name = std::string("photo_") + extension;
        expected += name + "|6/05/1999|||||\r\n";
        EXPECT_EQ(QImage(QString::fromStdString(Version(PictureStore::Version::Thumbnail, name))).size(),
                  QSize(150, 93)) << name;
        EXPECT_EQ(QImage(QString::fromStdString(Version(PictureStore::Version::FullScreen, name))).size(),
                  QSize(800, 500)) << name;
        EXPECT_EQ(QImage(QString::fromStdString(Version(PictureStore::Version::Original, name))).size(),
                  QSize(320, 200)) << name;
        EXPECT_FALSE(std::filesystem::exists(Version(PictureStore::Version::HighRes, name)));
        EXPECT_NE(m_out.str().find("Added \"" + name + "\""), std::string::npos);
    }
    EXPECT_EQ(ReadBytes(m_library), expected);
    EXPECT_NE(m_err.str().find("Adding 6 of 6: "), std::string::npos);
}

TEST_F(AddCommandTest, NamesNotesAndGivenFileName)
{
    const std::string image = MakeImage("source.png");
    ASSERT_EQ(Run({image, "--name", "Picture #1", "--date=1999", "--notes", "Sunny | warm",
                   "--person", "Smith, John", "--person", "Doe, Jane", "--event", "Party",
                   "--location", "France, Paris"}),
              0)
        << m_err.str();
    EXPECT_EQ(ReadBytes(m_library),
              "Picture #1|1999|Smith, John^Doe, Jane|Party|France, Paris|Sunny \x01 warm|\r\n");
    EXPECT_EQ(m_err.str(), "");
    EXPECT_EQ(m_out.str(), "Added \"Picture #1\" (1999) from " + image + "\n");
}

TEST_F(AddCommandTest, LineBreaksInNotesAreStoredAsTheDialogStoresThem)
{
    const std::string image = MakeImage("notes.png");
    ASSERT_EQ(Run({image, "--date", "1999", "--notes", "one\ntwo\r\nthree"}), 0) << m_err.str();
    EXPECT_EQ(ReadBytes(m_library), "notes|1999||||one\r\r\ntwo\r\r\nthree|\r\n");
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

struct UsageCase {
    const char* label;
    std::vector<std::string> arguments;
};

void PrintTo(const UsageCase& c, std::ostream* os)
{
    *os << c.label;
}

class AddCommandUsage : public AddCommandTest, public testing::WithParamInterface<UsageCase> {};

TEST_P(AddCommandUsage, IsRefusedAsWrongUsage)
{
    CliPrompter prompter(m_err);
    ToolContext context{m_out, m_err, prompter};
    AddCommand command(&m_settings);
    EXPECT_EQ(command.Run(GetParam().arguments, context), ToolCommand::kUsage);
    EXPECT_FALSE(std::filesystem::exists(m_library));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, AddCommandUsage,
    testing::Values(UsageCase{"NoArguments", {}}, UsageCase{"NoImage", {"x.pdb"}},
                    UsageCase{"NameForTwo", {"x.pdb", "a.png", "b.png", "--name", "n"}},
                    UsageCase{"MissingValue", {"x.pdb", "a.png", "--date"}},
                    UsageCase{"UnknownOption", {"x.pdb", "a.png", "--colour", "red"}}),
    [](const testing::TestParamInfo<UsageCase>& param) { return std::string(param.param.label); });

TEST_F(AddCommandTest, StopsAtTheFirstFailureAndKeepsWhatWasAdded)
{
    const std::string good = MakeImage("good.png");
    const std::string bad = m_dir.File("bad.jpg");
    std::ofstream(bad) << "not a picture";
    const std::string never = MakeImage("never.png");
    EXPECT_EQ(Run({good, bad, never, "--date", "1999"}), ToolCommand::kFailure);
    EXPECT_NE(m_err.str().find(bad + ": Selected file is not a valid image file"), std::string::npos);
    EXPECT_EQ(ReadBytes(m_library), "good|1999|||||\r\n");
    EXPECT_FALSE(std::filesystem::exists(Version(PictureStore::Version::Thumbnail, "never")));
}

struct RefusalCase {
    const char* label;
    std::vector<std::string> options;
    const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.label;
}

class AddCommandRefusal : public AddCommandTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(AddCommandRefusal, FailsWithTheDialogsMessage)
{
    const std::string image = MakeImage("source.png");
    std::vector<std::string> arguments{image};
    arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());
    EXPECT_EQ(Run(arguments), ToolCommand::kFailure);
    EXPECT_NE(m_err.str().find(GetParam().message), std::string::npos) << m_err.str();
    EXPECT_EQ(ReadBytes(m_library), "");
}

INSTANTIATE_TEST_SUITE_P(
    Messages, AddCommandRefusal,
    testing::Values(
        RefusalCase{"NoDate", {}, "Date is not in valid format, please reenter"},
        RefusalCase{"BadDate", {"--date", "32/1/1999"}, "Date is not in valid format"},
        RefusalCase{"Slash", {"--name", "a/b", "--date", "1999"},
                    "Filename cannot contain any of the following characters"},
        RefusalCase{"LongName", {"--name", std::string(100, 'n'), "--date", "1999"},
                    "Filename is too long"},
        RefusalCase{"LongNotes", {"--notes", std::string(1000, 'x'), "--date", "1999"},
                    "Notes are too long"},
        RefusalCase{"Separator", {"--person", "a^b", "--date", "1999"},
                    "Input cannot contain either | or ^ characters"},
        RefusalCase{"EmptyName", {"--name", "", "--date", "1999"}, "picture file name is empty"}),
    [](const testing::TestParamInfo<RefusalCase>& param) { return std::string(param.param.label); });

TEST_F(AddCommandTest, NameInUseIsRefused)
{
    const std::string image = MakeImage("twice.png");
    ASSERT_EQ(Run({image, "--date", "1999"}), 0);
    EXPECT_EQ(Run({image, "--date", "2000"}), ToolCommand::kFailure);
    EXPECT_NE(m_err.str().find("Filename cannot be used, already being used by another photo file"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(m_library), "twice|1999|||||\r\n");
}

// The real program, with the user's settings file in a home of its own.
TEST_F(AddCommandTest, ProgramAddsAndReportsProgress)
{
    const std::string first = MakeImage("first.gif");
    const std::string second = MakeImage("second.pcx");
    const std::string home = m_dir.File("home");
    std::filesystem::create_directories(home + "/.config/Quillery");
    std::ofstream(home + "/.config/Quillery/Quillery.conf") << "[Quillery]\nSaveHighResPictures=1\n";
    const std::string command = "HOME='" + home + "' XDG_CONFIG_HOME='" + home + "/.config' '" +
                                QUILLERY_TOOL_PATH + "' add '" + m_library + "' '" + first +
                                "' '" + second + "' --date 1999 >'" + m_dir.File("out") +
                                "' 2>'" + m_dir.File("err") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadBytes(m_dir.File("err"));
    EXPECT_EQ(ReadBytes(m_library), "first|1999|||||\r\nsecond|1999|||||\r\n");
    EXPECT_EQ(ReadBytes(m_dir.File("err")),
              "Adding 1 of 2: " + first + "\nAdding 2 of 2: " + second + "\n");
    EXPECT_EQ(ReadBytes(m_dir.File("out")),
              "Added \"first\" (1999) from " + first + "\nAdded \"second\" (1999) from " + second + "\n");
    EXPECT_TRUE(std::filesystem::exists(Version(PictureStore::Version::HighRes, "second")));
}

TEST(AddCommandHelp, IsListedByTheTool)
{
    EXPECT_NE(QuilleryTool().HelpText().find("quillery-tool add LIB.pdb IMAGE..."), std::string::npos);
}

}  // namespace
